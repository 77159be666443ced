#include "corvane/modules/hdclock/HdClock.h"

#include "corvane/modules/ModuleKind.h"
#include "corvane/modules/video/VideoFormats.h"
#include "platform/Numbers.h"
#include "resources/corvane/VideoForms.h"

namespace corvane {

namespace {

// The first slot (0..3) holding a module of this kind, or -1. By the slot's kind rather than
// its text, so that an unknown model whose name merely contains a known one is never taken
// for it.
int FirstSlotOf(ModuleKind kind) {
    for (int index = 0; index < kSlotCount; ++index)
        if (g_slotKind[static_cast<size_t>(index)] == kind)
            return index;
    return -1;
}

// INST:SEL of the first module of `kind`; false when there is none or the send failed.
bool SelectFirst(IInstrumentLink& link, ModuleKind kind) {
    const int slot = FirstSlotOf(kind);
    return slot >= 0 && link.SendCommand(platform::Format("INST:SEL \"%s:%d\"",
                                                          ModelName(kind).c_str(), slot + 1)) != 0;
}

}  // namespace

int HdClockFamily(const std::string& keyword) {
    // The Ulmeth offers every HD format the instrument knows, so its rows classify them all.
    const VideoFormat* format = FindFormatByKeyword(VideoModel::Ulmeth, keyword);
    return format ? format->family : kClockUnknown;
}

int CombineKintorOutputs(int output1, int output2, int output3) {
    if (output2 == output1 && output3 == output1)
        return output1;
    return kClockBoth;
}

int HdClockQuestion(int family, std::initializer_list<int> others, bool bothConflicts) {
    for (const int other : others) {
        const bool both = bothConflicts && other == kClockBoth;
        if ((other == kClock7425 || both) && family == kClock7418)
            return IDS_HD_CLOCK_IS_7425;
        if ((other == kClock7418 || both) && family == kClock7425)
            return IDS_HD_CLOCK_IS_7418;
    }
    return 0;
}

int QueryBrumoClockFamily(IInstrumentLink& link, bool installed) {
    if (!installed || FirstSlotOf(kModuleBrumo) < 0)
        return kClockNoBrumo;
    std::string reply;
    if (!SelectFirst(link, kModuleBrumo) || !link.Query("OUTP3:STAN?", reply))
        return kClockFailed;
    if (reply == "BB")
        return kClockNoHd;
    return HdClockFamily(reply);
}

int QueryUlmethClockFamily(IInstrumentLink& link, bool installed) {
    if (!installed || FirstSlotOf(kModuleUlmeth) < 0)
        return kClockNoUlmeth;
    std::string reply;
    if (!SelectFirst(link, kModuleUlmeth) || !link.Query("OUTP1:STAN?", reply))
        return kClockFailed;
    return HdClockFamily(reply);
}

int QueryKintorClockFamily(IInstrumentLink& link, bool installed) {
    if (!installed || FirstSlotOf(kModuleKintor) < 0)
        return kClockNoKintor;
    if (!SelectFirst(link, kModuleKintor))
        return kClockFailed;
    int family[4] = {0, 0, 0, 0};
    for (int output = 1; output <= 4; ++output) {
        std::string reply;
        if (!link.Query(platform::Format("OUTP%d:STAN?", output), reply))
            return kClockFailed;
        int value = kClockNoHd;
        if (reply != "NTSC" && reply != "NTSC_NSU" && reply != "PAL") {
            value = HdClockFamily(reply);
            if (value == kClockUnknown)
                return kClockUnknown;
        }
        family[output - 1] = value;
    }
    // Output 4 is asked for, but only outputs 1 to 3 share the clock.
    return CombineKintorOutputs(family[0], family[1], family[2]);
}

bool ReadClockFamily(int (*query)(IInstrumentLink&, bool), IInstrumentLink& link, bool installed,
                     int& family) {
    family = query(link, installed);
    return !installed || family >= 0;
}

}  // namespace corvane
