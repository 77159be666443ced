// The picture build as the main form runs it, without any window: the lock that keeps two
// builds apart, setting the job from the selected format, the build proper with its checks in
// their fixed order, and the commit or drop of the result. Every function returns a message
// code (0 success).
#pragma once

#include <string>

#include "nimbrel/BuildProgress.h"
#include "nimbrel/CFileMakeInfo.h"
#include "nimbrel/FormatTable.h"
#include "nimbrel/LineBuilder.h"
#include "platform/NamedMutex.h"

namespace platform {
class Bitmap;
}

namespace nimbrel {

constexpr int kCodeOtherBuildRunning = 37;
constexpr int kCodeNoLeftMarginWarning = 36;
constexpr int kCodeTargetIsTempFile = 40;

// Held for a whole build command, the save dialog included; the raw tool takes it too, as
// both write the same temporary files.
class BuildLock {
public:
    BuildLock() : m_mutex("Nimbrel") { m_mutex.TryLock(); }
    // 0 while held, else 37.
    int Code() const { return m_mutex.IsLocked() ? 0 : kCodeOtherBuildRunning; }

private:
    platform::NamedMutex m_mutex;
};

struct PictureBuildInput {
    // The frame bitmap: (format width + 102) x format height, 24-bit.
    const platform::Bitmap* frame = nullptr;
    // The frame bitmap's kind as its owner knows it; anything but 24 and true is refused.
    int bitsPerPixel = 24;
    bool deviceIndependent = true;
    int leftEdge = kMargin;
    int rightMargin = 0;
    // The selected format; nullptr when none is selected.
    const PictureFormat* format = nullptr;
    bool filterOn = false;
    // The check box's state; it counts only for a format that shows the check box.
    bool gbrChecked = false;
};

// Warning 36 is due: the filter is on and the picture has no background at its left.
bool NeedsMarginWarning(const PictureBuildInput& input);

// Sets size, word, fields, family and filter section of the job from a format (nullptr: none
// selected); the first non-zero code.
int SetJobFromFormat(CFileMakeInfo& job, const PictureFormat* format);

// The build proper: temp names, the checks in order (15, 13, 12, 28, 29, 18, 19, 20 for
// unusable levels or taps, 25, 16, 17, then per line 24, 20, 21; 22, 23), interlaced rows to
// their fields. The field-2 files are deleted on every way out; on failure the field-1 files
// are too, so a failed build leaves no temporary file.
int BuildPictureFiles(CFileMakeInfo& job, const PictureBuildInput& input, BuildProgress& progress);

// The part of the build command between the lock and the save dialog: shows the progress
// (kind 2), removes old temporary files, sets the job, builds, hides the progress.
int RunPictureBuild(CFileMakeInfo& job, const PictureBuildInput& input, BuildProgress& progress);

// Saves the built picture under the chosen name (CFileMakeInfo::RenameOutputs; 40 asks the
// form to show the save dialog again).
int CommitOutputs(const CFileMakeInfo& job, const std::string& chosenPath);
// Drops the built picture (Cancel or an answer of Yes to "quit"), and the end of every command.
void DropOutputs(const CFileMakeInfo& job);

}  // namespace nimbrel
