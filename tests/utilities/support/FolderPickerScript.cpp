#include "tests/utilities/support/FolderPickerScript.h"

#include <QDir>
#include <QPixmap>
#include <QWidget>

#include "platform/Dialog.h"

namespace utilities::testing {

FolderPickerScript::FolderPickerScript(std::string folder) : m_folder(std::move(folder)) {
    m_previous = platform::SetFileDialogAnswerer(
        [this](const platform::FileDialogRecord& record, std::vector<std::string>& chosen) {
            m_records.push_back(record);
            chosen = {m_folder};
            return true;
        });
}

FolderPickerScript::~FolderPickerScript() {
    platform::SetFileDialogAnswerer(m_previous);
}

void SaveScreenshot(platform::CDialog& dialog, const std::string& name) {
    QDir().mkpath(QUARN_SCREENSHOT_DIR);
    dialog.GetWidget()->grab().save(QString(QUARN_SCREENSHOT_DIR) + "/" +
                                    QString::fromStdString(name) + ".png");
}

}  // namespace utilities::testing
