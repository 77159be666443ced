#include "nimbrel/ui/TProgressForm.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace nimbrel {

TProgressForm::TProgressForm(QWidget* parent) : QDialog(parent) {
    setWindowModality(Qt::ApplicationModal);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* layout = new QVBoxLayout(this);
    auto* panel = new QHBoxLayout;
    m_text = new QLabel(this);
    m_percent = new QLabel("0 %", this);
    m_percent->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_percent->setMinimumWidth(m_percent->fontMetrics().horizontalAdvance("100 %") + 4);
    panel->addWidget(m_text, 1);
    panel->addWidget(m_percent);
    layout->addLayout(panel);
    m_bar = new QProgressBar(this);
    m_bar->setRange(0, 100);
    m_bar->setTextVisible(false);
    layout->addWidget(m_bar);
    m_cancelButton = new QPushButton("Cancel", this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_cancelButton);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    connect(m_cancelButton, &QPushButton::clicked, this, [this] { BitBtn_CancelClick(); });
    setMinimumWidth(360);
}

void TProgressForm::SetForms(QWidget* mainForm, QWidget* toolForm) {
    m_mainForm = mainForm;
    m_toolForm = toolForm;
}

void TProgressForm::ShowProgress(int kind) {
    if (kind == 1) {
        setWindowTitle("BUILDING PIC BMP");
        m_text->setText("Building PIC Bitmap . . .");
    } else {
        setWindowTitle("BUILDING PIC FILES");
        m_text->setText("Building PIC File . . .");
    }
    m_bar->setValue(0);
    m_percent->setText("0 %");
    m_cancel = false;
    if (m_mainForm && !isVisible()) {
        adjustSize();
        move(m_mainForm->frameGeometry().center() - rect().center());
    }
    show();
    repaint();
    if (m_mainForm) {
        m_mainForm->setEnabled(false);
    }
    m_toolWasVisible = m_toolForm && m_toolForm->isVisible();
    if (m_toolWasVisible) {
        m_toolForm->setEnabled(false);
    }
}

void TProgressForm::SetPercent(int percent) {
    percent = std::clamp(percent, 0, 100);
    if (percent != m_bar->value()) {
        m_bar->setValue(percent);
        // Built as a number and a suffix, never through a format string with a bare '%'.
        m_percent->setText(QString::number(percent) + " %");
        repaint();
    }
}

bool TProgressForm::StepProgress(int percent) {
    SetPercent(percent);
    QCoreApplication::processEvents();
    return !m_cancel;
}

void TProgressForm::HideProgress() {
    m_hiding = true;
    hide();
    m_hiding = false;
    if (m_toolWasVisible && m_toolForm && m_toolForm->isVisible()) {
        m_toolForm->setEnabled(true);
        m_toolForm->activateWindow();
        m_toolForm->setFocus();
    } else if (m_mainForm) {
        m_mainForm->setEnabled(true);
        m_mainForm->activateWindow();
        m_mainForm->setFocus();
    }
    m_toolWasVisible = false;
}

QString TProgressForm::Text() const {
    return m_text->text();
}

QString TProgressForm::PercentText() const {
    return m_percent->text();
}

int TProgressForm::Percent() const {
    return m_bar->value();
}

void TProgressForm::BitBtn_CancelClick() {
    m_cancel = true;
}

void TProgressForm::closeEvent(QCloseEvent* event) {
    // The loop that showed the form hides it; a close from outside only asks it to stop.
    if (!m_hiding && isVisible()) {
        m_cancel = true;
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void TProgressForm::reject() {
    m_cancel = true;
}

}  // namespace nimbrel
