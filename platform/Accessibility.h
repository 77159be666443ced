// What assistive technology is told about the layer's own widgets where Qt's default would
// mislead it (internal to the layer).
//
// A message box is our own dialog, which Qt would announce as an empty dialog; it is an alert.
//
// Qt's own interface for a button takes a radio button that is not auto-exclusive (the host
// keeps radio groups by WS_GROUP, not by parent widget) for a check box, and its toggle action
// flips the button without a click, so the owner never hears of the change. A button built
// from a dialog template is shown for what it is instead, and its press and toggle actions
// both click it, as the mouse does, so the host raises BN_CLICKED to its owner.
//
// Qt makes a widget's interface while the widget is being constructed; these calls replace
// it, so call them once the widget is built and before it is shown.
#pragma once

class QAbstractButton;
class QWidget;

namespace platform::detail {

void AccessibleAsAlert(QWidget* box);
void AccessibleAsTemplateButton(QAbstractButton* button);

}  // namespace platform::detail
