// Error texts come from the main ini by each code's key, in the language chosen; without the
// file or the key the operator still sees a text.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <fstream>
#include <set>

#include "nimbrel/IniValue.h"
#include "nimbrel/MessageByCode.h"
#include "platform/MessageBox.h"
#include "platform/Types.h"

using nimbrel::IniValue;
using nimbrel::MessageByCode;

namespace {

class MessagesTest : public testing::Test {
protected:
    void SetUp() override {
        m_ini = (m_dir.path() + "/Nimbrel.ini").toStdString();
        std::ofstream out(m_ini, std::ios::binary);
        out << "[NIMBREL_MSG]\r\n";
        for (int code = 0; code < nimbrel::kMessageCodeCount; ++code) {
            out << MessageByCode::KeyName(code) << "=Text " << code << " ; note\r\n";
        }
        out << "[nimbrel_msg_english]\r\n";
        for (int code = 0; code < nimbrel::kMessageCodeCount; ++code) {
            out << MessageByCode::KeyName(code) << "=English " << code << "\r\n";
        }
    }
    void TearDown() override { platform::SetMessageBoxAnswerer(nullptr); }

    QTemporaryDir m_dir;
    std::string m_ini;
};

TEST_F(MessagesTest, EveryCodeHasItsOwnKeyAndText) {
    std::set<std::string> keys;
    for (int code = 0; code < nimbrel::kMessageCodeCount; ++code) {
        SCOPED_TRACE(code);
        EXPECT_TRUE(keys.insert(MessageByCode::KeyName(code)).second);
        EXPECT_EQ(MessageByCode::Text(code, false, m_ini), "Text " + std::to_string(code));
        EXPECT_EQ(MessageByCode::Text(code, true, m_ini), "English " + std::to_string(code));
    }
    EXPECT_STREQ(MessageByCode::KeyName(0), "NIMBREL_ERR_NOERROR");
    EXPECT_STREQ(MessageByCode::KeyName(24), "NIMBREL_ERR_CANCEL_BY_USER");
    EXPECT_STREQ(MessageByCode::KeyName(49), "NIMBREL_CFM_UPDATE_FRAME_BY_CHANGE_COLOR");
}

TEST_F(MessagesTest, MissingFileKeyOrCodeGivesMessageNotFound) {
    for (int code = 0; code < nimbrel::kMessageCodeCount; ++code) {
        EXPECT_EQ(MessageByCode::Text(code, false, m_ini + ".none"), "Message Not Found.");
    }
    EXPECT_EQ(MessageByCode::Text(50, false, m_ini), "Message Not Found.");
    EXPECT_EQ(MessageByCode::Text(-1, true, m_ini), "Message Not Found.");
}

TEST_F(MessagesTest, OverwriteQuestionNamesTheFileAndClosingIsNo) {
    std::vector<platform::MessageBoxRecord> boxes;
    int answer = platform::IDYES;
    platform::SetMessageBoxAnswerer([&](const platform::MessageBoxRecord& box) {
        boxes.push_back(box);
        return answer;
    });
    const std::string name = "/tmp/a.pic";
    EXPECT_TRUE(MessageByCode::ConfirmByCode(46, &name, false, m_ini));
    answer = platform::IDCANCEL;
    EXPECT_FALSE(MessageByCode::ConfirmByCode(46, nullptr, false, m_ini));
    MessageByCode::ShowMessageByCode(26, true, m_ini);
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].text, "'/tmp/a.pic' Text 46");
    EXPECT_EQ(boxes[1].text, "'File' Text 46");
    EXPECT_EQ(boxes[0].type & platform::MB_TYPEMASK, platform::MB_YESNO);
    EXPECT_EQ(boxes[2].text, "English 26");
    EXPECT_EQ(boxes[2].type & platform::MB_TYPEMASK, platform::MB_OK);
    EXPECT_EQ(MessageByCode::Question(46, nullptr, false, m_ini + ".none"),
              "'File' Message Not Found.");
    // A long name gives way, not the question: its end stays, behind "...".
    const std::string longName = std::string(400, 'x') + "/Bars.pic";
    const std::string question = MessageByCode::Question(46, &longName, false, m_ini);
    EXPECT_EQ(question.size(), 255u);
    EXPECT_EQ(question.substr(0, 4), "'...");
    EXPECT_EQ(question.substr(question.size() - 19), "x/Bars.pic' Text 46");
}

TEST(MessageTexts, ShortenedNamesKeepWholeCharacters) {
    EXPECT_EQ(MessageByCode::ShortenedName("short.pic", 20), "short.pic");
    EXPECT_EQ(MessageByCode::ShortenedName("abcdefghij", 8), "...fghij");
    EXPECT_EQ(MessageByCode::ShortenedName("abcdefghij", 2), "..");
    // Three-byte characters: the cut moves on to the next whole one.
    const std::string kana = "\xE3\x81\x82\xE3\x81\x84\xE3\x81\x86";  // three kana
    EXPECT_EQ(MessageByCode::ShortenedName(kana, 8), "...\xE3\x81\x86");
    EXPECT_EQ(MessageByCode::ShortenedName(kana, 9), kana);
}

TEST(IniValueRule, CommentsBlanksAndEmptyValues) {
    EXPECT_EQ(IniValue::Clean("TRUE ; comment"), "TRUE");
    EXPECT_EQ(IniValue::Clean("ON\tnote"), "ON");
    EXPECT_EQ(IniValue::Clean(";kept"), ";kept");
    EXPECT_EQ(IniValue::Clean("\tx;y"), "\tx");
    EXPECT_EQ(IniValue::Clean("a b  "), "a b");
    EXPECT_EQ(IniValue::Clean("abcdef", 4), "abc");
    EXPECT_EQ(IniValue::Clean("ab   cd", 4), "ab");

    QTemporaryDir dir;
    const std::string file = (dir.path() + "/x.ini").toStdString();
    std::ofstream(file) << "[S]\nEMPTY=\nBLANK=   \nON=ON  ;x\nlower=on\nNUM=1080i\nNEG=-5\n";
    std::string value = "old";
    EXPECT_FALSE(IniValue::Read(file, "S", "EMPTY", value));
    EXPECT_EQ(value, "");
    EXPECT_FALSE(IniValue::Read(file, "S", "BLANK", value));
    EXPECT_FALSE(IniValue::Read(file, "S", "NONE", value));
    ASSERT_TRUE(IniValue::Read(file, "s", "on", value));
    EXPECT_EQ(value, "ON");
    ASSERT_TRUE(IniValue::Read(file, "S", "LOWER", value));
    EXPECT_NE(value, "ON");
    ASSERT_TRUE(IniValue::Read(file, "S", "NUM", value));
    EXPECT_EQ(IniValue::ToLong(value), 1080);
    ASSERT_TRUE(IniValue::Read(file, "S", "NEG", value));
    EXPECT_EQ(IniValue::ToLong(value), -5);
    EXPECT_EQ(IniValue::ToDouble("0x10"), 0.0);
    EXPECT_EQ(IniValue::ToDouble("nan"), 0.0);
    EXPECT_DOUBLE_EQ(IniValue::ToDouble("0.25;x"), 0.25);
}

}  // namespace
