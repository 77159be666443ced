// Module catalogues as a backup.cfg and an instrument could hold them, and the folder
// listings the backup reads: "<backup text>\n<reply>".
#include <cstddef>
#include <cstdint>
#include <string>

#include "utilities/common/ModuleCatalog.h"
#include "utilities/gorrel/RestoreInfo.h"
#include "utilities/stowen/PresetListing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string input(reinterpret_cast<const char*>(data), size);
    size_t split = input.find('\n');
    std::string backup = input.substr(0, split);
    std::string reply = split == std::string::npos ? std::string() : input.substr(split + 1);

    for (const std::string& text : {backup, reply}) {
        utilities::CModuleCatalog catalog(text);
        for (const std::string& model : catalog.SlotModels()) {
            if (model != "---" && text.find(model) == std::string::npos)
                __builtin_trap();
        }
        // An installed model is one an address names exactly, followed by its colon; the
        // backup and the restore both walk the table by this answer.
        for (const char* model : utilities::CModuleCatalog::Models()) {
            const std::string address = "\"" + std::string(model) + ":";
            if (catalog.IsInstalled(model) && std::string(model) != "CPU" &&
                text.find(address) == std::string::npos)
                __builtin_trap();
        }
    }

    gorrel::CRestoreInfo info;
    info.SetContent(backup, false);
    if (info.Matches(reply) && (backup != reply || backup.size() > gorrel::CRestoreInfo::kMaxBytes))
        __builtin_trap();

    stowen::CPresetListing listing;
    if (listing.Parse(input)) {
        for (const auto& entry : listing.Entries()) {
            if (entry.name.empty() || listing.Find(entry.name) == nullptr)
                __builtin_trap();
            std::uint64_t bytes = 0;
            if (stowen::CPresetListing::ParseSize(entry.size, bytes) &&
                bytes >= 1000000000000000ULL)
                __builtin_trap();
        }
    } else if (!listing.Entries().empty()) {
        __builtin_trap();
    }
    return 0;
}
