#include "nimbrel/ui/TMDIChild.h"

#include <QCloseEvent>
#include <QImage>
#include <QPixmap>
#include <QScrollArea>
#include <QStatusBar>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "nimbrel/ui/PictureView.h"
#include "nimbrel/ui/ToolIcons.h"

namespace nimbrel {

TMDIChild::TMDIChild(int slot, QWidget* parent) : QMdiSubWindow(parent), m_slot(slot) {
    setAttribute(Qt::WA_DeleteOnClose);
    static const ToolIcons::Kind kIcons[] = {ToolIcons::kOpen, ToolIcons::kBuildFrame,
                                             ToolIcons::kBuildPicBmp};
    setWindowIcon(ToolIcons::Make(kIcons[slot >= 0 && slot < 3 ? slot : 0]));
    auto* body = new QWidget;
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* scroll = new QScrollArea(body);
    m_image = new PictureView;
    scroll->setWidget(m_image);
    scroll->setWidgetResizable(false);
    scroll->setBackgroundRole(QPalette::Dark);
    layout->addWidget(scroll, 1);
    m_status = new QStatusBar(body);
    m_status->setSizeGripEnabled(false);
    layout->addWidget(m_status);
    setWidget(body);
}

QString TMDIChild::CaptionFor(int slot, const std::string& path) {
    static const char* const kNames[] = {"BMP", "FrameBMP", "PicBMP"};
    const char* name = slot >= 0 && slot < 3 ? kNames[slot] : "BMP";
    return QString("  %1 View - %2  ").arg(name, QString::fromStdString(path));
}

void TMDIChild::SetPath(const std::string& path) {
    setWindowTitle(CaptionFor(m_slot, path));
}

void TMDIChild::SetPicture(platform::Bitmap picture) {
    m_picture = std::move(picture);
    // A deep copy: the label must not share pixels with a bitmap that may be replaced.
    m_image->SetPixmap(QPixmap::fromImage(m_picture.ToImage().copy()));
}

void TMDIChild::SetStatus(const QString& text) {
    m_status->showMessage(text);
}

QSize TMDIChild::sizeHint() const {
    const QMargins frame = contentsMargins();
    const int chromeWidth = frame.left() + frame.right() + 8;
    const int chromeHeight = frame.top() + frame.bottom() + m_status->sizeHint().height() + 6;
    return QSize(std::clamp(m_picture.Width() + chromeWidth, 200, 720),
                 std::clamp(m_picture.Height() + chromeHeight, 120, 560));
}

QString TMDIChild::Status() const {
    return m_status->currentMessage();
}

void TMDIChild::closeEvent(QCloseEvent* event) {
    QMdiSubWindow::closeEvent(event);
    if (event->isAccepted()) {
        emit Closed(m_slot);
    }
}

}  // namespace nimbrel
