// The message numbers of the four video models: a view dispatches on the number alone, so two
// meanings under one number on the same window would send a value to the wrong setter. The
// sibling models follow their partner's numbers at a fixed offset, except where the other
// model has no such control or a number was taken; anything else breaking the rule is a typo.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "corvane/core/Messages.h"
#include "corvane/pages/audio/EmbeddedAudioMessages.h"
#include "corvane/pages/black/SerialBlackMessages.h"
#include "corvane/pages/movingpicture/MovingPictureMessages.h"
#include "corvane/pages/overlay/OverlayMessages.h"
#include "corvane/pages/videooutput/VideoOutputMessages.h"
#include "corvane/pages/videosignal/VideoSignalMessages.h"

namespace corvane::testing {
namespace {

using platform::UINT;

struct Number {
    std::string name;  // family.field
    UINT value;        // 0: the model has no such message
    bool toView;       // false: the view sends it to the page
};
using Numbers = std::vector<Number>;

void Append(Numbers& all, const Numbers& more) {
    all.insert(all.end(), more.begin(), more.end());
}

Numbers Of(const VideoSignalMessages& m) {
    return {{"signal.format", m.format, true},
            {"signal.signalSet", m.signalSet, true},
            {"signal.signal", m.signal, true},
            {"signal.lines", m.lines, true},
            {"signal.delay", m.delay, true},
            {"signal.framePicture", m.framePicture, true},
            {"signal.pictureSet", m.pictureSet, true},
            {"signal.picture", m.picture, true},
            {"signal.timingQuery", m.timingQuery, true},
            {"signal.setLimits", m.setLimits, false},
            {"signal.timingReload", m.timingReload, false}};
}

Numbers Of(const MovingPictureMessages& m) {
    return {{"moving.horizontalStep", m.horizontalStep, true},
            {"moving.verticalStep", m.verticalStep, true},
            {"moving.period", m.period, true},
            {"moving.random", m.random, true}};
}

Numbers Of(const OverlayMessages& m) {
    return {{"overlay.logoState", m.logoState, true},
            {"overlay.logoName", m.logoName, true},
            {"overlay.logoX", m.logoX, true},
            {"overlay.logoY", m.logoY, true},
            {"overlay.textState", m.textState, true},
            {"overlay.text", m.text, true},
            {"overlay.textX", m.textX, true},
            {"overlay.textY", m.textY, true},
            {"overlay.circleState", m.circleState, true},
            {"overlay.circleX", m.circleX, true},
            {"overlay.circleY", m.circleY, true},
            {"overlay.diameter", m.diameter, true},
            {"overlay.blink", m.blink, true},
            {"overlay.logoReload", m.logoReload, false},
            {"overlay.textReload", m.textReload, false}};
}

Numbers Of(const VideoOutputMessages& m) {
    return {{"video.channel1", m.channel1, true},
            {"video.channel2", m.channel2, true},
            {"video.channel3", m.channel3, true},
            {"video.sync", m.sync, true},
            {"video.composite", m.composite, true},
            {"video.aplMode", m.aplMode, true},
            {"video.aplPeriod", m.aplPeriod, true},
            {"video.bits", m.bits, true},
            {"video.edh", m.edh, true},
            {"video.avTiming", m.avTiming, true},
            {"video.reload", m.reload, false}};
}

Numbers Of(const std::string& family, const EmbeddedAudioMessages& m) {
    return {{family + ".groupState", m.groupState, true},
            {family + ".emphasis", m.emphasis, true},
            {family + ".sampling", m.sampling, true},
            {family + ".bits", m.bits, true},
            {family + ".frequency", m.frequency, true},
            {family + ".amplitude", m.amplitude, true},
            {family + ".click", m.click, true},
            {family + ".formatChanged", m.formatChanged, false}};
}

Numbers Of(const SerialBlackMessages& m) {
    return {{"black.format", m.format, true},
            {"black.signal", m.signal, true},
            {"black.lines", m.lines, true},
            {"black.delay", m.delay, true},
            {"black.edh", m.edh, true},
            {"black.bits", m.bits, true},
            {"black.timingQuery", m.timingQuery, true},
            {"black.timingReload", m.timingReload, false}};
}

Numbers AnalogModel(const VideoSignalMessages& signal, const MovingPictureMessages& moving,
                    const OverlayMessages& overlay, const VideoOutputMessages& video) {
    Numbers all = Of(signal);
    Append(all, Of(moving));
    Append(all, Of(overlay));
    Append(all, Of(video));
    return all;
}

Numbers SerialModel(const VideoSignalMessages& signal, const MovingPictureMessages& moving,
                    const OverlayMessages& overlay, const VideoOutputMessages& video,
                    const EmbeddedAudioMessages& audio, const EmbeddedAudioMessages& blackAudio,
                    const SerialBlackMessages& black) {
    Numbers all = AnalogModel(signal, moving, overlay, video);
    Append(all, Of("audio", audio));
    Append(all, Of("blackAudio", blackAudio));
    Append(all, Of(black));
    return all;
}

struct Model {
    const char* name;
    Numbers pages;
    // Numbers the view takes that no page sends: setters of its own, relayed notices.
    Numbers viewOnly;
    UINT lowest, highest;  // the model's band: a number outside it belongs to another model
};

std::vector<Model> Models() {
    return {
        {"Oltra",
         AnalogModel(kOltraVideoSignal, kOltraMovingPicture, kOltraOverlay, kOltraVideoOutput),
         {},
         1324,
         1386},
        {"Yarlo",
         AnalogModel(kYarloVideoSignal, kYarloMovingPicture, kYarloOverlay, kYarloVideoOutput),
         {},
         1424,
         1485},
        {"Sormet",
         SerialModel(kSormetVideoSignal, kSormetMovingPicture, kSormetOverlay, kSormetVideoOutput,
                     kSormetAudio, kSormetBlackAudio, kSormetSerialBlack),
         {},
         1154,
         1209},
        {"Ulmeth",
         SerialModel(kUlmethVideoSignal, kUlmethMovingPicture, kUlmethOverlay, kUlmethVideoOutput,
                     kUlmethAudio, kUlmethBlackAudio, kUlmethSerialBlack),
         {{"view.blackBits", WM_ULMETH_BLACK_BITS, true},
          {"view.blackEdh", WM_ULMETH_BLACK_EDH, true},
          {"view.brumoClockFamily", WM_BRUMO_CLOCK_FAMILY, true},
          {"view.kintorClockFamily", WM_KINTOR_CLOCK_FAMILY, true}},
         1214,
         1270},
    };
}

std::string FamilyOf(const std::string& name) {
    return name.substr(0, name.find('.'));
}

TEST(VideoMessages, NoNumberMeansTwoThingsToTheSameWindow) {
    for (const Model& model : Models()) {
        SCOPED_TRACE(model.name);
        // What the view receives: every page's reports and its own setters and relays.
        std::map<UINT, std::string> view;
        Numbers received = model.pages;
        Append(received, model.viewOnly);
        for (const Number& n : received) {
            if (n.value == 0 || !n.toView)
                continue;
            const auto [it, added] = view.emplace(n.value, n.name);
            EXPECT_TRUE(added) << n.value << " is both " << it->second << " and " << n.name;
        }
        // What each page receives from the view.
        std::map<std::string, std::map<UINT, std::string>> pages;
        for (const Number& n : model.pages) {
            if (n.value == 0 || n.toView)
                continue;
            const auto [it, added] = pages[FamilyOf(n.name)].emplace(n.value, n.name);
            EXPECT_TRUE(added) << n.value << " is both " << it->second << " and " << n.name;
        }
        // The main frame's own notices never reach a view as a page's report.
        for (UINT taken : {WM_MODULE_APPLIED, WM_ULMETH_CLOCK_FAMILY})
            EXPECT_EQ(view.count(taken), 0u) << taken;
        // Each number of the model lies in its band.
        for (const Number& n : model.pages) {
            if (n.value != 0) {
                EXPECT_TRUE(n.value >= model.lowest && n.value <= model.highest)
                    << n.name << " = " << n.value;
            }
        }
    }
}

// A sibling model's number is its partner's plus `offset`, except for exactly `exceptions`
// (the sibling's number there; 0 where it has no such message).
struct OffsetRule {
    const char* partner;
    const char* sibling;
    UINT offset;
    std::map<std::string, UINT> exceptions;
};

TEST(VideoMessages, SiblingModelsFollowTheirPartnerAtAFixedOffset) {
    const std::vector<OffsetRule> rules{
        // 1267 is the Ulmeth's clock family to the main frame: the numbers from there move up.
        {"Sormet",
         "Ulmeth",
         60,
         {{"overlay.logoReload", 1268},
          {"overlay.blink", 1269},
          {"video.avTiming", 1270},
          {"video.bits", 0},
          {"video.edh", 0},
          {"audio.formatChanged", 0},
          {"blackAudio.formatChanged", 0},
          {"black.edh", 0},
          {"black.bits", 0}}},
        {"Oltra",
         "Yarlo",
         100,
         {{"video.reload", 1485},
          {"video.composite", 0},
          {"video.aplMode", 0},
          {"video.aplPeriod", 0}}},
    };
    std::map<std::string, Numbers> byName;
    for (const Model& model : Models()) byName[model.name] = model.pages;

    for (const OffsetRule& rule : rules) {
        SCOPED_TRACE(std::string(rule.partner) + " -> " + rule.sibling);
        const Numbers& partner = byName.at(rule.partner);
        const Numbers& sibling = byName.at(rule.sibling);
        ASSERT_EQ(partner.size(), sibling.size());
        std::map<std::string, UINT> broken;
        for (size_t i = 0; i < partner.size(); ++i) {
            ASSERT_EQ(partner[i].name, sibling[i].name);
            if (partner[i].value == 0) {
                EXPECT_EQ(sibling[i].value, 0u) << sibling[i].name;
                continue;
            }
            if (sibling[i].value != partner[i].value + rule.offset)
                broken[sibling[i].name] = sibling[i].value;
        }
        EXPECT_EQ(broken, rule.exceptions);
    }
    // Setters the Ulmeth view keeps though no Ulmeth page sends them.
    EXPECT_EQ(WM_ULMETH_BLACK_BITS, WM_SORMET_BLACK_BITS + 60);
    EXPECT_EQ(WM_ULMETH_BLACK_EDH, WM_SORMET_BLACK_EDH + 60);
}

}  // namespace
}  // namespace corvane::testing
