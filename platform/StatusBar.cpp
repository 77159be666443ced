#include "platform/StatusBar.h"

#include <QApplication>
#include <QLabel>
#include <QLayout>
#include <QMainWindow>
#include <QPainter>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>

#include "platform/FrameWnd.h"
#include "platform/LockIndicators.h"
#include "platform/ProgressBarWidget.h"
#include "platform/StringTable.h"

namespace platform {

namespace {

// A pane is as wide as the bar's layout makes it, whatever its text: the message pane takes
// the free width, the others their set width. A longer text is cut at the pane's edge, so a
// status text from the instrument can neither widen the window nor push the other panes out.
class PaneLabel : public QLabel {
public:
    using QLabel::QLabel;
    QSize sizeHint() const override { return WithSetWidth(QLabel::sizeHint()); }
    QSize minimumSizeHint() const override { return WithSetWidth(QLabel::minimumSizeHint()); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        drawFrame(&painter);
        const QRect area = contentsRect().adjusted(kTextPadding, 0, -kTextPadding, 0);
        painter.setClipRect(area);
        style()->drawItemText(&painter, area, static_cast<int>(alignment()), palette(), isEnabled(),
                              text(), foregroundRole());
    }

private:
    // The text keeps off the sunken edges. It is padded here, not through contents margins:
    // a frame keeps its own width in those margins, and replacing them moves the frame's top
    // and bottom edges out of the label, where they are cut off.
    static constexpr int kTextPadding = 2;

    QSize WithSetWidth(QSize hint) const {
        hint.setWidth(minimumWidth());
        return hint;
    }
};

// Sees every event of the program and asks for one indicator update after the key events and
// activations among them; a key press travels through several widgets, so one read of the
// window system follows it, not one per widget.
class LockKeyWatcher : public QObject {
public:
    LockKeyWatcher(QObject* parent, std::function<void()> update)
        : QObject(parent), m_update(std::move(update)) {
        m_timer.setSingleShot(true);
        m_timer.setInterval(0);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] { m_update(); });
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
            case QEvent::KeyPress:
            case QEvent::KeyRelease:
            case QEvent::WindowActivate:
                if (!m_timer.isActive())
                    m_timer.start();
                break;
            default:
                break;
        }
        return false;
    }

private:
    std::function<void()> m_update;
    QTimer m_timer;
};

bool IsLockIndicator(int id) {
    return id == ID_INDICATOR_CAPS || id == ID_INDICATOR_NUM || id == ID_INDICATOR_SCRL;
}

}  // namespace

bool CStatusBar::Create(CFrameWnd* frame, int) {
    auto* window = qobject_cast<QMainWindow*>(frame->GetWidget());
    if (window == nullptr)
        return false;
    auto* bar = new QStatusBar(window);
    bar->setSizeGripEnabled(false);
    window->setStatusBar(bar);
    AttachWidget(bar);
    frame->SetMessageBar(this);
    return true;
}

QStatusBar* CStatusBar::Bar() const {
    return qobject_cast<QStatusBar*>(GetWidget());
}

bool CStatusBar::SetIndicators(const std::vector<int>& ids) {
    QStatusBar* bar = Bar();
    if (bar == nullptr)
        return false;
    for (Pane& pane : m_panes) delete pane.label;
    m_panes.clear();
    for (size_t i = 0; i < ids.size(); ++i) {
        auto* label = new PaneLabel(bar);
        label->setTextFormat(Qt::PlainText);  // status texts carry names from the instrument
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        if (i == 0) {
            bar->addWidget(label, 1);
        } else {
            // Indicator panes are as wide as their text.
            QString sample = ToQString(LoadString(ids[i]));
            label->setMinimumWidth(label->fontMetrics().horizontalAdvance(sample) + 12);
            bar->addPermanentWidget(label);
        }
        m_panes.push_back(Pane{ids[i], label, i == 0 ? SBPS_STRETCH : SBPS_NORMAL});
    }
    WatchLockKeys();
    return true;
}

void CStatusBar::WatchLockKeys() {
    bool wanted = false;
    for (const Pane& pane : m_panes) wanted = wanted || IsLockIndicator(pane.id);
    QStatusBar* bar = Bar();
    if (!wanted || bar == nullptr || !m_lockKeyWatcher.isNull())
        return;
    m_lockKeyWatcher = new LockKeyWatcher(bar, [this] { UpdateLockIndicators(); });
    UpdateLockIndicators();
}

void CStatusBar::UpdateLockIndicators() {
    const std::optional<LockIndicators> state = ReadLockIndicators();
    for (Pane& pane : m_panes) {
        if (!IsLockIndicator(pane.id))
            continue;
        bool on = false;
        if (state)
            on = pane.id == ID_INDICATOR_CAPS  ? state->caps
                 : pane.id == ID_INDICATOR_NUM ? state->num
                                               : state->scroll;
        const QString text = on ? ToQString(LoadString(pane.id)) : QString();
        if (pane.label->text() != text)
            pane.label->setText(text);
    }
}

