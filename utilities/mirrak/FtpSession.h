// CFtpSession: one FTP control connection to an instrument's port 21.
//
// It logs in with the instrument's fixed account, lists a folder in active mode (the PC
// listens for the data connection on the next port of FtpReply.h's count) and copies one file
// from one instrument to another without the data passing through the PC: the target is put
// into passive mode and the source is told to send there.
//
// The wire sequence is the instrument's, but nothing may hang on a server that does not keep
// to it:
//  - The listing's data port listens before PORT is sent, because some servers connect as
//    soon as they read PORT. It listens on the address PORT names and takes the listing
//    only from the server's own address; anyone else who connects is dropped. The accept and every
//    read of the listing wait at most the data time-out; every reply waits at most the reply
//    time-out (both 30 s), except the final replies of a copy between two servers: those come
//    only when the whole file has moved, so they wait the reply time-out plus the transfer
//    allowance (1 s) for every 64 KiB of the file's listed size.
//  - Replies are read by their codes: a 1xx reply is followed by one more, any other reply is
//    the last one of its command, so a single "550" to RETR or STOR is not waited past.
//  - A file the source answers with "550" is reported as NotFound, one the target answers
//    with "550" (no such folder there, say) as NotStored: the copy goes on, but the file
//    does not count as copied.
//  - After a failure the control connection may hold replies nobody read; Resync drops it and
//    logs in again, so a later command never takes an earlier command's reply as its own.
//  - Abort (any thread) makes the blocked call return at once and silences the boxes that
//    would report it, since the operator asked for the stop.
//
// Errors show their boxes as the instrument's programs always did: "Error : <reply>" for a
// failing reply (stop beep), the socket text with " : <context>" for a socket failure
// (exclamation beep, stop icon). A worker's or the listener's boxes reach the
// user-interface thread through platform::MessageBox, so ListDirectory, which waits for its
// listener, runs on a worker: on the user-interface thread a listener's box would wait for
// the very thread that waits for the listener.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <thread>

#include "platform/Socket.h"
#include "platform/Types.h"

namespace mirrak {

enum class TransferResult { Copied, NotFound, NotStored, Failed };

class CFtpSession {
public:
    static constexpr unsigned short kFtpPort = 21;
    static constexpr const char* kUser = "quelby";
    static constexpr const char* kPassword = "pelvuro38";
    static constexpr int kDefaultTimeoutMs = 30000;
    // A copy's final replies may wait this much longer for each whole block of the file.
    static constexpr int kDefaultTransferAllowanceMs = 1000;
    static constexpr std::int64_t kTransferBlockBytes = 64 * 1024;
    static constexpr std::size_t kMaxListing = 16u * 1024u * 1024u;
    static constexpr std::size_t kMaxReplyLine = 64u * 1024u;
    static constexpr int kMaxReplyLines = 1000;
    // Data ports in use by someone else that one listing passes over before it gives up.
    static constexpr int kPortTries = 64;

    CFtpSession();
    ~CFtpSession();
    CFtpSession(const CFtpSession&) = delete;
    CFtpSession& operator=(const CFtpSession&) = delete;

    // Connects to port 21 of host (dotted IPv4) and logs in. Closes any earlier connection
    // first. 1/0 (the failure has been shown).
    int Login(const std::string& host);
    // Sends text + CR LF and reads its reply. 1/0.
    int Command(const std::string& text);
    int SendRaw(const std::string& bytes);
    // One line without CR and LF. 0 after a failure (shown; the connection is dropped).
    int ReceiveLine(std::string& line);
    // One whole reply (the lines of a "ddd-" reply read up to its last), then CheckReply.
    int ReadReply();
    // 0 and "Error : <reply>" when the reply fails by FtpReply.h's rule.
    int CheckReply(const std::string& reply);
    int SendPort(int port);
    int ListDirectory(const std::string& path, std::string& listing);
    int EnterPassive(std::string& address);
    // Called on the source session. listedSize (the source listing's size of the file) sets
    // how long the final replies may take.
    TransferResult TransferFile(CFtpSession& target, const std::string& path,
                                std::int64_t listedSize);
    // QUIT when logged in; always 1.
    int Quit();
    // Drops the connection without waiting for anything and logs in again to the same host.
    int Resync();

    // Any thread.
    void Abort();
    bool IsAborted() const { return m_aborted.load(); }
    bool IsConnected() const { return m_connected != 0; }
    const std::string& LastReply() const { return m_reply; }
    const std::string& Host() const { return m_host; }

    void ReportSocketError(const std::string& context);
    int ShowErrorBox(const std::string& text, platform::UINT type);

    void SetReplyTimeoutMs(int ms) { m_replyTimeoutMs = ms; }
    void SetDataTimeoutMs(int ms) { m_dataTimeoutMs = ms; }
    void SetTransferAllowanceMs(int ms) { m_transferAllowanceMs = ms; }
    // What new sessions start with; tests shorten them.
    static void SetDefaultTimeoutsMs(int replyMs, int dataMs);
    static void SetDefaultTransferAllowanceMs(int ms);
    // The wait for a final reply of a copy of listedSize bytes: replyMs plus allowanceMs for
    // every whole 64 KiB, at most INT_MAX.
    static int TransferReplyTimeoutMs(int replyMs, int allowanceMs, std::int64_t listedSize);

private:
    enum class ReadResult { Passed, Refused, Broken };
    // A reply as a step of a transfer: Broken when nothing could be read.
    ReadResult ReadTransferReply(std::string& reply);
    // ReadReply without the check: 1 when a whole reply was read.
    int ReadWholeReply();
    // ReadReply (or, with check false, ReadWholeReply) bounded by timeoutMs instead of the
    // reply time-out.
    int ReadReplyWithin(int timeoutMs, bool check);
    void DropConnection();
    void DataListenerThreadProc();
    // The accepted data connection comes from the host this session logged in to.
    bool DataComesFromServer();
    void StopListener();
    int ReceiveByte(char& c, int timeoutMs);

    platform::CSocket m_socket;
    int m_connected = 0;
    std::string m_host;
    std::string m_reply;
    std::string m_listing;
    std::atomic<int> m_listenerStatus{0};
    platform::CSocket m_listenSocket;
    platform::CSocket m_dataSocket;
    std::thread m_listener;
    // Set when the listener is stopped on purpose (or the session aborted): its calls end
    // early and say nothing.
    std::atomic<bool> m_listenerStopped{false};
    std::atomic<bool> m_aborted{false};
    int m_replyTimeoutMs;
    int m_dataTimeoutMs;
    int m_transferAllowanceMs;
};

}  // namespace mirrak
