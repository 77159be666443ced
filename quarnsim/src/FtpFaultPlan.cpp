#include "quarnsim/FtpFaultPlan.h"

#include <cctype>

namespace quarnsim {

namespace {
std::string Upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}
}  // namespace

void FtpFaultPlan::WithholdNextDataConnection() {
    std::lock_guard lock(m_mutex);
    m_withhold = true;
}

void FtpFaultPlan::DelayNextDataConnection(std::chrono::milliseconds delay) {
    std::lock_guard lock(m_mutex);
    m_delay = delay;
}

std::chrono::milliseconds FtpFaultPlan::TakeDelay() {
    std::lock_guard lock(m_mutex);
    std::chrono::milliseconds delay = m_delay;
    m_delay = std::chrono::milliseconds{0};
    return delay;
}

void FtpFaultPlan::ReplaceNextReply(const std::string& verb, std::string reply) {
    if (reply.size() < 2 || reply.compare(reply.size() - 2, 2, "\r\n") != 0)
        reply += "\r\n";
    std::lock_guard lock(m_mutex);
    m_replies[Upper(verb)] = std::move(reply);
}

void FtpFaultPlan::CloseAfterCommands(int count) {
    std::lock_guard lock(m_mutex);
    m_closeAfter = count < 0 ? 0 : count;
}

void FtpFaultPlan::StallNextDataAfter(size_t count) {
    std::lock_guard lock(m_mutex);
    m_stallAfter = count;
}

void FtpFaultPlan::PaceNextData(size_t chunk, std::chrono::milliseconds pause) {
    std::lock_guard lock(m_mutex);
    m_pace = Pace{chunk > 0 ? chunk : 1, pause};
}

void FtpFaultPlan::ReplaceNextListing(std::string bytes) {
    std::lock_guard lock(m_mutex);
    m_listing = std::move(bytes);
}

void FtpFaultPlan::Clear() {
    std::lock_guard lock(m_mutex);
    m_withhold = false;
    m_delay = std::chrono::milliseconds{0};
    m_replies.clear();
    m_closeAfter.reset();
    m_stallAfter.reset();
    m_pace.reset();
    m_listing.reset();
}

bool FtpFaultPlan::TakeWithhold() {
    std::lock_guard lock(m_mutex);
    bool withhold = m_withhold;
    m_withhold = false;
    return withhold;
}

std::optional<std::string> FtpFaultPlan::TakeReply(const std::string& verb) {
    std::lock_guard lock(m_mutex);
    auto it = m_replies.find(verb);
    if (it == m_replies.end())
        return std::nullopt;
    std::string reply = std::move(it->second);
    m_replies.erase(it);
    return reply;
}

bool FtpFaultPlan::TakeClose() {
    std::lock_guard lock(m_mutex);
    if (!m_closeAfter)
        return false;
    if (*m_closeAfter == 0) {
        m_closeAfter.reset();
        return true;
    }
    --*m_closeAfter;
    return false;
}

std::optional<size_t> FtpFaultPlan::TakeStall() {
    std::lock_guard lock(m_mutex);
    std::optional<size_t> stall = m_stallAfter;
    m_stallAfter.reset();
    return stall;
}

std::optional<FtpFaultPlan::Pace> FtpFaultPlan::TakePace() {
    std::lock_guard lock(m_mutex);
    std::optional<Pace> pace = m_pace;
    m_pace.reset();
    return pace;
}

std::optional<std::string> FtpFaultPlan::TakeListing() {
    std::lock_guard lock(m_mutex);
    std::optional<std::string> listing = std::move(m_listing);
    m_listing.reset();
    return listing;
}

}  // namespace quarnsim
