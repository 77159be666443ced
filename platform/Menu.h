// Menus from resource tables, and a handle with the Windows menu operations the programs use.
//
// A MenuTemplate is data (resources/<program>/ hold them). CMenu is a light handle on a
// QMenuBar or QMenu: items are addressed by position, a command item carries its id, and the
// Windows conventions hold for GetMenuItemID (-1 for a submenu, 0 for a separator).
// Item texts keep the Windows mnemonic rule ('&' marks the access key, "&&" a literal '&'),
// which Qt shares.
#pragma once

#include <QPointer>
#include <QWidget>
#include <string>
#include <vector>

#include "platform/Types.h"

class QAction;
class QMenu;
class QMenuBar;

namespace platform {

struct MenuItemTemplate {
    std::string text;  // empty with id 0 and no items: a separator
    int id = 0;
    std::vector<MenuItemTemplate> items;  // non-empty: a submenu
};

inline MenuItemTemplate MenuItem(std::string text, int id) {
    return {std::move(text), id, {}};
}
inline MenuItemTemplate MenuSeparator() {
    return {};
}
inline MenuItemTemplate Submenu(std::string text, std::vector<MenuItemTemplate> items) {
    return {std::move(text), 0, std::move(items)};
}

struct MenuTemplate {
    int id;
    std::vector<MenuItemTemplate> items;
};

constexpr UINT MF_STRING = 0x0000;
constexpr UINT MF_SEPARATOR = 0x0800;
constexpr UINT MF_BYCOMMAND = 0x0000;
constexpr UINT MF_BYPOSITION = 0x0400;

class CMenu {
public:
    CMenu() = default;
    explicit CMenu(QWidget* menuOrBar) : m_menu(menuOrBar) {}
    bool IsValid() const { return !m_menu.isNull(); }
    QWidget* GetWidget() const { return m_menu.data(); }

    int GetMenuItemCount() const;
    // The command id at a position; -1 for a submenu (or no item), 0 for a separator.
    int GetMenuItemID(int position) const;
    // The submenu at a position, or an invalid handle.
    CMenu GetSubMenu(int position) const;
    std::string GetMenuString(int position) const;
    // Only MF_BYPOSITION is needed by the programs.
    bool DeleteMenu(int position, UINT flags = MF_BYPOSITION);
    bool AppendMenu(UINT flags, int id = 0, const std::string& text = {});
    // The item with this id anywhere below this menu, or null.
    QAction* FindAction(int id) const;

private:
    QList<QAction*> Actions() const;
    QPointer<QWidget> m_menu;
};

// Builds the menu bar's menus from a template into an existing bar.
void BuildMenuBar(QMenuBar* bar, const MenuTemplate& menu);
// The command id stored on an action (0 for separators and submenus).
int ActionId(const QAction* action);
// Escapes '&' so that a text from outside shows as it is instead of marking an access key.
std::string EscapeMnemonics(const std::string& text);

}  // namespace platform
