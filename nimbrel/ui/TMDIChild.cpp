#include "nimbrel/ui/TMDIChild.h"

#include <QCloseEvent>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QScrollArea>
#include <QStatusBar>
#include <QVBoxLayout>
#include <utility>

namespace nimbrel {

TMDIChild::TMDIChild(int slot, QWidget* parent) : QMdiSubWindow(parent), m_slot(slot) {
    setAttribute(Qt::WA_DeleteOnClose);
    auto* body = new QWidget;
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* scroll = new QScrollArea(body);
    m_image = new QLabel;
    m_image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
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
    m_image->setPixmap(QPixmap::fromImage(m_picture.ToImage().copy()));
    m_image->resize(m_image->pixmap().size());
}

void TMDIChild::SetStatus(const QString& text) {
    m_status->showMessage(text);
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
