#include "quarnsim/HeaderTree.h"

#include <cctype>

namespace quarnsim {
namespace {

std::string Upper(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

bool MatchNode(const HeaderTree::Entry::Node& node, const std::string& typed, bool checkRanges,
               int* suffix) {
    std::string name = Upper(typed);
    *suffix = -1;
    if (node.suffix) {
        size_t digits = name.size();
        while (digits > 0 && std::isdigit(static_cast<unsigned char>(name[digits - 1]))) --digits;
        if (digits < name.size()) {
            if (name.size() - digits > 6)
                return false;
            *suffix = std::stoi(name.substr(digits));
            name.resize(digits);
        } else {
            *suffix = 1;  // OUTPut means OUTPut1
        }
        if (checkRanges && (*suffix < node.lowest || *suffix > node.highest))
            return false;
    }
    return name == node.longForm || name == node.shortForm;
}

bool MatchFrom(const std::vector<HeaderTree::Entry::Node>& nodes, size_t n,
               const std::vector<std::string>& typed, size_t t, bool checkRanges,
               std::vector<int>* suffixes) {
    if (n == nodes.size())
        return t == typed.size();
    const auto& node = nodes[n];
    size_t mark = suffixes->size();
    int suffix = -1;
    if (t < typed.size() && MatchNode(node, typed[t], checkRanges, &suffix)) {
        if (node.suffix)
            suffixes->push_back(suffix);
        if (MatchFrom(nodes, n + 1, typed, t + 1, checkRanges, suffixes))
            return true;
        suffixes->resize(mark);
    }
    if (node.optional && (!node.suffix || !checkRanges || node.lowest <= 1)) {
        if (node.suffix)
            suffixes->push_back(1);
        if (MatchFrom(nodes, n + 1, typed, t, checkRanges, suffixes))
            return true;
        suffixes->resize(mark);
    }
    return false;
}

// "{1-8}" or "{3}" after a node's '#'.
bool ParseRange(std::string_view text, int* lowest, int* highest) {
    if (text.size() < 3 || text.front() != '{' || text.back() != '}')
        return false;
    text = text.substr(1, text.size() - 2);
    size_t dash = text.find('-');
    auto number = [](std::string_view digits, int* value) {
        if (digits.empty() || digits.size() > 6)
            return false;
        int result = 0;
        for (char c : digits) {
            if (!std::isdigit(static_cast<unsigned char>(c)))
                return false;
            result = result * 10 + (c - '0');
        }
        *value = result;
        return true;
    };
    if (dash == std::string_view::npos) {
        if (!number(text, lowest))
            return false;
        *highest = *lowest;
        return true;
    }
    return number(text.substr(0, dash), lowest) && number(text.substr(dash + 1), highest) &&
           *lowest <= *highest;
}

}  // namespace

bool HeaderTree::Entry::Matches(const std::vector<std::string>& typed, std::vector<int>* suffixes,
                                bool checkRanges) const {
    suffixes->clear();
    return MatchFrom(nodes, 0, typed, 0, checkRanges, suffixes);
}

int HeaderTree::Register(std::string_view pattern, CommandHandler handler,
                         std::shared_ptr<const BoundParameter> parameter) {
    Entry entry;
    entry.handler = std::move(handler);
    entry.parameter = std::move(parameter);
    if (!pattern.empty() && pattern.back() == '?') {
        entry.query = true;
        pattern.remove_suffix(1);
    }
    if (pattern.empty())
        return 0;
    if (pattern.front() == '*') {
        entry.common = true;
        Entry::Node node;
        node.longForm = node.shortForm = Upper(pattern);
        entry.nodes.push_back(node);
    } else {
        bool optional = false;
        std::string name;
        auto finish = [&]() -> bool {
            if (name.empty())
                return true;
            Entry::Node node;
            node.optional = optional;
            size_t hash = name.find('#');
            if (hash != std::string::npos) {
                node.suffix = true;
                std::string range = name.substr(hash + 1);
                if (!range.empty() && !ParseRange(range, &node.lowest, &node.highest))
                    return false;
                name.resize(hash);
            }
            for (char c : name) {
                if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_')
                    return false;
                if (!std::islower(static_cast<unsigned char>(c)))
                    node.shortForm += c;
            }
            node.longForm = Upper(name);
            if (node.shortForm.empty())
                return false;
            entry.nodes.push_back(node);
            name.clear();
            return true;
        };
        for (char c : pattern) {
            if (c == ':' || c == '[' || c == ']') {
                if (!finish())
                    return 0;
                if (c == '[')
                    optional = true;
                if (c == ']')
                    optional = false;
            } else {
                name += c;
            }
        }
        if (!finish() || entry.nodes.empty())
            return 0;
    }
    for (size_t i = 0; i < entry.nodes.size(); ++i) {
        if (i > 0) {
            entry.shortName += ':';
            entry.longName += ':';
        }
        entry.shortName += entry.nodes[i].shortForm;
        entry.longName += entry.nodes[i].longForm;
    }
    if (entry.query) {
        entry.shortName += '?';
        entry.longName += '?';
    }
    m_entries.push_back(std::move(entry));
    return 1;
}

const HeaderTree::Entry* HeaderTree::Find(const ParsedCommand& command, std::vector<int>* suffixes,
                                          bool* suffixOutOfRange) const {
    for (const Entry& entry : m_entries) {
        if (entry.common != command.common || entry.query != command.query)
            continue;
        if (entry.Matches(command.nodes, suffixes))
            return &entry;
    }
    if (suffixOutOfRange) {
        *suffixOutOfRange = false;
        for (const Entry& entry : m_entries) {
            if (entry.common == command.common && entry.query == command.query &&
                entry.Matches(command.nodes, suffixes, false)) {
                *suffixOutOfRange = true;
                break;
            }
        }
    }
    suffixes->clear();
    return nullptr;
}

}  // namespace quarnsim
