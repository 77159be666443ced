#include "quarnsim/PresetStore.h"

#include <cctype>
#include <cstdio>

#include "quarnsim/FileSystem.h"

namespace quarnsim {
namespace {

const char* const kFixedNames[] = {"User Default", "Power On Default", "Factory Default"};

bool SameTextIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

// Preset files are "key=value" lines; these characters would break a line apart.
std::string Escape(std::string_view text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '=':
                out += "\\q";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string Unescape(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        switch (text[++i]) {
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 'q':
                out += '=';
                break;
            default:
                out += text[i];
        }
    }
    return out;
}

std::string FileSuffix(int number) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, ".P%02d", number);
    return buffer;
}

std::string CpuFile(int number) {
    return "CPU/PRESET/MSTATE" + FileSuffix(number);
}

std::string ModuleFile(const ModuleSpec& module, int number) {
    return module.model + "/PRESET/MSTATE" + std::to_string(module.slot) + FileSuffix(number);
}

std::string ModuleAddress(const ModuleSpec& module) {
    return module.model + ":" + std::to_string(module.slot) + "/";
}

void ParseLines(const std::string& data, std::string* name, Settings* settings) {
    size_t start = 0;
    while (start < data.size()) {
        size_t end = data.find('\n', start);
        if (end == std::string::npos)
            end = data.size();
        std::string_view line(data.data() + start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        size_t equals = line.find('=');
        if (line.empty() || line.front() == '#' || equals == std::string_view::npos)
            continue;
        std::string key = Unescape(line.substr(0, equals));
        std::string value = Unescape(line.substr(equals + 1));
        if (key == "NAME") {
            if (name)
                *name = value;
        } else if (key.find('/') != std::string::npos) {
            (*settings)[key] = value;
        }
    }
}

}  // namespace

PresetStore::PresetStore() : m_entries(kFactoryDefault + 1) {
    for (int n = 1; n <= kNumbered; ++n) m_entries[n].name = "PRESET " + std::to_string(n);
    m_entries[kUserDefault].name = kFixedNames[0];
    m_entries[kPowerOnDefault].name = kFixedNames[1];
    m_entries[kPowerOnDefault].used = true;
    m_entries[kFactoryDefault].name = kFixedNames[2];
    m_entries[kFactoryDefault].used = true;
}

std::string PresetStore::Name(int number) const {
    return Valid(number) ? m_entries[number].name : std::string();
}

bool PresetStore::Used(int number) const {
    return Valid(number) && m_entries[number].used;
}

void PresetStore::Set(int number, std::string name, bool used) {
    if (!Valid(number) || number >= kPowerOnDefault)
        return;
    if (number <= kNumbered)
        m_entries[number].name = std::move(name);
    m_entries[number].used = used;
    if (!used)
        m_entries[number].snapshot.clear();
}

int PresetStore::FindByName(std::string_view name) const {
    for (int n = kUserDefault; n <= kFactoryDefault; ++n) {
        if (SameTextIgnoringCase(name, m_entries[n].name))
            return n;
    }
    for (int n = 1; n <= kNumbered; ++n) {
        if (m_entries[n].name == name)
            return n;
    }
    return 0;
}

bool PresetStore::NameTaken(std::string_view name, int number) const {
    for (const char* fixed : kFixedNames) {
        if (SameTextIgnoringCase(name, fixed))
            return true;
    }
    for (int n = 1; n <= kNumbered; ++n) {
        if (n != number && m_entries[n].name == name)
            return true;
    }
    return false;
}

const Settings* PresetStore::Snapshot(int number) const {
    return Used(number) ? &m_entries[number].snapshot : nullptr;
}

void PresetStore::Store(int number, const Settings& settings) {
    if (!Valid(number) || number == kFactoryDefault)
        return;
    m_entries[number].used = true;
    m_entries[number].snapshot = settings;
}

void PresetStore::Delete(int number) {
    if (number < 1 || number > kUserDefault)
        return;
    m_entries[number].used = false;
    m_entries[number].snapshot.clear();
}

void PresetStore::Rename(int number, std::string name) {
    if (number >= 1 && number <= kNumbered)
        m_entries[number].name = std::move(name);
}

std::string PresetStore::CatalogAll() const {
    std::string reply;
    for (int n = 1; n <= kFactoryDefault; ++n) {
        if (!m_entries[n].used)
            continue;
        if (!reply.empty())
            reply += ',';
        reply += std::to_string(n) + "," + Quote(m_entries[n].name);
    }
    return reply;
}

std::string PresetStore::Quote(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        out += c;
        if (c == '"')
            out += '"';
    }
    out += '"';
    return out;
}

int PresetStore::SaveFiles(int number, FileSystem& files,
                           const std::vector<ModuleSpec>& modules) const {
    if (!files.Enabled() || !Used(number) || number == kFactoryDefault)
        return 1;
    const Entry& entry = m_entries[number];
    std::vector<std::string> moduleData(modules.size());
    std::string cpuData = "NAME=" + Escape(entry.name) + "\n";
    for (const auto& [key, value] : entry.snapshot) {
        std::string line = Escape(key) + "=" + Escape(value) + "\n";
        size_t owner = 0;
        while (owner < modules.size() && key.rfind(ModuleAddress(modules[owner]), 0) != 0) {
            ++owner;
        }
        (owner < modules.size() ? moduleData[owner] : cpuData) += line;
    }
    int ok = files.WriteFile(CpuFile(number), cpuData);
    for (size_t i = 0; i < modules.size(); ++i) {
        ok &= files.WriteFile(ModuleFile(modules[i], number), moduleData[i]);
    }
    return ok;
}

void PresetStore::RemoveFiles(int number, FileSystem& files,
                              const std::vector<ModuleSpec>& modules) const {
    if (!files.Enabled())
        return;
    files.RemoveFile(CpuFile(number));
    for (const ModuleSpec& module : modules) files.RemoveFile(ModuleFile(module, number));
}

void PresetStore::LoadFiles(const FileSystem& files, const std::vector<ModuleSpec>& modules) {
    if (!files.Enabled())
        return;
    for (int n = 1; n < kFactoryDefault; ++n) {
        std::string data;
        if (!files.ReadFile(CpuFile(n), &data))
            continue;
        Entry& entry = m_entries[n];
        std::string name = entry.name;
        Settings snapshot;
        ParseLines(data, &name, &snapshot);
        for (const ModuleSpec& module : modules) {
            std::string moduleData;
            if (files.ReadFile(ModuleFile(module, n), &moduleData)) {
                ParseLines(moduleData, nullptr, &snapshot);
            }
        }
        if (n <= kNumbered) {
            // A name that came from outside must still fit a catalogue reply line.
            std::string clean;
            for (char c : name) {
                if (static_cast<unsigned char>(c) >= 0x20 && clean.size() < kMaxNameLength) {
                    clean += c;
                }
            }
            entry.name = clean;
        }
        entry.used = true;
        entry.snapshot = std::move(snapshot);
    }
}

}  // namespace quarnsim
