#include "nimbrel/IniValue.h"

#include "platform/IniFile.h"
#include "platform/Numbers.h"

namespace nimbrel {

std::string IniValue::Clean(const std::string& raw, std::size_t size) {
    std::string value = raw;
    // A tab, ';' or line break at the very start is part of the value; only a later one starts
    // a comment.
    const std::size_t cut = value.find_first_of("\t;\r\n", 1);
    if (cut != std::string::npos) {
        value.resize(cut);
    }
    if (size == 0) {
        return {};
    }
    if (value.size() > size - 1) {
        value.resize(size - 1);
    }
    while (!value.empty() && (value.back() == ' ' || value.back() == '\t')) {
        value.pop_back();
    }
    return value;
}

bool IniValue::Read(const std::string& file, const std::string& section, const std::string& key,
                    std::string& value, std::size_t size) {
    std::string raw;
    platform::GetPrivateProfileString(section, key, "", raw, 256, file);
    if (raw.empty()) {
        value.clear();
        return false;
    }
    value = Clean(raw, size);
    return true;
}

long IniValue::ToLong(const std::string& text) {
    return platform::StrToLong(text.c_str());
}

double IniValue::ToDouble(const std::string& text) {
    return platform::StrToDouble(text.c_str());
}

}  // namespace nimbrel
