// CCatalogReader: the readings the four video documents share. The catalogues come from the
// instrument's own file system: the signal tree (format / signal set / ".cmp"), the frame
// pictures (folder / ".pic") and the logos (".lgo"); then the output-1 overlay settings and
// the embedded audio of outputs 1 and 2.
//
// The reader keeps nothing of its own: everything goes into records the caller owns. Without
// a link every operation that would talk to the instrument fails at once and sends nothing.
// It sends no INST:SEL: the caller has selected the module, and catalogue paths are absolute.
// Each operation returns 1 on success and 0 on failure; it shows no message, the document
// says what failed.
#pragma once

#include <string>

#include "corvane/core/InstrumentLink.h"
#include "corvane/modules/video/CatalogProgress.h"
#include "corvane/modules/video/CatalogRecords.h"

namespace corvane {

class CCatalogReader {
public:
    // Catalogue levels beyond these are left unread, as the module windows have always shown.
    static constexpr int kMaxFolders = 32;
    static constexpr int kMaxFiles = 32;
    static constexpr int kMaxLogos = 64;
    static constexpr int kAudioGroups = 4;
    static constexpr int kAudioChannels = 16;

    explicit CCatalogReader(IInstrumentLink* link = nullptr) : m_link(link) {}
    void SetLink(IInstrumentLink* link) { m_link = link; }

    // Formats, their signal sets ("APL" and "BARS" left out) and their ".cmp" signals under
    // `root`, at most `maxFormats` formats. With a bar, its range becomes 32 steps per entry
    // of the root listing plus `extraSteps`, and it steps once per signal set. A failed read
    // leaves the tree empty.
    int ReadSignalTree(SignalTree& tree, ICatalogProgress* progress, int extraSteps,
                       const std::string& root, int maxFormats = kMaxFolders);
    // Picture folders and their ".pic" files; the bar steps once per folder within the range
    // the signal read set. A failed read leaves the catalogue empty.
    int ReadPictureCatalog(PictureCatalog& catalog, ICatalogProgress* progress,
                           const std::string& root);
    // The ".lgo" names under `root` into the logo list.
    int ReadLogoList(const std::string& root, LogoSettings& logo);

    int ReadMovingPictureSettings(MovingPictureSettings& settings);
    // Position and state; the selected logo too while the logo is on.
    int ReadLogoSettings(LogoSettings& settings);
    int ReadTextSettings(TextSettings& settings);
    int ReadCircleSettings(CircleSettings& settings);

    // Groups by index 0..3, channels by number 1..16.
    int ReadOutput1AudioGroup(AudioGroupSettings& settings, int group) {
        return ReadAudioGroup(1, settings, group);
    }
    int ReadOutput2AudioGroup(AudioGroupSettings& settings, int group) {
        return ReadAudioGroup(2, settings, group);
    }
    int ReadOutput1AudioChannel(AudioChannelSettings& settings, int channel) {
        return ReadAudioChannel(1, settings, channel);
    }
    int ReadOutput2AudioChannel(AudioChannelSettings& settings, int channel) {
        return ReadAudioChannel(2, settings, channel);
    }

private:
    // One catalogue listing. An empty reply is a failed read: a real listing always starts
    // with the drive's byte counts.
    int List(const std::string& path, std::string& reply);
    int Query(const std::string& command, std::string& reply);
    // The files of one folder ending in `suffix`, at most kMaxFiles.
    int ReadFolder(const std::string& path, const char* suffix, CatalogFolder& folder);
    int ReadSignalSets(const std::string& root, SignalSet& format, ICatalogProgress* progress);
    int ReadAudioGroup(int output, AudioGroupSettings& settings, int group);
    int ReadAudioChannel(int output, AudioChannelSettings& settings, int channel);

    IInstrumentLink* m_link = nullptr;
};

}  // namespace corvane
