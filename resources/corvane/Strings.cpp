#include "platform/FrameWnd.h"
#include "platform/StatusBar.h"
#include "platform/StringTable.h"
#include "resources/corvane/Resource.h"

namespace corvane {

void RegisterCorvaneStrings() {
    std::vector<std::pair<int, std::string>> strings{
        {platform::AFX_IDS_APP_TITLE, "Corvane"},
        {platform::AFX_IDS_IDLEMESSAGE, "Ready"},
        {IDR_QUARNTYPE, "\nQuarn\n\n\nQuarn Parameters"},
        {IDR_TAVIXTYPE, "\nTavix\nTavix Parameters\n\n\nTavix.Parameters\nTavix Parameters"},
        {IDR_BRUMOTYPE, "\nBrumo\nBrumo Parameters"},
        {IDR_KINTORTYPE, "\nKintor\nKintor Parameters"},
        {IDR_SORMETTYPE, "\nSormet\nSormet parameters"},
        {IDR_ULMETHTYPE, "\nUlmeth\nUlmeth Parameters"},
        {IDR_PIRVOTYPE, "\nPirvo\nPirvo Parameters"},
        {IDR_OLTRATYPE, "\nOltra\nOltra Parameters"},
        {IDR_YARLOTYPE, "\nYarlo\nYarlo Parameters"},
        {IDS_MODEL_TAVIX, "Tavix"},
        {IDS_MODEL_BRUMO, "Brumo"},
        {IDS_MODEL_KINTOR, "Kintor"},
        {IDS_MODEL_SORMET, "Sormet"},
        {IDS_MODEL_ULMETH, "Ulmeth"},
        {IDS_MODEL_PIRVO, "Pirvo"},
        {IDS_MODEL_OLTRA, "Oltra"},
        {IDS_MODEL_YARLO, "Yarlo"},
        {IDS_LOADS_AND_EDITS, "Loads and edits %1 parameters."},
        {IDS_SOCKETS_INIT_FAILED, "Windows sockets initialization failed."},
        {ID_FILE_OPEN_QUARN, "Open Quarn mainframe parameters.\nQuarn"},
        {ID_RECALL_POWER_ON_DEFAULT, "Recalls `Power On Default'.\nPower On Default."},
        {ID_RECALL_USER_DEFAULT, "Recalls `User Default'.\nUser Default."},
        {ID_RECALL_FACTORY_DEFAULT, "Recalls `Factory Default'.\nFactory Default"},
        {ID_SAVE_POWER_ON_DEFAULT,
         "Saves current settings as `Power On Default'.\nPower On Default"},
        {platform::ID_INDICATOR_CAPS, "CAP"},
        {platform::ID_INDICATOR_NUM, "NUM"},
        {platform::ID_INDICATOR_SCRL, "SCRL"},
        {platform::ID_APP_EXIT, "Ends Corvane.\nExit"},
        {platform::ID_APP_ABOUT, "Shows the program's version.\nAbout"},
        {platform::ID_VIEW_STATUS_BAR, "Shows or hides the status bar.\nStatus Bar"},
        {platform::ID_WINDOW_CASCADE, "Arranges the windows overlapping.\nCascade"},
        {platform::ID_WINDOW_TILE_HORZ, "Arranges the windows side by side.\nTile"},
        {platform::ID_WINDOW_ARRANGE, "Lines up the minimised windows.\nArrange Icons"},
    };
    for (int id = ID_OPEN_SLOT_FIRST; id <= ID_OPEN_SLOT_LAST; ++id)
        strings.push_back({id, "No module."});
    for (int id = ID_RECALL_PRESET_FIRST; id <= ID_RECALL_PRESET_LAST; ++id)
        strings.push_back({id, "Recalls"});
    for (int id = ID_SAVE_PRESET_FIRST; id <= ID_SAVE_PRESET_LAST; ++id)
        strings.push_back({id, "Saves"});
    for (int id = ID_RENAME_PRESET_FIRST; id <= ID_RENAME_PRESET_LAST; ++id)
        strings.push_back({id, "Renames"});
    for (int id = ID_DELETE_PRESET_FIRST; id <= ID_DELETE_PRESET_LAST; ++id)
        strings.push_back({id, "Deletes"});
    platform::RegisterStrings(strings);
}

}  // namespace corvane
