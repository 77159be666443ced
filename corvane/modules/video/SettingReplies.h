// The answers of the compound setting queries the video documents share, read into their
// records. Every answer the query asked for must be there: a reply with fewer fails, and the
// fields read before the gap keep their new values.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "corvane/modules/common/AudioFrequencies.h"
#include "corvane/modules/video/CatalogRecords.h"

namespace corvane {

// "hstep;vstep;period;random"
int ParseMovingPictureReply(const std::string& reply, MovingPictureSettings& settings);
// "hpos;vpos;state", positions in percent
int ParseLogoPositionReply(const std::string& reply, LogoSettings& settings);
// "hpos;vpos;state"
int ParseTextPositionReply(const std::string& reply, TextSettings& settings);
// "state;diameter;hpos;vpos"
int ParseCircleReply(const std::string& reply, CircleSettings& settings);
// "state;bits;OFF|CD|CCIT;FRAM|NOFR|ASYN"; any other word fails.
int ParseAudioGroupReply(const std::string& reply, AudioGroupSettings& settings);
// "amplitude;frequency in Hz;click"
int ParseAudioChannelReply(const std::string& reply, AudioChannelSettings& settings);

// The text between the first two double quotes; none without two.
std::optional<std::string> QuotedText(std::string_view reply);

}  // namespace corvane
