// The progress form of the long loops: a text, "N %", a bar and Cancel. It is application
// modal while shown, so no other window takes input or a close request in the middle of a
// loop; the loop itself keeps the windows painting through StepProgress. Closing the form by
// the window manager, or Escape, counts as Cancel. It must not be a child of the forms it
// disables, or it would be disabled with them.
#pragma once

#include <QDialog>
#include <QPointer>

#include "nimbrel/BuildProgress.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace nimbrel {

class TProgressForm : public QDialog, public BuildProgress {
    Q_OBJECT
public:
    explicit TProgressForm(QWidget* parent = nullptr);

    // The forms disabled while the progress shows; the tool form only when it is visible.
    void SetForms(QWidget* mainForm, QWidget* toolForm);

    void ShowProgress(int kind) override;
    bool StepProgress(int percent) override;
    void HideProgress() override;

    bool Cancelled() const { return m_cancel; }
    QString Text() const;
    QString PercentText() const;
    int Percent() const;
    QPushButton* CancelButton() const { return m_cancelButton; }

    // Sets the Cancel flag, as the button does.
    void BitBtn_CancelClick();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void SetPercent(int percent);

    QLabel* m_text = nullptr;
    QLabel* m_percent = nullptr;
    QProgressBar* m_bar = nullptr;
    QPushButton* m_cancelButton = nullptr;
    QPointer<QWidget> m_mainForm;
    QPointer<QWidget> m_toolForm;
    bool m_toolWasVisible = false;
    bool m_cancel = false;
    bool m_hiding = false;
};

}  // namespace nimbrel
