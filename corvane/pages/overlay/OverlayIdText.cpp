#include "corvane/pages/overlay/OverlayIdText.h"

#include "resources/corvane/OverlayPageForms.h"

namespace corvane {

IdText CleanOverlayIdText(std::string& text) {
    bool quotes = false;
    std::string cleaned;
    for (char c : text) {
        if (c == '"' || c == '\'') {
            quotes = true;
            continue;
        }
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            continue;
        cleaned += c;
    }
    if (cleaned.size() > static_cast<size_t>(kIdTextLimit))
        cleaned.resize(static_cast<size_t>(kIdTextLimit));
    if (cleaned == text)
        return IdText::Clean;
    text = cleaned;
    return quotes ? IdText::QuotesRemoved : IdText::Cut;
}

}  // namespace corvane
