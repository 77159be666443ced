// The window of a real message box (internal to the layer; MessageBox.h is the interface).
//
// An icon, the text and a row of buttons, like the system's box, but never larger than the
// screen's available area: the text wraps (inside a word when the word is longer than the
// line) and, when it is still taller than the screen allows, scrolls inside the box, so the
// buttons always stay on the screen. Escape and the close box reject the dialog; the caller
// turns that into the box's escape answer.
#pragma once

#include <QDialog>
#include <QDialogButtonBox>

class QLabel;
class QPushButton;
class QTextEdit;

namespace platform::detail {

class MessageBoxDialog : public QDialog {
public:
    // icon is a QStyle::StandardPixmap (SP_MessageBox...) or -1 for none.
    MessageBoxDialog(QWidget* parent, int icon, const QString& caption, const QString& text);

    QPushButton* AddButton(QDialogButtonBox::StandardButton button);
    // Sizes the box to its text within the screen of its parent (or the primary screen).
    void FitToScreen();
    // The button that ended the box; null after Escape or the close box.
    QPushButton* Clicked() const { return m_clicked; }

private:
    QLabel* m_icon = nullptr;
    QTextEdit* m_text = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
    QPushButton* m_clicked = nullptr;
};

}  // namespace platform::detail
