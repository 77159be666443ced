// CUtilityDlg: what the three utilities' main dialogs have in common.
//
// OnInitDialog sets the program's icon (large and small) and gives the dialog a context menu
// (right click) with the About item, command IDM_ABOUTBOX (16), text string 101 "&About
// <Name>...": the item the Windows programs added to the window's system menu, which a Qt
// program cannot extend. The command opens the About box (template 100).
//
// Address controls: SetAddressControl puts a stored text into an IP-address control, or the
// fallback when the text is not a plain dotted address (DottedAddress.h); ConnectToAddress
// is the check before every network action: all four fields 0 shows the given text ("Please
// enter IP address of source Quarn.", no icon) and stops, otherwise the link connects to the
// address formatted "%d.%d.%d.%d".
#pragma once

#include <string>
#include <vector>

#include "platform/Dialog.h"
#include "utilities/common/UtilityTraits.h"

class QMenu;

namespace utilities {

class CQuarnComm;

class CUtilityDlg : public platform::CDialog {
public:
    static constexpr const char* kSourceEmptyText = "Please enter IP address of source Quarn.";
    static constexpr const char* kTargetEmptyText = "Please enter IP address of target Quarn.";

    CUtilityDlg(const platform::DialogTemplate& dialogTemplate, UtilityTraits traits,
                platform::CWnd* parent = nullptr);

    platform::BOOL OnInitDialog() override;
    // IDM_ABOUTBOX opens the About box; everything else goes to CDialog.
    platform::BOOL OnCommand(int id, int code) override;

    void ShowAboutBox();

    void SetAddressControl(int id, const std::string& stored, const std::string& fallback);
    // The application's stored values into the controls: the address into addressId (with
    // the default address as the fallback), the second value into secondId, an edit for a
    // folder (the read-only 1002 of Stowen and Gorrel) or Mirrak's second address control.
    void ShowStoredSettings(int addressId, int secondId);
    // The controls' values back into the application, which writes them at exit.
    void StoreSettings(int addressId, int secondId);
    // "%d.%d.%d.%d" of the control (blank fields read 0).
    std::string AddressControlText(int id) const;
    // 1 when connected; 0 after the empty-address text or a failed Connect (which showed its
    // own box).
    int ConnectToAddress(int id, CQuarnComm& link, const std::string& emptyText = kSourceEmptyText);

    // The context menu as the operator gets it (the caller owns it); each action's data is
    // its command id.
    QMenu* BuildContextMenu();

    const UtilityTraits& Traits() const { return m_traits; }

private:
    UtilityTraits m_traits;
};

}  // namespace utilities
