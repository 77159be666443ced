#include "drenlo/comm/InstrumentNames.h"

#include "platform/CatalogItem.h"

namespace drenlo {

namespace {

bool IsControl(unsigned char c) {
    return c < 0x20 || c == 0x7f;
}

}  // namespace

int IsTransportableName(const std::string& name) {
    if (name.empty())
        return 0;
    for (char c : name) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (IsControl(u) || u >= 0x80 || c == '"' || c == ',' || c == ';')
            return 0;
    }
    return 1;
}

int IsQuotableArgument(const std::string& text) {
    for (char c : text) {
        if (IsControl(static_cast<unsigned char>(c)) || c == '"')
            return 0;
    }
    return 1;
}

int ListedNameFromPcName(const std::string& pcName, std::string& listed) {
    if (!IsTransportableName(pcName))
        return 0;
    std::string out;
    for (char c : pcName) {
        switch (c) {
            case '-':
                out += "`h";
                break;
            case '/':
                out += "`s";
                break;
            case ':':
                out += "`c";
                break;
            case ' ':
                out += '^';
                break;
            case '`':
                out += "``";
                break;
            default:
                out += c;
        }
    }
    listed = out;
    return 1;
}

std::string PcNameFromListedName(const std::string& listed) {
    std::string name = platform::UnescapeInstrumentName(listed);
    for (char& c : name) {
        if (c == '/' || c == '\\' || IsControl(static_cast<unsigned char>(c)))
            c = '_';
    }
    if (name.empty() || name == "." || name == "..")
        return std::string();
    return name;
}

}  // namespace drenlo
