#include "nimbrel/RawBuild.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <new>
#include <vector>

#include "nimbrel/BuildProgress.h"
#include "nimbrel/CFileMakeInfo.h"
#include "nimbrel/CFileMakeMng.h"
#include "nimbrel/CFileRecord.h"
#include "nimbrel/MessageByCode.h"
#include "nimbrel/PictureBuild.h"
#include "platform/FileSystem.h"

namespace nimbrel {

namespace {

constexpr long kRawMaximum = 1023;

// A raw value as a 10-bit level: a 16-bit sample may hold up to 65535, which would wrap when
// stored or land in a file that says 10-bit.
double RawValue(const uint8_t* row, int k) {
    return static_cast<double>(std::min<long>(ReadBig16(row + 2 * k), kRawMaximum));
}

int SetJob(CFileMakeInfo& job, const PictureFormat& format) {
    if (const int code = job.SetSize(RawBuild::kLines, RawBuild::kWidth)) {
        return code;
    }
    if (const int code = job.SetFormatWord(format.FormatWord())) {
        return code;
    }
    job.SetInterlaced(!format.progressive);
    job.SetFamily(format.family);
    job.SetFilterSection(&format.filterSection);
    return 0;
}

int RunWithWriter(CFileMakeInfo& job, const RawJob& raw, BuildProgress& progress) {
    std::unique_ptr<uint8_t[]> rows[3];
    for (auto& row : rows) {
        row.reset(new (std::nothrow) uint8_t[RawBuild::kRowBytes]);
        if (!row) {
            return 42;
        }
    }
    // All three are checked; when several fail, the one checked last is reported.
    int code = 0;
    if (job.Lines() <= 0) {
        code = 12;
    }
    if (job.Width() <= 0) {
        code = 13;
    }
    if (!job.LoadTempFileNamesY()) {
        code = 15;
    }
    if (code != 0) {
        return code;
    }
    if (job.Lines() != RawBuild::kLines) {
        return 18;
    }
    if (job.Width() != RawBuild::kWidth) {
        return 19;
    }
    MakeSwitches switches;
    switches.filterOn = raw.filterOn;
    // The levels are those a bitmap build of the format uses: the main ini's NIMBREL_SCALE_10,
    // or the 10-bit defaults when that section is absent.
    CFileMakeMng writer(job, switches, RawBuild::kWidth, kMargin, 0);
    if (writer.SetupCode() != 0) {
        return writer.SetupCode();
    }
    if (!writer.AllBuffersReady()) {
        return 25;
    }
    std::unique_ptr<CFileRecord> inputs[3];
    for (int i = 0; i < 3; ++i) {
        inputs[i] =
            std::make_unique<CFileRecord>(job.Debug(), raw.inputs[i], CFileRecord::Mode::Read);
        if (!inputs[i]->IsOpen()) {
            return 41;
        }
    }
    for (const auto& input : inputs) {
        if (input->FileSize() != RawBuild::kFileSize) {
            return 43;
        }
    }
    if (!writer.WriteHeaders()) {
        return 16;
    }
    if (raw.format.blackLines >= 0 && !writer.WriteBlackLines(raw.format.blackLines)) {
        return 17;
    }
    const bool standardDefinition = job.Family() == 0 || job.Family() == 1;
    const ColourConverter converter(writer.Levels(), false, standardDefinition, 1023.0);
    const FilterSettings* filter = raw.filterOn ? &writer.Filter() : nullptr;
    const MakeSwitches& made = writer.Switches();
    const RawSwitches rawSwitches{made.doubleWidth, made.ycbcr444, made.gbrOutput, made.twelveBit};
    const uint8_t* const rowPointers[3] = {rows[0].get(), rows[1].get(), rows[2].get()};
    const int lines = RawBuild::kLines;
    for (int l = 0; l < lines; ++l) {
        if (!progress.StepProgress(l * 100 / lines)) {
            return 24;
        }
        const int64_t at = static_cast<int64_t>(l) * static_cast<int64_t>(RawBuild::kRowBytes);
        for (int i = 0; i < 3; ++i) {
            if (inputs[i]->Seek(at, SEEK_SET) != at) {
                return 44;
            }
            if (!inputs[i]->ReadAll(rows[i].get(), RawBuild::kRowBytes)) {
                return 45;
            }
        }
        if (!RawBuild::BuildRawLine(converter, raw.input, filter, rawSwitches, rowPointers,
                                    writer.Samples(), writer.SampleBuffers())) {
            return 20;
        }
        writer.MarkSamplesWaiting();
        if (!writer.WriteLine(job.Interlaced() && l % 2 == 1 ? 2 : 1)) {
            return 21;
        }
    }
    if (job.Interlaced() && lines % 2 == 1 && !writer.WriteLine(2)) {
        return 21;
    }
    if (!writer.MergeFields()) {
        return 22;
    }
    if (!writer.WriteEndRecords()) {
        return 23;
    }
    return 0;
}

}  // namespace

void RawBuildBoxes::ShowMessage(int code) {
    MessageByCode::ShowMessageByCode(code, m_english, m_mainIni);
}

bool RawBuildBoxes::Confirm(int code, const std::string& fileName) {
    return MessageByCode::ConfirmByCode(code, &fileName, m_english, m_mainIni);
}

bool RawBuild::SameFile(const std::string& a, const std::string& b) {
    struct stat first {};
    struct stat second {};
    const bool firstExists = ::stat(a.c_str(), &first) == 0;
    const bool secondExists = ::stat(b.c_str(), &second) == 0;
    if (firstExists && secondExists) {
        return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
    }
    if (firstExists != secondExists) {
        return false;
    }
    std::error_code error;
    const auto canonicalA = std::filesystem::weakly_canonical(a, error);
    if (error) {
        return a == b;
    }
    const auto canonicalB = std::filesystem::weakly_canonical(b, error);
    return error ? a == b : canonicalA == canonicalB;
}

int RawBuild::Run(CFileMakeInfo& job, const RawJob& raw, BuildProgress& progress) {
    // The writer and the input files are closed before anything is deleted.
    const int code = RunWithWriter(job, raw, progress);
    job.DeleteTempFiles(code == 0 ? 2 : 3);
    return code;
}

int RawBuild::ExecConvert(const RawJob& raw, CFileMakeInfo& job, BuildProgress& progress,
                          RawBuildPrompts& prompts) {
    auto fail = [&](int code) {
        prompts.ShowMessage(code);
        return code;
    };
    const std::string* paths[4] = {&raw.inputs[0], &raw.inputs[1], &raw.inputs[2], &raw.output};
    for (const std::string* path : paths) {
        if (path->empty()) {
            return fail(38);
        }
    }
    for (const std::string& input : raw.inputs) {
        if (!platform::IsRegularFile(input)) {
            return fail(39);
        }
    }
    struct stat info {};
    if (::stat(raw.output.c_str(), &info) == 0 &&
        !prompts.Confirm(kCodeConfirmOverwrite, raw.output)) {
        return kStoppedByOperator;
    }
    for (int i = 0; i < 4; ++i) {
        for (int j = i + 1; j < 4; ++j) {
            if (SameFile(*paths[i], *paths[j])) {
                return fail(40);
            }
        }
    }
    // Only formats the raw files can fill are offered; anything else has no item to come from.
    if (!Fits(raw.format)) {
        return fail(6);
    }
    if (raw.filterOn) {
        prompts.ShowMessage(kCodeNoLeftMarginWarning);
    }
    // The same temporary files as a bitmap build, so the same lock.
    BuildLock lock;
    if (lock.Code() != 0) {
        return fail(lock.Code());
    }
    progress.ShowProgress(2);
    job.DeleteTempFiles(3);
    int code = SetJob(job, raw.format);
    if (code == 0) {
        code = Run(job, raw, progress);
    }
    if (code == 0) {
        code = CommitOutputs(job, raw.output);
    }
    progress.HideProgress();
    DropOutputs(job);
    return code == 0 ? 0 : fail(code);
}

bool RawBuild::Fits(const PictureFormat& format) {
    return format.width == kWidth && format.height == kLines && !format.doubleWidth &&
           !format.ycbcr444 && !format.twelveBit;
}

int RawBuild::BuildRawLine(const ColourConverter& converter, RawInput input,
                           const FilterSettings* filter, const RawSwitches& switches,
                           const uint8_t* const rows[3], int samples, LineBuilder::Buffers& out) {
    if (switches.Any() || rows == nullptr || rows[0] == nullptr || rows[1] == nullptr ||
        rows[2] == nullptr || samples <= 0 || samples % 2 != 0) {
        return 0;
    }
    // Each sample is converted once; the filter then reads these levels many times.
    std::vector<ConvertedSample> levels(static_cast<size_t>(samples));
    for (int k = 0; k < samples; ++k) {
        const double a = RawValue(rows[0], k);
        const double b = RawValue(rows[1], k);
        const double c = RawValue(rows[2], k);
        if (input == RawInput::Gbr) {
            levels[k] = converter.Convert(c, a, b);
        } else {
            // Levels as they stand. Only the main file is made from raw input, so the G, B
            // and R buffers stay 0 and never reach a file.
            levels[k].y = a;
            levels[k].pb = b;
            levels[k].pr = c;
        }
    }

    std::vector<ConvertedSample> filtered;
    const std::vector<ConvertedSample>* source = &levels;
    if (filter != nullptr) {
        // The ring of the bitmap build, with sample 0 repeated before the row and the last
        // sample after it, amounts to this window: tap t weighs sample k + t - centre, the
        // index held inside the row. The sum runs from the oldest entry to the newest, as the
        // ring's does, so both give the same doubles.
        const int centre = filter->CentreTap();
        filtered.resize(levels.size());
        for (int k = 0; k < samples; ++k) {
            ConvertedSample sum;
            for (int t = 0; t < kTaps; ++t) {
                const ConvertedSample& v = levels[std::clamp(k + t - centre, 0, samples - 1)];
                const double yt = filter->yTaps[t];
                const double ct = filter->pbprTaps[t];
                sum.g += yt * v.g;
                sum.b += yt * v.b;
                sum.r += yt * v.r;
                sum.y += yt * v.y;
                sum.pb += ct * v.pb;
                sum.pr += ct * v.pr;
            }
            filtered[k] = sum;
        }
        source = &filtered;
    }

    for (auto& buffer : out) {
        buffer.assign(static_cast<size_t>(samples), 0);
    }
    const std::vector<ConvertedSample>& s = *source;
    for (int k = 0; k < samples; ++k) {
        out[0][k] = converter.ToSample(s[k].y);
        out[2][k] = converter.ToSample(s[k].g);
        out[3][k] = converter.ToSample(s[k].b);
        out[4][k] = converter.ToSample(s[k].r);
    }
    for (int k = 0; k < samples; k += 2) {
        if (filter != nullptr) {
            // The filtered chroma of a pair is the second sample's output, as in a bitmap
            // build.
            out[1][k] = converter.ToSample(s[k + 1].pb);
            out[1][k + 1] = converter.ToSample(s[k + 1].pr);
        } else {
            out[1][k] = converter.ToSample((s[k].pb + s[k + 1].pb) / 2);
            out[1][k + 1] = converter.ToSample((s[k].pr + s[k + 1].pr) / 2);
        }
    }
    return 1;
}

}  // namespace nimbrel
