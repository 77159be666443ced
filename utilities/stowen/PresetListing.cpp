#include "utilities/stowen/PresetListing.h"

#include "platform/CatalogItem.h"

namespace stowen {

namespace {

// One field of the comma-joined line: a quoted text (which may hold commas) or plain text.
struct Field {
    std::string text;
    bool quoted = false;
};

// Splits at commas outside quotes. 0 when a quote is not closed or a quoted field has text
// after its closing quote.
int SplitFields(const std::string& reply, std::vector<Field>& fields) {
    size_t pos = 0;
    for (;;) {
        Field field;
        if (pos < reply.size() && reply[pos] == '"') {
            size_t close = reply.find('"', pos + 1);
            if (close == std::string::npos)
                return 0;
            field.text = reply.substr(pos + 1, close - pos - 1);
            field.quoted = true;
            pos = close + 1;
            if (pos < reply.size() && reply[pos] != ',')
                return 0;
        } else {
            size_t comma = reply.find(',', pos);
            size_t end = comma == std::string::npos ? reply.size() : comma;
            field.text = reply.substr(pos, end - pos);
            if (field.text.find('"') != std::string::npos)
                return 0;
            pos = end;
        }
        fields.push_back(std::move(field));
        if (pos >= reply.size())
            return 1;
        ++pos;  // the comma
    }
}

// A count as the instrument writes it: digits with an optional fraction.
bool IsCount(const Field& field) {
    if (field.quoted || field.text.empty())
        return false;
    bool digits = false;
    bool point = false;
    for (char c : field.text) {
        if (c >= '0' && c <= '9') {
            digits = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return digits;
}

}  // namespace

int CPresetListing::Parse(const std::string& reply) {
    m_entries.clear();
    std::vector<Field> fields;
    if (!SplitFields(reply, fields) || fields.size() < 2 || !IsCount(fields[0]) ||
        !IsCount(fields[1])) {
        return 0;
    }
    // An empty folder may be listed with the comma that would stand before its first entry.
    if (fields.size() == 3 && !fields[2].quoted && fields[2].text.empty())
        return 1;
    if ((fields.size() - 2) % 3 != 0)
        return 0;
    std::vector<Entry> entries;
    for (size_t i = 2; i < fields.size(); i += 3) {
        if (!fields[i].quoted || fields[i].text.empty() || fields[i + 1].quoted ||
            fields[i + 2].quoted) {
            return 0;
        }
        if (platform::IsSingleCatalogItem(fields[i].text))
            entries.push_back({fields[i].text, fields[i + 1].text, fields[i + 2].text});
    }
    m_entries = std::move(entries);
    return 1;
}

const CPresetListing::Entry* CPresetListing::Find(const std::string& name) const {
    for (const Entry& entry : m_entries) {
        if (entry.name == name)
            return &entry;
    }
    return nullptr;
}

int CPresetListing::ParseSize(const std::string& text, std::uint64_t& size) {
    size = 0;
    if (text.empty() || text.size() > 15)
        return 0;
    std::uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return 0;
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    size = value;
    return 1;
}

}  // namespace stowen
