#include "corvane/pages/pirvo/PirvoSignalPage.h"

#include "corvane/modules/apl/AplTables.h"

namespace corvane {

namespace {

constexpr int kFormatRoom = 16;
constexpr int kListRoom = 32;
constexpr int kNameBytes = 64;

template <class Item, class Name>
int FindByName(const std::vector<Item>& items, const std::string& wanted, Name name) {
    for (size_t i = 0; i < items.size(); ++i)
        if (name(items[i]) == wanted)
            return static_cast<int>(i);
    return -1;
}

// The entries of an APL table up to its first empty one.
std::vector<std::string> Entries(const AplTable& table) {
    std::vector<std::string> entries;
    for (std::string_view entry : table) {
        if (entry.empty())
            break;
        entries.emplace_back(entry);
    }
    return entries;
}

int FindKeyword(const AplTable& keywords, const std::string& keyword) {
    return FindByName(Entries(keywords), keyword, [](const std::string& s) { return s; });
}

}  // namespace

CPirvoSignalPage::CPirvoSignalPage()
    : CPirvoIdTextPage(PirvoSignalPageTemplate(), kPirvoSignalIdText, kPirvoSignalMessages.idText) {
}

void CPirvoSignalPage::Load(const PirvoSignalValues& values) {
    m_values = values;
    LoadIdText(values.idText);
}

const SignalSet* CPirvoSignalPage::FolderAt(int index) const {
    const SignalTree& tree = m_values.catalogue;
    return index >= 0 && index < static_cast<int>(tree.size()) ? &tree[static_cast<size_t>(index)]
                                                               : nullptr;
}

const CatalogFolder* CPirvoSignalPage::SetAt(int index) const {
    const SignalSet* folder = FolderAt(m_format);
    if (folder == nullptr || index < 0 || index >= static_cast<int>(folder->sets.size()))
        return nullptr;
    return &folder->sets[static_cast<size_t>(index)];
}

platform::BOOL CPirvoSignalPage::OnInitDialog() {
    m_ready = 0;
    platform::CDialog::OnInitDialog();
    const SignalTree& tree = m_values.catalogue;
    m_format = FindByName(tree, m_values.formatName, [](const SignalSet& s) { return s.name; });
    const SignalSet* folder = FolderAt(m_format);
    m_set = folder != nullptr ? FindByName(folder->sets, m_values.setName,
                                           [](const CatalogFolder& s) { return s.name; })
                              : -1;
    const CatalogFolder* set = SetAt(m_set);
    m_signal = set != nullptr ? FindByName(set->files, m_values.signalName,
                                           [](const CatalogFile& f) { return f.displayName; })
                              : -1;
    {
        ReadyOff off(*this);
        FillFormatList();
        FillSetList();
        FillSignalList();
        FillAplLists();
    }
    InitIdText();
    WriteControls();
    m_ready = 1;
    return platform::TRUE;
}

void CPirvoSignalPage::FillFormatList() {
    std::vector<std::string> names;
    for (const SignalSet& folder : m_values.catalogue) names.push_back(folder.name);
    FillComboList(IDC_PIRVO_SIGNAL_FORMAT, names, kFormatRoom, kNameBytes, m_format);
}

void CPirvoSignalPage::FillSetList() {
    std::vector<std::string> names;
    if (const SignalSet* folder = FolderAt(m_format))
        for (const CatalogFolder& set : folder->sets) names.push_back(set.name);
    FillComboList(IDC_PIRVO_SIGNAL_SET, names, kListRoom, kNameBytes, m_set);
}

void CPirvoSignalPage::FillSignalList() {
    std::vector<std::string> names;
    if (const CatalogFolder* set = SetAt(m_set))
        for (const CatalogFile& file : set->files) names.push_back(file.displayName);
    FillComboList(IDC_PIRVO_SIGNAL_SIGNAL, names, kListRoom, kNameBytes, m_signal);
}

void CPirvoSignalPage::FillAplLists() {
    const AplTables& apl = StandardAplTables();
    m_aplMode = m_values.aplMode;
    m_aplPeriod = m_values.aplPeriod;
    FillComboList(IDC_PIRVO_APL_MODE, Entries(apl.modeTexts), kListRoom, kNameBytes,
                  FindKeyword(apl.modeKeywords, m_aplMode));
    FillComboList(IDC_PIRVO_APL_PERIOD, Entries(apl.periodTexts), kListRoom, kNameBytes,
                  FindKeyword(apl.periodKeywords, m_aplPeriod));
}

void CPirvoSignalPage::SendText(platform::UINT message, std::string& stored,
                                const std::string& text) {
    stored = text;
    SendTextToOutput(message, stored);
}

void CPirvoSignalPage::OnFormatChange() {
    const int index = GetCurSel(IDC_PIRVO_SIGNAL_FORMAT);
    const SignalSet* folder = FolderAt(index);
    int set = -1;
    if (folder != nullptr)
        for (size_t i = 0; i < folder->sets.size() && set < 0; ++i)
            if (!folder->sets[i].files.empty())
                set = static_cast<int>(i);
    if (set < 0) {
        ReadyOff off(*this);
        SetCurSel(IDC_PIRVO_SIGNAL_FORMAT, m_format);
        return;
    }
    m_format = index;
    m_set = set;
    m_signal = 0;
    {
        ReadyOff off(*this);
        FillSetList();
        FillSignalList();
    }
    const CatalogFolder& chosen = folder->sets[static_cast<size_t>(set)];
    SendText(kPirvoSignalMessages.signalSet, m_setName, chosen.name);
    SendText(kPirvoSignalMessages.signal, m_fileName, chosen.files.front().fileName);
    SendToOutput(kPirvoSignalMessages.format, static_cast<platform::LPARAM>(m_format));
}

void CPirvoSignalPage::OnSetChange() {
    const int index = GetCurSel(IDC_PIRVO_SIGNAL_SET);
    const CatalogFolder* set = SetAt(index);
    if (set == nullptr || set->files.empty()) {
        ReadyOff off(*this);
        SetCurSel(IDC_PIRVO_SIGNAL_SET, m_set);
        return;
    }
    m_set = index;
    m_signal = 0;
    {
        ReadyOff off(*this);
        FillSignalList();
    }
    SendText(kPirvoSignalMessages.signalSet, m_setName, set->name);
    SendText(kPirvoSignalMessages.signal, m_fileName, set->files.front().fileName);
}

void CPirvoSignalPage::OnSignalChange() {
    const int index = GetCurSel(IDC_PIRVO_SIGNAL_SIGNAL);
    const CatalogFolder* set = SetAt(m_set);
    if (set == nullptr || index < 0 || index >= static_cast<int>(set->files.size()))
        return;
    m_signal = index;
    SendText(kPirvoSignalMessages.signal, m_fileName,
             set->files[static_cast<size_t>(index)].fileName);
}

void CPirvoSignalPage::OnAplChange(int comboId) {
    const AplTables& apl = StandardAplTables();
    const bool mode = comboId == IDC_PIRVO_APL_MODE;
    const std::vector<std::string> keywords = Entries(mode ? apl.modeKeywords : apl.periodKeywords);
    const int index = GetCurSel(comboId);
    if (index < 0 || index >= static_cast<int>(keywords.size()))
        return;
    if (mode)
        SendText(kPirvoSignalMessages.aplMode, m_aplMode, keywords[static_cast<size_t>(index)]);
    else
        SendText(kPirvoSignalMessages.aplPeriod, m_aplPeriod, keywords[static_cast<size_t>(index)]);
}

platform::BOOL CPirvoSignalPage::OnCommand(int id, int code) {
    switch (id) {
        case IDC_PIRVO_SIGNAL_FORMAT:
        case IDC_PIRVO_SIGNAL_SET:
        case IDC_PIRVO_SIGNAL_SIGNAL:
        case IDC_PIRVO_APL_MODE:
        case IDC_PIRVO_APL_PERIOD:
            break;
        default:
            return CPirvoIdTextPage::OnCommand(id, code);
    }
    if (!IsReady() || code != platform::CBN_SELCHANGE)
        return platform::TRUE;
    if (id == IDC_PIRVO_SIGNAL_FORMAT)
        OnFormatChange();
    else if (id == IDC_PIRVO_SIGNAL_SET)
        OnSetChange();
    else if (id == IDC_PIRVO_SIGNAL_SIGNAL)
        OnSignalChange();
    else
        OnAplChange(id);
    return platform::TRUE;
}

}  // namespace corvane
