#include "utilities/stowen/ModuleCatalog.h"

namespace stowen {

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
    while ((pos = m_reply.find('"', pos)) != std::string::npos) {
        size_t colon = m_reply.find(':', pos + 1);
        if (colon == std::string::npos)
            return false;
        if (m_reply.compare(pos + 1, colon - pos - 1, model) == 0)
            return true;
        // On past this address's closing quote.
        size_t close = m_reply.find('"', colon + 1);
        if (close == std::string::npos)
            return false;
        pos = close + 1;
    }
    return false;
}

}  // namespace stowen
