#include "utilities/common/UtilityDlg.h"

#include <QMenu>
#include <QWidget>

#include "platform/MessageBox.h"
#include "utilities/common/AboutDlg.h"
#include "utilities/common/DottedAddress.h"
#include "utilities/common/QuarnComm.h"
#include "utilities/common/UtilityApp.h"
#include "utilities/common/UtilityIcons.h"
#include "utilities/common/resources/CommonResource.h"

namespace utilities {

CUtilityDlg::CUtilityDlg(const platform::DialogTemplate& dialogTemplate, UtilityTraits traits,
                         platform::CWnd* parent)
    : CDialog(dialogTemplate, parent), m_traits(std::move(traits)) {}

platform::BOOL CUtilityDlg::OnInitDialog() {
    const platform::BOOL result = CDialog::OnInitDialog();
    QWidget* widget = GetWidget();
    if (widget != nullptr) {
        widget->setWindowIcon(UtilityIcon(m_traits));
        widget->setContextMenuPolicy(Qt::CustomContextMenu);
        QObject::connect(widget, &QWidget::customContextMenuRequested, widget,
                         [this, widget](const QPoint& position) {
                             QMenu* menu = BuildContextMenu();
                             QAction* chosen = menu->exec(widget->mapToGlobal(position));
                             const int command = chosen != nullptr ? chosen->data().toInt() : 0;
                             delete menu;
                             if (command != 0)
                                 OnCommand(command, 0);
                         });
    }
    return result;
}

QMenu* CUtilityDlg::BuildContextMenu() {
    auto* menu = new QMenu(GetWidget());
    QAction* about = menu->addAction(platform::ToQString(m_traits.AboutMenuText()));
    about->setData(IDM_ABOUTBOX);
    return menu;
}

platform::BOOL CUtilityDlg::OnCommand(int id, int code) {
    if (id == IDM_ABOUTBOX) {
        ShowAboutBox();
        return platform::TRUE;
    }
    return CDialog::OnCommand(id, code);
}

void CUtilityDlg::ShowAboutBox() {
    CAboutDlg about(m_traits, this);
    about.DoModal();
}

void CUtilityDlg::SetAddressControl(int id, const std::string& stored,
                                    const std::string& fallback) {
    std::uint32_t address = 0;
    if (!ParseDottedAddress(stored, address) && !ParseDottedAddress(fallback, address)) {
        address = 0;
    }
    SetIpAddress(id, address);
}

void CUtilityDlg::ShowStoredSettings(int addressId, int secondId) {
    CUtilityApp* app = UtilityApp();
    if (app == nullptr)
        return;
    std::string address;
    std::string second;
    app->GetSettings(address, second);
    SetAddressControl(addressId, address, m_traits.addressDefault);
    if (m_traits.secondIsFolder) {
        SetDlgItemText(secondId, second);
    } else {
        SetAddressControl(secondId, second, m_traits.secondDefault);
    }
}

void CUtilityDlg::StoreSettings(int addressId, int secondId) {
    CUtilityApp* app = UtilityApp();
    if (app == nullptr)
        return;
    app->SetSettings(AddressControlText(addressId), m_traits.secondIsFolder
                                                        ? GetDlgItemText(secondId)
                                                        : AddressControlText(secondId));
}

std::string CUtilityDlg::AddressControlText(int id) const {
    std::uint32_t address = 0;
    GetIpAddress(id, address);
    return FormatDottedAddress(address);
}

int CUtilityDlg::ConnectToAddress(int id, CQuarnComm& link, const std::string& emptyText) {
    std::uint32_t address = 0;
    GetIpAddress(id, address);
    if (address == 0) {
        platform::MessageBox(this, emptyText, "", platform::MB_OK);
        return 0;
    }
    return link.Connect(FormatDottedAddress(address));
}

}  // namespace utilities
