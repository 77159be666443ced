#include "utilities/common/ModuleCatalog.h"

#include "platform/Numbers.h"

namespace utilities {

const std::array<const char*, CModuleCatalog::kModelCount>& CModuleCatalog::Models() {
    static const std::array<const char*, kModelCount> models = {
        "CPU", "Brumo", "Tavix", "Pirvo", "Kintor", "Sormet", "Ulmeth", "Oltra", "Yarlo"};
    return models;
}

bool CModuleCatalog::IsInstalled(const std::string& model) const {
    if (model == "CPU")
        return true;
    // Each address: from a quote up to the next colon is the model.
    size_t pos = 0;
    while ((pos = m_text.find('"', pos)) != std::string::npos) {
        size_t colon = m_text.find(':', pos + 1);
        if (colon == std::string::npos)
            return false;
        if (m_text.compare(pos + 1, colon - pos - 1, model) == 0)
            return true;
        // On past this address's closing quote.
        size_t close = m_text.find('"', colon + 1);
        if (close == std::string::npos)
            return false;
        pos = close + 1;
    }
    return false;
}

std::array<std::string, CModuleCatalog::kSlotCount> CModuleCatalog::SlotModels() const {
    std::array<std::string, kSlotCount> slots;
    slots.fill("---");
    size_t pos = 0;
    for (int address = 0; address < 5; ++address) {
        size_t quote = m_text.find('"', pos);
        if (quote == std::string::npos)
            break;
        size_t colon = m_text.find(':', quote + 1);
        if (colon == std::string::npos)
            break;
        int slot = platform::StrToInt(m_text.c_str() + colon + 1);
        if (slot >= 1 && slot <= kSlotCount)
            slots[slot - 1] = m_text.substr(quote + 1, colon - quote - 1);
        size_t comma = m_text.find(',', colon + 1);
        if (comma == std::string::npos)
            break;
        pos = comma + 1;
    }
    return slots;
}

}  // namespace utilities
