// The controller's mainframe queries: frame resets, the drive's catalogue and current folder.
#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "ModuleAccess.h"
#include "quarnsim/Catalog.h"
#include "quarnsim/Instrument.h"

namespace quarnsim {
namespace {

bool AbsentFrequency(const std::string& frequency) {
    return std::strtod(frequency.c_str(), nullptr) == 0;
}

bool SameTextIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(a[i])) !=
            std::toupper(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::string Instrument::JoinPath(const std::string& current, std::string_view text) {
    std::vector<std::string> parts;
    std::string_view rest = text;
    while (!rest.empty() && (rest.front() == '/' || rest.front() == '\\')) rest.remove_prefix(1);
    bool absolute = rest.size() != text.size();
    if (rest.size() >= 3 && SameTextIgnoringCase(rest.substr(0, 3), "F0:")) {
        rest.remove_prefix(3);
        absolute = true;
    }
    if (!absolute)
        return JoinPath(current, current + "/" + std::string(text));
    std::string name;
    auto flush = [&]() {
        if (name == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!name.empty() && name != ".") {
            parts.push_back(name);
        }
        name.clear();
    };
    for (char c : rest) {
        if (c == '/' || c == '\\') {
            flush();
        } else {
            name += c;
        }
    }
    flush();
    std::string folder = "/F0:/";
    for (size_t i = 0; i < parts.size(); ++i) folder += (i ? "/" : "") + parts[i];
    return folder;
}

bool Instrument::ValidFrameReset(const FrameReset& reset) {
    const std::string& text = reset.frequency;
    if (text.empty() || text.size() > 32)
        return false;
    char* end = nullptr;
    errno = 0;
    double value = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size() || errno == ERANGE || !std::isfinite(value) ||
        value < 0) {
        return false;
    }
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c)) && c != '.' && c != 'e' && c != 'E' &&
            c != '+' && c != '-') {
            return false;
        }
    }
    for (int slot : reset.usedBy) {
        if (slot < 1 || slot > 4)
            return false;
    }
    return true;
}

void Instrument::RegisterMainframeCommands() {
    HeaderTree& tree = m_controller;
    tree.Register("SENSe:ROSCillator:FRAME#{1-3}:FREQuency?", [this](CommandContext& c) {
        c.answer = m_frameResets[c.suffixes[0] - 1].frequency;
        return ExpectArguments(c, 0);
    });
    tree.Register("SENSe:ROSCillator:FRAME#{1-3}:CATalog?", [this](CommandContext& c) {
        c.answer = FrameCatalog(c.suffixes[0]);
        return ExpectArguments(c, 0);
    });
    tree.Register("MMEMory:CATalog?", [this](CommandContext& c) { return Catalogue(c); });
    tree.Register("MMEMory:CDIRectory", [this](CommandContext& c) { return ChangeFolder(c); });
    tree.Register("MMEMory:CDIRectory?", [this](CommandContext& c) {
        c.answer = PresetStore::Quote(c.session.folder);
        return ExpectArguments(c, 0);
    });
}

std::string Instrument::FrameCatalog(int reset) const {
    if (reset < 1 || reset > 3)
        return {};
    const FrameReset& frame = m_frameResets[reset - 1];
    if (AbsentFrequency(frame.frequency))
        return {};
    std::vector<int> usedBy = frame.usedBy;
    for (const auto& [slot, uses] : m_frameResetRules) {
        const ModuleAccess module(*this, slot);
        if (uses(module, reset))
            usedBy.push_back(slot);
    }
    std::sort(usedBy.begin(), usedBy.end());
    usedBy.erase(std::unique(usedBy.begin(), usedBy.end()), usedBy.end());
    if (usedBy.empty())
        return {};
    std::string list;
    for (int slot : usedBy) list += (list.empty() ? "" : ",") + std::to_string(slot);
    return "\"" + list + "\"";
}

