// The Pirvo's read as any module could answer it: each line of the input answers the next
// query, so the catalogue levels, the active signal's path, the APL words, the ID texts, the
// standards and the timing replies all come from the fuzzer. Whatever the read makes of them,
// the catalogue stays within the Pirvo's levels, the active signal points into it, and the
// Apply that follows sends only whole single lines and never a load with a level missing.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "ScriptedLink.h"
#include "corvane/modules/pirvo/PirvoDoc.h"
#include "corvane/modules/pirvo/PirvoSignalWords.h"

namespace {

bool EndsInCmp(const std::string& name) {
    if (name.size() < 4)
        return false;
    std::string tail = name.substr(name.size() - 4);
    for (char& c : tail) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return tail == ".cmp";
}

void CheckCatalogue(const corvane::PirvoCatalog& catalog) {
    if (catalog.size() > static_cast<size_t>(corvane::kPirvoFormatFolders))
        __builtin_trap();
    for (const corvane::SignalSet& format : catalog) {
        if (format.sets.size() > static_cast<size_t>(corvane::kPirvoSignalSets))
            __builtin_trap();
        for (const corvane::CatalogFolder& set : format.sets) {
            if (set.name == "APL" || set.name == "BARS" ||
                set.files.size() > static_cast<size_t>(corvane::kPirvoSignals))
                __builtin_trap();
            for (const corvane::CatalogFile& file : set.files)
                if (!EndsInCmp(file.fileName) || file.displayName.size() > file.fileName.size() - 4)
                    __builtin_trap();
        }
    }
}

void CheckRead(const corvane::CPirvoDoc& doc) {
    const corvane::PirvoActiveSignal& active = doc.m_active;
    const auto& format = doc.m_catalog.at(static_cast<size_t>(active.format));
    const auto& set = format.sets.at(static_cast<size_t>(active.set));
    const auto& file = set.files.at(static_cast<size_t>(active.signal));
    if (active.formatName != format.name || active.setName != set.name ||
        active.fileName != file.fileName ||
        doc.m_format[corvane::kPirvoSignalOutput] != active.format)
        __builtin_trap();
    for (int output = 0; output < corvane::kPirvoOutputCount; ++output) {
        const auto i = static_cast<size_t>(output);
        if (output != corvane::kPirvoSignalOutput &&
            (doc.m_format[i] < 0 || doc.m_format[i] > corvane::kPirvoOtherFormat ||
             corvane::PirvoSignalCode(corvane::PirvoSignalKeyword(doc.m_signal[i])) !=
                 doc.m_signal[i]))
            __builtin_trap();
        if (doc.m_idMode[i] < corvane::kIdTextEnable || doc.m_idMode[i] > corvane::kIdTextBlinkSlow)
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
    fuzzing::ScriptedLink link(input);
    fuzzing::NoProgress progress;
    corvane::CPirvoDoc doc;
    doc.SetLink(&link);
    doc.SetProgressSink(&progress);
    doc.m_slot = 1;
    const int read = doc.ReadAll();
    CheckCatalogue(doc.m_catalog);
    if (read != 1)
        return 0;
    CheckRead(doc);

    // Every page message with what is left of the input: indexes beyond the catalogue and
    // texts of any bytes included.
    const std::string text(input.substr(0, 64));
    const int value = size > 0 ? static_cast<int8_t>(data[0]) : 0;
    corvane::PirvoTiming timing;
    doc.QueryTiming(value % 6 - 1, timing);
    doc.SetFormatFolder(value % 20 - 2);
    doc.SetSignalSet(text);
    doc.SetSignalFile(text);
    for (int output = -1; output <= corvane::kPirvoOutputCount; ++output) {
        doc.SetFormat(output, value % 5);
        doc.SetSignal(output, value);
        doc.SetLines(output, value);
        doc.SetDelay(output, value * 1e-9);
        doc.SetIdText(output, text);
        doc.SetIdMode(output, value % 5);
        doc.SetIdX(output, value * 3);
        doc.SetIdY(output, -value * 3);
    }
    doc.SetAplMode(text);
    doc.SetAplPeriod(text);
    doc.Apply();
    // A load always names a format, a set and a file.
    for (const std::string& command : link.Sent())
        if (command.rfind("MMEM:LOAD:SIGN", 0) == 0 &&
            (command.find("//") != std::string::npos || command.find("/\"") != std::string::npos))
            __builtin_trap();
    return 0;
}
