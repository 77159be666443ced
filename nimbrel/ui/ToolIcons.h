// The tool bar's pictures, drawn here so the program ships no image files.
#pragma once

#include <QIcon>

namespace nimbrel {

class ToolIcons {
public:
    enum Kind {
        kOpen,
        kSaveFrame,
        kSavePic,
        kBuildFrame,
        kBuildPicFile,
        kBuildPicBmp,
        kCascade,
        kTileHorizontal,
        kTileVertical,
        kTool,
        kAbout,
    };
    static QIcon Make(Kind kind);
};

}  // namespace nimbrel
