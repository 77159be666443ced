#include "platform/Bitmap.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QImage>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/FileSystem.h"

namespace platform {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kCoreHeaderSize = 12;

std::uint16_t U16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t U32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

void Put16(std::vector<std::uint8_t>& out, std::size_t at, std::uint16_t v) {
    out[at] = static_cast<std::uint8_t>(v);
    out[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

void Put32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::size_t Stride(std::int64_t width) {
    return static_cast<std::size_t>((width * 3 + 3) & ~std::int64_t{3});
}

bool SizeAllowed(std::int64_t width, std::int64_t height) {
    return width > 0 && height > 0 && width <= Bitmap::kMaxSide && height <= Bitmap::kMaxSide &&
           width * height <= Bitmap::kMaxPixels;
}

}  // namespace

int Bitmap::Create(std::int32_t width, std::int32_t height) {
    if (!SizeAllowed(width, height)) {
        m_width = m_height = 0;
        m_pixels.clear();
        return 0;
    }
    m_width = width;
    m_height = height;
    m_pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3, 0);
    return 1;
}

void Bitmap::SetPixel(std::int32_t x, std::int32_t y, std::uint8_t r, std::uint8_t g,
                      std::uint8_t b) {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return;
    std::uint8_t* p = Row(y) + static_cast<std::size_t>(x) * 3;
    p[0] = b;
    p[1] = g;
    p[2] = r;
}

void Bitmap::GetPixel(std::int32_t x, std::int32_t y, std::uint8_t& r, std::uint8_t& g,
                      std::uint8_t& b) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) {
        r = g = b = 0;
        return;
    }
    const std::uint8_t* p = Row(y) + static_cast<std::size_t>(x) * 3;
    b = p[0];
    g = p[1];
    r = p[2];
}

void Bitmap::FillRect(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height,
                      std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    // 64-bit edges: a caller's left + width must not wrap.
    const std::int64_t x0 = std::max<std::int64_t>(left, 0);
    const std::int64_t y0 = std::max<std::int64_t>(top, 0);
    const std::int64_t x1 = std::min<std::int64_t>(std::int64_t{left} + width, m_width);
    const std::int64_t y1 = std::min<std::int64_t>(std::int64_t{top} + height, m_height);
    for (std::int64_t y = y0; y < y1; ++y) {
        std::uint8_t* p = Row(static_cast<std::int32_t>(y)) + x0 * 3;
        for (std::int64_t x = x0; x < x1; ++x, p += 3) {
            p[0] = b;
            p[1] = g;
            p[2] = r;
        }
    }
}

void Bitmap::CopyRect(std::int32_t left, std::int32_t top, const Bitmap& source,
                      std::int32_t srcLeft, std::int32_t srcTop, std::int32_t width,
                      std::int32_t height) {
    std::int64_t dx = left, dy = top, sx = srcLeft, sy = srcTop, w = width, h = height;
    // Clip the left and top edges of both rectangles, then the right and bottom.
    const std::int64_t cutX = std::max<std::int64_t>({0, -dx, -sx});
    const std::int64_t cutY = std::max<std::int64_t>({0, -dy, -sy});
    dx += cutX, sx += cutX, w -= cutX;
    dy += cutY, sy += cutY, h -= cutY;
    w = std::min({w, m_width - dx, source.m_width - sx});
    h = std::min({h, m_height - dy, source.m_height - sy});
    if (w <= 0 || h <= 0)
        return;
    // memmove: copying within the same bitmap may overlap.
    if (&source == this && dy > sy) {
        for (std::int64_t y = h - 1; y >= 0; --y)
            std::memmove(Row(static_cast<std::int32_t>(dy + y)) + dx * 3,
                         source.Row(static_cast<std::int32_t>(sy + y)) + sx * 3,
                         static_cast<std::size_t>(w) * 3);
    } else {
        for (std::int64_t y = 0; y < h; ++y)
            std::memmove(Row(static_cast<std::int32_t>(dy + y)) + dx * 3,
                         source.Row(static_cast<std::int32_t>(sy + y)) + sx * 3,
                         static_cast<std::size_t>(w) * 3);
    }
}

