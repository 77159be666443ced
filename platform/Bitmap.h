// 24-bit bitmaps: pixels as B, G, R bytes, rows held TOP ROW FIRST (Row(0) is the top of the
// picture, whatever order the BMP file stored them in), each row exactly Width() * 3 bytes
// with no padding. BMP files are read with every header field checked before anything is
// allocated or copied, so a damaged or crafted file gives a clear error instead of a huge
// allocation or a read past the end; the depth in the file's header is reported as it is,
// because a caller refuses non-24-bit files with its own message.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class QImage;

namespace platform {

class Bitmap {
public:
    // Why a BMP read failed; kOk on success.
    enum ReadStatus {
        kOk = 0,
        kOpenFailed,         // the file could not be opened or read
        kNotBmp,             // no "BM" signature or a header too short to be one
        kUnsupportedDepth,   // bits per pixel other than 24 (depth tells which)
        kUnsupportedFormat,  // compression other than BI_RGB, planes other than 1
        kBadSize,            // zero, negative or over-large width or height
        kTruncated,          // pixel data shorter than rows x stride
    };

    // Largest width or height a file may give, and the largest picture in pixels: well above
    // any video frame, well below what would exhaust memory.
    static constexpr std::int32_t kMaxSide = 32768;
    static constexpr std::int64_t kMaxPixels = std::int64_t{64} * 1024 * 1024;

    Bitmap() = default;
    // A width x height picture filled with black. 1/0 (0 for sizes out of range; the bitmap
    // is then empty).
    int Create(std::int32_t width, std::int32_t height);

    std::int32_t Width() const { return m_width; }
    std::int32_t Height() const { return m_height; }
    bool IsEmpty() const { return m_width == 0 || m_height == 0; }

    // Row y from the top, Width() * 3 bytes of B, G, R. y must be in [0, Height()).
    std::uint8_t* Row(std::int32_t y) { return m_pixels.data() + RowOffset(y); }
    const std::uint8_t* Row(std::int32_t y) const { return m_pixels.data() + RowOffset(y); }

    // Pixel access in the usual R, G, B order; out-of-range coordinates read black and write
    // nothing.
    void SetPixel(std::int32_t x, std::int32_t y, std::uint8_t r, std::uint8_t g, std::uint8_t b);
    void GetPixel(std::int32_t x, std::int32_t y, std::uint8_t& r, std::uint8_t& g,
                  std::uint8_t& b) const;

    // Fills the rectangle (clipped to the picture) with a colour.
    void FillRect(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height,
                  std::uint8_t r, std::uint8_t g, std::uint8_t b);
    // Copies a width x height rectangle of source at (srcLeft, srcTop) to (left, top) here,
    // clipped on both sides.
    void CopyRect(std::int32_t left, std::int32_t top, const Bitmap& source, std::int32_t srcLeft,
                  std::int32_t srcTop, std::int32_t width, std::int32_t height);

    // Reads a BMP from memory / a file. On failure the bitmap is left as it was. depth is the
    // file's bits per pixel when the header got that far, else 0.
    ReadStatus ReadBmp(const std::uint8_t* data, std::size_t size, int& depth);
    ReadStatus ReadBmpFile(const std::string& fileName, int& depth);
    // A 24-bit BI_RGB BMP, rows bottom-up as the format wants, each padded to 4 bytes.
    std::vector<std::uint8_t> ToBmp() const;
    // Writes ToBmp() through a temporary file renamed over fileName. 1/0 (errno tells why).
    int WriteBmpFile(const std::string& fileName) const;

    // An English sentence for a read status, for logs and messages.
    static std::string StatusText(ReadStatus status);

    // A view of the pixels for drawing; it shares the memory, so it must not outlive the
    // bitmap or a Create().
    QImage ToImage() const;

private:
    std::size_t RowOffset(std::int32_t y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) * 3;
    }

    std::int32_t m_width = 0;
    std::int32_t m_height = 0;
    std::vector<std::uint8_t> m_pixels;
};

}  // namespace platform
