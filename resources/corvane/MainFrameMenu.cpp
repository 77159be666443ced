#include "platform/FrameWnd.h"
#include "resources/corvane/Resource.h"

namespace corvane {

using platform::MenuItem;
using platform::MenuSeparator;
using platform::Submenu;

namespace {

std::vector<platform::MenuItemTemplate> PresetItems(int firstId) {
    std::vector<platform::MenuItemTemplate> items;
    for (int n = 1; n <= 13; ++n)
        items.push_back(MenuItem("PRESET " + std::to_string(n), firstId + n - 1));
    return items;
}

std::vector<platform::MenuItemTemplate> Join(std::vector<platform::MenuItemTemplate> head,
                                             const std::vector<platform::MenuItemTemplate>& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

}  // namespace

const platform::MenuTemplate& MainFrameMenu() {
    static const platform::MenuTemplate menu{
        IDR_MAINFRAME,
        {
            Submenu("&File",
                    {
                        MenuItem("Open Quarn", ID_FILE_OPEN_QUARN),
                        MenuSeparator(),
                        Submenu("Open Module", {MenuItem("Slot 1", ID_OPEN_SLOT_FIRST),
                                                MenuItem("Slot 2", ID_OPEN_SLOT_FIRST + 1),
                                                MenuItem("Slot 3", ID_OPEN_SLOT_FIRST + 2),
                                                MenuItem("Slot 4", ID_OPEN_SLOT_FIRST + 3)}),
                        MenuSeparator(),
                        Submenu("Recall Preset",
                                Join({MenuItem("Power On Default", ID_RECALL_POWER_ON_DEFAULT),
                                      MenuItem("User Default", ID_RECALL_USER_DEFAULT),
                                      MenuItem("Factory Default", ID_RECALL_FACTORY_DEFAULT),
                                      MenuSeparator()},
                                     PresetItems(ID_RECALL_PRESET_FIRST))),
                        Submenu("Save Preset",
                                Join({MenuItem("Power On Default", ID_SAVE_POWER_ON_DEFAULT),
                                      MenuSeparator()},
                                     PresetItems(ID_SAVE_PRESET_FIRST))),
                        Submenu("Rename Preset", PresetItems(ID_RENAME_PRESET_FIRST)),
                        Submenu("Delete Preset", PresetItems(ID_DELETE_PRESET_FIRST)),
                        MenuSeparator(),
                        MenuItem("E&xit", platform::ID_APP_EXIT),
                    }),
            Submenu("&View", {MenuItem("&Status Bar", platform::ID_VIEW_STATUS_BAR)}),
            Submenu("&Window", {MenuItem("&Cascade", platform::ID_WINDOW_CASCADE),
                                MenuItem("&Tile", platform::ID_WINDOW_TILE_HORZ),
                                MenuItem("&Arrange Icons", platform::ID_WINDOW_ARRANGE)}),
            Submenu("&Help", {MenuItem("&About Corvane...", platform::ID_APP_ABOUT)}),
        }};
    return menu;
}

}  // namespace corvane
