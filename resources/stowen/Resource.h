// Stowen's resource ids and the tables of this folder.
#pragma once

#include "platform/DialogTemplate.h"

namespace stowen {

constexpr int IDD_ABOUTBOX = 100;
constexpr int IDS_ABOUTBOX = 101;
constexpr int IDD_STOWEN_DIALOG = 102;
constexpr int IDR_MAINFRAME = 128;

constexpr int IDM_ABOUTBOX = 16;  // the About item's command

constexpr int IDC_IPADDRESS = 1000;
constexpr int IDC_BACKUP = 1001;
constexpr int IDC_SOURCE_PATH = 1002;
constexpr int IDC_BROWSE = 1003;

const platform::DialogTemplate& StowenDialogTemplate();

}  // namespace stowen
