// CCommandLink: one TCP connection to the instrument's command port, one line per command,
// one line per reply, and no send or reply that may take longer than the link's time-out.
//
// It needs no window: the main frame owns the program's one link and forwards to it, and a
// test can give a document a link of its own. Every failure shows its socket box here, so
// callers add no message of their own.
#pragma once

#include <chrono>
#include <cstddef>
#include <memory>
#include <string>

#include "corvane/core/InstrumentLink.h"
#include "platform/Socket.h"

namespace platform {
class CSocketDeadline;
}

namespace corvane {

class CCommandLink : public IInstrumentLink {
public:
    static constexpr unsigned short kCommandPort = 5000;
    // The longest any send or reply line may take. An instrument that says nothing for this
    // long is taken as gone: the exchange fails with "Connection aborted" and the link closes.
    static constexpr std::chrono::milliseconds kTimeout{30000};
    // For tests, which cannot wait that long; every link takes it from then on.
    static void SetTimeout(std::chrono::milliseconds timeout);
    static std::chrono::milliseconds Timeout();
    // A reply is a few hundred characters at most; a line that runs past this is not a reply,
    // and reading on would only grow memory.
    static constexpr size_t kMaxReplyLine = 1024 * 1024;
    // For tests, whose overlong lines must be read whole well within a shortened time-out,
    // even by a sanitized build on a busy machine.
    static void SetMaxReplyLine(size_t length);

    CCommandLink() = default;
    ~CCommandLink() override;
    CCommandLink(const CCommandLink&) = delete;
    CCommandLink& operator=(const CCommandLink&) = delete;

    // Connects to `host`'s command port under the wait cursor. 1 connected (at once when it
    // already was), 0 failed and the failure has been shown.
    int Connect(const std::string& host);
    int SendCommand(const std::string& command) override;
    // One reply line. Always 1; after a failure (shown) the reply is empty.
    int ReceiveLine(std::string& reply);
    int Query(const std::string& command, std::string& reply) override;
    // Closes the socket whether or not the link was up. Always 1.
    int Disconnect();
    // Shows the text of the socket layer's last error.
    static void ReportSocketError();
    bool IsConnected() const { return m_connected; }

private:
    // Refills the received bytes from the socket within the line's time; false, with the last
    // error set, when the socket failed or the time ran out. Bytes beyond the line are kept
    // for the next one.
    bool ReceiveMore(platform::CSocketDeadline& deadline);
    // The end of a failed read: its box and an empty reply; a read that ran out of time also
    // closes the link. Returns ReceiveLine's result.
    int FailRead(const platform::CSocketDeadline& deadline, std::string& reply);

    platform::CSocket m_socket;
    bool m_connected = false;
    // Drops the rest of an over-long reply line before the next read.
    bool m_skipToLineEnd = false;
    // What the socket gave and the link has not read yet: [m_receivedPos, m_receivedEnd). It
    // belongs to this connection only.
    std::unique_ptr<char[]> m_received;
    size_t m_receivedPos = 0;
    size_t m_receivedEnd = 0;
    // The command line being sent, kept for its storage.
    std::string m_line;
};

}  // namespace corvane
