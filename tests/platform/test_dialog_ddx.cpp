// Number rules of data exchange: what counts as a number, how doubles are written, and the
// texts of refused input.
#include <gtest/gtest.h>

#include "test_dialog_fixture.h"
#include "tests/support/BoxScript.h"

namespace dialogtest {
namespace {

using testsupport::BoxScript;

TEST(DialogExchangeNumbers, IntegersAreWholeDecimalTextsInRange) {
    int value = 0;
    EXPECT_TRUE(ParseExchangeInt(" 42 ", value));
    EXPECT_EQ(value, 42);
    EXPECT_TRUE(ParseExchangeInt("-2147483648", value));
    EXPECT_EQ(value, INT32_MIN);
    EXPECT_TRUE(ParseExchangeInt("+7", value));
    EXPECT_EQ(value, 7);
    for (const char* bad :
         {"", " ", "12a", "1 2", "0x10", "2147483648", "99999999999999999999", "--1", "+"}) {
        value = 5;
        EXPECT_FALSE(ParseExchangeInt(bad, value)) << bad;
        EXPECT_EQ(value, 5) << bad;
    }
}

TEST(DialogExchangeNumbers, DoublesAreDecimalOnly) {
    double value = 0;
    EXPECT_TRUE(ParseExchangeDouble("1.5e3", value));
    EXPECT_DOUBLE_EQ(value, 1500.0);
    EXPECT_TRUE(ParseExchangeDouble(" -.25 ", value));
    EXPECT_DOUBLE_EQ(value, -0.25);
    for (const char* bad : {"", "inf", "nan", "0x1p3", "1,5", "1e999", ".", "-", "1.2.3"}) {
        value = 9;
        EXPECT_FALSE(ParseExchangeDouble(bad, value)) << bad;
        EXPECT_EQ(value, 9) << bad;
    }
}

TEST(DialogExchangeNumbers, DoublesAreWrittenWithFifteenDigitsAndAPoint) {
    EXPECT_EQ(FormatExchangeDouble(0.1), "0.1");
    EXPECT_EQ(FormatExchangeDouble(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(FormatExchangeDouble(-2.5e-7), "-2.5e-07");
    EXPECT_EQ(FormatExchangeDouble(1e20), "1e+20");
    EXPECT_EQ(FormatExchangeDouble(3.0), "3");
}

class DoubleDialog : public RecordingDialog {
public:
    void DoDataExchange(CDataExchange* dx) override {
        DDX_Text(dx, kName, m_value);
        DDV_MinMaxDouble(dx, m_value, -1.5, 2.5);
        DDX_Text(dx, kNumber, m_count);  // after a failure nothing more is read
    }
    double m_value = 0.5;
    int m_count = 0;
};

TEST(DialogExchangeNumbers, RefusedDoublesShowTheWindowsTexts) {
    DoubleDialog dialog;
    ASSERT_EQ(dialog.Create(nullptr), TRUE);
    EXPECT_EQ(dialog.GetDlgItemText(kName), "0.5");
    BoxScript boxes;
    boxes.Expect("Please enter a number.", MB_OK | MB_ICONEXCLAMATION, IDOK);
    boxes.Expect("Please enter a number between -1.5 and 2.5.", MB_OK | MB_ICONEXCLAMATION, IDOK);
    dialog.TypeText(kNumber, "7");
    dialog.TypeText(kName, "abc");
    EXPECT_EQ(dialog.UpdateData(TRUE), FALSE);
    EXPECT_EQ(dialog.m_count, 0);
    EXPECT_EQ(dialog.GetFocusId(), kName);
    dialog.TypeText(kName, "3");
    EXPECT_EQ(dialog.UpdateData(TRUE), FALSE);
    dialog.TypeText(kName, "2.5");
    EXPECT_EQ(dialog.UpdateData(TRUE), TRUE);
    EXPECT_DOUBLE_EQ(dialog.m_value, 2.5);
    EXPECT_EQ(dialog.m_count, 7);
}

TEST(DialogExchangeNumbers, MaxCharsLimitsTheFieldWhenLoading) {
    RecordingDialog dialog;
    ASSERT_EQ(dialog.Create(nullptr), TRUE);  // OnInitDialog loads, DDV_MaxChars(8)
    dialog.TypeText(kName, "0123456789");
    EXPECT_EQ(dialog.GetDlgItemText(kName), "01234567");
}

}  // namespace
}  // namespace dialogtest
