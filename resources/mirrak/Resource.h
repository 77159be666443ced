// Mirrak's resource ids, its texts and the tables of this folder.
#pragma once

#include "platform/DialogTemplate.h"

namespace mirrak {

constexpr int IDD_ABOUTBOX = 100;
constexpr int IDS_ABOUTBOX = 101;
constexpr int IDD_MIRRAK_DIALOG = 102;
constexpr int IDR_MAINFRAME = 128;
constexpr int IDR_COPY_ANIMATION = 130;
constexpr int IDD_COPY_PROGRESS = 131;

constexpr int IDM_ABOUTBOX = 16;  // the About item's command

constexpr int IDC_COPY = 1003;
constexpr int IDC_ANIMATE = 1008;
constexpr int IDC_COPY_FILE = 1009;
constexpr int IDC_COPY_PATH = 1010;
constexpr int IDC_COPY_PROGRESS = 1012;
constexpr int IDC_SOURCE_IP = 1017;
constexpr int IDC_TARGET_IP = 1018;
constexpr int IDC_COPY_TIME = 1019;

// Texts of the message boxes, as the operators know them.
constexpr const char* kCaption = "Mirrak";
constexpr const char* kSameAddressText =
    "Source and target IP addresses are same.\n\nPlease enter another IP address.";
constexpr const char* kConfirmText = "Are you sure want to copy?";
constexpr const char* kCannotOpenAddressText = "Can not open IP address '";
constexpr const char* kDoneText = "Duplication is successfuly completed!";
constexpr const char* kFailedText = "Duplication is failed!";
constexpr const char* kCancelledText = "Duplication is canceled by user!";
constexpr const char* kAnimationErrorText = "Error: Can not open AnimateCtrl";
constexpr const char* kProgressCaption = "Copying...";

const platform::DialogTemplate& MirrakDialogTemplate();
const platform::DialogTemplate& CopyProgressDialogTemplate();

}  // namespace mirrak
