// Preset commands of the controller and the preset side of test control.
#include "quarnsim/Instrument.h"

namespace quarnsim {
namespace {

bool PrintableName(std::string_view name) {
    for (char c : name) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            return false;
    }
    return true;
}

}  // namespace

void Instrument::RegisterPresetCommands() {
    HeaderTree& tree = m_controller;
    tree.Register("MMEMory:PRESet:CATalog?",
                  [this](CommandContext& c) { return PresetCatalog(c); });
    tree.Register("MMEMory:PRESet:CATalog:ALL?", [this](CommandContext& c) {
        c.answer = m_presets.CatalogAll();
        return ExpectArguments(c, 0);
    });
    tree.Register("MMEMory:LOAD:PRESet", [this](CommandContext& c) { return LoadPreset(c); });
    tree.Register("MMEMory:STORe:PRESet", [this](CommandContext& c) { return StorePreset(c); });
    tree.Register("MMEMory:PRESet:REName", [this](CommandContext& c) { return RenamePreset(c); });
    tree.Register("MMEMory:PRESet:DELete", [this](CommandContext& c) { return DeletePreset(c); });
}

int Instrument::PresetCatalog(CommandContext& context) {
    long number = 0;
    if (!ExpectArguments(context, 1) || !IntegerArgument(context, 0, &number))
        return 0;
    if (number < 1 || number > PresetStore::kNumbered) {
        Push(err::kDataOutOfRange, "Data out of range");
        return 0;
    }
    context.answer = PresetStore::Quote(m_presets.Name(static_cast<int>(number)));
    return 1;
}

int Instrument::LoadPreset(CommandContext& context) {
    std::string name;
    if (!ExpectArguments(context, 1) || !StringArgument(context, 0, &name))
        return 0;
    const Settings* snapshot = m_presets.Snapshot(m_presets.FindByName(name));
    if (!snapshot) {
        // Not a preset's name: a preset file on the drive, as the file utility loads them.
        return Load(context, "PRESET");
    }
    m_settings = *snapshot;
    return 1;
}

int Instrument::StorePreset(CommandContext& context) {
    std::string name;
    if (!ExpectArguments(context, 1) || !StringArgument(context, 0, &name))
        return 0;
    int number = m_presets.FindByName(name);
    if (number == 0) {
        Push(err::kFileNameNotFound, "File name not found");
        return 0;
    }
    if (number == PresetStore::kFactoryDefault) {
        Push(err::kMediaProtected, "Media protected");
        return 0;
    }
    m_presets.Store(number, m_settings);
    if (!m_presets.SaveFiles(number, m_files, m_options.modules)) {
        Push(err::kMassStorageError, "Mass storage error");
        return 0;
    }
    return 1;
}

int Instrument::RenamePreset(CommandContext& context) {
    long number = 0;
    std::string name;
    if (!ExpectArguments(context, 2) || !IntegerArgument(context, 0, &number) ||
        !StringArgument(context, 1, &name)) {
        return 0;
    }
    if (number < 1 || number > PresetStore::kNumbered) {
        Push(err::kDataOutOfRange, "Data out of range");
        return 0;
    }
    int n = static_cast<int>(number);
    if (name.size() > PresetStore::kMaxNameLength || !PrintableName(name)) {
        Push(err::kFileNameError, "File name error");
        return 0;
    }
    // Presets are stored and recalled by name: a second preset of the same name would make a
    // later store land in whichever preset comes first.
    if (m_presets.NameTaken(name, n)) {
        Push(err::kFileNameError, "File name error, name already in use");
        return 0;
    }
    m_presets.Rename(n, name);
    if (m_presets.Used(n) && !m_presets.SaveFiles(n, m_files, m_options.modules)) {
        Push(err::kMassStorageError, "Mass storage error");
        return 0;
    }
    return 1;
}

int Instrument::DeletePreset(CommandContext& context) {
    long number = 0;
    if (!ExpectArguments(context, 1) || !IntegerArgument(context, 0, &number))
        return 0;
    if (number < 1 || number > PresetStore::kNumbered) {
        Push(err::kDataOutOfRange, "Data out of range");
        return 0;
    }
    int n = static_cast<int>(number);
    if (!m_presets.Used(n)) {
        Push(err::kFileNameNotFound, "File name not found");
        return 0;
    }
    m_presets.Delete(n);
    m_presets.RemoveFiles(n, m_files, m_options.modules);
    return 1;
}

std::string Instrument::PresetName(int number) const {
    std::lock_guard lock(m_mutex);
    return m_presets.Name(number);
}

bool Instrument::PresetUsed(int number) const {
    std::lock_guard lock(m_mutex);
    return m_presets.Used(number);
}

void Instrument::SetPreset(int number, std::string name, bool used) {
    std::lock_guard lock(m_mutex);
    if (number < 1 || number > PresetStore::kNumbered)
        return;
    m_presets.Set(number, std::move(name), used);
    if (used) {
        m_presets.SaveFiles(number, m_files, m_options.modules);
    } else {
        m_presets.RemoveFiles(number, m_files, m_options.modules);
    }
}

bool Instrument::UserDefaultUsed() const {
    std::lock_guard lock(m_mutex);
    return m_presets.Used(PresetStore::kUserDefault);
}

void Instrument::SetUserDefaultUsed(bool used) {
    std::lock_guard lock(m_mutex);
    m_presets.Set(PresetStore::kUserDefault, {}, used);
    if (used) {
        m_presets.SaveFiles(PresetStore::kUserDefault, m_files, m_options.modules);
    } else {
        m_presets.RemoveFiles(PresetStore::kUserDefault, m_files, m_options.modules);
    }
}

}  // namespace quarnsim
