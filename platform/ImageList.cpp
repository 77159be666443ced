#include "platform/ImageList.h"

namespace platform {

int CImageList::Create(int cx, int cy, unsigned, int initial, int) {
    if (cx <= 0 || cy <= 0)
        return 0;
    m_size = QSize(cx, cy);
    m_images.clear();
    m_images.reserve(static_cast<size_t>(initial > 0 ? initial : 0));
    return 1;
}

int CImageList::Add(const QIcon& icon) {
    if (icon.isNull())
        return -1;
    return Add(icon.pixmap(m_size));
}

int CImageList::Add(const QPixmap& pixmap) {
    if (pixmap.isNull())
        return -1;
    m_images.push_back(pixmap.size() == m_size
                           ? pixmap
                           : pixmap.scaled(m_size, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    return static_cast<int>(m_images.size()) - 1;
}

QPixmap CImageList::GetImage(int index) const {
    if (index < 0 || index >= GetImageCount())
        return {};
    return m_images[static_cast<size_t>(index)];
}

}  // namespace platform
