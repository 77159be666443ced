#pragma once

#include <string>
#include <vector>

#include "quarnsim/FileSystem.h"

// The files a video generator reads its lists from, as a tree a test or a demo lays out under
// "/F0:/<Model>/": SIGNAL/<format>/<signal set>/<signal>.cmp, PICTURE/<folder>/<picture>.pic and
// LOGO/<logo>.lgo. Names are as on the drive; listings escape them.
namespace quarnsim {

struct VideoSignalSet {
    std::string name;
    std::vector<std::string> files;  // the signals' file names, extension included
};

struct VideoFormat {
    std::string name;  // as the model names its format folder: "525-143", "1080 59.94i"
    std::vector<VideoSignalSet> sets;
};

struct VideoPictureFolder {
    std::string name;
    std::vector<std::string> pictures;
};

struct VideoFileTree {
    std::vector<VideoFormat> formats;
    std::vector<VideoPictureFolder> pictures;
    std::vector<std::string> logos;
};

// Every folder and file of `tree` as a path under the model's folder, parents before their
// contents ("SIGNAL/525-143/", "SIGNAL/525-143/Colour Bars/", ".../Bars 75.cmp"); folders end
// with '/', so an empty level is laid out too.
std::vector<std::string> VideoFilePaths(const VideoFileTree& tree);

// Lays `tree` out under "/F0:/<model>/" beside what is there already; files get a few bytes
// of their own name. Returns 0 when a folder or file cannot be made.
int SeedVideoFiles(FileSystem& files, const std::string& model, const VideoFileTree& tree);
// The same for a drive kept in the folder `root`, before or while a simulator serves it.
int SeedVideoFiles(const std::string& root, const std::string& model, const VideoFileTree& tree);

}  // namespace quarnsim
