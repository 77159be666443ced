#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

namespace quarnsim {

// Builds a folder listing in the instrument's LIST format (see FtpServer.h).
class FtpListing {
public:
    explicit FtpListing(std::string_view folder);  // "/F0:/Sormet/"

    // Returns 0, adding nothing, for a name the format cannot carry.
    int AddFolder(std::string_view name, std::time_t changed);
    int AddFile(std::string_view name, uint64_t size, std::time_t changed);
    const std::string& Text() const { return m_text; }

    static bool Listable(std::string_view name);

private:
    void AddLine(std::string_view size, std::string_view stamp, std::string_view name,
                 std::string_view kind);
    static std::string Stamp(std::time_t changed);

    std::string m_text;
};

}  // namespace quarnsim
