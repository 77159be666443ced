// Gorrel's resource ids and the tables of this folder.
#pragma once

#include "platform/DialogTemplate.h"

namespace gorrel {

constexpr int IDD_ABOUTBOX = 100;
constexpr int IDS_ABOUTBOX = 101;
constexpr int IDD_GORREL_DIALOG = 102;
constexpr int IDR_MAINFRAME = 128;
constexpr int IDD_MODULE_MISMATCH = 131;

constexpr int IDM_ABOUTBOX = 16;  // the About item's command

constexpr int IDC_IPADDRESS = 1000;
constexpr int IDC_SOURCE_PATH = 1002;
constexpr int IDC_BROWSE = 1003;
constexpr int IDC_RESTORE = 1004;
// The mismatch dialog: slots 1 to 4 of the backup, then of the instrument.
constexpr int IDC_BACKUP_SLOT1 = 1005;
constexpr int IDC_INSTALLED_SLOT1 = 1009;

const platform::DialogTemplate& GorrelDialogTemplate();
const platform::DialogTemplate& ModuleMismatchDialogTemplate();

}  // namespace gorrel
