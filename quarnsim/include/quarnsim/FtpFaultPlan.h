#pragma once

#include <chrono>
#include <cstddef>
#include <map>
#include <mutex>
#include <optional>
#include <string>

namespace quarnsim {

// Faults a test arms on the FTP server. Each applies to the next matching event on any control
// connection and then clears itself.
class FtpFaultPlan {
public:
    struct Pace {
        size_t chunk = 0;
        std::chrono::milliseconds pause{0};
    };

    // The next LIST, RETR or STOR answers its preliminary 150 and then opens no data connection
    // (active mode) or accepts none (passive mode). The transfer ends with 425 when the data
    // time-out runs out, or with 426 as soon as the client sends anything or closes.
    void WithholdNextDataConnection();
    // The next LIST, RETR or STOR waits `delay` after its 150 before it connects (active mode)
    // or accepts (passive mode); the client sending anything or closing meanwhile ends the
    // transfer with 426.
    void DelayNextDataConnection(std::chrono::milliseconds delay);
    // The next command with this verb ("RETR", "LIST", ... any case) is answered with `reply`
    // instead of being carried out. A reply without a line end gets CR LF; several lines may be
    // given ("150 ...\r\n426 ...\r\n"). A reply starting with 421 closes the connection after it.
    void ReplaceNextReply(const std::string& verb, std::string reply);
    // `count` more commands are answered as usual; the one after is read and the connection is
    // closed without a reply.
    void CloseAfterCommands(int count);
    // The next LIST or RETR data connection sends `count` bytes and then nothing more: it is held
    // open until the client closes it or sends a command, or until the data time-out, and the
    // transfer ends with 426.
    void StallNextDataAfter(size_t count);
    // The next LIST or RETR data connection sends `chunk` bytes at a time and pauses `pause`
    // after each whole chunk, as a slow link would. The client sending anything or
    // closing meanwhile ends the transfer with 426.
    void PaceNextData(size_t chunk, std::chrono::milliseconds pause);
    // The next LIST sends these bytes as the listing instead of the folder's contents.
    void ReplaceNextListing(std::string bytes);
    void Clear();

    bool TakeWithhold();
    std::chrono::milliseconds TakeDelay();
    std::optional<std::string> TakeReply(const std::string& verb);  // verb in upper case
    bool TakeClose();  // counts one command; true when this one closes the connection
    std::optional<size_t> TakeStall();
    std::optional<Pace> TakePace();
    std::optional<std::string> TakeListing();

private:
    std::mutex m_mutex;
    bool m_withhold = false;
    std::chrono::milliseconds m_delay{0};
    std::map<std::string, std::string> m_replies;  // by upper-case verb
    std::optional<int> m_closeAfter;
    std::optional<size_t> m_stallAfter;
    std::optional<Pace> m_pace;
    std::optional<std::string> m_listing;
};

}  // namespace quarnsim
