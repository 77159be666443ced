// CRestoreInfo: the "backup.cfg" of a backup folder, the module catalogue the backup was
// taken from, and its comparison with the instrument's.
//
// At most kMaxBytes are read. A file holding more never matches, whatever its first bytes
// say, and the comparison is exact over every byte read (an embedded NUL does not end it).
#pragma once

#include <string>

namespace gorrel {

class CRestoreInfo {
public:
    static constexpr size_t kMaxBytes = 1023;
    enum class ReadResult { kRead, kMissing, kEmpty };

    // kMissing when "<folder>/backup.cfg" is not a regular file that opens for reading,
    // kEmpty when nothing reads from it.
    ReadResult Read(const std::string& folder);
    // What Read does with the file's first bytes; `more` tells that the file held more.
    void SetContent(std::string bytes, bool more);

    bool Matches(const std::string& reply) const { return !m_tooLong && m_text == reply; }
    const std::string& Text() const { return m_text; }

    static std::string FilePath(const std::string& folder);

private:
    std::string m_text;
    bool m_tooLong = false;
};

}  // namespace gorrel
