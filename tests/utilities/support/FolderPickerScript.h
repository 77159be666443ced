// Answers every folder picker with one folder while it lives, keeping what each picker asked
// for, and puts back the answerer it replaced when it goes. SaveScreenshot keeps a picture of
// a program's dialog in the build's screenshots folder.
#pragma once

#include <string>
#include <vector>

#include "platform/FileDialogs.h"

namespace platform {
class CDialog;
}

namespace utilities::testing {

class FolderPickerScript {
public:
    explicit FolderPickerScript(std::string folder);
    ~FolderPickerScript();
    FolderPickerScript(const FolderPickerScript&) = delete;
    FolderPickerScript& operator=(const FolderPickerScript&) = delete;

    const std::vector<platform::FileDialogRecord>& Records() const { return m_records; }

private:
    std::string m_folder;
    std::vector<platform::FileDialogRecord> m_records;
    platform::FileDialogAnswerer m_previous;
};

// <build>/screenshots/<name>.png
void SaveScreenshot(platform::CDialog& dialog, const std::string& name);

}  // namespace utilities::testing
