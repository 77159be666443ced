#pragma once

#include <array>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "quarnsim/ErrorQueue.h"
#include "quarnsim/FileSystem.h"
#include "quarnsim/HeaderTree.h"
#include "quarnsim/ModelTable.h"
#include "quarnsim/Options.h"
#include "quarnsim/PresetStore.h"
#include "quarnsim/Session.h"

namespace quarnsim {

// The instrument behind the command port, without any socket: one line in, at most one reply
// line out. Thread-safe; lines from several connections are run one at a time.
//
// Reply rules: a line holding at least one query gets exactly one reply line, its answers joined
// by ';' in query order. A query that fails (unknown header, bad argument, injected failure)
// pushes an error and keeps its place with an empty answer, so the PC never waits for a reply
// that does not come and later answers never slide into an earlier query's place.
class Instrument {
public:
    explicit Instrument(Options options);

    // Checks the options, lays out the root folder and reads presets found there.
    int Initialize(std::string* error);

    // Returns true, with the reply (no terminator) when the line held a query.
    bool ProcessLine(Session& session, std::string_view line, std::string* reply);

    // Adds the parameters of `table` to every module of its model ("CPU" for the controller).
    void AddModelTable(const ModelTable& table);

    const Options& GetOptions() const { return m_options; }
    FileSystem& Files() { return m_files; }

    // Test control.
    void PushError(int number, std::string text);
    size_t ErrorCount() const;
    void SetCpuSoftware(std::string software);
    void SetReplyOverride(std::string query, std::string answer);
    void ClearReplyOverrides();
    void FailNextCommand(std::string headerPrefix, int errorNumber, std::string text);
    std::string PresetName(int number) const;
    bool PresetUsed(int number) const;
    void SetPreset(int number, std::string name, bool used);
    bool UserDefaultUsed() const;
    void SetUserDefaultUsed(bool used);
    std::string Setting(const std::string& key) const;  // empty when at its default
    void SetSetting(const std::string& key, std::string value);

    // A current setting of the module in `slot` (0: the controller), by its header as a client
    // writes it, long or short form ("OUTP:AUD:CHAN1:AMPL"). The value is checked like a set
    // command's argument; returns 0 for an empty slot, an unknown header or a refused value.
    int SetModuleSetting(int slot, const std::string& header, const std::string& value);
    // The value a query would answer (a text without its quotes); empty for an unknown header.
    std::string ModuleSetting(int slot, const std::string& header) const;

    // Frame resets 1..3. A frequency that reads as 0 makes the reset absent. Slots run 1..4.
    // Each returns 0, changing nothing, for a bad reset number, frequency text or slot.
    int SetFrameReset(int reset, std::string frequency, std::vector<int> usedBy);
    int SetFrameResetFrequency(int reset, std::string frequency);
    int SetFrameResetSlots(int reset, std::vector<int> usedBy);
    std::string FrameResetFrequency(int reset) const;
    // What "SENS:ROSC:FRAME<reset>:CAT?" answers now.
    std::string FrameResetCatalog(int reset) const;

    // Replaces the drive's used and free byte counts in catalogue listings.
    void SetMemoryBytes(double used, double free);
    void ClearMemoryBytes();

    // What the MMEM:LOAD commands took into working memory, oldest first.
    struct LoadRecord {
        std::string kind;  // "DOWNLOAD", "LOGO", "MACRO", "PRESET", "PICTURE", "SIGNAL"
        std::string path;  // "/F0:/Tavix/LOGO/A.LGO"; empty for a download sent as a block
        uint64_t size = 0;
        std::string data;  // the bytes of a download sent as a block
    };
    std::vector<LoadRecord> Loads() const;
    void ClearLoads();
    // The next "MMEM:DATA?" of `path` (written as a client writes it, escapes allowed) announces
    // the file's size plus `delta` in its block header while sending the file's real bytes.
    void SetBlockLengthSkew(const std::string& path, long long delta);

    // "/F0:/A/B", "F0:/A", "A/B" (relative to `current`), ".." and "." -> "/F0:/A/B" or "/F0:/".
    // Never climbs above the root.
    static std::string JoinPath(const std::string& current, std::string_view text);

private:
    struct Override {
        ParsedCommand key;
        std::string answer;
    };
    struct PendingFailure {
        std::string prefix;  // upper case
        int number = 0;
        std::string text;
    };