int Instrument::FolderArgument(CommandContext& context, std::string* folder) {
    std::string text;
    std::string plain;
    if (!StringArgument(context, 0, &text))
        return 0;
    if (!Catalog::UnescapePath(text, &plain)) {
        Push(err::kFileNameError, "File name error");
        return 0;
    }
    std::string joined = JoinPath(context.session.folder, plain);
    if (!m_files.Enabled()) {
        if (joined != "/F0:/") {
            Push(err::kFileNameNotFound, "File name not found");
            return 0;
        }
        *folder = joined;
        return 1;
    }
    std::string host;
    if (!m_files.Resolve(joined, &host)) {
        Push(err::kFileNameError, "File name error");
        return 0;
    }
    if (!m_files.IsFolder(joined)) {
        Push(err::kFileNameNotFound, "File name not found");
        return 0;
    }
    *folder = joined;
    return 1;
}

int Instrument::Catalogue(CommandContext& context) {
    size_t given = context.command.arguments.size();
    if (given > 1) {
        Push(err::kParameterNotAllowed, "Parameter not allowed");
        return 0;
    }
    // A folder given with the query is listed without moving the current folder.
    std::string folder = context.session.folder;
    if (given == 1 && !FolderArgument(context, &folder))
        return 0;
    std::vector<CatalogEntry> entries;
    if (m_files.Enabled()) {
        if (!m_files.List(folder, &entries)) {
            Push(err::kFileNameNotFound, "File name not found");
            return 0;
        }
        bool named =
            std::find(m_namedFolders.begin(), m_namedFolders.end(), folder) != m_namedFolders.end();
        for (CatalogEntry& entry : entries) entry.literal = named && entry.folder;
    } else if (folder == "/F0:/") {
        // Without a drive the root still shows the folders the instrument lays out.
        entries.push_back({"CPU", true, 0});
        for (const ModuleSpec& module : m_options.modules) {
            bool listed = std::any_of(entries.begin(), entries.end(), [&](const CatalogEntry& e) {
                return e.name == module.model;
            });
            if (!listed)
                entries.push_back({module.model, true, 0});
        }
    }
    double used = 0;
    double free = 0;
    if (m_memoryBytes) {
        used = m_memoryBytes->first;
        free = m_memoryBytes->second;
    } else {
        used = static_cast<double>(m_files.UsedBytes());
        free = std::max(0.0, m_options.memoryCapacity - used);
    }
    context.answer = Catalog::Format(used, free, entries, m_options.catalogTypeFields,
                                     m_options.emptyCatalogComma);
    return 1;
}

int Instrument::ChangeFolder(CommandContext& context) {
    std::string folder;
    if (!ExpectArguments(context, 1) || !FolderArgument(context, &folder))
        return 0;
    context.session.folder = folder;
    return 1;
}

int Instrument::SetFrameReset(int reset, std::string frequency, std::vector<int> usedBy) {
    FrameReset candidate{std::move(frequency), std::move(usedBy)};
    if (reset < 1 || reset > 3 || !ValidFrameReset(candidate))
        return 0;
    std::lock_guard lock(m_mutex);
    m_frameResets[reset - 1] = std::move(candidate);
    return 1;
}

int Instrument::SetFrameResetFrequency(int reset, std::string frequency) {
    if (reset < 1 || reset > 3)
        return 0;
    std::lock_guard lock(m_mutex);
    FrameReset candidate{std::move(frequency), m_frameResets[reset - 1].usedBy};
    if (!ValidFrameReset(candidate))
        return 0;
    m_frameResets[reset - 1] = std::move(candidate);
    return 1;
}

int Instrument::SetFrameResetSlots(int reset, std::vector<int> usedBy) {
    if (reset < 1 || reset > 3)
        return 0;
    std::lock_guard lock(m_mutex);
    FrameReset candidate{m_frameResets[reset - 1].frequency, std::move(usedBy)};
    if (!ValidFrameReset(candidate))
        return 0;
    m_frameResets[reset - 1] = std::move(candidate);
    return 1;
}

std::string Instrument::FrameResetFrequency(int reset) const {
    std::lock_guard lock(m_mutex);
    return reset >= 1 && reset <= 3 ? m_frameResets[reset - 1].frequency : std::string();
}

std::string Instrument::FrameResetCatalog(int reset) const {
    std::lock_guard lock(m_mutex);
    return FrameCatalog(reset);
}

void Instrument::SetMemoryBytes(double used, double free) {
    std::lock_guard lock(m_mutex);
    m_memoryBytes = std::make_pair(used, free);
}

void Instrument::ClearMemoryBytes() {
    std::lock_guard lock(m_mutex);
    m_memoryBytes.reset();
}

}  // namespace quarnsim
