#include "corvane/modules/video/SettingReplies.h"

#include <array>
#include <optional>

#include "corvane/modules/common/ReplyCursor.h"

namespace corvane {

namespace {

// The code of `word` in `words`, or -1.
template <size_t N>
int WordCode(const std::string& word, const std::array<const char*, N>& words) {
    for (size_t i = 0; i < N; ++i)
        if (word == words[i])
            return static_cast<int>(i);
    return -1;
}

int NextWord(ReplyCursor& cursor, int& code, const std::array<const char*, 3>& words) {
    std::string word;
    if (!cursor.NextText(word))
        return 0;
    const int found = WordCode(word, words);
    if (found < 0)
        return 0;
    code = found;
    return 1;
}

}  // namespace

int ParseMovingPictureReply(const std::string& reply, MovingPictureSettings& settings) {
    ReplyCursor cursor(reply);
    return cursor.NextTruncated(settings.horizontalStep) &&
           cursor.NextTruncated(settings.verticalStep) && cursor.NextTruncated(settings.period) &&
           cursor.NextInt(settings.random);
}

int ParseLogoPositionReply(const std::string& reply, LogoSettings& settings) {
    ReplyCursor cursor(reply);
    return cursor.NextDouble(settings.horizontal) && cursor.NextDouble(settings.vertical) &&
           cursor.NextInt(settings.state);
}

int ParseTextPositionReply(const std::string& reply, TextSettings& settings) {
    ReplyCursor cursor(reply);
    return cursor.NextTruncated(settings.horizontal) && cursor.NextTruncated(settings.vertical) &&
           cursor.NextInt(settings.state);
}

int ParseCircleReply(const std::string& reply, CircleSettings& settings) {
    ReplyCursor cursor(reply);
    return cursor.NextInt(settings.state) && cursor.NextTruncated(settings.diameter) &&
           cursor.NextTruncated(settings.horizontal) && cursor.NextTruncated(settings.vertical);
}

int ParseAudioGroupReply(const std::string& reply, AudioGroupSettings& settings) {
    static constexpr std::array<const char*, 3> kPreEmphasisWords = {"OFF", "CD", "CCIT"};
    static constexpr std::array<const char*, 3> kSamplingWords = {"FRAM", "NOFR", "ASYN"};
    ReplyCursor cursor(reply);
    return cursor.NextInt(settings.state) && cursor.NextTruncated(settings.bits) &&
           NextWord(cursor, settings.preEmphasis, kPreEmphasisWords) &&
           NextWord(cursor, settings.sampling, kSamplingWords);
}

int ParseAudioChannelReply(const std::string& reply, AudioChannelSettings& settings) {
    ReplyCursor cursor(reply);
    int hertz = 0;
    if (!cursor.NextTruncated(settings.amplitude) || !cursor.NextTruncated(hertz))
        return 0;
    settings.frequency = AudioFrequencyIndex(hertz);
    return cursor.NextTruncated(settings.click);
}

std::optional<std::string> QuotedText(std::string_view reply) {
    const auto open = reply.find('"');
    if (open == std::string_view::npos)
        return std::nullopt;
    const auto close = reply.find('"', open + 1);
    if (close == std::string_view::npos)
        return std::nullopt;
    return std::string(reply.substr(open + 1, close - open - 1));
}

}  // namespace corvane
