// The Kintor's and the Brumo's reads as any module could answer them: each line of the input
// answers the next query, so the standards, signal words, references, the detected HD sync and
// the timing replies all come from the fuzzer. Whatever a read makes of them, every value it
// keeps is one the module's lists hold, and the Apply and live queries that follow send only
// whole lines.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "ScriptedLink.h"
#include "corvane/modules/brumo/BrumoDoc.h"
#include "corvane/modules/kintor/KintorDoc.h"

namespace {

void CheckKintor(const corvane::CKintorDoc& doc) {
    for (int output = 0; output < corvane::CKintorDoc::kOutputs; ++output) {
        const auto i = static_cast<size_t>(output);
        const int format = doc.m_format[i];
        const int signal = doc.m_signal[i];
        if (format < 0 || format > corvane::CKintorDoc::kHdFormat ||
            corvane::KintorCode(corvane::KintorKeyword(signal)) != signal ||
            !std::isfinite(doc.m_horizontalDelay[i]))
            __builtin_trap();
    }
}

void CheckBrumo(const corvane::CBrumoDoc& doc) {
    if (doc.m_source < corvane::brumo::kSourceInternal ||
        doc.m_source > corvane::brumo::kSourceCw || doc.m_hdSyncFormat < 0 ||
        doc.m_hdSyncFormat > corvane::brumo::kNoHdSync || !std::isfinite(doc.m_genlockDelay))
        __builtin_trap();
    for (int output = 0; output < corvane::brumo::kOutputs; ++output) {
        const auto i = static_cast<size_t>(output);
        if (doc.m_outputFormat[i] < 0 || doc.m_outputFormat[i] > corvane::brumo::kLastFormat ||
            !std::isfinite(doc.m_outputDelay[i]))
            __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    fuzzing::StartQuietApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    // The first byte picks the module and which other HD modules are installed.
    const int pick = size > 0 ? data[0] : 0;
    const std::string_view replies = size > 0 ? input.substr(1) : input;
    const int value = size > 1 ? static_cast<int8_t>(data[1]) : 0;
    fuzzing::ScriptedLink link(replies);
    fuzzing::NoProgress progress;
    if (pick % 2 == 0) {
        corvane::CKintorDoc doc;
        doc.SetLink(&link);
        doc.SetProgressSink(&progress);
        doc.SetOtherHdModules((pick & 2) != 0, (pick & 4) != 0);
        doc.SetPostSink([](platform::UINT, platform::WPARAM) {});
        doc.m_slot = 1;
        if (doc.ReadAll() == 1)
            CheckKintor(doc);
        int lines = 0;
        double seconds = 0;
        doc.QueryTiming(value % 6 - 1, lines, seconds);
        for (int output = -1; output <= corvane::CKintorDoc::kOutputs; ++output) {
            doc.SetFormat(output, value % 6 - 1);
            doc.SetSignal(output, value);
            doc.SetVerticalLines(output, value * 1000);
            doc.SetHorizontalDelay(output, value * 1e-7);
        }
        doc.Apply();
        CheckKintor(doc);
    } else {
        corvane::CBrumoDoc doc;
        doc.SetLink(&link);
        doc.SetProgressSink(&progress);
        doc.SetOtherHdModules((pick & 2) != 0, (pick & 4) != 0);
        doc.m_slot = 1;
        if (doc.ReadAll() == 1)
            CheckBrumo(doc);
        corvane::LiveTiming timing;
        doc.QueryOutputTiming(value % 5 - 1, timing);
        doc.QueryGenlockTiming(timing);
        doc.ReadHdSyncFormat();
        doc.SetSource(value % 10 - 1);
        doc.SetGenlockLines(value * 1000);
        doc.SetLockLossAction(value % 3);
        doc.SetCwFrame(value * 0.5);
        doc.SetGenlockDelay(value * 1e-7);
        for (int output = -1; output <= corvane::brumo::kOutputs; ++output) {
            doc.SetOutputFormat(output, value % 20 - 1);
            doc.SetOutputSignal(output, value % 4 - 1);
            doc.SetOutputLines(output, value * 1000);
            doc.SetOutputDelay(output, value * 1e-7);
        }
        doc.Apply();
        CheckBrumo(doc);
    }
    return 0;
}
