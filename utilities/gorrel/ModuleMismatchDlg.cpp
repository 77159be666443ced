#include "utilities/gorrel/ModuleMismatchDlg.h"

#include "resources/gorrel/Resource.h"
#include "utilities/common/ModuleCatalog.h"

namespace gorrel {

CModuleMismatchDlg::CModuleMismatchDlg(std::string backupText, std::string installedText,
                                       platform::CWnd* parent)
    : CDialog(ModuleMismatchDialogTemplate(), parent),
      m_backupText(std::move(backupText)),
      m_installedText(std::move(installedText)) {}

platform::BOOL CModuleMismatchDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    auto backup = utilities::CModuleCatalog(m_backupText).SlotModels();
    auto installed = utilities::CModuleCatalog(m_installedText).SlotModels();
    for (int slot = 0; slot < utilities::CModuleCatalog::kSlotCount; ++slot) {
        SetDlgItemText(IDC_BACKUP_SLOT1 + slot, backup[slot]);
        SetDlgItemText(IDC_INSTALLED_SLOT1 + slot, installed[slot]);
    }
    return platform::TRUE;
}

}  // namespace gorrel
