#include "nimbrel/ui/PicturePreview.h"

#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "nimbrel/CBitmapMakeMng.h"
#include "platform/FileSystem.h"

namespace nimbrel {

namespace {

constexpr int kNoFile = 30;
constexpr int kBadHeight = 31;
constexpr int kBadWidth = 32;
constexpr int kBadLine = 33;
constexpr int kUnreadable = 34;
constexpr int kCancel = 24;

}  // namespace

int PicturePreview::RowOfLine(int line, int lines, bool interlaced) {
    if (!interlaced) {
        return line;
    }
    const int evenRows = (lines + 1) / 2;
    return line < evenRows ? 2 * line : 2 * (line - evenRows) + 1;
}

int PicturePreview::Read(const std::string& path, const std::string& levelIni,
                         BuildProgress& progress, platform::Bitmap& out) {
    if (!platform::IsRegularFile(path)) {
        return kNoFile;
    }
    progress.ShowProgress(1);
    const int code = [&]() {
        CBitmapMakeMng reader(path, levelIni);
        if (!reader.Scan().Valid()) {
            return kUnreadable;
        }
        // Sizes come from the file's own lengths; a crafted file must not make us allocate
        // whatever it claims.
        const uint64_t width = reader.SamplesPerLine();
        const uint64_t lines = reader.Lines();
        if (width == 0 || width > static_cast<uint64_t>(platform::Bitmap::kMaxSide)) {
            return kBadWidth;
        }
        if (lines == 0 || lines > static_cast<uint64_t>(platform::Bitmap::kMaxSide) ||
            width * lines > static_cast<uint64_t>(platform::Bitmap::kMaxPixels)) {
            return kBadHeight;
        }
        platform::Bitmap picture;
        if (!picture.Create(static_cast<int32_t>(width), static_cast<int32_t>(lines))) {
            return kBadHeight;
        }
        const int count = static_cast<int>(lines);
        const bool interlaced = reader.Scan().interlaced;
        std::vector<Bgr> row;
        for (int j = 0; j < count; ++j) {
            if (!progress.StepProgress(static_cast<int>(int64_t{j} * 100 / count))) {
                return kCancel;
            }
            if (!reader.ReadLine(static_cast<uint32_t>(j), row) || row.size() != width) {
                return kBadLine;
            }
            static_assert(sizeof(Bgr) == 3, "rows are copied as packed B, G, R bytes");
            std::memcpy(picture.Row(RowOfLine(j, count, interlaced)), row.data(), width * 3);
        }
        out = std::move(picture);
        return 0;
    }();
    progress.HideProgress();
    return code;
}

}  // namespace nimbrel
