#include "platform/MessageBoxDialog.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTextDocument>
#include <QTextEdit>
#include <QtMath>
#include <algorithm>

#include "platform/Accessibility.h"

namespace platform::detail {

namespace {
// The widest a box's text runs before it wraps, so that its lines stay readable.
constexpr int kMaxTextWidth = 600;
// What the window system's frame (title bar and borders) adds around the box.
constexpr QSize kFrameAllowance(16, 48);
}  // namespace

MessageBoxDialog::MessageBoxDialog(QWidget* parent, int icon, const QString& caption,
                                   const QString& text)
    : QDialog(parent) {
    // A screen reader announces an alert and reads it at once; a plain dialog would be an
    // empty window to the listener.
    AccessibleAsAlert(this);
    setWindowTitle(caption);
    setModal(true);
    auto* layout = new QGridLayout(this);
    if (icon >= 0) {
        m_icon = new QLabel(this);
        const int extent = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
        m_icon->setPixmap(
            style()
                ->standardIcon(static_cast<QStyle::StandardPixmap>(icon), nullptr, this)
                .pixmap(extent, extent));
        layout->addWidget(m_icon, 0, 0, Qt::AlignTop);
    }
    // A read-only text area rather than a label: it wraps inside an overlong word and scrolls.
    m_text = new QTextEdit(this);
    m_text->setReadOnly(true);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_text->setFocusPolicy(Qt::NoFocus);  // Return and Escape reach the buttons
    m_text->setFrameShape(QFrame::NoFrame);
    m_text->setLineWrapMode(QTextEdit::WidgetWidth);
    m_text->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    m_text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    QPalette palette = m_text->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    m_text->setPalette(palette);
    m_text->document()->setDocumentMargin(0);
    m_text->setPlainText(text);
    // The text area's own accessible name would be empty: the message is what is read out.
    m_text->setAccessibleName(text);
    m_text->setAccessibleDescription(text);
    layout->addWidget(m_text, 0, 1);
    m_buttons = new QDialogButtonBox(this);
    m_buttons->setCenterButtons(
        style()->styleHint(QStyle::SH_MessageBox_CenterButtons, nullptr, this) != 0);
    layout->addWidget(m_buttons, 1, 0, 1, 2);
    connect(m_buttons, &QDialogButtonBox::clicked, this, [this](QAbstractButton* button) {
        m_clicked = qobject_cast<QPushButton*>(button);
        accept();
    });
}

QPushButton* MessageBoxDialog::AddButton(QDialogButtonBox::StandardButton button) {
    return m_buttons->addButton(button);
}

void MessageBoxDialog::FitToScreen() {
    QScreen* screen = parentWidget() != nullptr ? parentWidget()->screen() : nullptr;
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    const QRect available = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 640, 480);
    auto* grid = static_cast<QGridLayout*>(layout());
    const QMargins margins = grid->contentsMargins();
    int besideText = margins.left() + margins.right();
    if (m_icon != nullptr)
        besideText += m_icon->sizeHint().width() + std::max(0, grid->horizontalSpacing());
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_text);

    // As wide as the longest line, up to a readable width and never wider than the screen.
    const QFontMetrics metrics(m_text->font());
    int longest = 0;
    for (const QString& line : m_text->toPlainText().split(QLatin1Char('\n')))
        longest = std::max(longest, metrics.horizontalAdvance(line));
    const int widthLimit =
        std::max(metrics.averageCharWidth() * 10,
                 std::min(kMaxTextWidth,
                          available.width() - kFrameAllowance.width() - besideText - scrollBar));
    const int width = std::min(longest + 1, widthLimit);
    // Measured on a document of its own: the text area's document is laid out lazily, at the
    // width the widget had before.
    QTextDocument measure;
    measure.setDefaultFont(m_text->font());
    measure.setDocumentMargin(0);
    QTextOption wrap = measure.defaultTextOption();
    wrap.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    measure.setDefaultTextOption(wrap);
    measure.setPlainText(m_text->toPlainText());
    measure.setTextWidth(width);
    const int height = qCeil(measure.size().height());
    m_text->setFixedSize(width, height);
    grid->activate();

    // Taller than the screen allows: the text scrolls and the buttons stay in sight.
    const int overflow = sizeHint().height() - (available.height() - kFrameAllowance.height());
    if (overflow > 0)
        m_text->setFixedSize(width + scrollBar, std::max(metrics.lineSpacing(), height - overflow));
    grid->activate();
    adjustSize();
}

}  // namespace platform::detail
