#include "platform/IniFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <iterator>

#include "platform/FileSystem.h"

namespace platform {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualNoCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i]))
            return false;
    return true;
}

std::string Trim(const std::string& s) {
    std::size_t begin = 0, end = s.size();
    while (begin < end && IsBlank(s[begin])) ++begin;
    while (end > begin && IsBlank(s[end - 1])) --end;
    return s.substr(begin, end - begin);
}

// One line of the text: [begin, contentEnd) without its line ending, next = start of the
// following line.
struct Line {
    std::size_t begin;
    std::size_t contentEnd;
    std::size_t next;
};

bool NextLine(const std::string& text, std::size_t pos, Line& line) {
    if (pos >= text.size())
        return false;
    std::size_t nl = text.find('\n', pos);
    line.begin = pos;
    if (nl == std::string::npos) {
        line.contentEnd = text.size();
        line.next = text.size();
    } else {
        line.contentEnd = nl;
        line.next = nl + 1;
    }
    if (line.contentEnd > line.begin && text[line.contentEnd - 1] == '\r')
        --line.contentEnd;
    return true;
}

// The section name when the line is a header.
bool SectionOf(const std::string& content, std::string& name) {
    std::size_t i = 0;
    while (i < content.size() && IsBlank(content[i])) ++i;
    if (i >= content.size() || content[i] != '[')
        return false;
    std::size_t close = content.find(']', i + 1);
    name =
        Trim(content.substr(i + 1, close == std::string::npos ? std::string::npos : close - i - 1));
    return true;
}

// The key of a line that is not a header; eq is the position of '=' in content or npos.
std::string KeyOf(const std::string& content, std::size_t& eq) {
    eq = content.find('=');
    return Trim(content.substr(0, eq));
}

std::string Unquote(std::string value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

bool HasLineBreak(const std::string& s) {
    return s.find('\n') != std::string::npos || s.find('\r') != std::string::npos;
}

}  // namespace

int IniFile::Load(const std::string& fileName) {
    m_text.clear();
    int fd = open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return 0;
    std::string text;
    char buffer[65536];
    for (;;) {
        ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            int saved = errno;
            close(fd);
            errno = saved;
            return 0;
        }
        if (n == 0)
            break;
        text.append(buffer, static_cast<std::size_t>(n));
    }
    close(fd);
    m_text = std::move(text);
    return 1;
}

int IniFile::Save(const std::string& fileName) const {
    return ReplaceFileContent(fileName, m_text.data(), m_text.size());
}

bool IniFile::Find(const std::string& section, const std::string& key, std::string& value) const {
    const std::string wantedSection = Trim(section);
    const std::string wantedKey = Trim(key);
    bool inSection = false;
    bool sectionSeen = false;
    Line line;
    for (std::size_t pos = 0; NextLine(m_text, pos, line); pos = line.next) {
        const std::string content = m_text.substr(line.begin, line.contentEnd - line.begin);
        std::string name;
        if (SectionOf(content, name)) {
            // The first section of that name is the one Windows reads; later ones are shadowed.
            if (sectionSeen)
                return false;
            inSection = EqualNoCase(name, wantedSection);
            sectionSeen = inSection;
            continue;
        }
        if (!inSection)
            continue;
        std::size_t eq;
        if (!EqualNoCase(KeyOf(content, eq), wantedKey))
            continue;
        value = eq == std::string::npos ? std::string() : Unquote(Trim(content.substr(eq + 1)));
        return true;
    }
    return false;
}

int IniFile::Set(const std::string& section, const std::string& key, const std::string& value) {
    const std::string wantedSection = Trim(section);
    const std::string wantedKey = Trim(key);
    if (HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value))
        return 0;
    if (wantedSection.find(']') != std::string::npos)
        return 0;
    if (wantedKey.empty() || wantedKey.find('=') != std::string::npos || wantedKey[0] == '[')
        return 0;

    const std::string eol =
        (m_text.find('\n') == std::string::npos || m_text.find("\r\n") != std::string::npos)
            ? "\r\n"
            : "\n";

    bool inSection = false;
    bool found = false;
    std::size_t insertAt = 0;  // just past the section's last non-blank line
    Line line;
    for (std::size_t pos = 0; NextLine(m_text, pos, line); pos = line.next) {
        const std::string content = m_text.substr(line.begin, line.contentEnd - line.begin);
        std::string name;
        if (SectionOf(content, name)) {
            if (inSection)
                break;
            if (EqualNoCase(name, wantedSection)) {
                inSection = true;
                found = true;
                insertAt = line.next;
                if (line.next == line.contentEnd)
                    insertAt = m_text.size();
            }
            continue;
        }
        if (!inSection)
            continue;
        std::size_t eq;
        if (EqualNoCase(KeyOf(content, eq), wantedKey)) {
            if (eq == std::string::npos)
                m_text.insert(line.contentEnd, "=" + value);
            else
                m_text.replace(line.begin + eq + 1, line.contentEnd - line.begin - eq - 1, value);
            return 1;
        }
        if (!Trim(content).empty())
            insertAt = line.next;
    }

    // The file's last line may lack its ending, or have only the '\r' of one: it is ended
    // before anything goes after it, and a lone '\r' only gets its '\n', since a second '\r'
    // would become part of the line.
    auto endOfLastLine = [&]() -> std::string {
        if (m_text.empty() || m_text.back() == '\n')
            return {};
        return m_text.back() == '\r' ? "\n" : eol;
    };
    if (found) {
        std::string addition = wantedKey + "=" + value + eol;
        if (insertAt == m_text.size())
            addition = endOfLastLine() + addition;
        m_text.insert(insertAt, addition);
        return 1;
    }
    std::string addition;
    if (!m_text.empty())
        addition = endOfLastLine() + eol;
    addition += "[" + wantedSection + "]" + eol + wantedKey + "=" + value + eol;
    m_text += addition;
    return 1;
}

std::size_t GetPrivateProfileString(const std::string& section, const std::string& key,
                                    const std::string& defaultValue, std::string& returned,
                                    std::size_t size, const std::string& fileName) {
    IniFile file;
    std::string value;
    if (!file.Load(fileName) || !file.Find(section, key, value)) {
        value = defaultValue;
        while (!value.empty() && IsBlank(value.back())) value.pop_back();
    }
    if (size == 0) {
        returned.clear();
        return 0;
    }
    if (value.size() > size - 1)
        value.resize(size - 1);
    returned = value;
    return returned.size();
}

int WritePrivateProfileString(const std::string& section, const std::string& key,
                              const std::string& value, const std::string& fileName) {
    IniFile file;
    errno = 0;
    if (!file.Load(fileName) && errno != ENOENT)
        return 0;
    if (!file.Set(section, key, value)) {
        errno = EINVAL;
        return 0;
    }
    return file.Save(fileName);
}

}  // namespace platform
