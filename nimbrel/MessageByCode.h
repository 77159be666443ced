// Texts of Nimbrel's error codes. The program holds only the key of each code; the text comes
// from the main ini file, so the texts can be translated or reworded without a rebuild.
#pragma once

#include <cstddef>
#include <string>

namespace nimbrel {

constexpr int kMessageCodeCount = 50;
constexpr int kCodeConfirmOverwrite = 46;

class MessageByCode {
public:
    // The key of a code, or empty for a code outside the table.
    static const char* KeyName(int code);
    static const char* Section(bool english);
    // The text shown for a code: the ini's text, or "Message Not Found.".
    static std::string Text(int code, bool english, const std::string& mainIni);
    // The question of a confirmation; code 46 names the file ("File" when none is given). A
    // question is at most kMaxQuestion bytes; a name too long for it is shortened at its start,
    // so the question itself is always asked whole.
    static std::string Question(int code, const std::string* fileName, bool english,
                                const std::string& mainIni);
    static constexpr std::size_t kMaxQuestion = 255;
    // `name` in at most `room` bytes: its end behind "...", cut between UTF-8 characters.
    static std::string ShortenedName(const std::string& name, std::size_t room);

    static void ShowMessageByCode(int code, bool english, const std::string& mainIni);
    // True only when Yes was chosen; closing the box counts as No.
    static bool ConfirmByCode(int code, const std::string* fileName, bool english,
                              const std::string& mainIni);
};

}  // namespace nimbrel
