// The numbers an embedded audio page exchanges with its view: one table per model and output
// (the output-1 page on the "Audio" tab, the output-2 page on "Black (Audio)").
#pragma once

#include "corvane/modules/sormet/SormetMessages.h"
#include "corvane/modules/ulmeth/UlmethMessages.h"

namespace corvane {

struct EmbeddedAudioMessages {
    // Page -> view: wParam the group, or 4 x group + channel.
    platform::UINT groupState;
    platform::UINT emphasis;
    platform::UINT sampling;
    platform::UINT bits;
    platform::UINT frequency;
    platform::UINT amplitude;
    platform::UINT click;
    // View -> page: the output's format changed (wParam the new format); 0 where the groups
    // do not depend on the format.
    platform::UINT formatChanged;
};

constexpr EmbeddedAudioMessages kSormetAudio{WM_SORMET_AUDIO_GROUP_STATE, WM_SORMET_AUDIO_EMPHASIS,
                                             WM_SORMET_AUDIO_SAMPLING,    WM_SORMET_AUDIO_BITS,
                                             WM_SORMET_AUDIO_FREQUENCY,   WM_SORMET_AUDIO_AMPLITUDE,
                                             WM_SORMET_AUDIO_CLICK,       WM_SORMET_FORMAT};
constexpr EmbeddedAudioMessages kSormetBlackAudio{
    WM_SORMET_BLACK_AUDIO_GROUP_STATE, WM_SORMET_BLACK_AUDIO_EMPHASIS,
    WM_SORMET_BLACK_AUDIO_SAMPLING,    WM_SORMET_BLACK_AUDIO_BITS,
    WM_SORMET_BLACK_AUDIO_FREQUENCY,   WM_SORMET_BLACK_AUDIO_AMPLITUDE,
    WM_SORMET_BLACK_AUDIO_CLICK,       WM_SORMET_BLACK_FORMAT};
constexpr EmbeddedAudioMessages kUlmethAudio{WM_ULMETH_AUDIO_GROUP_STATE, WM_ULMETH_AUDIO_EMPHASIS,
                                             WM_ULMETH_AUDIO_SAMPLING,    WM_ULMETH_AUDIO_BITS,
                                             WM_ULMETH_AUDIO_FREQUENCY,   WM_ULMETH_AUDIO_AMPLITUDE,
                                             WM_ULMETH_AUDIO_CLICK,       0};
constexpr EmbeddedAudioMessages kUlmethBlackAudio{
    WM_ULMETH_BLACK_AUDIO_GROUP_STATE, WM_ULMETH_BLACK_AUDIO_EMPHASIS,
    WM_ULMETH_BLACK_AUDIO_SAMPLING,    WM_ULMETH_BLACK_AUDIO_BITS,
    WM_ULMETH_BLACK_AUDIO_FREQUENCY,   WM_ULMETH_BLACK_AUDIO_AMPLITUDE,
    WM_ULMETH_BLACK_AUDIO_CLICK,       0};

}  // namespace corvane
