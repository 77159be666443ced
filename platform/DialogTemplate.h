// Dialog templates: the description of a dialog as data.
//
// Each program keeps its dialogs as tables of these in resources/<program>/. A template gives
// the dialog's id, caption and size in dialog units, and its controls in tab order. The layer
// builds real widgets from it (Dialog.h, ControlsHost.h); controls are then addressed by id.
//
// Dialog units: x and cx are quarters of the dialog font's average character width, y and cy
// eighths of its height, as on Windows, so a template keeps its proportions whatever font the
// desktop uses. For combo boxes cy is the height of the dropped-down list, as on Windows; the
// closed box takes one line.
#pragma once

#include <string>
#include <vector>

namespace platform {

enum class ControlKind {
    Static,
    Icon,  // text: the image's resource path (":/..."); empty: the application's icon
    Edit,
    PushButton,
    DefPushButton,
    CheckBox,
    RadioButton,
    GroupBox,
    ComboDropDownList,
    ComboDropDown,
    ListBox,
    IpAddress,
    Progress,
    UpDown,
    Tab,
    Animation,
    ListView,
    TreeView
};

struct ControlTemplate {
    ControlKind kind;
    int id;
    std::string text;
    int x, y, cx, cy;  // dialog units
    unsigned style = 0;
    std::vector<std::string> items = {};  // initial list of a combo or list box
};

struct DialogTemplate {
    int id;
    std::string caption;
    int cx, cy;  // dialog units
    std::vector<ControlTemplate> controls;
    unsigned style = 0;
    int x = 0, y = 0;  // dialog units; where a child dialog sits in its parent
};

constexpr int IDC_STATIC = -1;

// Window styles (the values are those of Windows, so tables can be copied as they are).
constexpr unsigned WS_CHILD = 0x40000000u;  // on a template: a child dialog (a page), no frame
constexpr unsigned WS_VISIBLE = 0x10000000u;
constexpr unsigned WS_DISABLED = 0x08000000u;
constexpr unsigned WS_BORDER = 0x00800000u;
constexpr unsigned WS_VSCROLL = 0x00200000u;
constexpr unsigned WS_HSCROLL = 0x00100000u;
constexpr unsigned WS_GROUP = 0x00020000u;  // starts a group: radio buttons, auto-buddy
constexpr unsigned WS_TABSTOP = 0x00010000u;

// Dialog styles.
constexpr unsigned DS_MODALFRAME = 0x0080u;
constexpr unsigned DS_CENTER = 0x0800u;

// Edit styles.
constexpr unsigned ES_CENTER = 0x0001u;
constexpr unsigned ES_RIGHT = 0x0002u;
constexpr unsigned ES_MULTILINE = 0x0004u;
constexpr unsigned ES_UPPERCASE = 0x0008u;
constexpr unsigned ES_PASSWORD = 0x0020u;
constexpr unsigned ES_AUTOHSCROLL = 0x0080u;
constexpr unsigned ES_READONLY = 0x0800u;
constexpr unsigned ES_NUMBER = 0x2000u;

// Static styles.
constexpr unsigned SS_LEFT = 0x0000u;
constexpr unsigned SS_CENTER = 0x0001u;
constexpr unsigned SS_RIGHT = 0x0002u;
constexpr unsigned SS_NOPREFIX = 0x0080u;
// One line, centred from top to bottom, so a label and a framed value cell of the same
// height and top show their texts on one line.
constexpr unsigned SS_CENTERIMAGE = 0x0200u;
constexpr unsigned SS_SUNKEN = 0x1000u;

// Button styles: the low four bits are a type, not flags. A CheckBox or RadioButton control
// toggles itself on a click unless its type says otherwise (BS_CHECKBOX, BS_RADIOBUTTON,
// BS_3STATE), as the AUTO... resource statements do.
constexpr unsigned BS_TYPEMASK = 0x000Fu;
constexpr unsigned BS_CHECKBOX = 0x0002u;
constexpr unsigned BS_AUTOCHECKBOX = 0x0003u;
constexpr unsigned BS_RADIOBUTTON = 0x0004u;
constexpr unsigned BS_3STATE = 0x0005u;
constexpr unsigned BS_AUTO3STATE = 0x0006u;
constexpr unsigned BS_AUTORADIOBUTTON = 0x0009u;

// Combo and list box styles.
constexpr unsigned CBS_SORT = 0x0100u;
constexpr unsigned LBS_SORT = 0x0002u;

// Up-down styles.
constexpr unsigned UDS_WRAP = 0x0001u;
constexpr unsigned UDS_SETBUDDYINT = 0x0002u;
constexpr unsigned UDS_ALIGNRIGHT = 0x0004u;
constexpr unsigned UDS_ALIGNLEFT = 0x0008u;
constexpr unsigned UDS_AUTOBUDDY = 0x0010u;
constexpr unsigned UDS_ARROWKEYS = 0x0020u;
constexpr unsigned UDS_HORZ = 0x0040u;
constexpr unsigned UDS_NOTHOUSANDS = 0x0080u;

// Progress styles.
constexpr unsigned PBS_SMOOTH = 0x01u;
constexpr unsigned PBS_VERTICAL = 0x04u;

}  // namespace platform
