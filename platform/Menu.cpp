#include "platform/Menu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "platform/Wnd.h"

namespace platform {

namespace {
const char* const kIdProperty = "platform.commandId";

QAction* MakeAction(QWidget* owner, int id, const std::string& text) {
    auto* action = new QAction(ToQString(text), owner);
    action->setProperty(kIdProperty, id);
    return action;
}

void AddItems(QWidget* owner, const std::vector<MenuItemTemplate>& items) {
    for (const MenuItemTemplate& item : items) {
        if (!item.items.empty()) {
            auto* sub = new QMenu(ToQString(item.text), owner);
            AddItems(sub, item.items);
            owner->addAction(sub->menuAction());
        } else if (item.id == 0 && item.text.empty()) {
            auto* separator = new QAction(owner);
            separator->setSeparator(true);
            owner->addAction(separator);
        } else {
            owner->addAction(MakeAction(owner, item.id, item.text));
        }
    }
}
}  // namespace

int ActionId(const QAction* action) {
    if (action == nullptr)
        return 0;
    return action->property(kIdProperty).toInt();
}

std::string EscapeMnemonics(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '&')
            out += '&';
        out += c;
    }
    return out;
}

void BuildMenuBar(QMenuBar* bar, const MenuTemplate& menu) {
    AddItems(bar, menu.items);
}

QList<QAction*> CMenu::Actions() const {
    return m_menu.isNull() ? QList<QAction*>() : m_menu->actions();
}

int CMenu::GetMenuItemCount() const {
    return m_menu.isNull() ? -1 : static_cast<int>(Actions().size());
}

int CMenu::GetMenuItemID(int position) const {
    QList<QAction*> actions = Actions();
    if (position < 0 || position >= actions.size())
        return -1;
    QAction* action = actions[position];
    if (action->menu() != nullptr)
        return -1;
    if (action->isSeparator())
        return 0;
    return ActionId(action);
}

CMenu CMenu::GetSubMenu(int position) const {
    QList<QAction*> actions = Actions();
    if (position < 0 || position >= actions.size())
        return CMenu();
    return CMenu(actions[position]->menu());
}

std::string CMenu::GetMenuString(int position) const {
    QList<QAction*> actions = Actions();
    if (position < 0 || position >= actions.size())
        return {};
    return FromQString(actions[position]->text());
}

bool CMenu::DeleteMenu(int position, UINT) {
    QList<QAction*> actions = Actions();
    if (position < 0 || position >= actions.size())
        return false;
    QAction* action = actions[position];
    m_menu->removeAction(action);
    if (QMenu* sub = action->menu()) {
        delete sub;  // takes its menu action with it
    } else if (action->parent() == m_menu.data()) {
        delete action;
    }
    return true;
}

bool CMenu::AppendMenu(UINT flags, int id, const std::string& text) {
    if (m_menu.isNull())
        return false;
    if ((flags & MF_SEPARATOR) != 0) {
        auto* separator = new QAction(m_menu.data());
        separator->setSeparator(true);
        m_menu->addAction(separator);
    } else {
        m_menu->addAction(MakeAction(m_menu.data(), id, text));
    }
    return true;
}

QAction* CMenu::FindAction(int id) const {
    for (QAction* action : Actions()) {
        if (QMenu* sub = action->menu()) {
            if (QAction* found = CMenu(sub).FindAction(id))
                return found;
        } else if (!action->isSeparator() && ActionId(action) == id) {
            return action;
        }
    }
    return nullptr;
}

}  // namespace platform
