#pragma once

#include <functional>
#include <string>
#include <vector>

#include "quarnsim/ParameterDef.h"

namespace quarnsim {

class FileSystem;
struct CommandContext;

// The one module a behaviour runs for. Handlers run while the instrument holds its lock, so this
// is their way in: calling the Instrument's public members from a handler would lock it twice.
class ModuleState {
public:
    virtual ~ModuleState() = default;

    virtual int Slot() const = 0;  // 0: the controller
    // The value a query of one of this module's parameters would answer (a text without its
    // quotes), the header written as a client writes it ("OUTP2:STAN"); empty when unknown.
    virtual std::string Value(const std::string& header) const = 0;
    // The drive, and this module's own folder on it ("/F0:/Tavix").
    virtual const FileSystem& Files() const = 0;
    virtual std::string Folder() const = 0;

    // Stores a value checked as a client's set is, dependent ranges included, but runs no
    // reaction, so one reaction cannot set off another. Returns 0, changing nothing, for an
    // unknown header or a value that does not fit.
    virtual int Store(const std::string& header, const std::string& value) = 0;
    virtual void PushError(int number, std::string text) = 0;
    // Pushes "Missing parameter" or "Parameter not allowed" and returns 0 unless the command
    // carries exactly `count` arguments.
    virtual int ExpectArguments(const CommandContext& context, size_t count) = 0;
};

// Limits that replace a numeric parameter's own while its value is checked.
struct ParameterLimits {
    double minimum = -1e300;
    double maximum = 1e300;
    std::vector<double> allowed;  // empty: any number between the bounds
};

// A handler returns 1 when it acted and 0 after it pushed an error, as the instrument's own do.
using ModelHandler = std::function<int(CommandContext& context, ModuleState& module)>;
using ListRule = std::function<std::vector<std::string>(const ModuleState& module,
                                                        const std::vector<int>& suffixes)>;
using LimitsRule =
    std::function<ParameterLimits(const ModuleState& module, const std::vector<int>& suffixes)>;
// Runs after a client's set was stored; `value` is the stored form.
using SetReaction = std::function<void(ModuleState& module, const std::vector<int>& suffixes,
                                       const std::string& value)>;
// Whether the module uses frame reset `reset` (1..3) by its own settings, beside the slots the
// mainframe lists for that reset.
using FrameResetRule = std::function<bool(const ModuleState& module, int reset)>;

struct DemoSetting {
    std::string header;  // as a client writes it
    std::string value;   // as in a set command
};

// A table's parameter with the rules the model's behaviour attaches to it.
struct BoundParameter {
    ParameterDef definition;
    LimitsRule limits;
    SetReaction reaction;
};

// What a model does that a table of plain parameters cannot say. A model's file fills it in next
// to its table. Headers given to Limits and OnSet are written exactly as the parameter's header
// in the table; ModelTable::Check finds those that name no parameter.
class ModelBehaviour {
public:
    // A command of the model's own, `pattern` spelled as HeaderTree takes it ("...:SELect?").
    void Handle(std::string pattern, ModelHandler handler);
    // A query without arguments answered with quoted items joined by ',', as the instrument's
    // catalogues are: "A","B". An empty list answers an empty line.
    void List(std::string pattern, ListRule items);
    void Limits(std::string header, LimitsRule limits);
    void OnSet(std::string header, SetReaction reaction);
    void UsesFrameReset(FrameResetRule rule) { m_frameReset = std::move(rule); }
    // Settings a demo instrument gives the first module of the model, so it looks lived in.
    void Demo(std::vector<DemoSetting> settings) { m_demo = std::move(settings); }
    // Files a demo instrument lays under the module's folder, as named on the drive
    // ("SIGNAL/525-143/Colour Bars/Bars 75-0-75.cmp"); a path ending in '/' is a folder.
    void DemoFiles(std::vector<std::string> paths) { m_demoFiles = std::move(paths); }
    // A folder under the module's folder ("SIGNAL") whose entries the catalogue lists as they
    // are named, because the module lays them out itself.
    void ListsAsNamed(std::string folder) { m_namedFolders.push_back(std::move(folder)); }

    struct Command {
        std::string pattern;
        ModelHandler handler;
    };
    const std::vector<Command>& Commands() const { return m_commands; }
    // The parameter bound to the rules given for its header.
    BoundParameter Bind(const ParameterDef& parameter) const;
    const FrameResetRule& FrameReset() const { return m_frameReset; }
    const std::vector<DemoSetting>& DemoSettings() const { return m_demo; }
    const std::vector<std::string>& DemoFilePaths() const { return m_demoFiles; }
    const std::vector<std::string>& NamedFolders() const { return m_namedFolders; }
    // Headers given to Limits or OnSet, for checking them against the table.
    std::vector<std::string> RuleHeaders() const;

private:
    struct ParameterRules {
        std::string header;
        LimitsRule limits;
        SetReaction reaction;
    };
    ParameterRules& RulesFor(std::string header);

    std::vector<Command> m_commands;
    std::vector<ParameterRules> m_rules;
    FrameResetRule m_frameReset;
    std::vector<DemoSetting> m_demo;
    std::vector<std::string> m_demoFiles;
    std::vector<std::string> m_namedFolders;
};

}  // namespace quarnsim
