// Resource ids shared by the three utilities. Their own ids live in resources/<program>/;
// these are the ones the shared skeleton builds: the About box and its menu item, the
// program icon.
#pragma once

#include "platform/DialogTemplate.h"
#include "utilities/common/UtilityTraits.h"

namespace utilities {

constexpr int IDD_ABOUTBOX = 100;
constexpr int IDS_ABOUTBOX = 101;
constexpr int IDS_SOCKETS_INIT_FAILED = 103;
constexpr int IDR_MAINFRAME = 128;
constexpr int IDM_ABOUTBOX = 16;
// Controls of the About box.
constexpr int IDC_ABOUT_ICON = 1100;
constexpr int IDC_ABOUT_VERSION = 1101;

constexpr const char* kSocketsInitFailedText = "Windows sockets initialization failed.";

platform::DialogTemplate AboutDialogTemplate(const UtilityTraits& traits);

}  // namespace utilities
