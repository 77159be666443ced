// What the video documents read through CCatalogReader: the trees of the instrument's signal,
// picture and logo folders and the output settings shared by the four video models. Every
// count is the size of its container, so a tree cut short by a failed read is still whole.
#pragma once

#include <string>
#include <vector>

namespace corvane {

// One listed file: its name as listed (escapes kept, extension included), which is what goes
// back to the instrument, and the name the operator sees (extension cut, escapes resolved).
struct CatalogFile {
    std::string fileName;
    std::string displayName;
};

// A signal set (the level under a format folder) or a picture folder.
struct CatalogFolder {
    std::string name;
    std::vector<CatalogFile> files;
};

// One format folder under the signal root with its signal sets.
struct SignalSet {
    std::string name;
    std::vector<CatalogFolder> sets;
};

using SignalTree = std::vector<SignalSet>;

struct PictureCatalog {
    std::vector<CatalogFolder> folders;
};

// Where the active signal sits in a SignalTree.
struct SignalLocation {
    int format = -1;
    int set = -1;
    int signal = -1;
};

// Where the active frame picture sits in a PictureCatalog.
struct PictureLocation {
    int folder = -1;
    int file = -1;
};

// The output-1 logo: read by ReadLogoSettings, the list by ReadLogoList.
struct LogoSettings {
    int state = 0;  // 0: off
    double horizontal = 0.0;
    double vertical = 0.0;
    std::string selected;            // without quotes; empty while the logo is off
    std::vector<std::string> logos;  // as listed, ".lgo" included
};

struct MovingPictureSettings {
    int horizontalStep = 0;
    int verticalStep = 0;
    int period = 0;
    int random = 0;
};

// The output-1 ID text.
struct TextSettings {
    int state = 0;
    int horizontal = 0;
    int vertical = 0;
    std::string text;
};

struct CircleSettings {
    int state = 0;
    int horizontal = 0;
    int vertical = 0;
    int diameter = 0;
};

// Codes of the embedded-audio words, in the order the pages list them.
enum PreEmphasis { kPreEmphasisOff = 0, kPreEmphasisCd = 1, kPreEmphasisCcit = 2 };
enum Sampling { kSamplingFrame = 0, kSamplingNoFrame = 1, kSamplingAsync = 2 };

struct AudioGroupSettings {
    int state = 0;
    int preEmphasis = kPreEmphasisOff;
    int bits = 0;
    int sampling = kSamplingFrame;
};

struct AudioChannelSettings {
    int amplitude = 0;
    int frequency = 0;  // the position in the audio pages' frequency list
    int click = 0;
};

}  // namespace corvane
