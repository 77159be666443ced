#include "nimbrel/PictureBuild.h"

#include <cstdint>
#include <memory>

#include "nimbrel/CFileMakeMng.h"
#include "platform/Bitmap.h"

namespace nimbrel {

namespace {

int BuildWithWriter(CFileMakeInfo& job, const PictureBuildInput& input, BuildProgress& progress) {
    if (!job.LoadTempFileNames()) {
        return 15;
    }
    if (job.Width() <= 0) {
        return 13;
    }
    if (job.Lines() <= 0) {
        return 12;
    }
    if (input.bitsPerPixel != 24) {
        return 28;
    }
    if (!input.deviceIndependent || input.frame == nullptr) {
        return 29;
    }
    const platform::Bitmap& frame = *input.frame;
    if (frame.Height() != job.Lines()) {
        return 18;
    }
    if (frame.Width() != job.Width() + 2 * kMargin) {
        return 19;
    }
    const PictureFormat none;
    const PictureFormat& format = input.format != nullptr ? *input.format : none;
    MakeSwitches switches;
    switches.filterOn = input.filterOn;
    switches.doubleWidth = format.doubleWidth;
    switches.ycbcr444 = format.ycbcr444;
    switches.gbrOutput = format.showGbrCheck && input.gbrChecked;
    switches.twelveBit = format.twelveBit;
    const int width = static_cast<int>(job.Width());
    const auto writer =
        std::make_unique<CFileMakeMng>(job, switches, width, input.leftEdge, input.rightMargin);
    if (writer->SetupCode() != 0) {
        return writer->SetupCode();
    }
    if (!writer->AllBuffersReady()) {
        return 25;
    }
    if (!writer->WriteHeaders()) {
        return 16;
    }
    if (format.blackLines >= 0 && !writer->WriteBlackLines(format.blackLines)) {
        return 17;
    }
    const int lines = frame.Height();
    for (int i = 0; i < lines; ++i) {
        if (!progress.StepProgress(static_cast<int>(int64_t{i} * 100 / lines))) {
            return 24;
        }
        if (!writer->BuildLine(frame.Row(i), frame.Width())) {
            return 20;
        }
        if (!writer->WriteLine(job.Interlaced() && i % 2 == 1 ? 2 : 1)) {
            return 21;
        }
    }
    // Both fields get the same number of lines: the last row once more, still in the buffers.
    if (job.Interlaced() && lines % 2 == 1 && !writer->WriteLine(2)) {
        return 21;
    }
    if (!writer->MergeFields()) {
        return 22;
    }
    if (!writer->WriteEndRecords()) {
        return 23;
    }
    return 0;
}

}  // namespace

bool NeedsMarginWarning(const PictureBuildInput& input) {
    return input.filterOn && input.leftEdge == kMargin;
}

int SetJobFromFormat(CFileMakeInfo& job, const PictureFormat* format) {
    if (format == nullptr) {
        return job.SetSize(0, 0);  // no format selected: no size either
    }
    if (const int code = job.SetSize(format->height, format->width)) {
        return code;
    }
    if (const int code = job.SetFormatWord(format->FormatWord())) {
        return code;
    }
    job.SetInterlaced(!format->progressive);
    job.SetFamily(format->family);
    job.SetFilterSection(&format->filterSection);
    return 0;
}

int BuildPictureFiles(CFileMakeInfo& job, const PictureBuildInput& input, BuildProgress& progress) {
    // The writer is gone (its files closed) before anything is deleted.
    const int code = BuildWithWriter(job, input, progress);
    job.DeleteTempFiles(code == 0 ? 2 : 3);
    return code;
}

int RunPictureBuild(CFileMakeInfo& job, const PictureBuildInput& input, BuildProgress& progress) {
    progress.ShowProgress(2);
    job.DeleteTempFiles(3);
    int code = SetJobFromFormat(job, input.format);
    if (code == 0) {
        code = BuildPictureFiles(job, input, progress);
    }
    progress.HideProgress();
    return code;
}

int CommitOutputs(const CFileMakeInfo& job, const std::string& chosenPath) {
    return job.RenameOutputs(chosenPath);
}

void DropOutputs(const CFileMakeInfo& job) {
    job.DeleteTempFiles(3);
}

}  // namespace nimbrel