Bitmap::ReadStatus Bitmap::ReadBmp(const std::uint8_t* data, std::size_t size, int& depth) {
    depth = 0;
    if (data == nullptr || size < kFileHeaderSize + 4 || data[0] != 'B' || data[1] != 'M')
        return kNotBmp;
    const std::uint32_t pixelOffset = U32(data + 10);
    const std::uint32_t headerSize = U32(data + kFileHeaderSize);
    const std::uint8_t* info = data + kFileHeaderSize;
    std::int64_t width = 0, height = 0;
    std::uint32_t planes = 0, compression = 0;
    if (headerSize == kCoreHeaderSize) {
        if (size < kFileHeaderSize + kCoreHeaderSize)
            return kNotBmp;
        width = U16(info + 4);
        height = U16(info + 6);
        planes = U16(info + 8);
        depth = U16(info + 10);
    } else if (headerSize >= kInfoHeaderSize && headerSize <= 1024) {
        if (size < kFileHeaderSize + headerSize)
            return kNotBmp;
        width = static_cast<std::int32_t>(U32(info + 4));
        height = static_cast<std::int32_t>(U32(info + 8));
        planes = U16(info + 12);
        depth = U16(info + 14);
        compression = U32(info + 16);
    } else {
        return kNotBmp;
    }
    if (depth != 24)
        return kUnsupportedDepth;
    if (planes != 1 || compression != 0)
        return kUnsupportedFormat;
    // A negative height is a top-down file; the 64-bit value keeps INT_MIN from wrapping.
    const bool topDown = height < 0;
    if (topDown)
        height = -height;
    if (!SizeAllowed(width, height))
        return kBadSize;
    if (pixelOffset < kFileHeaderSize + headerSize || pixelOffset > size)
        return kTruncated;
    const std::size_t stride = Stride(width);
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
    // The last row's padding may be missing; its pixels may not.
    const std::size_t needed = (static_cast<std::size_t>(height) - 1) * stride + rowBytes;
    if (size - pixelOffset < needed)
        return kTruncated;

    std::vector<std::uint8_t> pixels(rowBytes * static_cast<std::size_t>(height));
    for (std::int64_t y = 0; y < height; ++y) {
        const std::int64_t fileRow = topDown ? y : height - 1 - y;
        std::memcpy(pixels.data() + static_cast<std::size_t>(y) * rowBytes,
                    data + pixelOffset + static_cast<std::size_t>(fileRow) * stride, rowBytes);
    }
    m_width = static_cast<std::int32_t>(width);
    m_height = static_cast<std::int32_t>(height);
    m_pixels = std::move(pixels);
    return kOk;
}

Bitmap::ReadStatus Bitmap::ReadBmpFile(const std::string& fileName, int& depth) {
    depth = 0;
    int fd = open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return kOpenFailed;
    struct stat info;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        return kOpenFailed;
    }
    // Bytes past the largest picture allowed are never looked at, so they are not read.
    const std::uint64_t cap = static_cast<std::uint64_t>(kMaxPixels) * 3 +
                              static_cast<std::uint64_t>(kMaxSide) * 3 + 4096;
    const std::size_t wanted = static_cast<std::size_t>(std::min<std::uint64_t>(info.st_size, cap));
    std::vector<std::uint8_t> bytes(wanted);
    std::size_t got = 0;
    while (got < wanted) {
        ssize_t n = read(fd, bytes.data() + got, wanted - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            close(fd);
            return kOpenFailed;
        }
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    close(fd);
    return ReadBmp(bytes.data(), got, depth);
}

std::vector<std::uint8_t> Bitmap::ToBmp() const {
    const std::size_t stride = Stride(m_width);
    const std::size_t imageSize = stride * static_cast<std::size_t>(m_height);
    const std::size_t offset = kFileHeaderSize + kInfoHeaderSize;
    std::vector<std::uint8_t> out(offset + imageSize, 0);
    out[0] = 'B';
    out[1] = 'M';
    Put32(out, 2, static_cast<std::uint32_t>(out.size()));
    Put32(out, 10, static_cast<std::uint32_t>(offset));
    Put32(out, 14, kInfoHeaderSize);
    Put32(out, 18, static_cast<std::uint32_t>(m_width));
    Put32(out, 22, static_cast<std::uint32_t>(m_height));
    Put16(out, 26, 1);
    Put16(out, 28, 24);
    Put32(out, 34, static_cast<std::uint32_t>(imageSize));
    Put32(out, 38, 2835);  // 72 dots per inch, as paint programs write
    Put32(out, 42, 2835);
    const std::size_t rowBytes = static_cast<std::size_t>(m_width) * 3;
    for (std::int32_t y = 0; y < m_height; ++y)
        std::memcpy(out.data() + offset + static_cast<std::size_t>(m_height - 1 - y) * stride,
                    Row(y), rowBytes);
    return out;
}

int Bitmap::WriteBmpFile(const std::string& fileName) const {
    if (IsEmpty()) {
        errno = EINVAL;
        return 0;
    }
    const std::vector<std::uint8_t> bytes = ToBmp();
    return ReplaceFileContent(fileName, bytes.data(), bytes.size());
}

std::string Bitmap::StatusText(ReadStatus status) {
    switch (status) {
        case kOk:
            return "The bitmap was read.";
        case kOpenFailed:
            return "The file could not be opened or read.";
        case kNotBmp:
            return "The file is not a Windows bitmap.";
        case kUnsupportedDepth:
            return "The bitmap is not 24 bits per pixel.";
        case kUnsupportedFormat:
            return "The bitmap is compressed or has more than one plane.";
        case kBadSize:
            return "The bitmap's width or height is zero, negative or too large.";
        case kTruncated:
            return "The bitmap's pixel data is shorter than its size says.";
    }
    return "Unknown bitmap error.";
}

QImage Bitmap::ToImage() const {
    if (IsEmpty())
        return QImage();
    return QImage(m_pixels.data(), m_width, m_height, static_cast<qsizetype>(m_width) * 3,
                  QImage::Format_BGR888);
}

}  // namespace platform
