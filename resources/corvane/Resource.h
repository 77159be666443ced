// Corvane's resource ids and the tables that hold its menus, dialogs and strings.
#pragma once

#include "platform/DialogTemplate.h"
#include "platform/Menu.h"

namespace corvane {

// Main frame: menu, icon and title.
constexpr int IDR_MAINFRAME = 128;

// Document templates, in registration order.
constexpr int IDR_QUARNTYPE = 135;
constexpr int IDR_TAVIXTYPE = 130;
constexpr int IDR_BRUMOTYPE = 131;
constexpr int IDR_KINTORTYPE = 132;
constexpr int IDR_SORMETTYPE = 133;
constexpr int IDR_ULMETHTYPE = 134;
constexpr int IDR_PIRVOTYPE = 146;
constexpr int IDR_OLTRATYPE = 157;
constexpr int IDR_YARLOTYPE = 160;

// Dialogs and their controls.
constexpr int IDD_ABOUTBOX = 100;
constexpr int IDD_ETHERNET = 219;
constexpr int IDC_IPADDRESS = 1290;
constexpr int IDD_RENAME = 220;
constexpr int IDC_NEW_NAME = 1291;
constexpr int IDC_CURRENT_NAME = 1333;

// Strings.
constexpr int IDS_MODEL_TAVIX = 136;
constexpr int IDS_MODEL_BRUMO = 137;
constexpr int IDS_MODEL_KINTOR = 138;
constexpr int IDS_MODEL_SORMET = 139;
constexpr int IDS_MODEL_ULMETH = 140;
constexpr int IDS_LOADS_AND_EDITS = 141;
constexpr int IDS_SOCKETS_INIT_FAILED = 142;
constexpr int IDS_MODEL_PIRVO = 153;
constexpr int IDS_MODEL_OLTRA = 156;
constexpr int IDS_MODEL_YARLO = 159;

// Commands.
constexpr int ID_FILE_OPEN_QUARN = 32776;
constexpr int ID_RECALL_FACTORY_DEFAULT = 32783;
constexpr int ID_RENAME_PRESET_FIRST = 32785;  // presets 1..13
constexpr int ID_RENAME_PRESET_LAST = 32797;
constexpr int ID_RECALL_PRESET_FIRST = 32798;
constexpr int ID_RECALL_PRESET_LAST = 32810;
constexpr int ID_SAVE_PRESET_FIRST = 32811;
constexpr int ID_SAVE_PRESET_LAST = 32823;
constexpr int ID_DELETE_PRESET_FIRST = 32824;
constexpr int ID_DELETE_PRESET_LAST = 32836;
constexpr int ID_RECALL_POWER_ON_DEFAULT = 32837;
constexpr int ID_RECALL_USER_DEFAULT = 32838;
constexpr int ID_SAVE_POWER_ON_DEFAULT = 32839;
constexpr int ID_OPEN_SLOT_FIRST = 32842;  // slots 1..4
constexpr int ID_OPEN_SLOT_LAST = 32845;

const platform::MenuTemplate& MainFrameMenu();
const platform::DialogTemplate& AboutDialogTemplate();
const platform::DialogTemplate& EthernetDialogTemplate();
const platform::DialogTemplate& RenameDialogTemplate();
// Registers Corvane's string table with the layer.
void RegisterCorvaneStrings();
// The application's icon.
const char* ApplicationIconPath();

}  // namespace corvane
