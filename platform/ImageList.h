// CImageList: a numbered set of same-sized images for list and tree controls.
//
// Images are added in order and addressed by their index, as the programs number their
// icons. An image is scaled to the list's size when it is added. Index -1 (or any index
// past the end) is "no image": controls then draw none.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <vector>

namespace platform {

constexpr unsigned ILC_MASK = 0x0001;
constexpr unsigned ILC_COLOR4 = 0x0004;
constexpr unsigned ILC_COLOR8 = 0x0008;
constexpr unsigned ILC_COLOR24 = 0x0018;
constexpr unsigned ILC_COLOR32 = 0x0020;

class CImageList {
public:
    // Flags, initial and grow are accepted as the programs give them; the list always keeps
    // full colour with transparency. 1/0.
    int Create(int cx, int cy, unsigned flags = ILC_MASK, int initial = 1, int grow = 4);
    // Returns the new image's index, or -1 for a null image.
    int Add(const QIcon& icon);
    int Add(const QPixmap& pixmap);
    int GetImageCount() const { return static_cast<int>(m_images.size()); }
    QSize GetImageSize() const { return m_size; }
    // The image at an index, or a null pixmap.
    QPixmap GetImage(int index) const;
    void DeleteImageList() { m_images.clear(); }

private:
    QSize m_size{16, 16};
    std::vector<QPixmap> m_images;
};

}  // namespace platform
