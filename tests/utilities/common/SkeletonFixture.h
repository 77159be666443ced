// A main dialog of the shape the utilities use (address control 1000, read-only folder edit
// 1002, OK), for driving the shared skeleton without any one program.
#pragma once

#include <string>

#include "platform/DialogTemplate.h"
#include "utilities/common/UtilityDlg.h"

namespace utilities::testing {

constexpr int IDD_TEST_MAIN = 102;
constexpr int IDC_TEST_ADDRESS = 1000;
constexpr int IDC_TEST_FOLDER = 1002;
constexpr int IDC_TEST_TARGET = 1018;

platform::DialogTemplate TestMainTemplate(const std::string& caption);

class TestMainDlg : public CUtilityDlg {
public:
    explicit TestMainDlg(const UtilityTraits& traits);
    platform::BOOL OnInitDialog() override;
    void OnOK() override;
};

// Traits of a utility of our own, so tests never take a real program's lock or settings.
UtilityTraits TestTraits(const std::string& name, bool secondIsFolder = true);

}  // namespace utilities::testing
