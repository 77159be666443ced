// The video modules' catalogue listings, active-signal paths and compound setting replies, as
// any instrument could answer them: the listing is walked into a small tree, the same bytes
// are looked up in it as an active-signal path, and read as every setting reply.
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "corvane/modules/video/CatalogListing.h"
#include "corvane/modules/video/CatalogLocators.h"
#include "corvane/modules/video/SettingReplies.h"
#include "platform/CatalogItem.h"

namespace {

bool EndsWithIgnoringCase(const std::string& text, std::string_view suffix) {
    if (text.size() < suffix.size())
        return false;
    for (size_t i = 0; i < suffix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[text.size() - suffix.size() + i])) !=
            suffix[i])
            return false;
    }
    return true;
}

// A listed name never holds a quote or a '/' and is never empty, ".", ".." or a folder.
void CheckName(const std::string& name) {
    if (name.empty() || name == "." || name == ".." ||
        name.find_first_of("\"/") != std::string::npos)
        __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    using corvane::CatalogListing;

    const int quoted = CatalogListing::CountQuotedItems(input);
    corvane::SignalTree tree;
    corvane::PictureCatalog pictures;
    CatalogListing listing(input);
    int taken = 0;
    for (int round = 0; round < 64; ++round) {
        auto folder = listing.NextFolderName();
        if (!folder)
            break;
        CheckName(*folder);
        ++taken;
        auto file = listing.NextNameWithSuffix(".cmp");
        if (file) {
            CheckName(*file);
            if (!EndsWithIgnoringCase(*file, ".cmp") || file->back() == '/')
                __builtin_trap();
            ++taken;
        }
        const std::string display = platform::UnescapeInstrumentName(*folder);
        if (display.size() > folder->size())
            __builtin_trap();
        corvane::CatalogFolder set{*folder, {}};
        if (file)
            set.files.push_back({*file, display});
        tree.push_back({*folder, {set}});
        pictures.folders.push_back(set);
    }
    if (quoted >= 0 && taken > quoted)
        __builtin_trap();

    if (auto found = corvane::LocateSignal(input, tree)) {
        const auto& format = tree.at(static_cast<size_t>(found->format));
        const auto& set = format.sets.at(static_cast<size_t>(found->set));
        const auto& file = set.files.at(static_cast<size_t>(found->signal));
        if (input.find("/" + format.name + "/" + set.name + "/" + file.fileName + "\"") ==
            std::string::npos)
            __builtin_trap();
    }
    if (auto found = corvane::LocatePicture(input, pictures)) {
        const auto& folder = pictures.folders.at(static_cast<size_t>(found->folder));
        const auto& file = folder.files.at(static_cast<size_t>(found->file));
        if (input.size() <= 21 ||
            input.find("/PICTURE/" + folder.name + "/" + file.fileName + "\"") == std::string::npos)
            __builtin_trap();
    }

    corvane::MovingPictureSettings moving;
    corvane::LogoSettings logo;
    corvane::TextSettings text;
    corvane::CircleSettings circle;
    corvane::AudioGroupSettings group;
    corvane::AudioChannelSettings channel;
    corvane::ParseMovingPictureReply(input, moving);
    corvane::ParseLogoPositionReply(input, logo);
    corvane::ParseTextPositionReply(input, text);
    corvane::ParseCircleReply(input, circle);
    corvane::ParseAudioGroupReply(input, group);
    corvane::ParseAudioChannelReply(input, channel);
    if (channel.frequency < -1 || channel.frequency > 31 || group.preEmphasis < 0 ||
        group.preEmphasis > 2 || group.sampling < 0 || group.sampling > 2)
        __builtin_trap();
    if (auto quotedText = corvane::QuotedText(input)) {
        if (quotedText->find('"') != std::string::npos)
            __builtin_trap();
    }
    return 0;
}
