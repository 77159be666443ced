#include "utilities/mirrak/FtpReply.h"

#include <arpa/inet.h>

#include <cstdio>

namespace mirrak {

namespace {

std::string_view TrimLeft(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\r' ||
                               text[i] == '\n' || text[i] == '\f' || text[i] == '\v'))
        ++i;
    return text.substr(i);
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::atomic<int> g_nextDataPort{kFirstDataPort};

}  // namespace

bool ReplyPasses(std::string_view reply) {
    const std::string_view trimmed = TrimLeft(reply);
    if (trimmed.empty())
        return true;
    if (trimmed[0] != '4' && trimmed[0] != '5')
        return true;
    return reply.find("550") != std::string_view::npos;
}

int ReplyCode(std::string_view reply) {
    const std::string_view trimmed = TrimLeft(reply);
    if (trimmed.size() < 3 || !IsDigit(trimmed[0]) || !IsDigit(trimmed[1]) || !IsDigit(trimmed[2]))
        return 0;
    if (trimmed.size() > 3 && IsDigit(trimmed[3]))
        return 0;
    return (trimmed[0] - '0') * 100 + (trimmed[1] - '0') * 10 + (trimmed[2] - '0');
}

bool IsPreliminaryReply(std::string_view reply) {
    const int code = ReplyCode(reply);
    return code >= 100 && code < 200;
}

bool IsNotFoundReply(std::string_view reply) {
    return reply.find("550") != std::string_view::npos;
}

bool IsContinuedReplyStart(std::string_view reply) {
    const std::string_view trimmed = TrimLeft(reply);
    return ReplyCode(trimmed) != 0 && trimmed.size() > 3 && trimmed[3] == '-';
}

bool EndsContinuedReply(std::string_view line, int code) {
    if (line.size() < 4 || line[3] != ' ')
        return line.size() == 3 && ReplyCode(line) == code;
    return ReplyCode(line.substr(0, 3)) == code;
}

std::string FormatPortCommand(const std::string& address, int port) {
    in_addr parsed{};
    if (port <= 0 || port > 65535 || ::inet_pton(AF_INET, address.c_str(), &parsed) != 1)
        return {};
    const auto* bytes = reinterpret_cast<const unsigned char*>(&parsed.s_addr);
    char text[64];
    std::snprintf(text, sizeof text, "PORT %d,%d,%d,%d,%d,%d", bytes[0], bytes[1], bytes[2],
                  bytes[3], port / 256, port % 256);
    return text;
}

int ParsePassiveReply(std::string_view reply, std::string& address) {
    if (ReplyCode(reply) != 227)
        return 0;
    const std::size_t open = reply.find('(');
    if (open == std::string_view::npos)
        return 0;
    const std::size_t close = reply.find(')', open + 1);
    if (close == std::string_view::npos)
        return 0;
    const std::string_view inside = reply.substr(open + 1, close - open - 1);
    int numbers = 0;
    std::size_t i = 0;
    while (true) {
        int value = 0;
        int digits = 0;
        while (i < inside.size() && IsDigit(inside[i]) && digits < 4) {
            value = value * 10 + (inside[i] - '0');
            ++digits;
            ++i;
        }
        if (digits == 0 || digits > 3 || value > 255)
            return 0;
        ++numbers;
        if (i == inside.size())
            break;
        if (inside[i] != ',' || numbers == 6)
            return 0;
        ++i;
    }
    if (numbers != 6)
        return 0;
    address = std::string(inside);
    return 1;
}

int NextDataPort() {
    int stored = g_nextDataPort.load();
    for (;;) {
        const int port = stored < kFirstDataPort || stored > 65535 ? kFirstDataPort : stored;
        const int next = port == 65535 ? kFirstDataPort : port + 1;
        if (g_nextDataPort.compare_exchange_weak(stored, next))
            return port;
    }
}

void SetNextDataPort(int port) {
    g_nextDataPort.store(port);
}

}  // namespace mirrak
