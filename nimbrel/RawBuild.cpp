#include "nimbrel/RawBuild.h"

#include <algorithm>
#include <vector>

#include "nimbrel/CFileRecord.h"
#include "nimbrel/MessageByCode.h"

namespace nimbrel {

namespace {

constexpr long kRawMaximum = 1023;

// A raw value as a 10-bit level: a 16-bit sample may hold up to 65535, which would wrap when
// stored or land in a file that says 10-bit.
double RawValue(const uint8_t* row, int k) {
    return static_cast<double>(std::min<long>(ReadBig16(row + 2 * k), kRawMaximum));
}

}  // namespace

void RawBuildBoxes::ShowMessage(int code) {
    MessageByCode::ShowMessageByCode(code, m_english, m_mainIni);
}

bool RawBuildBoxes::Confirm(int code, const std::string& fileName) {
    return MessageByCode::ConfirmByCode(code, &fileName, m_english, m_mainIni);
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
