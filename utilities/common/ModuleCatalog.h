// CModuleCatalog: a module catalogue text, as the instrument answers "inst:cat?" and as
// backup.cfg records it: quoted addresses joined by ',', "CPU:0","Brumo:1","Sormet:3", each a
// model name, a colon and its slot.
//
// Two readings of it: whether a model of the fixed table is installed (an address names
// exactly that model; "CPU" always is), which the backup and the restore both walk, and the
// models of slots 1 to 4 for the restore's mismatch dialog. Both texts may be hostile (a file
// from anywhere, a reply from the network): the walks only search and copy, nothing is
// assumed about lengths. Only the fixed model table ever becomes part of a folder or
// instrument path, so nothing the instrument sends can name a PC path.
#pragma once

#include <array>
#include <string>

namespace utilities {

class CModuleCatalog {
public:
    static constexpr int kModelCount = 9;
    static constexpr int kSlotCount = 4;
    // In the order the backup and the restore walk them; "CPU" is the controller.
    static const std::array<const char*, kModelCount>& Models();

    explicit CModuleCatalog(std::string text) : m_text(std::move(text)) {}

    bool IsInstalled(const std::string& model) const;

    // The model in each of slots 1 to 4, "---" for a slot no address names. Only the first
    // five addresses count (the controller and four modules): from each '"' the text up to
    // the next ':' is the model and the number after it the slot; the next address starts
    // after the following ','. A missing ':' ends the walk.
    std::array<std::string, kSlotCount> SlotModels() const;

    const std::string& Text() const { return m_text; }

private:
    std::string m_text;
};

}  // namespace utilities
