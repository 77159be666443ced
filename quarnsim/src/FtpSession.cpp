#include "FtpSession.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <vector>

#include "quarnsim/FileSystem.h"
#include "quarnsim/FtpListing.h"
#include "quarnsim/FtpServer.h"

namespace quarnsim {

namespace {

constexpr size_t kMaxLine = 4096;
constexpr size_t kChunk = 64 * 1024;
const char kUser[] = "quelby";
const char kPassword[] = "pelvuro38";

std::string Upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

void CloseFd(int& fd) {
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

bool IsDataVerb(const std::string& verb) {
    return verb == "LIST" || verb == "RETR" || verb == "STOR";
}

// Six numbers 0..255 separated by commas, nothing else.
bool ParseHostPort(const std::string& text, unsigned char (&numbers)[6]) {
    size_t index = 0;
    size_t position = 0;
    while (index < 6) {
        size_t digits = 0;
        unsigned value = 0;
        while (position < text.size() && std::isdigit(static_cast<unsigned char>(text[position]))) {
            value = value * 10 + static_cast<unsigned>(text[position] - '0');
            ++position;
            if (++digits > 3)
                return false;
        }
        if (digits == 0 || value > 255)
            return false;
        numbers[index++] = static_cast<unsigned char>(value);
        if (index < 6) {
            if (position >= text.size() || text[position] != ',')
                return false;
            ++position;
        }
    }
    return position == text.size();
}

std::time_t ChangeTime(const std::string& host) {
    struct stat info {};
    return ::stat(host.c_str(), &info) == 0 ? info.st_mtime : 0;
}

std::string TemporaryName(const std::string& host) {
    static std::atomic<unsigned> counter{0};
    return host + ".part" + std::to_string(::getpid()) + "-" + std::to_string(++counter);
}

}  // namespace

FtpSession::FtpSession(FtpServer& server, int controlFd) : m_server(server), m_fd(controlFd) {}

FtpSession::~FtpSession() {
    ForgetDataMode();
}

void FtpSession::Run() {
    if (!Reply("220 Quarn FTP server ready."))
        return;
    for (;;) {
        std::string line;
        ReadResult result = ReadLine(&line);
        if (result == ReadResult::Closed)
            return;
        if (result == ReadResult::TooLong) {
            if (!Reply("500 Command line too long."))
                return;
            continue;
        }
        m_server.Log(line);
        if (m_server.Faults().TakeClose())
            return;
        size_t space = line.find(' ');
        std::string verb = Upper(line.substr(0, space));
        std::string argument = space == std::string::npos ? std::string() : line.substr(space + 1);
        if (std::optional<std::string> scripted = m_server.Faults().TakeReply(verb)) {
            // A data command that is not carried out leaves no data connection waiting.
            if (IsDataVerb(verb))
                ForgetDataMode();
            if (!SendRaw(*scripted) || scripted->compare(0, 3, "421") == 0)
                return;
            continue;
        }
        if (!Handle(verb, argument))
            return;
    }
}

FtpSession::ReadResult FtpSession::ReadLine(std::string* line) {
    bool tooLong = false;
    for (;;) {
        size_t lf = m_input.find('\n');
        if (lf != std::string::npos) {
            if (tooLong || lf > kMaxLine) {
                m_input.erase(0, lf + 1);
                return ReadResult::TooLong;
            }
            line->assign(m_input, 0, lf);
            m_input.erase(0, lf + 1);
            if (!line->empty() && line->back() == '\r')
                line->pop_back();
            return ReadResult::Line;
        }
        if (m_input.size() > kMaxLine) {
            tooLong = true;  // the rest of this line is dropped as it comes
            m_input.clear();
        }
        pollfd fds[2] = {{m_fd, POLLIN, 0}, {m_server.StopFd(), POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            return ReadResult::Closed;
        }
        if (fds[1].revents != 0)
            return ReadResult::Closed;
        char buffer[4096];
        ssize_t received = ::recv(m_fd, buffer, sizeof buffer, 0);
        if (received < 0 && errno == EINTR)
            continue;
        if (received <= 0)
            return ReadResult::Closed;
        m_input.append(buffer, static_cast<size_t>(received));
    }
}

bool FtpSession::Reply(std::string_view line) {
    std::string bytes(line);
    bytes += "\r\n";
    return SendRaw(bytes);
}

bool FtpSession::SendRaw(std::string_view bytes) {
    size_t sent = 0;
    while (sent < bytes.size()) {
        ssize_t n = ::send(m_fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        sent += static_cast<size_t>(n);
    }
    return true;
}

bool FtpSession::NeedsLogin(const std::string& verb) const {
    static const char* const kVerbs[] = {"TYPE", "PORT", "PASV", "LIST", "RETR", "STOR", "ABOR"};
    for (const char* known : kVerbs) {
        if (verb == known)
            return true;
    }
    return false;
}

bool FtpSession::Handle(const std::string& verb, const std::string& argument) {
    if (verb == "QUIT") {
        Reply("221 Goodbye.");
        return false;
    }
    if (verb == "USER")
        return OnUser(argument);
    if (verb == "PASS")
        return OnPass(argument);
    if (verb == "NOOP")
        return Reply("200 NOOP command successful.");
    if (!NeedsLogin(verb))
        return Reply("502 Command not implemented.");
    if (!m_loggedIn)
        return Reply("530 Please log in with USER and PASS.");
    if (verb == "TYPE")
        return OnType(argument);
    if (verb == "PORT")
        return OnPort(argument);
    if (verb == "PASV")
        return OnPasv();
    if (verb == "LIST")
        return OnList(argument);
    if (verb == "RETR")
        return OnRetr(argument);
    if (verb == "STOR")
        return OnStor(argument);
    ForgetDataMode();  // ABOR
    return Reply("226 ABOR command successful.");
}

bool FtpSession::OnUser(const std::string& argument) {
    m_loggedIn = false;
    m_userGiven = argument == kUser;
    return Reply(m_userGiven ? "331 Password required for quelby." : "530 Not logged in.");
}

bool FtpSession::OnPass(const std::string& argument) {
    m_loggedIn = m_userGiven && argument == kPassword;
    m_userGiven = false;
    return Reply(m_loggedIn ? "230 User logged in." : "530 Login incorrect.");
}

bool FtpSession::OnType(const std::string& argument) {
    std::string type = Upper(argument);
    if (type == "A" || type == "A N")
        return Reply("200 Type set to A.");
    if (type == "I" || type == "L 8")
        return Reply("200 Type set to I.");
    if (type.empty())
        return Reply("501 Syntax error in parameters.");
    return Reply("504 Type not supported.");
}

bool FtpSession::OnPort(const std::string& argument) {
    unsigned char numbers[6];
    if (!ParseHostPort(argument, numbers))
        return Reply("501 Syntax error in parameters.");
    ForgetDataMode();
    sockaddr_in target{};
    target.sin_family = AF_INET;
    std::memcpy(&target.sin_addr, numbers, 4);
    target.sin_port = htons(static_cast<uint16_t>(numbers[4] * 256 + numbers[5]));
    m_activeTarget = target;
    return Reply("200 PORT command successful.");
}

bool FtpSession::OnPasv() {
    ForgetDataMode();
    sockaddr_in local{};
    local.sin_family = AF_INET;
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    socklen_t length = sizeof local;
    if (fd < 0 || ::inet_pton(AF_INET, m_server.Address().c_str(), &local.sin_addr) != 1 ||
        ::bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0 ||
        ::listen(fd, 1) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&local), &length) != 0) {
        CloseFd(fd);
        return Reply("425 Can't open passive connection.");
    }
    m_passiveFd = fd;
    const unsigned char* host = reinterpret_cast<const unsigned char*>(&local.sin_addr);
    uint16_t port = ntohs(local.sin_port);
    std::string text = "227 Entering Passive Mode (";
    for (int i = 0; i < 4; ++i) text += std::to_string(host[i]) + ",";
    text += std::to_string(port / 256) + "," + std::to_string(port % 256) + ").";
    return Reply(text);
}

bool FtpSession::ResolvePath(const std::string& argument, std::string* instrumentPath,
                             std::string* host) const {
    std::string_view rest = argument;
    if (!rest.empty() && rest.front() == '/')
        rest.remove_prefix(1);
    if (rest.size() < 3 || std::toupper(static_cast<unsigned char>(rest[0])) != 'F' ||
        rest[1] != '0' || rest[2] != ':') {
        return false;
    }
    rest.remove_prefix(3);
    if (!rest.empty() && rest.front() != '/')
        return false;
    std::string normalized = "/F0:";
    while (!rest.empty()) {
        size_t slash = rest.find('/');
        std::string_view name = rest.substr(0, slash);
        rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
        if (name.empty())
            continue;
        if (name == "." || name == "..")
            return false;
        for (char c : name) {
            unsigned char u = static_cast<unsigned char>(c);
            if (u < 0x20 || u == 0x7f || c == '\\')
                return false;
        }
        normalized += "/";
        normalized += name;
    }
    if (normalized == "/F0:")
        normalized = "/F0:/";
    if (!m_server.Files().Resolve(normalized, host))
        return false;
    *instrumentPath = normalized;
    return true;
}

void FtpSession::ForgetDataMode() {
    m_activeTarget.reset();
    CloseFd(m_passiveFd);
}

FtpSession::Wait FtpSession::WaitFor(int fd, short events, int timeoutMs) {
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        auto left =
            std::chrono::ceil<std::chrono::milliseconds>(until - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return Wait::TimedOut;
        pollfd fds[3] = {{m_server.StopFd(), POLLIN, 0}, {fd, events, 0}, {m_fd, POLLIN, 0}};
        int ready = ::poll(fds, 3, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0 || fds[0].revents != 0)
            return Wait::Stopped;
        if (ready == 0)
            continue;
        if (fds[1].revents != 0)
            return Wait::Ready;
        return Wait::Control;
    }
}

bool FtpSession::FailTransfer(Wait cause) {
    ForgetDataMode();
    if (cause == Wait::Stopped)
        return false;
    if (cause == Wait::TimedOut)
        return Reply("426 Data connection timed out; transfer aborted.");
    return Reply("426 Connection closed; transfer aborted.");
}

int FtpSession::OpenData(bool* keepOpen) {
    const int timeout = m_server.DataTimeoutMs();
    auto giveUp = [&](Wait cause) {
        ForgetDataMode();
        if (cause == Wait::Stopped)
            *keepOpen = false;
        else if (cause == Wait::Control)
            *keepOpen = Reply("426 Connection closed; transfer aborted.");
        else
            *keepOpen = Reply("425 Can't open data connection.");
        return -1;
    };
    if (m_server.Faults().TakeWithhold())
        return giveUp(WaitFor(-1, 0, timeout));
    std::chrono::milliseconds delay = m_server.Faults().TakeDelay();
    if (delay.count() > 0) {
        Wait wait = WaitFor(-1, 0, static_cast<int>(delay.count()));
        if (wait != Wait::TimedOut)
            return giveUp(wait);
    }
    int data = -1;
    if (m_passiveFd >= 0) {
        Wait wait = WaitFor(m_passiveFd, POLLIN, timeout);
        if (wait != Wait::Ready)
            return giveUp(wait);
        data = ::accept4(m_passiveFd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
    } else if (m_activeTarget) {
        data = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        // From the instrument's own address, as a second address on one host would.
        sockaddr_in local{};
        local.sin_family = AF_INET;
        if (data >= 0 && ::inet_pton(AF_INET, m_server.Address().c_str(), &local.sin_addr) == 1)
            ::bind(data, reinterpret_cast<sockaddr*>(&local), sizeof local);
        const sockaddr_in& target = *m_activeTarget;
        if (data >= 0 &&
            ::connect(data, reinterpret_cast<const sockaddr*>(&target), sizeof target) != 0) {
            if (errno != EINPROGRESS) {
                CloseFd(data);
            } else {
                Wait wait = WaitFor(data, POLLOUT, timeout);
                int error = 0;
                socklen_t length = sizeof error;
                if (wait != Wait::Ready) {
                    CloseFd(data);
                    return giveUp(wait);
                }
                if (::getsockopt(data, SOL_SOCKET, SO_ERROR, &error, &length) != 0 || error != 0)
                    CloseFd(data);
            }
        }
    }
    if (data < 0)
        return giveUp(Wait::TimedOut);
    ForgetDataMode();
    return data;
}

void FtpSession::TakeDataFaults() {
    m_stall = m_server.Faults().TakeStall();
    m_pace = m_server.Faults().TakePace();
    m_paceLeft = m_pace ? m_pace->chunk : 0;
}

void FtpSession::ForgetDataFaults() {
    m_stall.reset();
    m_pace.reset();
}

FtpSession::Wait FtpSession::HoldStalled(int dataFd) {
    // Readable means the client closed its end: it gave up on the transfer.
    return WaitFor(dataFd, POLLIN, m_server.DataTimeoutMs());
}

bool FtpSession::SendData(int dataFd, std::string_view bytes, bool* keepOpen) {
    size_t limit = bytes.size();
    bool stall = false;
    if (m_stall) {
        if (*m_stall < limit) {
            limit = *m_stall;
            stall = true;
        }
        *m_stall -= limit;
    }
    size_t sent = 0;
    while (sent < limit) {
        size_t piece = limit - sent;
        if (m_pace)
            piece = std::min(piece, m_paceLeft);
        ssize_t n = ::send(dataFd, bytes.data() + sent, piece, MSG_NOSIGNAL);
        if (n > 0) {
            sent += static_cast<size_t>(n);
            if (m_pace && (m_paceLeft -= static_cast<size_t>(n)) == 0) {
                Wait wait = WaitFor(-1, 0, static_cast<int>(m_pace->pause.count()));
                if (wait != Wait::TimedOut) {
                    *keepOpen = FailTransfer(wait);
                    return false;
                }
                m_paceLeft = m_pace->chunk;
            }
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            Wait wait = WaitFor(dataFd, POLLOUT, m_server.DataTimeoutMs());
            if (wait == Wait::Ready)
                continue;
            *keepOpen = FailTransfer(wait);
            return false;
        }
        *keepOpen = FailTransfer(Wait::Control);
        return false;
    }
    if (stall) {
        *keepOpen = FailTransfer(HoldStalled(dataFd));
        return false;
    }
    return true;
}

bool FtpSession::OnList(const std::string& argument) {
    std::string path = argument;
    if (!path.empty() && path.front() == '-') {  // "LIST -la /F0:/": options are ignored
        size_t space = path.find(' ');
        path = space == std::string::npos ? std::string() : path.substr(space + 1);
    }
    if (path.empty())
        path = "/F0:/";
    std::string folder;
    std::string host;
    if (!ResolvePath(path, &folder, &host)) {
        ForgetDataMode();
        return Reply("550 " + path + ": Invalid path.");
    }
    std::vector<CatalogEntry> entries;
    if (!m_server.Files().List(folder, &entries)) {
        ForgetDataMode();
        return Reply("550 " + path + ": No such folder.");
    }
    if (!m_activeTarget && m_passiveFd < 0)
        return Reply("425 Use PORT or PASV first.");
    std::string listing;
    if (std::optional<std::string> replaced = m_server.Faults().TakeListing()) {
        listing = std::move(*replaced);
    } else {
        FtpListing builder(folder == "/F0:/" ? folder : folder + "/");
        for (const CatalogEntry& entry : entries) {
            std::time_t changed = ChangeTime(host + "/" + entry.name);
            if (entry.folder)
                builder.AddFolder(entry.name, changed);
            else
                builder.AddFile(entry.name, entry.size, changed);
        }
        listing = builder.Text();
    }
    if (!Reply("150 Opening ASCII mode data connection for file list."))
        return false;
    bool keepOpen = true;
    int data = OpenData(&keepOpen);
    if (data < 0)
        return keepOpen;
    TakeDataFaults();
    bool sent = SendData(data, listing, &keepOpen);
    ForgetDataFaults();
    ::close(data);
    return sent ? Reply("226 Transfer complete.") : keepOpen;
}

bool FtpSession::OnRetr(const std::string& argument) {
    std::string path;
    std::string host;
    if (!ResolvePath(argument, &path, &host)) {
        ForgetDataMode();
        return Reply("550 " + argument + ": Invalid path.");
    }
    int file = ::open(host.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info {};
    if (file < 0 || ::fstat(file, &info) != 0 || !S_ISREG(info.st_mode)) {
        CloseFd(file);
        ForgetDataMode();
        return Reply("550 " + argument + ": No such file.");
    }
    if (!m_activeTarget && m_passiveFd < 0) {
        ::close(file);
        return Reply("425 Use PORT or PASV first.");
    }
    if (!Reply("150 Opening BINARY mode data connection for " + argument + " (" +
               std::to_string(info.st_size) + " bytes).")) {
        ::close(file);
        return false;
    }
    bool keepOpen = true;
    int data = OpenData(&keepOpen);
    if (data < 0) {
        ::close(file);
        return keepOpen;
    }
    TakeDataFaults();
    std::vector<char> buffer(kChunk);
    bool ok = true;
    bool readFailed = false;
    for (;;) {
        ssize_t n = ::read(file, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            readFailed = true;
            break;
        }
        if (n == 0)
            break;
        if (!SendData(data, std::string_view(buffer.data(), static_cast<size_t>(n)), &keepOpen)) {
            ok = false;
            break;
        }
    }
    ForgetDataFaults();
    ::close(file);
    ::close(data);
    if (readFailed)
        return Reply("451 Error reading file; transfer aborted.");
    return ok ? Reply("226 Transfer complete.") : keepOpen;
}

bool FtpSession::OnStor(const std::string& argument) {
    std::string path;
    std::string host;
    if (!ResolvePath(argument, &path, &host) || path == "/F0:/") {
        ForgetDataMode();
        return Reply("550 " + argument + ": Invalid path.");
    }
    std::string parent = path.substr(0, path.find_last_of('/'));
    if (parent == "/F0:")
        parent = "/F0:/";
    if (!m_server.Files().IsFolder(parent) || m_server.Files().IsFolder(path)) {
        ForgetDataMode();
        return Reply("550 " + argument + ": No such folder.");
    }
    if (!m_activeTarget && m_passiveFd < 0)
        return Reply("425 Use PORT or PASV first.");
    // Written aside and renamed when whole, so a broken transfer never leaves half a file.
    std::string temporary = TemporaryName(host);
    int file = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (file < 0) {
        ForgetDataMode();
        return Reply("553 " + argument + ": Cannot create file.");
    }
    auto discard = [&] {
        ::close(file);
        ::unlink(temporary.c_str());
    };
    if (!Reply("150 Opening BINARY mode data connection for " + argument + ".")) {
        discard();
        return false;
    }
    bool keepOpen = true;
    int data = OpenData(&keepOpen);
    if (data < 0) {
        discard();
        return keepOpen;
    }
    std::vector<char> buffer(kChunk);
    for (;;) {
        ssize_t n = ::recv(data, buffer.data(), buffer.size(), 0);
        if (n == 0)
            break;
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            Wait wait = WaitFor(data, POLLIN, m_server.DataTimeoutMs());
            if (wait == Wait::Ready)
                continue;
            ::close(data);
            discard();
            return FailTransfer(wait);
        }
        bool written = n > 0;
        for (ssize_t done = 0; written && done < n;) {
            ssize_t w = ::write(file, buffer.data() + done, static_cast<size_t>(n - done));
            if (w < 0 && errno == EINTR)
                continue;
            written = w > 0;
            done += w > 0 ? w : 0;
        }
        if (!written) {
            ::close(data);
            discard();
            return n < 0 ? FailTransfer(Wait::Control) : Reply("452 Error writing file.");
        }
    }
    ::close(data);
    if (::close(file) != 0) {
        ::unlink(temporary.c_str());
        return Reply("452 Error writing file.");
    }
    // The temporary is counted already; the file it replaces goes.
    struct stat replaced {};
    double used = static_cast<double>(m_server.Files().UsedBytes());
    if (::stat(host.c_str(), &replaced) == 0 && S_ISREG(replaced.st_mode))
        used -= static_cast<double>(replaced.st_size);
    if (used > m_server.Capacity()) {
        ::unlink(temporary.c_str());
        return Reply("552 Insufficient storage space.");
    }
    if (::rename(temporary.c_str(), host.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return Reply("452 Error writing file.");
    }
    return Reply("226 Transfer complete.");
}

}  // namespace quarnsim