int CStatusBar::GetItemId(int index) const {
    if (index < 0 || index >= GetCount())
        return -1;
    return m_panes[static_cast<size_t>(index)].id;
}

QRect CStatusBar::GetItemRect(int index) const {
    if (index < 0 || index >= GetCount())
        return {};
    // The bar lays out its panes lazily; a rectangle asked for before that would be stale.
    if (QLayout* layout = Bar()->layout())
        layout->activate();
    return m_panes[static_cast<size_t>(index)].label->geometry();
}

bool CStatusBar::SetPaneText(int index, const std::string& text, bool update) {
    if (index < 0 || index >= GetCount())
        return false;
    QLabel* label = m_panes[static_cast<size_t>(index)].label;
    label->setText(ToQString(text));
    // Marked for painting, as an invalidated pane is: a blocking call paints while it waits,
    // so a text shown before a long exchange is seen, and one that lasts less is not drawn.
    if (update)
        label->update();
    return true;
}

bool CStatusBar::SetPaneInfo(int index, int id, unsigned style, int width) {
    QStatusBar* bar = Bar();
    if (bar == nullptr || index < 0 || index >= GetCount())
        return false;
    Pane& pane = m_panes[static_cast<size_t>(index)];
    pane.id = id;
    pane.style = style;
    // The bar's stretch factors are fixed when a widget is added, so the label goes back in
    // at its place with the new factor; permanent panes keep their side.
    const bool permanent = index > 0;
    bar->removeWidget(pane.label);
    const bool stretch = (style & SBPS_STRETCH) != 0;
    if (stretch) {
        pane.label->setMinimumWidth(0);
        pane.label->setMaximumWidth(QWIDGETSIZE_MAX);
    } else {
        pane.label->setFixedWidth(width);
    }
    if (permanent)
        bar->insertPermanentWidget(index, pane.label, stretch ? 1 : 0);
    else
        bar->insertWidget(0, pane.label, stretch ? 1 : 0);
    pane.label->show();
    return true;
}

void CStatusBar::GetPaneInfo(int index, int& id, unsigned& style, int& width) const {
    id = -1;
    style = 0;
    width = 0;
    if (index < 0 || index >= GetCount())
        return;
    const Pane& pane = m_panes[static_cast<size_t>(index)];
    id = pane.id;
    style = pane.style;
    width = pane.label->width();
    if ((style & SBPS_STRETCH) == 0 && pane.label->maximumWidth() == pane.label->minimumWidth())
        width = pane.label->minimumWidth();
}

std::string CStatusBar::GetPaneText(int index) const {
    if (index < 0 || index >= GetCount())
        return {};
    return FromQString(m_panes[static_cast<size_t>(index)].label->text());
}

CProgressCtrl::~CProgressCtrl() {
    DestroyWindow();
}

bool CProgressCtrl::Create(unsigned, const QRect& rect, CWnd* parent, int) {
    QWidget* parentWidget = parent != nullptr ? parent->GetWidget() : nullptr;
    auto* bar = new ProgressBarWidget(parentWidget);
    bar->SetRange(0, 100);  // the Windows default range
    bar->setGeometry(rect);
    AttachWidget(bar);
    bar->show();
    return true;
}

ProgressBarWidget* CProgressCtrl::Bar() const {
    return dynamic_cast<ProgressBarWidget*>(GetWidget());
}

void CProgressCtrl::SetRange32(int lower, int upper) {
    if (ProgressBarWidget* bar = Bar())
        bar->SetRange(lower, upper);
}

int CProgressCtrl::SetStep(int step) {
    int old = m_step;
    m_step = step;
    return old;
}

int CProgressCtrl::StepIt() {
    ProgressBarWidget* bar = Bar();
    if (bar == nullptr)
        return 0;
    const int old = bar->Value();
    int next = old + m_step;
    if (next > bar->Maximum())
        next = bar->Minimum() + (next - bar->Maximum());
    bar->SetValue(next);
    return old;
}

int CProgressCtrl::SetPos(int position) {
    ProgressBarWidget* bar = Bar();
    if (bar == nullptr)
        return 0;
    const int old = bar->Value();
    bar->SetValue(position);
    return old;
}

int CProgressCtrl::GetPos() const {
    ProgressBarWidget* bar = Bar();
    return bar == nullptr ? 0 : bar->Value();
}

void CProgressCtrl::GetRange(int& lower, int& upper) const {
    ProgressBarWidget* bar = Bar();
    lower = bar == nullptr ? 0 : bar->Minimum();
    upper = bar == nullptr ? 0 : bar->Maximum();
}

}  // namespace platform
