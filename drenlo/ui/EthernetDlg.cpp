#include "drenlo/ui/EthernetDlg.h"

#include <algorithm>

#include "platform/Numbers.h"
#include "platform/WaitCursor.h"
#include "resources/drenlo/Resource.h"

namespace drenlo {

CEthernetDlg::CEthernetDlg(const std::string& host, Reconnect reconnect, platform::CWnd* parent)
    : CDialog(EthernetDialogTemplate(), parent), m_host(host), m_reconnect(std::move(reconnect)) {}

std::uint32_t CEthernetDlg::ParseHost(const std::string& host) {
    int fields[4] = {0, 0, 0, 0};
    platform::ScanInts(host.c_str(), ".", fields, 4);
    std::uint32_t address = 0;
    for (int field : fields)
        address = (address << 8) | static_cast<std::uint32_t>(std::clamp(field, 0, 255));
    return address;
}

platform::BOOL CEthernetDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetIpAddress(IDC_IPADDRESS, ParseHost(m_host));
    GotoDlgCtrl(IDC_IPADDRESS);
    return platform::FALSE;
}

void CEthernetDlg::OnOK() {
    platform::CWaitCursor wait;
    std::uint32_t address = 0;
    GetIpAddress(IDC_IPADDRESS, address);
    m_host = platform::Format("%u.%u.%u.%u", (address >> 24) & 0xFF, (address >> 16) & 0xFF,
                              (address >> 8) & 0xFF, address & 0xFF);
    if (m_reconnect)
        m_reconnect(m_host);
    EndDialog(platform::IDOK);
}

}  // namespace drenlo
