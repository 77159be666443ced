#include "platform/FrameWnd.h"
#include "resources/drenlo/Resource.h"

namespace drenlo {

using platform::MenuItem;
using platform::MenuSeparator;
using platform::Submenu;

const platform::MenuTemplate& MainFrameMenu() {
    static const platform::MenuTemplate menu{
        IDR_MAINFRAME,
        {
            Submenu("&File", {MenuItem("&PC to Quarn", ID_PC_TO_QUARN),
                              MenuItem("&Quarn to PC", ID_QUARN_TO_PC), MenuSeparator(),
                              Submenu("Ne&w", {MenuItem("&Folder", ID_NEW_FOLDER)}),
                              MenuItem("&Delete", ID_DELETE), MenuItem("&Rename", ID_RENAME),
                              MenuSeparator(), MenuItem("E&xit", platform::ID_APP_EXIT)}),
            Submenu("&View",
                    {MenuItem("Lar&ge Icons", ID_VIEW_LARGE_ICONS),
                     MenuItem("S&mall Icons", ID_VIEW_SMALL_ICONS), MenuItem("&List", ID_VIEW_LIST),
                     MenuItem("&Detail", ID_VIEW_DETAILS), MenuSeparator(),
                     Submenu("Arrange &Icons", {MenuItem("by &Name", ID_SORT_BY_NAME),
                                                MenuItem("by &Size", ID_SORT_BY_SIZE)}),
                     MenuSeparator(), MenuItem("&Refresh", ID_REFRESH)}),
            Submenu("&Utility",
                    {MenuItem("&Network", ID_NETWORK), MenuItem("&Check Error", ID_CHECK_ERROR),
                     MenuSeparator(), MenuItem("&Options", ID_OPTIONS)}),
            Submenu("&Help", {MenuItem("&About Drenlo...", platform::ID_APP_ABOUT)}),
        }};
    return menu;
}

const platform::MenuTemplate& ContextMenu(int id) {
    static const platform::MenuTemplate background{
        IDR_LIST_BACKGROUND_MENU,
        {Submenu("_POPUP_", {Submenu("&View", {MenuItem("Lar&ge Icons", ID_VIEW_LARGE_ICONS),
                                               MenuItem("S&mall Icons", ID_VIEW_SMALL_ICONS),
                                               MenuItem("&List", ID_VIEW_LIST),
                                               MenuItem("&Detail", ID_VIEW_DETAILS)}),
                             MenuSeparator(),
                             Submenu("Arrange &Icons", {MenuItem("by &Name", ID_SORT_BY_NAME),
                                                        MenuItem("by Si&ze", ID_SORT_BY_SIZE)}),
                             MenuItem("&Refresh", ID_REFRESH), MenuSeparator(),
                             Submenu("&New", {MenuItem("&Folder", ID_NEW_FOLDER)})})}};
    static const platform::MenuTemplate folder{
        IDR_LIST_FOLDER_MENU,
        {Submenu("_POPUP_", {MenuItem("&Explore", ID_EXPLORE), MenuSeparator(),
                             MenuItem("&Delete", ID_DELETE), MenuItem("&Rename", ID_RENAME)})}};
    static const platform::MenuTemplate file{
        IDR_LIST_FILE_MENU,
        {Submenu("_POPUP_", {MenuItem("&Quarn to PC", ID_QUARN_TO_PC), MenuSeparator(),
                             MenuItem("&Delete", ID_DELETE), MenuItem("&Rename", ID_RENAME)})}};
    static const platform::MenuTemplate tree{
        IDR_TREE_MENU,
        {Submenu("_POPUP_",
                 {MenuItem("&Explorer", ID_TREE_EXPLORER), MenuItem("&Rename", ID_TREE_RENAME)})}};
    switch (id) {
        case IDR_LIST_FOLDER_MENU:
            return folder;
        case IDR_LIST_FILE_MENU:
            return file;
        case IDR_TREE_MENU:
            return tree;
        default:
            return background;
    }
}

}  // namespace drenlo
