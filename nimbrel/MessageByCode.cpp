#include "nimbrel/MessageByCode.h"

#include <algorithm>

#include "nimbrel/IniValue.h"
#include "platform/MessageBox.h"
#include "platform/Types.h"

namespace nimbrel {

namespace {

const char* const kNotFound = "Message Not Found.";

const char* const kKeys[kMessageCodeCount] = {
    "NIMBREL_ERR_NOERROR",
    "NIMBREL_ERR_INVALID_PARAM",
    "NIMBREL_ERR_CANNOT_READ_INIFILE",
    "NIMBREL_ERR_TOO_LONG_NAME",
    "NIMBREL_ERR_OUT_OF_RANGE_HEIGHT",
    "NIMBREL_ERR_OUT_OF_RANGE_WIDTH",
    "NIMBREL_ERR_OUT_OF_RANGE_MENU_IDX",
    "NIMBREL_ERR_INVALID_MISC",
    "NIMBREL_ERR_RENAME_STRING_IS_NULL",
    "NIMBREL_ERR_RENAME_STRING_TOO_LONG",
    "NIMBREL_ERR_RENAME_NOT_FOUND_EXT",
    "NIMBREL_ERR_RENAME_SYSTEM_ERR",
    "NIMBREL_ERR_MAKEPIC_INVALID_HEIGHT",
    "NIMBREL_ERR_MAKEPIC_INVALID_WIDTH",
    "NIMBREL_ERR_MAKEPIC_INVALID_BITNAME",
    "NIMBREL_ERR_MAKEPIC_SET_TEMPFILES",
    "NIMBREL_ERR_MAKEPIC_WRITE_MAIN_HEADER",
    "NIMBREL_ERR_MAKEPIC_WRITE_BLACK_LINE",
    "NIMBREL_ERR_MAKEPIC_BITMAP_HEIGHT",
    "NIMBREL_ERR_MAKEPIC_BITMAP_WIDTH",
    "NIMBREL_ERR_MAKEPIC_MANIPULATE_COLOR",
    "NIMBREL_ERR_MAKEPIC_WRITE_LINE",
    "NIMBREL_ERR_MAKEPIC_MERGE_FILE",
    "NIMBREL_ERR_MAKEPIC_WRITE_LAST_RECID",
    "NIMBREL_ERR_CANCEL_BY_USER",
    "NIMBREL_ERR_MAKEPIC_CHECK",
    "NIMBREL_ERR_LOAD_BITMAP",
    "NIMBREL_ERR_SAVE_BITMAP",
    "NIMBREL_ERR_BITMAP_FORMAT_PIXEL",
    "NIMBREL_ERR_BITMAP_FORMAT_HANDLETYPE",
    "NIMBREL_ERR_READPIC_FILE_NONEXISTS",
    "NIMBREL_ERR_READPIC_INVALID_HEIGHT",
    "NIMBREL_ERR_READPIC_INVALID_WIDTH",
    "NIMBREL_ERR_READPIC_MAKE_LINE",
    "NIMBREL_ERR_READ_PIC_FILE",
    "NIMBREL_WAR_FILTERNORISHIRO",
    "NIMBREL_WAR_FILTERNORISHIRO2",
    "NIMBREL_ERR_OTHER_EXECUTE_BUILD_PIC",
    "NIMBREL_ERR_FILE_NOT_SET",
    "NIMBREL_ERR_FILE_NOT_EXISTS",
    "NIMBREL_ERR_FILE_DUPLICATE",
    "NIMBREL_ERR_FILE_OPEN",
    "NIMBREL_ERR_MALLOC",
    "NIMBREL_ERR_FILESIZE_UNMATCH",
    "NIMBREL_ERR_FILE_SEEK",
    "NIMBREL_ERR_FILE_READ",
    "NIMBREL_CFM_OVERWRITE",
    "NIMBREL_CFM_QUIT",
    "NIMBREL_CFM_UPDATE_FRAME_BY_CHANGE_FORMAT",
    "NIMBREL_CFM_UPDATE_FRAME_BY_CHANGE_COLOR",
};

}  // namespace

const char* MessageByCode::KeyName(int code) {
    return code >= 0 && code < kMessageCodeCount ? kKeys[code] : "";
}

const char* MessageByCode::Section(bool english) {
    return english ? "NIMBREL_MSG_ENGLISH" : "NIMBREL_MSG";
}

std::string MessageByCode::Text(int code, bool english, const std::string& mainIni) {
    const std::string key = KeyName(code);
    std::string text;
    if (key.empty() || !IniValue::Read(mainIni, Section(english), key, text)) {
        return kNotFound;
    }
    return text;
}

std::string MessageByCode::Question(int code, const std::string* fileName, bool english,
                                    const std::string& mainIni) {
    std::string text = Text(code, english, mainIni);
    if (code == kCodeConfirmOverwrite) {
        text = "'" +
               ShortenedName(fileName != nullptr ? *fileName : std::string("File"),
                             kMaxQuestion - 3 - std::min(text.size(), kMaxQuestion - 3)) +
               "' " + text;
    }
    return text;
}

std::string MessageByCode::ShortenedName(const std::string& name, std::size_t room) {
    if (name.size() <= room) {
        return name;
    }
    // The end of a name tells files apart ("...\Bars.pic"), so the start gives way; the cut
    // moves forward to the start of a character so no UTF-8 sequence is split.
    const std::string mark = "...";
    if (room <= mark.size()) {
        return mark.substr(0, room);
    }
    std::size_t from = name.size() - (room - mark.size());
    while (from < name.size() && (static_cast<unsigned char>(name[from]) & 0xC0) == 0x80) {
        ++from;
    }
    return mark + name.substr(from);
}

void MessageByCode::ShowMessageByCode(int code, bool english, const std::string& mainIni) {
    platform::MessageBox(nullptr, Text(code, english, mainIni), "", platform::MB_OK);
}

bool MessageByCode::ConfirmByCode(int code, const std::string* fileName, bool english,
                                  const std::string& mainIni) {
    return platform::MessageBox(nullptr, Question(code, fileName, english, mainIni), "",
                                platform::MB_YESNO) == platform::IDYES;
}

}  // namespace nimbrel
