// An ini file as a damaged or hand-edited one could hold it: the first bytes up to a NUL name
// the section and key looked up and written, the rest is the file.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/IniFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::size_t cut = input.find('\0');
    std::string names = cut == std::string::npos ? std::string("S\x01K") : input.substr(0, cut);
    std::string text = cut == std::string::npos ? input : input.substr(cut + 1);
    std::size_t split = names.find('\x01');
    const std::string section = names.substr(0, split);
    const std::string key = split == std::string::npos ? "K" : names.substr(split + 1);

    platform::IniFile ini(text);
    std::string before;
    ini.Find(section, key, before);
    // A value written is the value read back, and nothing else of the file moves.
    const std::string value = "v=1 ;x";
    if (ini.Set(section, key, value)) {
        std::string after;
        if (!ini.Find(section, key, after) || after != value)
            __builtin_trap();
    }
    return 0;
}
