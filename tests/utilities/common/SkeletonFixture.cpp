#include "SkeletonFixture.h"

#include "platform/Types.h"

namespace utilities::testing {

platform::DialogTemplate TestMainTemplate(const std::string& caption) {
    using platform::ControlKind;
    return {IDD_TEST_MAIN,
            caption,
            200,
            80,
            {
                {ControlKind::IpAddress, IDC_TEST_ADDRESS, "", 10, 10, 100, 14},
                {ControlKind::Edit, IDC_TEST_FOLDER, "", 10, 30, 180, 14,
                 platform::ES_AUTOHSCROLL | platform::ES_READONLY},
                {ControlKind::IpAddress, IDC_TEST_TARGET, "", 10, 50, 100, 14},
                {ControlKind::DefPushButton, platform::IDOK, "OK", 140, 60, 50, 14},
            },
            platform::DS_MODALFRAME | platform::DS_CENTER};
}

TestMainDlg::TestMainDlg(const UtilityTraits& traits)
    : CUtilityDlg(TestMainTemplate(traits.name), traits) {}

platform::BOOL TestMainDlg::OnInitDialog() {
    CUtilityDlg::OnInitDialog();
    ShowStoredSettings(IDC_TEST_ADDRESS,
                       Traits().secondIsFolder ? IDC_TEST_FOLDER : IDC_TEST_TARGET);
    return platform::TRUE;
}

void TestMainDlg::OnOK() {
    StoreSettings(IDC_TEST_ADDRESS, Traits().secondIsFolder ? IDC_TEST_FOLDER : IDC_TEST_TARGET);
    CUtilityDlg::OnOK();
}

UtilityTraits TestTraits(const std::string& name, bool secondIsFolder) {
    UtilityTraits traits = secondIsFolder ? UtilityTraits::Stowen() : UtilityTraits::Mirrak();
    traits.name = name;
    return traits;
}

}  // namespace utilities::testing
