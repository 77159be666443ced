#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "quarnsim/Options.h"

namespace quarnsim {

class FileSystem;

// Current settings: "<address>/<canonical header>" -> stored value. An absent key means the
// parameter's default, so an empty map is the factory state.
using Settings = std::map<std::string, std::string>;

// The 13 numbered presets and the three named ones, with their snapshots and their files.
class PresetStore {
public:
    static constexpr int kNumbered = 13;
    static constexpr int kUserDefault = 14;
    static constexpr int kPowerOnDefault = 15;
    static constexpr int kFactoryDefault = 16;
    static constexpr size_t kMaxNameLength = 32;

    PresetStore();

    std::string Name(int number) const;  // numbered and named presets
    bool Used(int number) const;         // the factory default always exists
    void Set(int number, std::string name, bool used);

    // The number of the preset called `name`: fixed names regardless of case, numbered presets
    // by exact name (the first one when several share it). 0 when there is none.
    int FindByName(std::string_view name) const;
    // Another numbered preset than `number` already called `name`, or a fixed name.
    bool NameTaken(std::string_view name, int number) const;

    const Settings* Snapshot(int number) const;  // null when the preset does not exist
    void Store(int number, const Settings& settings);
    void Delete(int number);
    void Rename(int number, std::string name);

    // `<n>,"<name>"` pairs for MMEM:PRES:CAT:ALL?.
    std::string CatalogAll() const;

    // Files: CPU/PRESET/MSTATE.P<nn> and <Model>/PRESET/MSTATE<slot>.P<nn>. Return 0 on a write
    // failure; the preset in memory is kept either way.
    int SaveFiles(int number, FileSystem& files, const std::vector<ModuleSpec>& modules) const;
    void RemoveFiles(int number, FileSystem& files, const std::vector<ModuleSpec>& modules) const;
    void LoadFiles(const FileSystem& files, const std::vector<ModuleSpec>& modules);

    static std::string Quote(std::string_view text);  // SCPI string: doubled inner quotes

private:
    struct Entry {
        std::string name;
        bool used = false;
        Settings snapshot;
    };
    static bool Valid(int number) { return number >= 1 && number <= kFactoryDefault; }

    std::vector<Entry> m_entries;  // index = number; 0 unused
};

}  // namespace quarnsim
