#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "quarnsim/LineParser.h"
#include "quarnsim/ModelBehaviour.h"

namespace quarnsim {

struct Session;

struct CommandContext;

// A handler returns 1 when it acted; 0 after it pushed an error (the answer is then dropped).
using CommandHandler = std::function<int(CommandContext&)>;

// Registered commands of one part of the instrument. Patterns use the SCPI manual's spelling:
// the upper-case part is the short form, "[NODE]" is optional, a trailing '#' takes a numeric
// suffix ("OUTPut#:AUDio:NBITs?"), "#{1-8}" or "#{3}" limits the suffixes the node accepts, a
// trailing '?' makes it the query form.
class HeaderTree {
public:
    struct Entry {
        struct Node {
            std::string longForm;   // upper case
            std::string shortForm;  // upper case
            bool optional = false;
            bool suffix = false;
            int lowest = 1;  // accepted suffixes, when `suffix`
            int highest = 999999;
        };
        std::vector<Node> nodes;
        bool common = false;
        bool query = false;
        std::string shortName;  // "MMEM:PRES:CAT?"
        std::string longName;   // "MMEMORY:PRESET:CATALOG?"
        CommandHandler handler;
        std::shared_ptr<const BoundParameter> parameter;  // set for a model table's parameters

        // `checkRanges` false accepts any suffix, to tell a wrong suffix from a wrong header.
        bool Matches(const std::vector<std::string>& typed, std::vector<int>* suffixes,
                     bool checkRanges = true) const;
    };

    // Returns 0 for a pattern that cannot be read (a programming slip in a table).
    int Register(std::string_view pattern, CommandHandler handler,
                 std::shared_ptr<const BoundParameter> parameter = nullptr);
    // `suffixOutOfRange`, when given, tells whether a header failed only on its suffix.
    const Entry* Find(const ParsedCommand& command, std::vector<int>* suffixes,
                      bool* suffixOutOfRange = nullptr) const;
    size_t Size() const { return m_entries.size(); }

private:
    std::vector<Entry> m_entries;
};

// What a handler gets: the command, the numeric suffixes of its header nodes (one per node that
// takes a suffix, 1 when the client left it out) and a place for the query's answer.
struct CommandContext {
    const ParsedCommand& command;
    const HeaderTree::Entry& entry;
    std::vector<int> suffixes;
    Session& session;
    std::string answer;
};

}  // namespace quarnsim
