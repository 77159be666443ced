#include "quarnsim/VideoFiles.h"

namespace quarnsim {

std::vector<std::string> VideoFilePaths(const VideoFileTree& tree) {
    std::vector<std::string> paths = {"SIGNAL/", "PICTURE/", "LOGO/"};
    for (const VideoFormat& format : tree.formats) {
        std::string folder = "SIGNAL/" + format.name + "/";
        paths.push_back(folder);
        for (const VideoSignalSet& set : format.sets) {
            paths.push_back(folder + set.name + "/");
            for (const std::string& signal : set.files)
                paths.push_back(folder + set.name + "/" + signal);
        }
    }
    for (const VideoPictureFolder& pictures : tree.pictures) {
        paths.push_back("PICTURE/" + pictures.name + "/");
        for (const std::string& picture : pictures.pictures)
            paths.push_back("PICTURE/" + pictures.name + "/" + picture);
    }
    for (const std::string& logo : tree.logos) paths.push_back("LOGO/" + logo);
    return paths;
}

int SeedVideoFiles(FileSystem& files, const std::string& model, const VideoFileTree& tree) {
    for (const std::string& path : VideoFilePaths(tree)) {
        std::string full = "/F0:/" + model + "/" + path;
        if (full.back() == '/') {
            full.pop_back();
            if (!files.MakeDirectories(full))
                return 0;
        } else if (!files.WriteFile(full, "QUARN " + path)) {
            return 0;
        }
    }
    return 1;
}

int SeedVideoFiles(const std::string& root, const std::string& model, const VideoFileTree& tree) {
    FileSystem files(root);
    return files.Enabled() && SeedVideoFiles(files, model, tree);
}

}  // namespace quarnsim
