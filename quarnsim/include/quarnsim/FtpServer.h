#pragma once

// The instrument's FTP server: port 21 of the simulator's address, serving the same tree as the
// command port ("/F0:/" is the root folder of both).
//
// Dialogue (one reply line per command, lines end in CR LF):
//   greeting                "220 Quarn FTP server ready."
//   USER quelby             "331 Password required for quelby."   other names: 530
//   PASS pelvuro38          "230 User logged in."                  other passwords: 530
//   TYPE A | TYPE I         "200 Type set to A." / "200 Type set to I."   others: 504
//   PORT h,h,h,h,p,p        "200 PORT command successful."  Any address is accepted; the server
//                           connects to it when LIST, RETR or STOR comes. Bad numbers: 501.
//   PASV                    "227 Entering Passive Mode (h,h,h,h,p,p)." with the server's own
//                           address; the next transfer accepts one connection from any address.
//   LIST [<folder>[/]]      "150 Opening ASCII mode data connection for file list.", the listing,
//                           the data connection closed, "226 Transfer complete."
//                           A folder that does not exist: one "550 ...: No such folder." line.
//   RETR <file>             "150 Opening BINARY mode data connection for <file> (<n> bytes).",
//                           the bytes, close, "226 Transfer complete."
//                           A missing file: one "550 <file>: No such file." line, nothing more.
//   STOR <file>             "150 Opening BINARY mode data connection for <file>.", everything until
//                           the client closes the data connection, then "226 Transfer complete."
//                           The file is written under a temporary name and renamed when complete,
//                           so a broken transfer ("426 ...") leaves any earlier file whole. A
//                           folder that does not exist: one "550" line. A file that would
//                           overfill the drive: "552 Insufficient storage space." after the data.
//   ABOR                    "226 ABOR command successful." (a transfer still waiting is given
//                           up first with "426 Connection closed; transfer aborted.")
//   NOOP                    "200 NOOP command successful."
//   QUIT                    "221 Goodbye." and the server closes the connection.
//   anything else           "502 Command not implemented."; before login the known commands
//                           get "530 Please log in with USER and PASS."
// A transfer with neither PORT nor PASV before it gets "425 Use PORT or PASV first."; each PORT
// or PASV serves one transfer. After the 150, a data connection that cannot be made, or does not
// come within the data time-out, ends the transfer with "425 Can't open data connection."; one
// that stops moving for the data time-out with "426 Data connection timed out; transfer
// aborted.". A client that sends any command or closes while a transfer waits ends it at once
// with "426 Connection closed; transfer aborted.", which comes before the reply to that
// command. Server to server copies work between two instances: PASV on the target, PORT with
// its address on the source, STOR on the target, RETR on the source; the replies then come
// 150/226 from each side.
//
// Paths are absolute instrument paths ("/F0:/Sormet/PRESET/MSTATE2.P00"; "F0:" in any case).
// A path with ".", "..", a back-slash or a control character in it, or one leading out of the
// tree in any other way, gets "550 ...: Invalid path." and nothing is touched.
//
// Listing format (TYPE does not change it; every line ends in CR LF):
//   Directory of /F0:/Sormet/
//   Size Date Time Name
//   0 01-01-00 00:00 . <DIR>
//   0 01-01-00 00:00 .. <DIR>
//   0 12-08-26 22:40 PRESET <DIR>
//   2048 12-08-26 22:41 MSTATE2.P00 A
// Two header lines; then "." and "..", so even an empty folder has entries; then the folders and
// then the files, each sorted by name. An entry is the size (decimal, 0 for a folder), the date
// MM-DD-YY and the time HH:MM of the last change (UTC; "." and ".." always show 01-01-00 00:00),
// the name, and "<DIR>" for a folder or "A" for a file, separated by single blanks with none in
// front. So a name starts after the first blank following the first ':' of the line and ends
// before the line's last blank; it may hold blanks itself. Names with a line feed or a NUL in
// them, or with a blank at either end, are left out: no reader of this format could get them
// back.
#include <atomic>
#include <cstdint>
#include <deque>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "quarnsim/BoundedLog.h"
#include "quarnsim/ConnectionThreads.h"
#include "quarnsim/FtpFaultPlan.h"

namespace quarnsim {

class FileSystem;
class FtpSession;

class FtpServer {
public:
    static constexpr size_t kLogCapacity = 200000;

    FtpServer(FileSystem& files, FtpFaultPlan& faults);
    ~FtpServer();  // stops
    FtpServer(const FtpServer&) = delete;
    FtpServer& operator=(const FtpServer&) = delete;

    // Binds address:port (0 picks a free port) and serves until Stop. Returns 0 with the reason
    // in `error` when it cannot listen.
    int Start(const std::string& address, uint16_t port, int dataTimeoutMs, std::string* error);
    // Closes the listener and every control and data connection and joins all threads.
    void Stop();
    bool Running() const { return m_running; }
    uint16_t Port() const { return m_port; }
    const std::string& Address() const { return m_address; }
    int DataTimeoutMs() const { return m_dataTimeoutMs; }
    void SetDataTimeoutMs(int milliseconds) { m_dataTimeoutMs = milliseconds; }
    // Bytes the drive holds; a STOR that would pass it gets 552 and writes nothing.
    void SetCapacity(double bytes) { m_capacity = bytes; }
    double Capacity() const { return m_capacity; }

    // Every command line received (line end stripped) in arrival order, across connections.
    std::vector<std::string> ReceivedCommands() const;
    void ClearLog();
    int ConnectionCount() const { return m_connectionCount; }

    // For the sessions.
    FileSystem& Files() { return m_files; }
    FtpFaultPlan& Faults() { return m_faults; }
    int StopFd() const { return m_stopPipe[0]; }  // readable once Stop has begun
    void Log(std::string line);

private:
    void AcceptLoop();

    FileSystem& m_files;
    FtpFaultPlan& m_faults;
    std::string m_address;
    uint16_t m_port = 0;
    std::atomic<int> m_dataTimeoutMs{30000};
    std::atomic<double> m_capacity{64.0 * 1024 * 1024};
    int m_listenFd = -1;
    int m_stopPipe[2] = {-1, -1};
    std::atomic<bool> m_running{false};
    std::atomic<int> m_connectionCount{0};
    std::thread m_acceptThread;

    ConnectionThreads m_connections;

    BoundedLog m_log{kLogCapacity};
};

}  // namespace quarnsim
