// The link's folder and file operations: Mirrak's folder checks, Gorrel's sending of a PC
// file, Stowen's catalogue reads and fetching of an instrument file.
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <thread>
#include <vector>

#include "platform/MessageBox.h"
#include "platform/SocketErrors.h"
#include "utilities/common/QuarnComm.h"

namespace utilities {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

}  // namespace

int CQuarnComm::DirectoryExists(const std::string& parent, const std::string& name) {
    if (!SendCommand("mmem:cdir " + Quoted(parent)))
        return 0;
    if (!SendCommand("mmem:cat?"))
        return 0;
    const std::string reply = ReceiveLine();
    return reply.find("\"" + name + "/\"") != std::string::npos ? 1 : 0;
}

int CQuarnComm::MakeDirectory(const std::string& parent, const std::string& name) {
    if (!SendCommand("mmem:cdir " + Quoted(parent)))
        return 0;
    return SendCommand("mmem:mdir " + Quoted(name));
}

std::optional<std::string> CQuarnComm::ReadCatalog(const std::string& folder) {
    if (!SendCommand("mmem:cdir " + Quoted(folder)))
        return std::nullopt;
    if (!SendCommand("mmem:cat?"))
        return std::nullopt;
    return ReceiveLine();
}

bool CQuarnComm::ParseSize(const std::string& text, std::int64_t& size) {
    if (text.empty() || text.size() > 18)
        return false;
    std::int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    size = value;
    return true;
}

int CQuarnComm::DownloadFile(const std::string& pcPath, const std::string& instPath,
                             std::int64_t size) {
    FilePtr file(std::fopen(pcPath.c_str(), "rb"));
    struct stat info {};
    // fopen opens a folder too on POSIX; only a regular file has bytes to send.
    if (!file || ::fstat(fileno(file.get()), &info) != 0 || !S_ISREG(info.st_mode)) {
        ShowErrorBox("Can not open file : " + Quoted(pcPath), platform::MB_ICONSTOP);
        return 0;
    }
    const std::string readError = "Can not read file : " + Quoted(pcPath);
    // The size announced is the open file's own; a caller's size that differs means the file
    // changed since the caller looked, and the header cannot hold 10^9 bytes or more.
    const std::int64_t length = info.st_size;
    if (length != size || length > kMaxBlockSize) {
        ShowErrorBox(readError, platform::MB_ICONSTOP);
        return 0;
    }
    const std::string sizeText = std::to_string(length);
    const std::string header = "#" + std::to_string(sizeText.size()) + sizeText;
    if (!SendRaw("mmem:data " + Quoted(instPath) + "," + header))
        return 0;

    // From here the instrument counts block bytes: any way out but the full count closes the
    // link, so nothing later is read as part of this file or as a command.
    std::vector<char> buffer(kChunkSize);
    std::int64_t remaining = length;
    while (remaining > 0) {
        const int want = static_cast<int>(std::min<std::int64_t>(remaining, kChunkSize));
        const std::size_t got = std::fread(buffer.data(), 1, want, file.get());
        if (got != static_cast<std::size_t>(want)) {
            ShowErrorBox(readError, platform::MB_ICONSTOP);
            Disconnect();
            return 0;
        }
        if (!SendRaw(std::string(buffer.data(), got))) {
            ReportSocketError();
            return 0;
        }
        remaining -= want;
    }
    // A file that grew while it was read would reach the instrument cut short.
    if (std::fgetc(file.get()) != EOF) {
        ShowErrorBox(readError, platform::MB_ICONSTOP);
        Disconnect();
        return 0;
    }
    file.reset();
    return SendCommand("");
}

bool CQuarnComm::ReadBlockLength(const std::string& instPath, std::int64_t& length) {
    const std::string text = "Can not receive correctry : " + Quoted(instPath);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    char digits[10];
    int received;
    ReceiveResult result = ReceiveSome(digits, 1, received, m_receiveTimeoutMs);
    if (result != ReceiveResult::kOk) {
        FailReceive(result);
        return false;
    }
    // "#0" would be a block of unknown length, which no catalogue size can be checked with.
    if (digits[0] < '1' || digits[0] > '9') {
        ShowErrorBox(text, platform::MB_ICONSTOP);
        Disconnect();
        return false;
    }
    const int count = digits[0] - '0';
    int have = 0;
    while (have < count) {
        result = ReceiveSome(digits + have, count - have, received, m_receiveTimeoutMs);
        if (result != ReceiveResult::kOk) {
            FailReceive(result);
            return false;
        }
        have += received;
    }
    std::int64_t value = 0;
    for (int i = 0; i < count; ++i) {
        if (digits[i] < '0' || digits[i] > '9') {
            ShowErrorBox(text, platform::MB_ICONSTOP);
            Disconnect();
            return false;
        }
        value = value * 10 + (digits[i] - '0');
    }
    length = value;
    return true;
}

