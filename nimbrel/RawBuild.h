// A picture file from three raw component files instead of a bitmap: 1920 x 1080 16-bit
// big-endian samples each, line after line. Only the main (Y) component file comes out, as
// 4:2:2 Y'PbPr with 10-bit levels, through the same temporary files, build lock and safe
// commit as a build from a bitmap.
//
// The checks and the build are kept apart from the tool's window so they can be run and
// answered without one: the window gathers a RawJob and calls ExecConvert.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "nimbrel/ColourConverter.h"
#include "nimbrel/FormatTable.h"
#include "nimbrel/LineBuilder.h"

namespace nimbrel {

class BuildProgress;
class CFileMakeInfo;

// What the raw files hold: Y, Pb and Pr levels as they stand, or G, B and R of 0 to 1023.
enum class RawInput { YPbPr = 0, Gbr = 1 };

// The per-format switches a bitmap build may use; the raw tool can carry none of them.
struct RawSwitches {
    bool doubleWidth = false;
    bool ycbcr444 = false;
    bool gbrOutput = false;
    bool twelveBit = false;
    bool Any() const { return doubleWidth || ycbcr444 || gbrOutput || twelveBit; }
};

// The questions and messages of a conversion. The tool answers them with boxes; tests answer
// them from a script.
class RawBuildPrompts {
public:
    virtual ~RawBuildPrompts() = default;
    virtual void ShowMessage(int code) = 0;
    // True when the operator chose Yes.
    virtual bool Confirm(int code, const std::string& fileName) = 0;
};

// The boxes of MessageByCode, with the texts of the main ini.
class RawBuildBoxes : public RawBuildPrompts {
public:
    RawBuildBoxes(bool english, std::string mainIni)
        : m_english(english), m_mainIni(std::move(mainIni)) {}
    void ShowMessage(int code) override;
    bool Confirm(int code, const std::string& fileName) override;

private:
    bool m_english;
    std::string m_mainIni;
};

// Everything the tool's window hands over for one conversion.
struct RawJob {
    std::array<std::string, 3> inputs;  // Y or G, Pb or B, Pr or R
    std::string output;
    RawInput input = RawInput::YPbPr;
    bool filterOn = false;
    PictureFormat format;  // the chosen item of the Format group
};

class RawBuild {
public:
    static constexpr int kWidth = 1920;
    static constexpr int kLines = 1080;
    static constexpr uint64_t kRowBytes = uint64_t{kWidth} * 2;
    static constexpr uint64_t kFileSize = kRowBytes * kLines;

    // The formats a raw conversion can produce: 1920 x 1080 without double width, 4:4:4 or
    // 12-bit levels.
    static bool Fits(const PictureFormat& format);

    // What ExecConvert returns when the operator answered No to replacing the output.
    static constexpr int kStoppedByOperator = -1;

    // The tool's Build: the checks and questions (38 a path empty, 39 an input missing, the
    // question 46 when the output exists, 40 two paths naming one file, warning 36 with the
    // filter), then under the build lock (37) the job set from the chosen format, the raw build
    // and the commit of the main file under raw.output. Every failure is shown through
    // `prompts` and returned; the temporary files are gone afterwards whatever happened.
    static int ExecConvert(const RawJob& raw, CFileMakeInfo& job, BuildProgress& progress,
                           RawBuildPrompts& prompts);

    // The raw build proper on a job already set: 42, then 12, 13, 15 (the last of them that
    // fails is reported), 18, 19, 20 for unusable levels or taps, 25, 41, 43, 16, 17, per line
    // 24, 44, 45, 20, 21; then 22, 23. Interlaced formats send odd lines to field 2. The
    // field-2 temporary files are removed on every way out, the field-1 files too on failure.
    static int Run(CFileMakeInfo& job, const RawJob& raw, BuildProgress& progress);

    // True when both paths name one file: the same file reached through "./", "..", a link or
    // another hard link counts, not only the same text.
    static bool SameFile(const std::string& a, const std::string& b);

    // One line of 4:2:2 samples into buffers 0 (Y) and 1 (Pb at even, Pr at odd positions) from
    // three rows of `samples` big-endian 16-bit values. GBR input is converted by `converter`,
    // which must use a full scale of 1023; Y'PbPr input is taken as levels. Every value is
    // first held to 0..1023. With `filter` the taps run over the row with its edge samples
    // repeated outwards. 1/0: 0 when a switch is on, a row is missing or the count is odd.
    static int BuildRawLine(const ColourConverter& converter, RawInput input,
                            const FilterSettings* filter, const RawSwitches& switches,
                            const uint8_t* const rows[3], int samples, LineBuilder::Buffers& out);
};

}  // namespace nimbrel
