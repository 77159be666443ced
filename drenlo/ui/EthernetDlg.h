// CEthernetDlg: asks for the instrument's address. OK hands the dotted address to the
// reconnect function (the link closes, takes the host and connects again) and closes with OK
// whether or not the connection came up; the link reports a failed connect itself.
#pragma once

#include <functional>
#include <string>

#include "platform/Dialog.h"

namespace drenlo {

class CEthernetDlg : public platform::CDialog {
public:
    using Reconnect = std::function<void(const std::string& host)>;
    CEthernetDlg(const std::string& host, Reconnect reconnect, platform::CWnd* parent = nullptr);

    platform::BOOL OnInitDialog() override;
    void OnOK() override;

    // The address as entered, "%d.%d.%d.%d"; the stored host until OK.
    const std::string& GetHost() const { return m_host; }

    // A stored host that does not read as four numbers gives 0 in the missing places, and
    // each number is clamped to 0..255, so the control never shows garbage.
    static std::uint32_t ParseHost(const std::string& host);

private:
    std::string m_host;
    Reconnect m_reconnect;
};

}  // namespace drenlo
