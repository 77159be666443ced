// Private-profile ini files read and written with the Windows rules, because Nimbrel's ini
// files are edited by hand and shared with the Windows program: sections and keys match
// without regard to ASCII case, the first matching section and key win, a value loses its
// surrounding blanks and one pair of matching quotes, and a write changes only the line it
// concerns (or adds the section or key), leaving every other byte of the file as it was.
// QSettings rewrites the whole file and escapes values, so it cannot stand in here.
//
// Lines end in "\n" or "\r\n"; a new line takes the ending the file already uses ("\r\n" for
// a new file, as the Windows program wrote them). Names and values are bytes; no encoding is
// assumed.
#pragma once

#include <cstddef>
#include <string>
#include <utility>

namespace platform {

// The text of one ini file held in memory. Parsing never fails: any bytes are a file, lines
// that are neither a section header nor hold a key simply match nothing.
class IniFile {
public:
    IniFile() = default;
    explicit IniFile(std::string text) : m_text(std::move(text)) {}

    // Reads a whole file. 1/0; a missing file is 0 with errno ENOENT and an empty text.
    int Load(const std::string& fileName);
    // Writes the text to a temporary file beside fileName and renames it over, so a failed
    // write leaves the old file whole. 1/0 (errno tells why).
    int Save(const std::string& fileName) const;

    // The value of key in section, blanks around it and one pair of matching quotes removed.
    // False when the section or key is missing.
    bool Find(const std::string& section, const std::string& key, std::string& value) const;

    // Sets key=value in place: the key's line is replaced (keeping the key's spelling in the
    // file), a missing key is added after the section's last non-blank line, a missing section
    // is added at the end. 1/0: 0 when a name or the value could not be written back and read
    // the same (a line break anywhere, '=' in a key, ']' in a section, an empty key, a key
    // starting with '[').
    int Set(const std::string& section, const std::string& key, const std::string& value);

    const std::string& Text() const { return m_text; }

private:
    std::string m_text;
};

// GetPrivateProfileString: copies the value (or defaultValue, trailing blanks removed, when
// the file, section or key is missing) into `returned`, cut to size - 1 characters as the
// Windows call cuts into a buffer of `size` characters. Returns the number of characters
// copied (0 when size is 0).
std::size_t GetPrivateProfileString(const std::string& section, const std::string& key,
                                    const std::string& defaultValue, std::string& returned,
                                    std::size_t size, const std::string& fileName);

// WritePrivateProfileString: sets key=value in the file, creating the file, section or key
// when missing. 1/0; a failure leaves the file as it was.
int WritePrivateProfileString(const std::string& section, const std::string& key,
                              const std::string& value, const std::string& fileName);

}  // namespace platform
