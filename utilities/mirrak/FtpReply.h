// Reading FTP replies and writing the data-address commands, without any socket.
//
// The instrument answers each command with single lines "<code> <text>". The rules the
// program keeps with its instruments:
//  - A reply fails only when it starts with '4' or '5' (after leading white space) and holds
//    no "550" anywhere: a missing file is not an error of the step. An empty reply passes.
//  - A 1xx reply is preliminary: one more reply follows it. Any other reply is final.
#pragma once

#include <atomic>
#include <string>
#include <string_view>

namespace mirrak {

// False when the reply is a failure by the rule above.
bool ReplyPasses(std::string_view reply);
// The three-digit code at the start (after white space), or 0 when there is none.
int ReplyCode(std::string_view reply);
bool IsPreliminaryReply(std::string_view reply);
// True when the reply carries "550": the file or folder is not there.
bool IsNotFoundReply(std::string_view reply);
// "ddd-": the first line of a reply that goes on over several lines, up to "ddd ".
bool IsContinuedReplyStart(std::string_view reply);
bool EndsContinuedReply(std::string_view line, int code);

// "PORT h1,h2,h3,h4,p1,p2" for a dotted IPv4 address; empty when the address is not one.
std::string FormatPortCommand(const std::string& address, int port);

// The data address of a "227" reply: the text between the first '(' and the next ')', which
// must be six numbers 0..255 separated by commas. 1 with the text, 0 otherwise.
int ParsePassiveReply(std::string_view reply, std::string& address);

// The PC-side data ports of listings: each listing takes the next one, from 5002 up, wrapping
// back to 5002 before 65536, shared by all sessions of the process.
constexpr int kFirstDataPort = 5002;
int NextDataPort();
// The port the next call to NextDataPort returns (tests start from a known place).
void SetNextDataPort(int port);

}  // namespace mirrak
