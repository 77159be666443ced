// The Tavix window: its form and its three tab pages.
#pragma once

#include "platform/DialogTemplate.h"

namespace corvane {

// Tavix form.
constexpr int IDD_TAVIX_FORM = 130;
constexpr int IDC_TAVIX_BITS20 = 1145;
constexpr int IDC_TAVIX_BITS24 = 1146;
constexpr int IDC_TAVIX_SYNC = 1011;
constexpr int IDC_TAVIX_DELAY = 1013;
constexpr int IDC_TAVIX_DELAY_LABEL = 1351;
constexpr int IDC_TAVIX_DELAY_UNIT = 1352;

// Tavix pages.
constexpr int IDD_TAVIX_FREQUENCY = 156;
constexpr int IDD_TAVIX_CLICK = 158;
constexpr int IDD_TAVIX_AMPLITUDE = 160;
constexpr int IDC_TAVIX_FREQUENCY_CH1 = 1014;  // channels 2..8: 1015..1021
constexpr int IDC_TAVIX_CLICK_CH1 = 1024;
constexpr int IDC_TAVIX_CLICK_CH2 = 1032;        // channels 2..8: 1032..1038
constexpr int IDC_TAVIX_AMPLITUDE_CH1 = 1015;    // edits of channels 1..8: 1015..1022
constexpr int IDC_TAVIX_AMPLITUDE_SPIN1 = 1023;  // spins of channels 1..8: 1023..1030
constexpr int IDC_LINK_CH2 = 1284;               // link boxes of channels 2..8: 1284..1290

const platform::DialogTemplate& TavixFormTemplate();
const platform::DialogTemplate& TavixFrequencyPageTemplate();
const platform::DialogTemplate& TavixClickPageTemplate();
const platform::DialogTemplate& TavixAmplitudePageTemplate();

}  // namespace corvane
