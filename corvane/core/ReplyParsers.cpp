#include "corvane/core/ReplyParsers.h"

#include "platform/Numbers.h"

namespace corvane {

bool ParseFirmwareVersion(const std::string& reply, std::string& versionText) {
    // Counting from the controller's item rather than the start of the reply gives the
    // controller's own version even if another module's item came first.
    std::string::size_type pos = reply.find("CPU:0");
    if (pos == std::string::npos)
        return false;
    for (int colon = 0; colon < 3; ++colon) {
        pos = reply.find(':', pos);
        if (pos == std::string::npos)
            return false;
        ++pos;
    }
    std::string::size_type quote = reply.find('"', pos);
    if (quote == std::string::npos || quote == pos)
        return false;
    versionText = reply.substr(pos, quote - pos);
    return true;
}

bool ParseModuleCatalog(const std::string& reply, std::vector<CatalogItem>& items) {
    items.clear();
    std::string::size_type comma = reply.find(',');
    if (comma == std::string::npos)
        return true;  // the controller alone, or nothing
    std::string rest = reply;
    for (int taken = 0; taken < 4; ++taken) {
        rest = rest.substr(comma + 1);
        if (rest.find('"') == std::string::npos)
            return true;
        rest = rest.substr(1);  // the item's opening quote, whatever it is
        std::string::size_type colon = rest.find(':');
        if (colon == std::string::npos)
            return false;
        CatalogItem item;
        item.model = rest.substr(0, colon);
        rest = rest.substr(colon + 1);
        item.slot = 0;
        for (char c : rest) {
            if (c < '0' || c > '9')
                break;
            if (item.slot > 1000)
                break;  // far outside any slot; stop before it overflows
            item.slot = item.slot * 10 + (c - '0');
        }
        items.push_back(item);
        comma = rest.find(',');
        if (comma == std::string::npos)
            return true;
    }
    return true;
}

bool ParsePresetName(const std::string& reply, std::string& name) {
    std::string::size_type first = reply.find('"');
    if (first == std::string::npos)
        return false;
    std::string::size_type second = reply.find('"', first + 1);
    if (second == std::string::npos)
        return false;
    name = reply.substr(first + 1, second - first - 1);
    return true;
}

bool ParsePresetCatalog(const std::string& reply, std::array<int, kPresetCount>& used,
                        int& userDefaultUsed) {
    std::string::size_type first = reply.find('"');
    if (first == std::string::npos || reply.find('"', first + 1) == std::string::npos)
        return false;
    userDefaultUsed = 0;
    // Walk by position: a long reply must not be copied once per pair.
    std::string::size_type pos = 0;
    for (;;) {
        int number = platform::StrToInt(reply.c_str() + pos);
        if (number >= 1 && number <= kPresetCount) {
            used[static_cast<size_t>(number - 1)] = 1;
        } else if (number == 14) {
            userDefaultUsed = 1;
        }
        std::string::size_type open = reply.find('"', pos);
        std::string::size_type close =
            open == std::string::npos ? std::string::npos : reply.find('"', open + 1);
        if (close == std::string::npos)
            break;
        pos = close + 1;
        if (pos < reply.size() && reply[pos] == ',')
            ++pos;
        open = reply.find('"', pos);
        if (open == std::string::npos || reply.find('"', open + 1) == std::string::npos)
            break;
    }
    return true;
}

int ErrorNumber(const std::string& reply) {
    return platform::StrToInt(reply.c_str());
}

}  // namespace corvane