    void RegisterControllerCommands();
    void RegisterPresetCommands();
    void RegisterMainframeCommands();
    // What a model's behaviour sees of one module (Instrument.cpp).
    class ModuleAccess;

    void RegisterModelTable(const std::string& address, int slot, const ModelTable& table);
    void RegisterParameter(HeaderTree& tree, const std::string& address, int slot,
                           BoundParameter parameter);
    bool ValidateOptions(std::string* error) const;
    static bool ValidFrameReset(const FrameReset& reset);

    // "Tavix:1" for the module in `slot`, "CPU:0" for 0; empty for an empty slot.
    std::string AddressOf(int slot) const;
    // The settings key, parameter and suffixes of `header` in the tree of the module in `slot`.
    int ResolveSetting(int slot, const std::string& header, std::string* key,
                       const BoundParameter** parameter, std::vector<int>* suffixes) const;
    // A set's argument in its stored form, within the limits the module's state gives now.
    static int CheckValue(const BoundParameter& parameter, const ModuleState& module,
                          const std::vector<int>& suffixes, const Argument& argument,
                          std::string* value, int* error);
    int StoreSetting(int slot, const std::string& header, const std::string& value);
    std::string CurrentValue(int slot, const std::string& header) const;
    std::string FrameCatalog(int reset) const;

    int Catalogue(CommandContext& context);
    int ChangeFolder(CommandContext& context);
    // A folder argument, relative to the session's folder unless it starts at the root, as
    // "/F0:/A/B" ("/F0:/" for the root). Pushes the error and returns 0 when it is no folder.
    int FolderArgument(CommandContext& context, std::string* folder);
    // A path argument at `index`, unescaped and made absolute, that the drive can hold. Pushes
    // the error and returns 0 otherwise; the path need not exist.
    int PathArgument(CommandContext& context, size_t index, std::string* path);
    void RegisterFileCommands();
    int MakeFolder(CommandContext& context);
    int RemoveFolder(CommandContext& context);
    int Delete(CommandContext& context);
    int DeleteAll(CommandContext& context);
    int MoveOrCopy(CommandContext& context, bool copy);
    int Load(CommandContext& context, const std::string& kind);
    // A file command that names a module's slot as its first argument ("MMEM:LOAD:SIGN 3,...")
    // runs as the command of that module's model, with the remaining arguments.
    int ForwardToSlot(CommandContext& context);
    int WriteData(CommandContext& context);
    int ReadData(CommandContext& context);
    // 0, with -254 pushed, when `extra` more bytes would not fit the drive.
    int RoomFor(uint64_t extra);
    void SeedDemoFiles();

    const HeaderTree* TreeFor(const Session& session) const;
    const Override* FindOverride(const ParsedCommand& command, const HeaderTree::Entry* entry,
                                 const std::vector<int>& suffixes) const;
    bool TakeFailure(const ParsedCommand& command, const HeaderTree::Entry* entry);
    void Push(int number, std::string text) { m_errors.Push(number, std::move(text)); }

    // Argument helpers for handlers; each pushes its own error and returns 0 on failure.
    int ExpectArguments(const CommandContext& context, size_t count);
    int IntegerArgument(const CommandContext& context, size_t index, long* value);
    int StringArgument(const CommandContext& context, size_t index, std::string* value);

    int LoadPreset(CommandContext& context);
    int StorePreset(CommandContext& context);
    int RenamePreset(CommandContext& context);
    int DeletePreset(CommandContext& context);
    int PresetCatalog(CommandContext& context);

    mutable std::mutex m_mutex;
    Options m_options;
    FileSystem m_files;
    ErrorQueue m_errors;
    PresetStore m_presets;
    Settings m_settings;
    HeaderTree m_controller;
    std::map<std::string, HeaderTree> m_modules;  // by address, "CPU:0" included
    std::vector<Override> m_overrides;
    std::vector<PendingFailure> m_failures;
    std::array<FrameReset, 3> m_frameResets;
    std::vector<std::pair<int, FrameResetRule>> m_frameResetRules;  // by slot
    std::optional<std::pair<double, double>> m_memoryBytes;         // used, free
    std::vector<LoadRecord> m_loads;
    std::map<std::string, long long> m_blockSkews;  // by absolute instrument path
    std::vector<std::string> m_namedFolders;        // listed without escapes, "/F0:/Sormet/SIGNAL"
};

}  // namespace quarnsim
