#include "quarnsim/FtpListing.h"

#include <cstdio>

namespace quarnsim {

FtpListing::FtpListing(std::string_view folder) {
    m_text = "Directory of ";
    m_text += folder;
    m_text += "\r\nSize Date Time Name\r\n";
    AddLine("0", "01-01-00 00:00", ".", "<DIR>");
    AddLine("0", "01-01-00 00:00", "..", "<DIR>");
}

bool FtpListing::Listable(std::string_view name) {
    if (name.empty() || name == "." || name == ".." || name.front() == ' ' || name.back() == ' ') {
        return false;
    }
    return name.find('\n') == std::string_view::npos && name.find('\0') == std::string_view::npos;
}

int FtpListing::AddFolder(std::string_view name, std::time_t changed) {
    if (!Listable(name))
        return 0;
    AddLine("0", Stamp(changed), name, "<DIR>");
    return 1;
}

int FtpListing::AddFile(std::string_view name, uint64_t size, std::time_t changed) {
    if (!Listable(name))
        return 0;
    AddLine(std::to_string(size), Stamp(changed), name, "A");
    return 1;
}

void FtpListing::AddLine(std::string_view size, std::string_view stamp, std::string_view name,
                         std::string_view kind) {
    m_text.append(size).append(" ").append(stamp).append(" ").append(name).append(" ");
    m_text.append(kind).append("\r\n");
}

std::string FtpListing::Stamp(std::time_t changed) {
    std::tm parts{};
    if (!gmtime_r(&changed, &parts))
        return "01-01-00 00:00";
    char text[32];
    std::snprintf(text, sizeof text, "%02d-%02d-%02d %02d:%02d", parts.tm_mon + 1, parts.tm_mday,
                  parts.tm_year % 100, parts.tm_hour, parts.tm_min);
    return text;
}

}  // namespace quarnsim
