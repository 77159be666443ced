#include "quarnsim/Catalog.h"

#include <cmath>
#include <cstdio>

namespace quarnsim {
namespace {

std::string Number(double value) {
    if (!std::isfinite(value) || value < 0)
        value = 0;
    // A large figure has hundreds of digits, and every one of them is part of the number.
    const int length = std::snprintf(nullptr, 0, "%.0f", value);
    std::string text(static_cast<size_t>(length), '\0');
    std::snprintf(text.data(), text.size() + 1, "%.0f", value);
    return text;
}

}  // namespace

bool Catalog::EscapeName(std::string_view name, std::string* escaped) {
    if (name.empty())
        return false;
    std::string out;
    for (char c : name) {
        unsigned char u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7f || c == '"' || c == ',' || c == ';' || c == '^')
            return false;
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
    *escaped = std::move(out);
    return true;
}

int Catalog::UnescapePath(std::string_view text, std::string* path) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '^') {
            out += ' ';
            continue;
        }
        if (c != '`') {
            out += c;
            continue;
        }
        if (++i == text.size())
            break;  // a lone back-quote at the end stands for nothing
        switch (text[i]) {
            case 'h':
                out += '-';
                break;
            case 's':
                return 0;
            case 'c':
                out += ':';
                break;
            default:
                out += text[i];
        }
    }
    *path = std::move(out);
    return 1;
}

std::string Catalog::Format(double usedBytes, double freeBytes,
                            const std::vector<CatalogEntry>& entries, bool typeFields,
                            bool emptyComma) {
    std::string reply = Number(usedBytes) + "," + Number(freeBytes);
    bool listed = false;
    for (const CatalogEntry& entry : entries) {
        std::string name;
        if (!EscapeName(entry.name, &name))
            continue;
        if (entry.literal && entry.name.find_first_of("`/") == std::string::npos)
            name = entry.name;
        const char* type = !typeFields ? "" : entry.folder ? "DIR" : "BIN";
        reply += ",\"" + name + (entry.folder ? "/\"," : "\",") + type + "," +
                 std::to_string(entry.folder ? 0 : entry.size);
        listed = true;
    }
    if (!listed && emptyComma)
        reply += ",";
    return reply;
}

}  // namespace quarnsim
