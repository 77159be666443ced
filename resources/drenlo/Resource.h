// Drenlo's resource ids: dialogs, controls, menu commands, icons and strings, with the
// functions that hand out the tables of this folder.
#pragma once

#include "platform/DialogTemplate.h"
#include "platform/Menu.h"

namespace drenlo {

// Dialogs and frame resources.
constexpr int IDD_ABOUTBOX = 100;
constexpr int IDR_MAINFRAME = 128;
constexpr int IDD_COPY_PROGRESS = 130;
constexpr int IDD_PRESET_FILE = 131;
constexpr int IDD_ETHERNET = 136;
constexpr int IDR_COPY_ANIMATION = 139;
constexpr int IDD_QUARN_ERROR = 141;
constexpr int IDR_LIST_BACKGROUND_MENU = 142;
constexpr int IDR_LIST_FOLDER_MENU = 143;
constexpr int IDR_LIST_FILE_MENU = 144;
constexpr int IDR_TREE_MENU = 147;
constexpr int IDD_OPTIONS = 148;
constexpr int IDD_SEQUENCE_FILE = 163;
constexpr int IDD_LOGO_FILE = 164;
constexpr int IDD_DOWNLOAD_FILE = 165;
constexpr int IDD_PICTURE_FILE = 172;
constexpr int IDD_SIGNAL_FILE = 173;

// Icons (drawn by DrenloIcons).
constexpr int IDI_FILE_OTHER = 129;
constexpr int IDI_FOLDER = 149;
constexpr int IDI_PRESET = 151;
constexpr int IDI_PLACEHOLDER = 154;
constexpr int IDI_PLACEHOLDER_SELECTED = 155;
constexpr int IDI_FOLDER_OPEN = 156;
constexpr int IDI_ROOT = 157;
constexpr int IDI_ROOT_SELECTED = 158;
constexpr int IDI_LOGO = 159;
constexpr int IDI_DOWNLOAD = 160;
constexpr int IDI_SEQUENCE = 161;
constexpr int IDI_PICTURE = 170;
constexpr int IDI_SIGNAL = 171;

// Controls.
constexpr int IDC_ANIMATE = 1000;
constexpr int IDC_COPY_FILE = 1001;
constexpr int IDC_COPY_DIRECTION = 1002;
constexpr int IDC_COPY_PROGRESS = 1003;
constexpr int IDC_COPY_TIME = 1004;
constexpr int IDC_PRESET_NAME = 1005;
constexpr int IDC_EDIT_SEQUENCE = 1006;
constexpr int IDC_FILE_NAME = 1009;
constexpr int IDC_VERSION = 1009;
constexpr int IDC_ERROR_LIST = 1028;
constexpr int IDC_EDITOR_PATH = 1029;
constexpr int IDC_BROWSE_EDITOR = 1030;
constexpr int IDC_IPADDRESS = 1032;

// Commands.
constexpr int ID_PC_TO_QUARN = 32771;
constexpr int ID_QUARN_TO_PC = 32772;
constexpr int ID_NEW_FOLDER = 32773;
constexpr int ID_DELETE = 32774;
constexpr int ID_RENAME = 32775;
constexpr int ID_VIEW_LARGE_ICONS = 32777;
constexpr int ID_VIEW_SMALL_ICONS = 32778;
constexpr int ID_VIEW_DETAILS = 32779;
constexpr int ID_SORT_BY_NAME = 32780;
constexpr int ID_SORT_BY_SIZE = 32781;
constexpr int ID_REFRESH = 32783;
constexpr int ID_NETWORK = 32784;
constexpr int ID_EXPLORE = 32786;
constexpr int ID_TREE_EXPLORER = 32790;
constexpr int ID_TREE_DELETE = 32791;
constexpr int ID_TREE_RENAME = 32792;
constexpr int ID_OPTIONS = 32794;
constexpr int ID_CHECK_ERROR = 32795;
constexpr int ID_UP_ONE_LEVEL = 32796;
constexpr int ID_LOAD_TO_MEMORY = 32797;
constexpr int ID_VIEW_LIST = 59410;
constexpr int ID_INDICATOR_OBJECTS = 59142;
constexpr int ID_INDICATOR_SIZES = 59143;

// Strings.
constexpr int IDS_SOCKETS_INIT_FAILED = 104;
constexpr int IDS_DOC_TEMPLATE = 128;
constexpr int IDS_NAME_EXISTS = 1036;
constexpr int IDS_CANNOT_RENAME_FOLDER = 1037;
constexpr int IDS_RENAME_DENIED = 1039;

void RegisterDrenloStrings();

const platform::DialogTemplate& AboutDialogTemplate();
const platform::DialogTemplate& EthernetDialogTemplate();
const platform::DialogTemplate& OptionsDialogTemplate();
const platform::DialogTemplate& QuarnErrorDialogTemplate();
const platform::DialogTemplate& CopyProgressDialogTemplate();
// The per-type confirmation dialogs: 131, 163, 164, 165, 172 or 173.
const platform::DialogTemplate& FileConfirmDialogTemplate(int id);

const platform::MenuTemplate& MainFrameMenu();
// The context menus 142, 143, 144 and 147.
const platform::MenuTemplate& ContextMenu(int id);

}  // namespace drenlo
