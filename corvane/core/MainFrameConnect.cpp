// The connection sequence: address, connection, firmware check, module catalogue and preset
// names. Any failure ends the program after its message (or none, where none is due).
#include "corvane/core/CorvaneApp.h"
#include "corvane/core/EthernetDlg.h"
#include "corvane/core/MainFrame.h"
#include "corvane/core/ReplyParsers.h"
#include "corvane/modules/ModelRegistry.h"
#include "platform/Numbers.h"

namespace corvane {

namespace {
constexpr double kMinimumFirmware = 1.4;
}

int CMainFrame::RunConnectSequence() {
    CEthernetDlg dialog(this);
    if (dialog.DoModal() != platform::IDOK)
        return 0;
    if (!Connect())
        return 0;
    ShowStatusText("Reading configuration");
    if (!CheckFirmware())
        return 0;
    if (!ReadModuleCatalog()) {
        ShowErrorMessage("Could not read configuration correctly!\n\nCan not continue.");
        return 0;
    }
    ShowStatusText("Reading preset file names");
    if (ReadPresetNames()) {
        ShowStatusText("Ready");
        return 1;
    }
    ReportPresetReadFailure();
    return 0;
}

bool CMainFrame::ReportPresetReadFailure() {
    std::string reply;
    if (!Query("SYST:ERR?", reply) || reply.empty())
        return false;
    if (ErrorNumber(reply) != 0)
        ShowErrorMessage(reply + "\n\nCan not continue.");
    else
        ShowErrorMessage("Could not read preset file names correctly!\n\nCan not continue.");
    return true;
}

int CMainFrame::CheckFirmware() {
    std::string reply;
    if (!Query("*OPT?", reply))
        return 0;
    std::string versionText;
    if (!ParseFirmwareVersion(reply, versionText))
        return 0;
    m_firmwareVersion = platform::StrToDouble(versionText.c_str());
    if (m_firmwareVersion >= kMinimumFirmware)
        return 1;
    ShowErrorMessage("Firmware version of Quarn is " + versionText +
                     "\n\nThis software requires [1.4] or later version.");
    return 0;
}

int CMainFrame::ReadModuleCatalog() {
    if (!Query("*CLS;:INST:CAT?", m_catalogReply))
        return 0;
    std::vector<CatalogItem> items;
    const bool complete = ParseModuleCatalog(m_catalogReply, items);
    for (const CatalogItem& item : items) {
        // The tables have four slots; an item naming any other slot is not the instrument's
        // to give, and is left out whole.
        if (item.slot < 1 || item.slot > kSlotCount)
            continue;
        const size_t index = static_cast<size_t>(item.slot - 1);
        m_slotText[index] = platform::Format("%d : %s", item.slot, item.model.c_str());
        g_slotKind[index] = ModuleKindFromName(item.model);
    }
    return complete ? 1 : 0;
}

ModuleKind CMainFrame::ModuleKindFromName(const std::string& name) {
    const ModuleKind kind = KindFromModelName(name);
    if (const ModelEntry* model = FindModel(kind); model != nullptr && model->installedFlag)
        this->*(model->installedFlag) = 1;
    return kind;
}

}  // namespace corvane
