// CEthernetDlg: asks for the instrument's IPv4 address before Corvane connects.
#pragma once

#include "platform/Dialog.h"

namespace corvane {

class CEthernetDlg : public platform::CDialog {
public:
    explicit CEthernetDlg(platform::CWnd* parent);
    platform::BOOL OnInitDialog() override;
    void OnOK() override;
};

}  // namespace corvane
