// Combo and list boxes of ControlsHost.
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

#include "platform/ControlsHost.h"
#include "platform/Wnd.h"

namespace platform {

namespace {

// Windows compares list items without regard to case; byte order otherwise.
int CompareNoCase(const QString& a, const QString& b) {
    return QString::compare(a, b, Qt::CaseInsensitive);
}

// The list behind a combo or list box, so that each function is written once.
class ListAccess {
public:
    explicit ListAccess(QWidget* w)
        : m_combo(qobject_cast<QComboBox*>(w)), m_list(qobject_cast<QListWidget*>(w)) {}
    bool Valid() const { return m_combo != nullptr || m_list != nullptr; }
    int Count() const { return m_combo != nullptr ? m_combo->count() : m_list->count(); }
    QString Text(int i) const {
        return m_combo != nullptr ? m_combo->itemText(i) : m_list->item(i)->text();
    }
    void Insert(int i, const QString& text) {
        if (m_combo != nullptr) {
            // Qt selects the first item added to an empty combo; Windows selects nothing.
            const int before = m_combo->currentIndex();
            m_combo->insertItem(i, text);
            if (before < 0)
                m_combo->setCurrentIndex(-1);
        } else {
            m_list->insertItem(i, text);
        }
    }
    void Remove(int i) {
        if (m_combo != nullptr)
            m_combo->removeItem(i);
        else
            delete m_list->takeItem(i);
    }
    void Clear() {
        if (m_combo != nullptr) {
            m_combo->clear();
            if (m_combo->isEditable())
                m_combo->clearEditText();
        } else {
            m_list->clear();
        }
    }
    int Current() const {
        return m_combo != nullptr ? m_combo->currentIndex() : m_list->currentRow();
    }
    void SetCurrent(int i) {
        if (m_combo != nullptr) {
            m_combo->setCurrentIndex(i);
        } else {
            m_list->setCurrentRow(i);
            if (i < 0)
                m_list->clearSelection();
        }
    }
    QVariant Data(int i) const {
        return m_combo != nullptr ? m_combo->itemData(i) : m_list->item(i)->data(Qt::UserRole);
    }
    void SetData(int i, const QVariant& v) {
        if (m_combo != nullptr)
            m_combo->setItemData(i, v);
        else
            m_list->item(i)->setData(Qt::UserRole, v);
    }

private:
    QComboBox* m_combo;
    QListWidget* m_list;
};

bool Sorted(ControlKind kind, unsigned style) {
    return kind == ControlKind::ListBox ? (style & LBS_SORT) != 0 : (style & CBS_SORT) != 0;
}

}  // namespace

void ControlsHost::ListSelectionChanged(Control& control, int index) {
    if (index == control.lastSelection)
        return;
    control.lastSelection = index;
    NotifyCommand(control.id, control.kind == ControlKind::ListBox ? LBN_SELCHANGE : CBN_SELCHANGE);
}

int ControlsHost::AddString(int id, const std::string& text) {
    Control* c = Find(id);
    if (c == nullptr)
        return CB_ERR;
    ListAccess list(c->widget);
    if (!list.Valid())
        return CB_ERR;
    const int count = list.Count();
    if (count >= kMaxListItems)
        return CB_ERRSPACE;
    const QString q = ToQString(text);
    int at = count;
    if (Sorted(c->kind, c->style)) {
        at = 0;
        while (at < count && CompareNoCase(list.Text(at), q) <= 0) ++at;
    }
    ++m_programWrite;
    list.Insert(at, q);
    c->lastSelection = list.Current();
    --m_programWrite;
    return at;
}

int ControlsHost::InsertString(int id, int index, const std::string& text) {
    Control* c = Find(id);
    if (c == nullptr)
        return CB_ERR;
    ListAccess list(c->widget);
    if (!list.Valid())
        return CB_ERR;
    const int count = list.Count();
    if (count >= kMaxListItems)
        return CB_ERRSPACE;
    if (index > count)
        return CB_ERR;
    if (index < 0)
        index = count;
    ++m_programWrite;
    list.Insert(index, ToQString(text));
    c->lastSelection = list.Current();
    --m_programWrite;
    return index;
}

int ControlsHost::DeleteString(int id, int index) {
    Control* c = Find(id);
    if (c == nullptr)
        return CB_ERR;
    ListAccess list(c->widget);
    if (!list.Valid() || index < 0 || index >= list.Count())
        return CB_ERR;
    ++m_programWrite;
    list.Remove(index);
    c->lastSelection = list.Current();
    --m_programWrite;
    return list.Count();
}

void ControlsHost::ResetContent(int id) {
    Control* c = Find(id);
    if (c == nullptr)
        return;
    ListAccess list(c->widget);
    if (!list.Valid())
        return;
    ++m_programWrite;
    list.Clear();
    c->lastSelection = -1;
    --m_programWrite;
}

int ControlsHost::SetCurSel(int id, int index) {
    Control* c = Find(id);
    if (c == nullptr)
        return CB_ERR;
    ListAccess list(c->widget);
    if (!list.Valid())
        return CB_ERR;
    const bool valid = index >= 0 && index < list.Count();
    ++m_programWrite;
    list.SetCurrent(valid ? index : -1);
    c->lastSelection = list.Current();
    --m_programWrite;
    return valid ? index : CB_ERR;
}

int ControlsHost::GetCurSel(int id) const {
    const Control* c = Find(id);
    if (c == nullptr)
        return CB_ERR;
    ListAccess list(c->widget);
    return list.Valid() ? list.Current() : CB_ERR;
}

int ControlsHost::GetCount(int id) const {
    const Control* c = Find(id);
    if (c == nullptr)
        return CB_ERR;
    ListAccess list(c->widget);
    return list.Valid() ? list.Count() : CB_ERR;
}

std::string ControlsHost::GetLBText(int id, int index) const {
    const Control* c = Find(id);
    if (c == nullptr)
        return {};
    ListAccess list(c->widget);
    if (!list.Valid() || index < 0 || index >= list.Count())
        return {};
    return FromQString(list.Text(index));
}

int ControlsHost::FindStringExact(int id, int start, const std::string& text) const {
    const Control* c = Find(id);
    if (c == nullptr)
        return CB_ERR;
    ListAccess list(c->widget);
    if (!list.Valid())
        return CB_ERR;
    const int count = list.Count();
    const QString q = ToQString(text);
    // The search starts after `start` and wraps around, as on Windows; -1 searches all.
    for (int n = 0; n < count; ++n) {
        const int i = (start < 0 || start >= count) ? n : (start + 1 + n) % count;
        if (CompareNoCase(list.Text(i), q) == 0)
            return i;
    }
    return CB_ERR;
}

int ControlsHost::SelectString(int id, int start, const std::string& prefix) {
    Control* c = Find(id);
    if (c == nullptr)
        return CB_ERR;
    ListAccess list(c->widget);
    if (!list.Valid())
        return CB_ERR;
    const int count = list.Count();
    const QString q = ToQString(prefix);
    for (int n = 0; n < count; ++n) {
        const int i = (start < 0 || start >= count) ? n : (start + 1 + n) % count;
        if (list.Text(i).startsWith(q, Qt::CaseInsensitive))
            return SetCurSel(id, i);
    }
    return CB_ERR;
}

int ControlsHost::SetItemData(int id, int index, std::intptr_t data) {
    Control* c = Find(id);
    if (c == nullptr)
        return CB_ERR;
    ListAccess list(c->widget);
    if (!list.Valid() || index < 0 || index >= list.Count())
        return CB_ERR;
    list.SetData(index, QVariant::fromValue<qlonglong>(data));
    return CB_OKAY;
}

std::intptr_t ControlsHost::GetItemData(int id, int index) const {
    const Control* c = Find(id);
    if (c == nullptr)
        return CB_ERR;
    ListAccess list(c->widget);
    if (!list.Valid() || index < 0 || index >= list.Count())
        return CB_ERR;
    return static_cast<std::intptr_t>(list.Data(index).toLongLong());
}

int ControlsHost::InitStorage(int id, int items, int) {
    Control* c = Find(id);
    if (c == nullptr)
        return CB_ERRSPACE;
    ListAccess list(c->widget);
    if (!list.Valid() || items < 0 || list.Count() + items > kMaxListItems)
        return CB_ERRSPACE;
    return list.Count() + items;
}

bool ControlsHost::ChooseComboItem(int id, int index) {
    Control* c = Find(id);
    if (!OperatorCanUse(c))
        return false;
    ListAccess list(c->widget);
    if (!list.Valid() || index < 0 || index >= list.Count())
        return false;
    // Through the widget's own change signal, the path a real pick takes.
    list.SetCurrent(index);
    return true;
}

}  // namespace platform
