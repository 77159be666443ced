// The IP-address control: fields, blank count, typing rules and the 255 limit.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>

#include "test_dialog_fixture.h"
#include "tests/support/BoxScript.h"

namespace dialogtest {
namespace {

using testsupport::BoxScript;

class IpAddress : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(m_dialog.Create(nullptr), TRUE); }
    RecordingDialog m_dialog;
};

TEST_F(IpAddress, SetAndGetPutTheFirstNumberInTheHighestByte) {
    m_dialog.SetIpAddress(kAddress, 0xC0A8010Au);
    std::uint32_t address = 0;
    EXPECT_EQ(m_dialog.GetIpAddress(kAddress, address), 4);
    EXPECT_EQ(address, 0xC0A8010Au);
    EXPECT_EQ(m_dialog.GetDlgItemText(kAddress), "192.168.1.10");
    EXPECT_FALSE(m_dialog.IsIpAddressBlank(kAddress));

    m_dialog.ClearIpAddress(kAddress);
    EXPECT_TRUE(m_dialog.IsIpAddressBlank(kAddress));
    EXPECT_EQ(m_dialog.GetIpAddress(kAddress, address), 0);
    EXPECT_EQ(address, 0u);
}

TEST_F(IpAddress, BlankFieldsReadZeroAndAreNotCounted) {
    EXPECT_TRUE(m_dialog.TypeIpAddress(kAddress, "10.1"));
    std::uint32_t address = 0;
    EXPECT_EQ(m_dialog.GetIpAddress(kAddress, address), 2);
    EXPECT_EQ(address, 0x0A010000u);
}

TEST_F(IpAddress, ThreeDigitsMoveOnAndOtherCharactersAreRefused) {
    m_dialog.TypeIpAddress(kAddress, "1234x5.6.7");
    std::uint32_t address = 0;
    EXPECT_EQ(m_dialog.GetIpAddress(kAddress, address), 4);
    EXPECT_EQ(address, (123u << 24) | (45u << 16) | (6u << 8) | 7u);
    // A dot in an empty field does not skip it.
    m_dialog.TypeIpAddress(kAddress, "..9");
    EXPECT_EQ(m_dialog.GetIpAddress(kAddress, address), 1);
    EXPECT_EQ(address, 9u << 24);
}

TEST_F(IpAddress, ValueAbove255IsSetTo255WithTheWindowsMessage) {
    BoxScript boxes;
    boxes.Expect("300 is not a valid entry. Please specify a value between 0 and 255.",
                 MB_OK | MB_ICONEXCLAMATION, IDOK);
    boxes.Expect("256 is not a valid entry. Please specify a value between 0 and 255.",
                 MB_OK | MB_ICONEXCLAMATION, IDOK);
    m_dialog.TypeIpAddress(kAddress, "300.1.2.256");
    std::uint32_t address = 0;
    EXPECT_EQ(m_dialog.GetIpAddress(kAddress, address), 4);
    EXPECT_EQ(address, 0xFF0102FFu);
}

TEST_F(IpAddress, ChangesReachTheOwnerAsEnChange) {
    m_dialog.m_events.clear();
    m_dialog.TypeIpAddress(kAddress, "1");
    const std::vector<int> codes = m_dialog.CodesOf(kAddress);
    ASSERT_FALSE(codes.empty());
    for (int code : codes) EXPECT_EQ(code, EN_CHANGE);
}

// Keys as the operator presses them, each to the field that has the focus.
void PressKeys(const std::string& keys) {
    for (char c : keys) {
        QWidget* field = QApplication::focusWidget();
        ASSERT_NE(qobject_cast<QLineEdit*>(field), nullptr);
        const int key = c == '.' ? Qt::Key_Period : Qt::Key_0 + (c - '0');
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(QChar(c)));
        QApplication::sendEvent(field, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(QChar(c)));
        QApplication::sendEvent(field, &release);
    }
}

// Typing over an address already there: the third digit moves on to the next field, and the
// dot typed after it must not skip that field too.
TEST_F(IpAddress, KeysTypedOverAnOldAddressLandInTheirOwnFields) {
    struct Case {
        std::uint32_t old;
        const char* keys;
        std::uint32_t expected;
    };
    const Case cases[] = {
        {0xC0A8000Au, "127.0.0.11", 0x7F00000Bu},     // 192.168.0.10
        {0xC0A8000Au, "127.100.200.1", 0x7F64C801u},  // every field moved on by its digits
        {0x00000000u, "10.1.2.3", 0x0A010203u},
        {0xC0A8000Au, "1.2.3.4", 0x01020304u},
    };
    QWidget* dialog = m_dialog.GetWidget();
    dialog->show();
    QApplication::setActiveWindow(dialog);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        m_dialog.SetIpAddress(kAddress, c.old);
        QWidget* control = m_dialog.GetDlgItem(kAddress);
        QList<QLineEdit*> fields = control->findChildren<QLineEdit*>();
        ASSERT_EQ(fields.size(), 4);
        fields[0]->setFocus();
        fields[0]->selectAll();
        ASSERT_TRUE(fields[0]->hasFocus());
        PressKeys(c.keys);
        std::uint32_t address = 0;
        EXPECT_EQ(m_dialog.GetIpAddress(kAddress, address), 4);
        EXPECT_EQ(address, c.expected) << m_dialog.GetDlgItemText(kAddress);
    }
}

}  // namespace
}  // namespace dialogtest
