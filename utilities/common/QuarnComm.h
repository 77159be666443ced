// CQuarnComm: the utilities' command link to the instrument's command port 5000.
//
// Stowen, Gorrel and Mirrak each talk to the instrument through one object of this class:
// lower-case commands ending in CR LF, one reply line per query. Stowen and Gorrel use it on
// the user-interface thread for one button press; Mirrak keeps one on the user-interface
// thread and its duplication worker makes one of its own, so nothing here touches a widget:
// message boxes go through platform::MessageBox, which a worker may call (the user-interface
// thread answers it), and the wait cursor is taken only on the user-interface thread.
//
// Rules the programs depend on:
//  - Connect on a connected link returns 1 at once (no new connection, no wait cursor).
//  - Disconnect returns 0 when the link was not connected and 1 otherwise; Mirrak's link
//    always answers 1 (SetDisconnectAlwaysSucceeds), as Mirrak's callers expect.
//  - A failed send is silent and closes the link; later sends fail silently until the next
//    Connect. The caller decides what to show.
//  - A failed receive shows the socket text (ReportSocketError) and gives an empty reply.
//    The link is closed after it, because whatever the peer still sends would otherwise be
//    taken as the answer to the next command.
//
// Guards this link adds, because a blocked program has no Cancel button:
//  - Every receive waits at most ReceiveTimeoutMs (15 s) for a byte; a silent instrument or a
//    dead cable fails the call with 10060, "Connection timed out.". Connect is bounded the
//    same way.
//  - A reply line is at most kMaxLineLength bytes (16 MiB); a longer one fails the receive
//    with 10040, "Message too long.".
//  - A receive that gets 0 bytes (the peer closed) shows "Socket error.".
//
// Files: DownloadFile sends a PC file as a definite-length block (#<n><size><bytes> CR LF);
// UploadFile fetches one. Neither lets a partial file pass as good: see the functions.
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/Socket.h"
#include "platform/Types.h"

namespace utilities {

class CQuarnComm {
public:
    static constexpr unsigned short kCommandPort = 5000;
    static constexpr int kChunkSize = 32768;
    static constexpr std::size_t kMaxLineLength = 16u * 1024u * 1024u;
    static constexpr int kDefaultReceiveTimeoutMs = 15000;
    // How long the line end after a received block may lag behind the block's bytes.
    static constexpr int kDefaultBlockEndTimeoutMs = 2000;
    // A block header carries the size's digit count in one digit, so 999999999 is the most
    // a block can announce.
    static constexpr std::int64_t kMaxBlockSize = 999999999;

    CQuarnComm();
    ~CQuarnComm();
    CQuarnComm(const CQuarnComm&) = delete;
    CQuarnComm& operator=(const CQuarnComm&) = delete;

    // host: dotted IPv4 text. 1 connected (or already was), 0 after "Cannot create Socket."
    // or "Cannot connect to \"<host>\"" (stop icon, stop beep).
    int Connect(const std::string& host);
    int Disconnect();
    bool IsConnected() const { return m_connected != 0; }

    // Appends CR LF and sends. 1/0.
    int SendCommand(const std::string& command);
    // One send of all bytes. 0 at once when not connected; a failed send disconnects and
    // returns 0 without a message.
    int SendRaw(const std::string& bytes);

    // One reply line without CR and LF; empty when not connected or after a failure (which
    // has been shown).
    std::string ReceiveLine();

    // The stop beep, then the box (caption: the application's title). Returns the answer.
    int ShowErrorBox(const std::string& text, platform::UINT type);
    // The text of the calling thread's last socket error, with the exclamation beep and the
    // stop icon. Silent once Abort() was called.
    void ReportSocketError();
    // The text for a Windows Sockets code; "Socket error." for a code outside the table.
    static std::string SocketErrorText(int code);

    // Mirrak. 1 when the catalogue of parent lists name as a folder ("name/" in quotes).
    int DirectoryExists(const std::string& parent, const std::string& name);
    // Mirrak. 1 when both the change of folder and the make-folder command were sent.
    int MakeDirectory(const std::string& parent, const std::string& name);

    // Gorrel. Sends the PC file as "mmem:data \"<instPath>\",#<n><size>" + bytes + CR LF.
    // The size announced is that of the opened file, and must equal `size` (the caller's
    // look at it); exactly that many bytes are sent. A file that is not a regular file, is
    // 10^9 bytes or more, or turns out longer or shorter while it is read fails with
    // "Can not open file : ..." or "Can not read file : ...". A failure after the header went
    // out closes the link, so the instrument never reads file bytes as commands.
    int DownloadFile(const std::string& pcPath, const std::string& instPath, std::int64_t size);

    // Stowen. The catalogue line of folder, or nothing when a send failed (silently). An
    // empty line means the receive failed, which has been shown; a catalogue is never empty.
    std::optional<std::string> ReadCatalog(const std::string& folder);

    // Stowen. Fetches instPath into pcPath; `size` is the catalogue's. The block header's
    // length must equal size ("Can not receive correctry : ..." otherwise, as for a negative
    // size); exactly size bytes are written, and the block's closing line end is read so the
    // next reply starts clean. The data goes to "<pcPath>.part", renamed to pcPath only when
    // complete; after any failure neither the .part nor a new pcPath is left.
    int UploadFile(const std::string& instPath, const std::string& pcPath, std::int64_t size);

    // A catalogue size as text: decimal digits only (no sign, no blanks), at most 18 of them.
    static bool ParseSize(const std::string& text, std::int64_t& size);

    // Safe from any thread: the blocked call returns at once, and every later call, Connect
    // included, fails without a message. An aborted link is done; make a new one.
    void Abort();
    bool IsAborted() const { return m_aborted.load(); }

    void SetDisconnectAlwaysSucceeds(bool always) { m_disconnectAlwaysOne = always; }
    void SetReceiveTimeoutMs(int ms) { m_receiveTimeoutMs = ms; }
    void SetBlockEndTimeoutMs(int ms) { m_blockEndTimeoutMs = ms; }

private:
    enum class ReceiveResult { kOk, kClosed, kFailed };
    // One receive of up to length bytes, bounded by the given time-out. On kFailed the
    // thread's last error holds the code (WSAETIMEDOUT for a time-out).
    ReceiveResult ReceiveSome(char* buffer, int length, int& received, int timeoutMs);
    // Reports a failed receive (kClosed shows "Socket error.") and closes the link.
    void FailReceive(ReceiveResult result);
    bool ReadBlockLength(const std::string& instPath, std::int64_t& length);
    void DropBlockLineEnd();

    platform::CSocket m_socket;
    int m_connected = 0;
    bool m_disconnectAlwaysOne = false;
    int m_receiveTimeoutMs = kDefaultReceiveTimeoutMs;
    int m_blockEndTimeoutMs = kDefaultBlockEndTimeoutMs;
    std::atomic<bool> m_aborted{false};
};

}  // namespace utilities
