// An FTP server's reply line as the duplicator reads it: the pass rule, the code, and the data
// address of a "227" reply.
#include <cstddef>
#include <cstdint>
#include <string>

#include "utilities/mirrak/FtpReply.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string reply(reinterpret_cast<const char*>(data), size);
    const bool passes = mirrak::ReplyPasses(reply);
    const int code = mirrak::ReplyCode(reply);
    if (code < 0 || code > 999)
        __builtin_trap();
    // A reply with a 4xx or 5xx code passes only when it names a missing file.
    if (code >= 400 && code < 600 && passes && !mirrak::IsNotFoundReply(reply))
        __builtin_trap();
    if (mirrak::IsPreliminaryReply(reply) && (code < 100 || code > 199))
        __builtin_trap();
    if (mirrak::IsContinuedReplyStart(reply))
        (void)mirrak::EndsContinuedReply(reply, code);
    std::string address = "untouched";
    if (mirrak::ParsePassiveReply(reply, address)) {
        // Six numbers 0..255 and commas, nothing else: safe behind "PORT ".
        int numbers[6];
        int count = 0;
        int value = -1;
        for (const char c : address) {
            if (c >= '0' && c <= '9') {
                value = (value < 0 ? 0 : value * 10) + (c - '0');
                if (value > 255)
                    __builtin_trap();
            } else if (c == ',') {
                if (value < 0 || count >= 5)
                    __builtin_trap();
                numbers[count++] = value;
                value = -1;
            } else {
                __builtin_trap();
            }
        }
        if (value < 0 || count != 5)
            __builtin_trap();
        numbers[count] = value;
        const std::string host = std::to_string(numbers[0]) + "." + std::to_string(numbers[1]) +
                                 "." + std::to_string(numbers[2]) + "." +
                                 std::to_string(numbers[3]);
        const int port = numbers[4] * 256 + numbers[5];
        // Read back as an address and a port, it gives the same PORT command.
        std::string expected = "PORT ";
        for (int k = 0; k < 6; ++k) expected += (k ? "," : "") + std::to_string(numbers[k]);
        if (port > 0 && mirrak::FormatPortCommand(host, port) != expected)
            __builtin_trap();
    } else if (address != "untouched") {
        __builtin_trap();
    }
    return 0;
}
