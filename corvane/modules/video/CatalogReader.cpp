#include "corvane/modules/video/CatalogReader.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string_view>

#include "corvane/modules/video/CatalogListing.h"
#include "corvane/modules/video/SettingReplies.h"
#include "platform/CatalogItem.h"

namespace corvane {

namespace {

constexpr int kStepsPerRootEntry = 32;

// Signal sets the signal page never offers; the comparison is exact, as the module lists them.
bool HiddenSignalSet(const std::string& name) {
    return name == "APL" || name == "BARS";
}

int ProgressRange(int rootEntries, int extraSteps) {
    const std::int64_t range =
        std::int64_t{kStepsPerRootEntry} * rootEntries + std::max(extraSteps, 0);
    return static_cast<int>(std::min<std::int64_t>(range, INT_MAX));
}

// "OUTP<output>:EAUD:<node><n>:<leaf>?" for each leaf, joined into one compound query.
std::string AudioQuery(int output, const char* node, int number,
                       std::initializer_list<const char*> leaves) {
    const std::string prefix =
        "OUTP" + std::to_string(output) + ":EAUD:" + node + std::to_string(number) + ":";
    std::string query;
    for (const char* leaf : leaves) {
        query += query.empty() ? "" : ";:";
        query += prefix + leaf + "?";
    }
    return query;
}

}  // namespace

int CCatalogReader::Query(const std::string& command, std::string& reply) {
    reply.clear();
    return m_link != nullptr && m_link->Query(command, reply) != 0;
}

int CCatalogReader::List(const std::string& path, std::string& reply) {
    return Query("MMEM:CAT? \"" + path + "\"", reply) && !reply.empty();
}

int CCatalogReader::ReadFolder(const std::string& path, const char* suffix, CatalogFolder& folder) {
    std::string reply;
    if (!List(path, reply))
        return 0;
    const std::string_view extension(suffix);
    CatalogListing listing(std::move(reply));
    while (folder.files.size() < static_cast<size_t>(kMaxFiles)) {
        std::optional<std::string> name = listing.NextNameWithSuffix(extension);
        if (!name)
            break;
        std::string display = platform::UnescapeInstrumentName(
            std::string_view(*name).substr(0, name->size() - extension.size()));
        folder.files.push_back({std::move(*name), std::move(display)});
    }
    return 1;
}

int CCatalogReader::ReadSignalSets(const std::string& root, SignalSet& format,
                                   ICatalogProgress* progress) {
    const std::string formatPath = root + "/" + format.name;
    std::string reply;
    if (!List(formatPath, reply))
        return 0;
    CatalogListing listing(std::move(reply));
    while (format.sets.size() < static_cast<size_t>(kMaxFolders)) {
        std::optional<std::string> name = listing.NextFolderName();
        if (!name)
            break;
        if (HiddenSignalSet(*name))
            continue;
        CatalogFolder set{*name, {}};
        if (!ReadFolder(formatPath + "/" + *name, ".cmp", set))
            return 0;
        if (progress)
            progress->StepIt();
        format.sets.push_back(std::move(set));
    }
    return 1;
}

int CCatalogReader::ReadSignalTree(SignalTree& tree, ICatalogProgress* progress, int extraSteps,
                                   const std::string& root, int maxFormats) {
    tree.clear();
    std::string reply;
    if (!List(root, reply))
        return 0;
    // An unpaired quote means the listing is cut or garbled: nothing in it can be trusted.
    const int entries = CatalogListing::CountQuotedItems(reply);
    if (entries < 0)
        return 0;
    if (progress) {
        progress->SetRange(0, ProgressRange(entries, extraSteps));
        progress->SetStep(1);
    }
    CatalogListing listing(std::move(reply));
    while (tree.size() < static_cast<size_t>(std::max(maxFormats, 0))) {
        std::optional<std::string> name = listing.NextFolderName();
        if (!name)
            break;
        tree.push_back({std::move(*name), {}});
        if (!ReadSignalSets(root, tree.back(), progress)) {
            tree.clear();
            return 0;
        }
    }
    return 1;
}

int CCatalogReader::ReadPictureCatalog(PictureCatalog& catalog, ICatalogProgress* progress,
                                       const std::string& root) {
    catalog.folders.clear();
    std::string reply;
    if (!List(root, reply) || CatalogListing::CountQuotedItems(reply) < 0)
        return 0;
    CatalogListing listing(std::move(reply));
    while (catalog.folders.size() < static_cast<size_t>(kMaxFolders)) {
        std::optional<std::string> name = listing.NextFolderName();
        if (!name)
            break;
        CatalogFolder folder{*name, {}};
        if (!ReadFolder(root + "/" + *name, ".pic", folder)) {
            catalog.folders.clear();
            return 0;
        }
        if (progress)
            progress->StepIt();
        catalog.folders.push_back(std::move(folder));
    }
    return 1;
}

int CCatalogReader::ReadLogoList(const std::string& root, LogoSettings& logo) {
    std::string reply;
    if (!List(root, reply))
        return 0;
    logo.logos.clear();
    CatalogListing listing(std::move(reply));
    while (logo.logos.size() < static_cast<size_t>(kMaxLogos)) {
        std::optional<std::string> name = listing.NextNameWithSuffix(".lgo");
        if (!name)
            break;
        logo.logos.push_back(std::move(*name));
    }
    return 1;
}

int CCatalogReader::ReadMovingPictureSettings(MovingPictureSettings& settings) {
    std::string reply;
    return Query("OUTP1:MOV:HOR?;VERT?;PER?;:OUTP1:MOV:RAND:STAT?", reply) &&
           ParseMovingPictureReply(reply, settings);
}

int CCatalogReader::ReadLogoSettings(LogoSettings& settings) {
    std::string reply;
    if (!Query("OUTP1:LOGO:POS:HOR?;VERT?;:OUTP1:LOGO:STAT?", reply) ||
        !ParseLogoPositionReply(reply, settings))
        return 0;
    if (settings.state == 0) {
        settings.selected.clear();
        return 1;
    }
    if (!Query("OUTP1:LOGO:SEL?", reply))
        return 0;
    std::optional<std::string> selected = QuotedText(reply);
    if (!selected)
        return 0;
    settings.selected = std::move(*selected);
    return 1;
}

int CCatalogReader::ReadTextSettings(TextSettings& settings) {
    std::string reply;
    if (!Query("OUTP1:TEXT:POS:HOR?;VERT?;:OUTP1:TEXT:STAT?", reply) ||
        !ParseTextPositionReply(reply, settings) || !Query("OUTP1:TEXT:DATA?", reply))
        return 0;
    std::optional<std::string> text = QuotedText(reply);
    if (!text)
        return 0;
    settings.text = std::move(*text);
    return 1;
}

int CCatalogReader::ReadCircleSettings(CircleSettings& settings) {
    std::string reply;
    return Query("OUTP1:CIRC:STAT?;DIAM?;POS:HOR?;VERT?", reply) &&
           ParseCircleReply(reply, settings);
}

int CCatalogReader::ReadAudioGroup(int output, AudioGroupSettings& settings, int group) {
    if (group < 0 || group >= kAudioGroups)
        return 0;
    std::string reply;
    return Query(AudioQuery(output, "GRO", group + 1, {"STAT", "NBIT", "PRE", "SAMPLI"}), reply) &&
           ParseAudioGroupReply(reply, settings);
}

int CCatalogReader::ReadAudioChannel(int output, AudioChannelSettings& settings, int channel) {
    if (channel < 1 || channel > kAudioChannels)
        return 0;
    std::string reply;
    return Query(AudioQuery(output, "CHAN", channel, {"AMPL", "FREQ", "CLIC"}), reply) &&
           ParseAudioChannelReply(reply, settings);
}

}  // namespace corvane
