// The embedded audio pages of the serial video module windows: one group of four at a time
// with its state, emphasis, sampling and resolution, and one channel of that group with its
// test tone. The same template serves output 1 ("Audio") and output 2 ("Black (Audio)").
#pragma once

#include "platform/DialogTemplate.h"
#include "resources/corvane/VideoForms.h"

namespace corvane {

constexpr int IDD_SORMET_AUDIO = 175;
constexpr int IDD_ULMETH_AUDIO = 184;

constexpr int IDC_AUDIO_GROUP1 = 1201;  // groups 2..4: 1202..1204
constexpr int IDC_AUDIO_ENABLE = 1205;
constexpr int IDC_AUDIO_DISABLE = 1206;
constexpr int IDC_AUDIO_EMPHASIS = 1211;
constexpr int IDC_AUDIO_SAMPLING = 1212;
constexpr int IDC_AUDIO_BITS20 = 1216;
constexpr int IDC_AUDIO_BITS24 = 1217;
constexpr int IDC_AUDIO_EMPHASIS_LABEL = 1256;
constexpr int IDC_AUDIO_SAMPLING_LABEL = 1257;
constexpr int IDC_AUDIO_RESOLUTION_LABEL = 1258;

constexpr int IDC_AUDIO_CHANNEL1 = 1207;  // channels 2..4 of the group: 1208..1210
constexpr int IDC_AUDIO_LINK = 1286;
constexpr int IDC_AUDIO_FREQUENCY = 1213;
constexpr int IDC_AUDIO_AMPLITUDE = 1214;
constexpr int IDC_AUDIO_AMPLITUDE_SPIN = 1215;  // reports its moves; the page writes the field
constexpr int IDC_AUDIO_CLICK = 1097;
// The channel's frame and texts, enabled with the group.
constexpr int IDC_AUDIO_CHANNEL_FRAME = 1259;
constexpr int IDC_AUDIO_FREQUENCY_LABEL = 1260;
constexpr int IDC_AUDIO_AMPLITUDE_LABEL = 1261;
constexpr int IDC_AUDIO_AMPLITUDE_UNIT = 1264;
constexpr int IDC_AUDIO_CLICK_LABEL = 1265;

// The audio page of a serial video model; throws std::invalid_argument for an
// analog one.
const platform::DialogTemplate& EmbeddedAudioPageTemplate(VideoModel model);

}  // namespace corvane
