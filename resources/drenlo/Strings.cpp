#include "platform/FrameWnd.h"
#include "platform/StatusBar.h"
#include "platform/StringTable.h"
#include "resources/drenlo/Resource.h"

namespace drenlo {

void RegisterDrenloStrings() {
    platform::RegisterStrings({
        {platform::AFX_IDS_APP_TITLE, "Drenlo"},
        {platform::AFX_IDS_IDLEMESSAGE, "Ready"},
        {IDS_SOCKETS_INIT_FAILED, "Windows sockets initialization failed."},
        {IDS_DOC_TEMPLATE, "Drenlo\n\nHolvik\n\n\nDrenlo.Document\nDrenlo Document"},
        {IDS_NAME_EXISTS,
         "A file with the name you specified already exists. Specify a diffent filename."},
        {IDS_CANNOT_RENAME_FOLDER, "Can not rename this folder"},
        {IDS_RENAME_DENIED,
         "Cannot rename \"%1\": Access is denied.\n\nMake sure the file is not currentry in use."},
        {ID_PC_TO_QUARN, "Download the file to Quarn\nPC to Quarn"},
        {ID_QUARN_TO_PC, "Upload the file from Quarn\nQuarn to PC"},
        {ID_NEW_FOLDER, "Create new folder.\nFolder"},
        {ID_DELETE, "Delete the selection.\nDelete"},
        {ID_RENAME, "Rename the selected item.\nRename"},
        {ID_VIEW_LARGE_ICONS, "Displays items by using large icons.\nLarge Icons"},
        {ID_VIEW_SMALL_ICONS, "Displays items by using small icons.\nSmall Icons"},
        {ID_VIEW_LIST, "Displays items in a list.\nList"},
        {ID_VIEW_DETAILS, "Displays information about each item in the window.\nDetails"},
        {ID_SORT_BY_NAME, "Sorts items alphabetically by name.\nBy Name"},
        {ID_SORT_BY_SIZE, "Sorts items by size.\nBy Size"},
        {ID_REFRESH, "Refreshes the folder.\nRefresh"},
        {ID_NETWORK, "Connect to Quarn\nConnect"},
        {ID_CHECK_ERROR, "Checks errors of Quarn.\nCheck"},
        {ID_OPTIONS, "Sets editor path.\nEditor"},
        {ID_UP_ONE_LEVEL, "Up One Level\nUp One Level"},
        {ID_LOAD_TO_MEMORY, "Load the file to memory\nLoad"},
        {ID_EXPLORE, "Opens the selected folder.\nExplore"},
        {ID_TREE_EXPLORER, "Opens the folder.\nExplorer"},
        {ID_TREE_RENAME, "Renames the folder.\nRename"},
        {ID_INDICATOR_OBJECTS, ""},
        {ID_INDICATOR_SIZES, ""},
        {platform::ID_APP_EXIT, "Quit the application; prompts to save documents\nExit"},
        {platform::ID_APP_ABOUT,
         "Display program information, version number and copyright\nAbout"},
    });
}

}  // namespace drenlo
