#include "platform/StringTable.h"

#include <map>

namespace platform {

namespace {
std::map<int, std::string>& Table() {
    static std::map<int, std::string> table{
        {AFX_IDS_IDLEMESSAGE, "Ready"},
    };
    return table;
}
}  // namespace

void RegisterStrings(const std::vector<std::pair<int, std::string>>& strings) {
    for (const auto& [id, text] : strings) Table()[id] = text;
}

std::string LoadString(int id, bool* found) {
    auto it = Table().find(id);
    if (found != nullptr)
        *found = it != Table().end();
    return it == Table().end() ? std::string() : it->second;
}

std::string PromptPart(const std::string& text) {
    return text.substr(0, text.find('\n'));
}

std::string FormatPlaceholders(const std::string& format, const std::vector<std::string>& args) {
    std::string out;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size() && format[i + 1] >= '1' &&
            format[i + 1] <= '9') {
            size_t index = static_cast<size_t>(format[i + 1] - '1');
            if (index < args.size())
                out += args[index];
            ++i;
        } else {
            out += format[i];
        }
    }
    return out;
}

}  // namespace platform
