#include "quarnsim/Instrument.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "ModuleAccess.h"

namespace quarnsim {
namespace {

std::string Upper(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

bool SameTextIgnoringCase(std::string_view a, std::string_view b) {
    return Upper(a) == Upper(b);
}

// Version texts end up between ':' and '"' in the *OPT? reply; these would break it apart.
bool ValidVersion(std::string_view text) {
    if (text.empty())
        return false;
    for (char c : text) {
        if (static_cast<unsigned char>(c) < 0x21 || c == '"' || c == ',' || c == ':' || c == ';') {
            return false;
        }
    }
    return true;
}

std::string ModuleAddress(const ModuleSpec& module) {
    return module.model + ":" + std::to_string(module.slot);
}

// Canonical short header with every suffix written out, so OUTP and OUTP1 share a setting.
std::string SettingKey(const HeaderTree::Entry& entry, const std::vector<int>& suffixes) {
    std::string key;
    size_t next = 0;
    for (size_t i = 0; i < entry.nodes.size(); ++i) {
        if (i > 0)
            key += ':';
        key += entry.nodes[i].shortForm;
        if (entry.nodes[i].suffix && next < suffixes.size())
            key += std::to_string(suffixes[next++]);
    }
    return key;
}

}  // namespace

Instrument::Instrument(Options options)
    : m_options(std::move(options)), m_files(m_options.root), m_frameResets(m_options.frameResets) {
    RegisterControllerCommands();
    RegisterPresetCommands();
    RegisterMainframeCommands();
    RegisterFileCommands();
    RegisterModelTable("CPU:0", 0, ModelTable::ForModel("CPU"));
    for (const ModuleSpec& module : m_options.modules) {
        RegisterModelTable(ModuleAddress(module), module.slot, ModelTable::ForModel(module.model));
    }
}

bool Instrument::ValidateOptions(std::string* error) const {
    auto fail = [error](std::string text) {
        if (error)
            *error = std::move(text);
        return false;
    };
    if (m_options.modules.size() > 4)
        return fail("at most four modules fit the mainframe");
    bool slotTaken[5] = {};
    for (const ModuleSpec& module : m_options.modules) {
        if (module.model.empty() || module.model.size() > 32) {
            return fail("module model name must have 1 to 32 characters");
        }
        for (char c : module.model) {
            if (!std::isalnum(static_cast<unsigned char>(c))) {
                return fail("module model name '" + module.model + "' must be letters and digits");
            }
        }
        if (SameTextIgnoringCase(module.model, "CPU"))
            return fail("'CPU' is the controller");
        if (module.slot < 1 || module.slot > 4) {
            return fail("slot of " + module.model + " must be 1 to 4");
        }
        if (slotTaken[module.slot]) {
            return fail("slot " + std::to_string(module.slot) + " holds two modules");
        }
        slotTaken[module.slot] = true;
        if (!ValidVersion(module.hardware) || !ValidVersion(module.software)) {
            return fail("bad version text for " + module.model);
        }
    }
    if (!ValidVersion(m_options.cpuHardware) || !ValidVersion(m_options.cpuSoftware)) {
        return fail("bad controller version text");
    }
    for (const PresetSeed& seed : m_options.presets) {
        if (seed.number < 1 || seed.number > PresetStore::kNumbered) {
            return fail("preset numbers run from 1 to 13");
        }
    }
    for (const FrameReset& reset : m_options.frameResets) {
        if (!ValidFrameReset(reset)) {
            return fail("bad frame reset '" + reset.frequency + "' (a number, slots 1 to 4)");
        }
    }
    if (!std::isfinite(m_options.memoryCapacity) || m_options.memoryCapacity < 0)
        return fail("bad memory capacity");
    return true;
}

int Instrument::Initialize(std::string* error) {
    std::lock_guard lock(m_mutex);
    if (!ValidateOptions(error))
        return 0;
    for (const PresetSeed& seed : m_options.presets) {
        m_presets.Set(seed.number, seed.name, seed.used);
    }
    if (m_files.Enabled()) {
        bool ok = m_files.MakeDirectories("CPU/PRESET");
        for (const ModuleSpec& module : m_options.modules) {
            for (const char* folder : {"SIGNAL", "PICTURE", "LOGO", "PRESET"}) {
                ok = ok && m_files.MakeDirectories(module.model + "/" + folder);
            }
        }
        if (!ok) {
            if (error)
                *error = "cannot lay out the instrument's files under " + m_files.Root();
            return 0;
        }
        // Seeded presets get their files unless the folder already holds that preset.
        for (const PresetSeed& seed : m_options.presets) {
            char file[32];
            std::snprintf(file, sizeof file, "CPU/PRESET/MSTATE.P%02d", seed.number);
            if (seed.used && !m_files.Exists(file)) {
                m_presets.SaveFiles(seed.number, m_files, m_options.modules);
            }
        }
        m_presets.LoadFiles(m_files, m_options.modules);
        if (m_options.demoFiles)
            SeedDemoFiles();
    }
    if (const Settings* powerOn = m_presets.Snapshot(PresetStore::kPowerOnDefault)) {
        m_settings = *powerOn;
    }
    for (const SettingSeed& seed : m_options.settings) {
        if (!StoreSetting(seed.slot, seed.header, seed.value)) {
            if (error) {
                *error = "setting " + seed.header + " " + seed.value + " does not fit slot " +
                         std::to_string(seed.slot);
            }
            return 0;
        }
    }
    return 1;
}

void Instrument::RegisterControllerCommands() {
    HeaderTree& tree = m_controller;
    tree.Register("*IDN?", [this](CommandContext& c) {
        // The PC's file utility looks for "USR" to tell a Quarn from other instruments.
        c.answer = "Harnoq,Quarn USR,0," + m_options.cpuSoftware;
        return ExpectArguments(c, 0);
    });
    tree.Register("*OPT?", [this](CommandContext& c) {
        c.answer = "\"CPU:0:" + m_options.cpuHardware + ":" + m_options.cpuSoftware + "\"";
        for (const ModuleSpec& module : m_options.modules) {
            c.answer += ",\"" + ModuleAddress(module) + ":" + module.hardware + ":" +
                        module.software + "\"";
        }
        return ExpectArguments(c, 0);
    });
    tree.Register("*CLS", [this](CommandContext& c) {
        if (!ExpectArguments(c, 0))
            return 0;
        m_errors.Clear();
        return 1;
    });
    tree.Register("*OPC?", [this](CommandContext& c) {
        c.answer = "1";  // every command has finished by the time the next one is read
        return ExpectArguments(c, 0);
    });
    tree.Register("*OPC", [this](CommandContext& c) { return ExpectArguments(c, 0); });
    tree.Register("*WAI", [this](CommandContext& c) { return ExpectArguments(c, 0); });
    tree.Register("*RST", [this](CommandContext& c) {
        if (!ExpectArguments(c, 0))
            return 0;
        m_settings.clear();
        return 1;
    });
    // Two spellings of the one queue.
    for (const char* pattern : {"SYSTem:ERRor[:NEXT]?", "STATus:QUEue[:NEXT]?"}) {
        tree.Register(pattern, [this](CommandContext& c) {
            if (!ExpectArguments(c, 0))
                return 0;
            InstrumentError error = m_errors.Pop();
            c.answer = std::to_string(error.number) + "," + PresetStore::Quote(error.text);
            return 1;
        });
    }
    tree.Register("SYSTem:ERRor:COUNt?", [this](CommandContext& c) {
        c.answer = std::to_string(m_errors.Size());
        return ExpectArguments(c, 0);
    });
    tree.Register("INSTrument:CATalog?", [this](CommandContext& c) {
        c.answer = "\"CPU:0\"";
        for (const ModuleSpec& module : m_options.modules) {
            c.answer += ",\"" + ModuleAddress(module) + "\"";
        }
        return ExpectArguments(c, 0);
    });
    tree.Register("INSTrument[:SELect]?", [this](CommandContext& c) {
        c.answer = PresetStore::Quote(c.session.selected);
        return ExpectArguments(c, 0);
    });
    tree.Register("INSTrument[:SELect]", [this](CommandContext& c) {
        std::string address;
        if (!ExpectArguments(c, 1) || !StringArgument(c, 0, &address))
            return 0;
        if (SameTextIgnoringCase(address, "CPU:0")) {
            c.session.selected = "CPU:0";
            return 1;
        }
        for (const ModuleSpec& module : m_options.modules) {
            if (SameTextIgnoringCase(address, ModuleAddress(module))) {
                c.session.selected = ModuleAddress(module);
                return 1;
            }
        }
        Push(err::kIllegalParameterValue, "Illegal parameter value");
        return 0;
    });
}

void Instrument::RegisterModelTable(const std::string& address, int slot, const ModelTable& table) {
    // The controller's own parameters answer whatever module is selected.
    HeaderTree& tree = address == "CPU:0" ? m_controller : m_modules[address];
    const ModelBehaviour& behaviour = table.Behaviour();
    for (const ParameterDef& parameter : table.Parameters()) {
        RegisterParameter(tree, address, slot, behaviour.Bind(parameter));
    }
    for (const ModelBehaviour::Command& command : behaviour.Commands()) {
        tree.Register(command.pattern, [this, slot, handler = command.handler](CommandContext& c) {
            ModuleAccess module(*this, slot);
            return handler(c, module);
        });
    }
    if (behaviour.FrameReset())
        m_frameResetRules.emplace_back(slot, behaviour.FrameReset());
    for (const std::string& folder : behaviour.NamedFolders()) {
        std::string path = "/F0:/" + address.substr(0, address.find(':')) + "/" + folder;
        if (std::find(m_namedFolders.begin(), m_namedFolders.end(), path) == m_namedFolders.end())
            m_namedFolders.push_back(path);
    }
}

void Instrument::RegisterParameter(HeaderTree& tree, const std::string& address, int slot,
                                   BoundParameter bound) {
    auto parameter = std::make_shared<const BoundParameter>(std::move(bound));
    std::string prefix = address + "/";
    tree.Register(
        parameter->definition.header + "?",
        [this, parameter, prefix](CommandContext& c) {
            if (!ExpectArguments(c, 0))
                return 0;
            const ParameterDef& definition = parameter->definition;
            auto it = m_settings.find(prefix + SettingKey(c.entry, c.suffixes));
            c.answer = ModelTable::Reply(
                definition, it == m_settings.end() ? definition.defaultValue : it->second);
            return 1;
        },
        parameter);
    if (!parameter->definition.settable)
        return;
    tree.Register(
        parameter->definition.header,
        [this, parameter, prefix, slot](CommandContext& c) {
            if (!ExpectArguments(c, 1))
                return 0;
            ModuleAccess module(*this, slot);
            std::string value;
            int error = 0;
            if (!CheckValue(*parameter, module, c.suffixes, c.command.arguments[0], &value,
                            &error)) {
                Push(error, error == err::kDataOutOfRange  ? "Data out of range"
                            : error == err::kDataTypeError ? "Data type error"
                                                           : "Illegal parameter value");
                return 0;
            }
            m_settings[prefix + SettingKey(c.entry, c.suffixes)] = value;
            if (parameter->reaction)
                parameter->reaction(module, c.suffixes, value);
            return 1;
        },
        parameter);
}

int Instrument::CheckValue(const BoundParameter& parameter, const ModuleState& module,
                           const std::vector<int>& suffixes, const Argument& argument,
                           std::string* value, int* error) {
    if (!parameter.limits)
        return ModelTable::Normalize(parameter.definition, argument, value, error);
    ParameterDef limited = parameter.definition;
    ParameterLimits limits = parameter.limits(module, suffixes);
    limited.minimum = limits.minimum;
    limited.maximum = limits.maximum;
    limited.allowed = std::move(limits.allowed);
    return ModelTable::Normalize(limited, argument, value, error);
}

void Instrument::AddModelTable(const ModelTable& table) {
    std::lock_guard lock(m_mutex);
    if (table.Model() == "CPU")
        RegisterModelTable("CPU:0", 0, table);
    for (const ModuleSpec& module : m_options.modules) {
        if (module.model == table.Model())
            RegisterModelTable(ModuleAddress(module), module.slot, table);
    }
}

const HeaderTree* Instrument::TreeFor(const Session& session) const {
    auto it = m_modules.find(session.selected);
    return it == m_modules.end() ? nullptr : &it->second;
}

bool Instrument::ProcessLine(Session& session, std::string_view line, std::string* reply) {
    std::lock_guard lock(m_mutex);
    std::vector<ParsedCommand> commands = LineParser::Parse(line, true);
    bool hasQuery = false;
    std::string joined;
    for (const ParsedCommand& command : commands) {
        std::string answer;
        std::vector<int> suffixes;
        const HeaderTree::Entry* entry = nullptr;
        bool suffixOutOfRange = false;
        if (command.syntaxError.empty()) {
            entry = m_controller.Find(command, &suffixes, &suffixOutOfRange);
            if (!entry) {
                const HeaderTree* tree = TreeFor(session);
                bool moduleSuffixOutOfRange = false;
                if (tree)
                    entry = tree->Find(command, &suffixes, &moduleSuffixOutOfRange);
                suffixOutOfRange = suffixOutOfRange || moduleSuffixOutOfRange;
            }
        }
        const Override* override = command.query ? FindOverride(command, entry, suffixes) : nullptr;
        if (override) {
            answer = override->answer;
        } else if (!command.syntaxError.empty()) {
            Push(-102, "Syntax error");
        } else if (TakeFailure(command, entry)) {
            // the injected error is on the queue; the command does nothing
        } else if (!entry && suffixOutOfRange) {
            Push(err::kHeaderSuffixOutOfRange, "Header suffix out of range");
        } else if (!entry) {
            Push(err::kUndefinedHeader, "Undefined header");
        } else {
            CommandContext context{command, *entry, suffixes, session, {}};
            if (entry->handler(context))
                answer = std::move(context.answer);
        }
        if (command.query) {
            if (hasQuery)
                joined += ';';
            joined += answer;
            hasQuery = true;
        }
    }
    if (hasQuery && reply)
        *reply = std::move(joined);
    return hasQuery;
}

const Instrument::Override* Instrument::FindOverride(const ParsedCommand& command,
                                                     const HeaderTree::Entry* entry,
                                                     const std::vector<int>& suffixes) const {
    for (const Override& candidate : m_overrides) {
        const ParsedCommand& key = candidate.key;
        if (key.common != command.common || !key.query)
            continue;
        bool sameHeader = false;
        if (entry) {
            std::vector<int> keySuffixes;
            sameHeader = entry->Matches(key.nodes, &keySuffixes) && keySuffixes == suffixes;
        } else {
            sameHeader = Upper(key.HeaderText()) == Upper(command.HeaderText());
        }
        if (!sameHeader)
            continue;
        if (!key.arguments.empty()) {
            if (key.arguments.size() != command.arguments.size())
                continue;
            bool same = true;
            for (size_t i = 0; i < key.arguments.size(); ++i) {
                same = same &&
                       SameTextIgnoringCase(key.arguments[i].Value(), command.arguments[i].Value());
            }
            if (!same)
                continue;
        }
        return &candidate;
    }
    return nullptr;
}

bool Instrument::TakeFailure(const ParsedCommand& command, const HeaderTree::Entry* entry) {
    std::string typed = Upper(command.HeaderText());
    for (auto it = m_failures.begin(); it != m_failures.end(); ++it) {
        const std::string& prefix = it->prefix;
        bool hit =
            typed.rfind(prefix, 0) == 0 || (entry && (entry->shortName.rfind(prefix, 0) == 0 ||
                                                      entry->longName.rfind(prefix, 0) == 0));
        if (!hit)
            continue;
        Push(it->number, it->text);
        m_failures.erase(it);
        return true;
    }
    return false;
}

int Instrument::ExpectArguments(const CommandContext& context, size_t count) {
    size_t given = context.command.arguments.size();
    if (given < count) {
        Push(err::kMissingParameter, "Missing parameter");
        return 0;
    }
    if (given > count) {
        Push(err::kParameterNotAllowed, "Parameter not allowed");
        return 0;
    }
    return 1;
}

int Instrument::IntegerArgument(const CommandContext& context, size_t index, long* value) {
    const Argument& argument = context.command.arguments[index];
    const std::string& text = argument.text;
    char* end = nullptr;
    errno = 0;
    long number = std::strtol(text.c_str(), &end, 10);
    bool digitsOnly = !text.empty();
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (!std::isdigit(static_cast<unsigned char>(c)) && !(i == 0 && (c == '+' || c == '-'))) {
            digitsOnly = false;
        }
    }
    if (argument.kind != Argument::Kind::Plain || !digitsOnly || errno == ERANGE ||
        end != text.c_str() + text.size()) {
        Push(err::kDataTypeError, "Data type error");
        return 0;
    }
    *value = number;
    return 1;
}

int Instrument::StringArgument(const CommandContext& context, size_t index, std::string* value) {
    const Argument& argument = context.command.arguments[index];
    if (argument.kind == Argument::Kind::Block) {
        Push(err::kDataTypeError, "Data type error");
        return 0;
    }
    *value = argument.text;
    return 1;
}

void Instrument::PushError(int number, std::string text) {
    std::lock_guard lock(m_mutex);
    Push(number, std::move(text));
}

size_t Instrument::ErrorCount() const {
    std::lock_guard lock(m_mutex);
    return m_errors.Size();
}

void Instrument::SetCpuSoftware(std::string software) {
    std::lock_guard lock(m_mutex);
    m_options.cpuSoftware = std::move(software);
}

void Instrument::SetReplyOverride(std::string query, std::string answer) {
    std::lock_guard lock(m_mutex);
    std::vector<ParsedCommand> parsed = LineParser::Parse(query);
    if (parsed.empty())
        return;
    m_overrides.insert(m_overrides.begin(), {parsed.front(), std::move(answer)});
}

void Instrument::ClearReplyOverrides() {
    std::lock_guard lock(m_mutex);
    m_overrides.clear();
}

void Instrument::FailNextCommand(std::string headerPrefix, int errorNumber, std::string text) {
    std::lock_guard lock(m_mutex);
    if (!headerPrefix.empty() && headerPrefix.front() == ':')
        headerPrefix.erase(0, 1);
    m_failures.push_back({Upper(headerPrefix), errorNumber, std::move(text)});
}

std::string Instrument::Setting(const std::string& key) const {
    std::lock_guard lock(m_mutex);
    auto it = m_settings.find(key);
    return it == m_settings.end() ? std::string() : it->second;
}

void Instrument::SetSetting(const std::string& key, std::string value) {
    std::lock_guard lock(m_mutex);
    m_settings[key] = std::move(value);
}

std::string Instrument::AddressOf(int slot) const {
    if (slot == 0)
        return "CPU:0";
    for (const ModuleSpec& module : m_options.modules) {
        if (module.slot == slot)
            return ModuleAddress(module);
    }
    return {};
}

int Instrument::ResolveSetting(int slot, const std::string& header, std::string* key,
                               const BoundParameter** parameter, std::vector<int>* suffixes) const {
    std::string address = AddressOf(slot);
    const HeaderTree* tree = nullptr;
    if (slot == 0) {
        tree = &m_controller;
    } else {
        auto it = m_modules.find(address);
        if (it == m_modules.end())
            return 0;
        tree = &it->second;
    }
    std::string text = header;
    if (!text.empty() && text.back() != '?')
        text += '?';
    std::vector<ParsedCommand> commands = LineParser::Parse(text);
    if (commands.size() != 1 || !commands[0].syntaxError.empty() ||
        !commands[0].arguments.empty()) {
        return 0;
    }
    const HeaderTree::Entry* entry = tree->Find(commands[0], suffixes);
    if (!entry || !entry->parameter)
        return 0;
    *key = address + "/" + SettingKey(*entry, *suffixes);
    *parameter = entry->parameter.get();
    return 1;
}

int Instrument::StoreSetting(int slot, const std::string& header, const std::string& value) {
    std::string key;
    const BoundParameter* parameter = nullptr;
    std::vector<int> suffixes;
    if (!ResolveSetting(slot, header, &key, &parameter, &suffixes))
        return 0;
    std::string stored;
    int error = 0;
    Argument argument{parameter->definition.kind == ParameterKind::Text ? Argument::Kind::Quoted
                                                                        : Argument::Kind::Plain,
                      value};
    ModuleAccess module(*this, slot);
    if (!CheckValue(*parameter, module, suffixes, argument, &stored, &error))
        return 0;
    m_settings[key] = stored;
    return 1;
}

std::string Instrument::CurrentValue(int slot, const std::string& header) const {
    std::string key;
    const BoundParameter* parameter = nullptr;
    std::vector<int> suffixes;
    if (!ResolveSetting(slot, header, &key, &parameter, &suffixes))
        return {};
    auto it = m_settings.find(key);
    return it == m_settings.end() ? parameter->definition.defaultValue : it->second;
}

int Instrument::SetModuleSetting(int slot, const std::string& header, const std::string& value) {
    std::lock_guard lock(m_mutex);
    return StoreSetting(slot, header, value);
}

std::string Instrument::ModuleSetting(int slot, const std::string& header) const {
    std::lock_guard lock(m_mutex);
    return CurrentValue(slot, header);
}

}  // namespace quarnsim