void CQuarnComm::DropBlockLineEnd() {
    // The line end usually comes with the last bytes; when it lags, waiting a little for it
    // keeps it from being read as the next reply. Whatever stands before it is not ours.
    // A real trailer is CR LF; far more than that means the link is out of step.
    constexpr std::size_t kMaxTrailer = 64 * 1024;
    for (std::size_t dropped = 0; dropped < kMaxTrailer; ++dropped) {
        char c;
        int received;
        if (ReceiveSome(&c, 1, received, m_blockEndTimeoutMs) != ReceiveResult::kOk) {
            // The file is whole, but a line end still on its way would answer the next
            // command; a closed link fails that command instead of misreading it.
            Disconnect();
            return;
        }
        if (c == '\n')
            return;
    }
    Disconnect();
}

int CQuarnComm::UploadFile(const std::string& instPath, const std::string& pcPath,
                           std::int64_t size) {
    const std::string receiveError = "Can not receive correctry : " + Quoted(instPath);
    if (size < 0 || size > kMaxBlockSize) {
        ShowErrorBox(receiveError, platform::MB_ICONSTOP);
        return 0;
    }
    if (!SendCommand("mmem:data? " + Quoted(instPath)))
        return 0;
    char first;
    int received;
    const ReceiveResult result = ReceiveSome(&first, 1, received, m_receiveTimeoutMs);
    if (result != ReceiveResult::kOk) {
        FailReceive(result);
        return 0;
    }
    if (first != '#') {
        // Not a block: an answer of some other kind, which ends with its own line end.
        if (first != '\n')
            DropBlockLineEnd();
        return 0;
    }
    std::int64_t length = 0;
    if (!ReadBlockLength(instPath, length))
        return 0;
    if (length != size) {
        // The catalogue and the block disagree: either way the file would be cut short or
        // wait for bytes that never come. The rest of the block is still in flight.
        ShowErrorBox(receiveError, platform::MB_ICONSTOP);
        Disconnect();
        return 0;
    }

    const std::string partPath = pcPath + ".part";
    FilePtr file(std::fopen(partPath.c_str(), "wb"));
    if (!file) {
        ShowErrorBox("Can not create file : " + Quoted(pcPath), platform::MB_ICONSTOP);
        Disconnect();
        return 0;
    }
    auto fail = [&]() {
        file.reset();
        std::remove(partPath.c_str());
        return 0;
    };
    const std::string writeError = "Can not write file : " + Quoted(pcPath);
    std::vector<char> buffer(kChunkSize);
    std::int64_t remaining = size;
    while (remaining > 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        const int want = static_cast<int>(std::min<std::int64_t>(remaining, kChunkSize));
        const ReceiveResult chunk = ReceiveSome(buffer.data(), want, received, m_receiveTimeoutMs);
        if (chunk != ReceiveResult::kOk) {
            FailReceive(chunk);
            return fail();
        }
        if (std::fwrite(buffer.data(), 1, received, file.get()) !=
            static_cast<std::size_t>(received)) {
            ShowErrorBox(writeError, platform::MB_ICONSTOP);
            Disconnect();
            return fail();
        }
        remaining -= received;
    }
    const bool flushed = std::fflush(file.get()) == 0 && std::ferror(file.get()) == 0;
    const bool closed = std::fclose(file.release()) == 0;
    if (!flushed || !closed) {
        ShowErrorBox(writeError, platform::MB_ICONSTOP);
        Disconnect();
        return fail();
    }
    DropBlockLineEnd();
    if (std::rename(partPath.c_str(), pcPath.c_str()) != 0) {
        ShowErrorBox(writeError, platform::MB_ICONSTOP);
        return fail();
    }
    return 1;
}

}  // namespace utilities
