#include "resources/corvane/EmbeddedAudioPageForms.h"

#include <array>
#include <string>
#include <vector>

#include "resources/corvane/VideoForms.h"

namespace corvane {

using platform::IDC_STATIC;
using videoform::kMargin;
using videoform::kRowStep;

namespace {

const std::vector<std::string>& FrequencyItems() {
    static const std::vector<std::string> items{
        "Inactive", "Silence",  "50 Hz",    "100 Hz",  "150 Hz",  "200 Hz",  "250 Hz",
        "300 Hz",   "400 Hz",   "500 Hz",   "600 Hz",  "750 Hz",  "800 Hz",  "1000 Hz",
        "1200 Hz",  "1500 Hz",  "1600 Hz",  "2000 Hz", "2400 Hz", "3000 Hz", "3200 Hz",
        "4000 Hz",  "4800 Hz",  "5000 Hz",  "6000 Hz", "8000 Hz", "9600 Hz", "10000 Hz",
        "12000 Hz", "15000 Hz", "16000 Hz", "20000 Hz"};
    return items;
}

platform::DialogTemplate Build(int id) {
    platform::DialogTemplate page = videoform::Page(id);
    videoform::PageBuilder b(page);
    const int labelCx = 44;

    b.Group(IDC_STATIC, "Group", kMargin, 5, videoform::kPageCx - 2 * kMargin, 28);
    b.Radios({IDC_AUDIO_GROUP1, IDC_AUDIO_GROUP1 + 1, IDC_AUDIO_GROUP1 + 2, IDC_AUDIO_GROUP1 + 3},
             {"Group 1", "Group 2", "Group 3", "Group 4"}, 2 * kMargin, 17, 44, 50);

    const int top = 38;
    const int boxCy = 90;
    int x = 2 * kMargin;
    int fieldX = x + labelCx + 2;
    int y = top + 12;
    b.Group(IDC_STATIC, "Group Settings", kMargin, top, videoform::kHalfCx, boxCy);
    b.Label(IDC_STATIC, "Status", x, y, labelCx);
    b.Radios({IDC_AUDIO_ENABLE, IDC_AUDIO_DISABLE}, {"Enable", "Disable"}, fieldX, y + 1, 44, 48);
    y += kRowStep;
    b.Label(IDC_AUDIO_EMPHASIS_LABEL, "Emphasis", x, y, labelCx);
    b.List(IDC_AUDIO_EMPHASIS, fieldX, y, 110, 60, {"No Emphasis", "CD", "CCITT"});
    y += kRowStep;
    b.Label(IDC_AUDIO_SAMPLING_LABEL, "Sampling", x, y, labelCx);
    b.List(IDC_AUDIO_SAMPLING, fieldX, y, 110, 60,
           {"Frame", "Frame without Frame #", "Asynchronus"});
    y += kRowStep;
    b.Label(IDC_AUDIO_RESOLUTION_LABEL, "Resolution", x, y, labelCx);
    b.Radios({IDC_AUDIO_BITS20, IDC_AUDIO_BITS24}, {"20 bits", "24 bits"}, fieldX, y + 1, 44, 48);

    const int right = videoform::kRightHalfX;
    x = right + kMargin;
    fieldX = x + labelCx + 2;
    y = top + 12;
    b.Group(IDC_AUDIO_CHANNEL_FRAME, "Channel", right, top, videoform::kHalfCx, boxCy);
    b.Radios({IDC_AUDIO_CHANNEL1, IDC_AUDIO_CHANNEL1 + 1, IDC_AUDIO_CHANNEL1 + 2,
              IDC_AUDIO_CHANNEL1 + 3},
             {"Ch 1", "Ch 2", "Ch 3", "Ch 4"}, x, y, 34, 38);
    y += 13;
    b.Check(IDC_AUDIO_LINK, "Link to channel 1", x, y, 100);
    y += 13;
    b.Label(IDC_AUDIO_FREQUENCY_LABEL, "Frequency", x, y, labelCx);
    b.List(IDC_AUDIO_FREQUENCY, fieldX, y, 70, 120, FrequencyItems());
    y += kRowStep;
    b.Label(IDC_AUDIO_AMPLITUDE_LABEL, "Amplitude", x, y, labelCx);
    b.SpinEdit(IDC_AUDIO_AMPLITUDE, IDC_AUDIO_AMPLITUDE_SPIN, fieldX, y, 40, false);
    b.Label(IDC_AUDIO_AMPLITUDE_UNIT, "[dBFS]", fieldX + 44, y, 26);
    y += kRowStep;
    b.Label(IDC_AUDIO_CLICK_LABEL, "Audio Click", x, y, labelCx);
    b.List(IDC_AUDIO_CLICK, fieldX, y, 70, 70, {"Off", "1 Sec", "2 Sec", "3 Sec", "4 Sec"});
    return page;
}

}  // namespace

const platform::DialogTemplate& EmbeddedAudioPageTemplate(VideoModel model) {
    static const std::array<platform::DialogTemplate, 2> pages{Build(IDD_SORMET_AUDIO),
                                                               Build(IDD_ULMETH_AUDIO)};
    return pages[static_cast<size_t>(SerialModelIndex(model))];
}

}  // namespace corvane
