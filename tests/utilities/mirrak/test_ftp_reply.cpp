#include <gtest/gtest.h>

#include "utilities/mirrak/FtpReply.h"

namespace {

TEST(FtpReply, OnlyFourAndFiveHundredsWithoutNotFoundFail) {
    EXPECT_TRUE(mirrak::ReplyPasses("200 OK"));
    EXPECT_TRUE(mirrak::ReplyPasses(""));
    EXPECT_TRUE(mirrak::ReplyPasses("   226 done"));
    EXPECT_TRUE(mirrak::ReplyPasses("550 No such file"));
    EXPECT_TRUE(mirrak::ReplyPasses("451 error 550 inside"));
    EXPECT_FALSE(mirrak::ReplyPasses("421 Service not available"));
    EXPECT_FALSE(mirrak::ReplyPasses("  530 Not logged in"));
    EXPECT_FALSE(mirrak::ReplyPasses("5"));
}

TEST(FtpReply, CodesTellPreliminaryFromFinalReplies) {
    EXPECT_EQ(mirrak::ReplyCode("150 Opening"), 150);
    EXPECT_EQ(mirrak::ReplyCode(" 226"), 226);
    EXPECT_EQ(mirrak::ReplyCode("2261 x"), 0);
    EXPECT_EQ(mirrak::ReplyCode("ab"), 0);
    EXPECT_TRUE(mirrak::IsPreliminaryReply("125 Data connection already open"));
    EXPECT_FALSE(mirrak::IsPreliminaryReply("226 Transfer complete"));
    EXPECT_FALSE(mirrak::IsPreliminaryReply(""));
    EXPECT_TRUE(mirrak::IsContinuedReplyStart("220-Welcome"));
    EXPECT_FALSE(mirrak::IsContinuedReplyStart("220 Welcome"));
    EXPECT_TRUE(mirrak::EndsContinuedReply("220 Ready", 220));
    EXPECT_FALSE(mirrak::EndsContinuedReply("220-more", 220));
    EXPECT_FALSE(mirrak::EndsContinuedReply(" 220 indented text", 220));
}

TEST(FtpReply, PortCommandCarriesTheAddressAndThePortInBytes) {
    EXPECT_EQ(mirrak::FormatPortCommand("127.0.0.1", 5002), "PORT 127,0,0,1,19,138");
    EXPECT_EQ(mirrak::FormatPortCommand("10.20.30.40", 65535), "PORT 10,20,30,40,255,255");
    EXPECT_EQ(mirrak::FormatPortCommand("10.0.0", 5002), "");
    EXPECT_EQ(mirrak::FormatPortCommand("10.0.0.1", 70000), "");
}

TEST(FtpReply, PassiveReplyMustCarrySixByteNumbers) {
    std::string address;
    ASSERT_EQ(mirrak::ParsePassiveReply("227 Entering Passive Mode (10,0,0,2,19,137).", address),
              1);
    EXPECT_EQ(address, "10,0,0,2,19,137");
    address = "unchanged";
    EXPECT_EQ(mirrak::ParsePassiveReply("200 Entering (10,0,0,2,19,137)", address), 0);
    EXPECT_EQ(mirrak::ParsePassiveReply("227 no brackets 10,0,0,2,19,137", address), 0);
    EXPECT_EQ(mirrak::ParsePassiveReply("227 (10,0,0,2,19,137", address), 0);
    EXPECT_EQ(mirrak::ParsePassiveReply("227 (10,0,0,2,19)", address), 0);
    EXPECT_EQ(mirrak::ParsePassiveReply("227 (10,0,0,2,19,137,1)", address), 0);
    EXPECT_EQ(mirrak::ParsePassiveReply("227 (10,0,0,256,19,137)", address), 0);
    EXPECT_EQ(mirrak::ParsePassiveReply("227 (10,0,0,2,19,0137)", address), 0);
    EXPECT_EQ(mirrak::ParsePassiveReply("227 (10,0,0,2,19,-1)", address), 0);
    EXPECT_EQ(mirrak::ParsePassiveReply("227 (10,0,0,2,19,13\r\nQUIT)", address), 0);
    EXPECT_EQ(mirrak::ParsePassiveReply("227 (10,,0,2,19,137)", address), 0);
    EXPECT_EQ(address, "unchanged");
}

TEST(FtpReply, DataPortsCountUpFrom5002AndWrapBeforeTheEnd) {
    mirrak::SetNextDataPort(mirrak::kFirstDataPort);
    EXPECT_EQ(mirrak::NextDataPort(), 5002);
    EXPECT_EQ(mirrak::NextDataPort(), 5003);
    mirrak::SetNextDataPort(65535);
    EXPECT_EQ(mirrak::NextDataPort(), 65535);
    EXPECT_EQ(mirrak::NextDataPort(), 5002);
    mirrak::SetNextDataPort(70000);
    EXPECT_EQ(mirrak::NextDataPort(), 5002);
    mirrak::SetNextDataPort(mirrak::kFirstDataPort);
}

}  // namespace
