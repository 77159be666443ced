#include "corvane/core/EthernetDlg.h"

#include <cstdint>

#include "corvane/core/CorvaneApp.h"
#include "platform/Numbers.h"
#include "resources/corvane/Resource.h"

namespace corvane {

CEthernetDlg::CEthernetDlg(platform::CWnd* parent) : CDialog(EthernetDialogTemplate(), parent) {}

platform::BOOL CEthernetDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    int field[4] = {0, 0, 0, 0};
    platform::ScanInts(CorvaneApp()->GetTargetHost().c_str(), ".", field, 4);
    uint32_t address = 0;
    for (int value : field) address = (address << 8) | (static_cast<uint32_t>(value) & 0xFFu);
    SetIpAddress(IDC_IPADDRESS, address);
    return platform::TRUE;
}

void CEthernetDlg::OnOK() {
    uint32_t address = 0;
    GetIpAddress(IDC_IPADDRESS, address);
    CorvaneApp()->SetTargetHost(platform::Format("%d.%d.%d.%d", (address >> 24) & 0xFF,
                                                 (address >> 16) & 0xFF, (address >> 8) & 0xFF,
                                                 address & 0xFF));
    CDialog::OnOK();
}

}  // namespace corvane
