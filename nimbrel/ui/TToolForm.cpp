#include "nimbrel/ui/TToolForm.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>
#include <algorithm>

#include "nimbrel/CFileMakeInfo.h"
#include "nimbrel/ui/CSettingMngInfo.h"
#include "nimbrel/ui/FileChooser.h"

namespace nimbrel {

namespace {

const char* const kPathCaptions[TToolForm::kPathRows] = {"Input As Y  / G", "Input As Pb / B",
                                                         "Input As Pr / R", "Output As"};

QString ToQ(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

TToolForm::TToolForm(const CSettingMngInfo& settings, CFileMakeInfo& job, BuildProgress& progress,
                     const MainSwitches& switches, QWidget* mainForm)
    : QWidget(nullptr),
      m_settings(settings),
      m_job(job),
      m_progress(progress),
      m_switches(switches),
      m_mainForm(mainForm),
      m_boxes(std::make_unique<RawBuildBoxes>(switches.english, job.MainIni())),
      m_prompts(m_boxes.get()) {
    // A window of its own, not a child of the main form: the main form is disabled while this
    // one is open, and a child would be disabled with it.
    setWindowTitle(ToQ(m_switches.toolCaption.empty() ? "Tool" : m_switches.toolCaption));
    setToolTip(ToQ(m_switches.toolHint));
    setStatusTip(ToQ(m_switches.toolHint));
    setObjectName("TToolForm");
    BuildControls();
}

TToolForm::~TToolForm() {
    if (isVisible()) {
        EnableMainForm();
    }
}

void TToolForm::BuildControls() {
    auto* top = new QVBoxLayout(this);
    auto* paths = new QGridLayout;
    for (int row = 0; row < kPathRows; ++row) {
        m_pathButtons[row] = new QPushButton(kPathCaptions[row], this);
        m_pathEdits[row] = new QLineEdit(this);
        m_pathEdits[row]->setMinimumWidth(360);
        paths->addWidget(m_pathButtons[row], row, 0);
        paths->addWidget(m_pathEdits[row], row, 1);
        connect(m_pathButtons[row], &QPushButton::clicked, this, [this, row] { ChoosePath(row); });
    }
    top->addLayout(paths);

    auto radioGroup = [this](const char* title, const char* const items[2],
                             std::array<QRadioButton*, 2>& out) {
        auto* group = new QGroupBox(title, this);
        auto* layout = new QVBoxLayout(group);
        for (int i = 0; i < 2; ++i) {
            out[i] = new QRadioButton(items[i], group);
            layout->addWidget(out[i]);
        }
        layout->addStretch();
        out[0]->setChecked(true);
        return group;
    };
    static const char* const kInputItems[2] = {"YPbPr", "GBR"};
    static const char* const kFilterItems[2] = {"OFF", "ON"};
    auto* groups = new QHBoxLayout;
    groups->addWidget(radioGroup("Input File", kInputItems, m_inputItems));
    m_formatGroup = new QGroupBox("Format", this);
    m_formatLayout = new QVBoxLayout(m_formatGroup);
    m_formatButtons = new QButtonGroup(this);
    groups->addWidget(m_formatGroup, 1);
    groups->addWidget(radioGroup("Filter", kFilterItems, m_filterItems));
    top->addLayout(groups);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    m_build = new QPushButton("Build", this);
    m_close = new QPushButton("Close", this);
    buttons->addWidget(m_build);
    buttons->addWidget(m_close);
    top->addLayout(buttons);
    connect(m_build, &QPushButton::clicked, this, [this] { ExecConvert(); });
    connect(m_close, &QPushButton::clicked, this, [this] { close(); });
    RebuildFormatGroup();
}

void TToolForm::RebuildFormatGroup() {
    for (QRadioButton* item : m_formatItems) {
        m_formatButtons->removeButton(item);
        delete item;
    }
    m_formatItems.clear();
    m_formats.clear();
    // The stretch that kept the items at the top goes too; it is added again below them.
    while (QLayoutItem* rest = m_formatLayout->takeAt(0)) {
        delete rest;
    }
    for (int i = 0; i < m_settings.FormatCount(); ++i) {
        const PictureFormat* format = m_settings.Format(i);
        if (format == nullptr || !RawBuild::Fits(*format)) {
            continue;
        }
        auto* item = new QRadioButton(ToQ(format->caption), m_formatGroup);
        m_formatButtons->addButton(item, static_cast<int>(m_formatItems.size()));
        m_formatLayout->addWidget(item);
        m_formatItems.push_back(item);
        m_formats.push_back(*format);
    }
    m_formatLayout->addStretch();
    if (!m_formatItems.empty()) {
        m_formatItems.back()->setChecked(true);
    }
    // Without a format there is nothing a raw file could be built as.
    m_build->setEnabled(!m_formatItems.empty());
}

void TToolForm::ShowTool() {
    if (isVisible()) {
        StartAfresh();  // no show event comes for a window already shown
    }
    show();
    raise();
    activateWindow();
}

void TToolForm::StartAfresh() {
    for (QLineEdit* edit : m_pathEdits) {
        edit->clear();
    }
    RebuildFormatGroup();
    if (m_mainForm != nullptr) {
        m_mainForm->setEnabled(false);
    }
}

void TToolForm::showEvent(QShowEvent* event) {
    // Every showing by the program starts afresh, whoever calls show(); a window coming back
    // from being minimised keeps what the operator entered.
    if (!event->spontaneous()) {
        StartAfresh();
        CentreOverMainForm();
    }
    QWidget::showEvent(event);
}

void TToolForm::CentreOverMainForm() {
    if (m_mainForm == nullptr) {
        return;
    }
    const QWidget* main = m_mainForm->window();
    const QRect outer = main->frameGeometry();
    const QRect inner = main->geometry();
    // Until this window is first shown the window manager has not framed it; the main form's
    // frame is the one it will get.
    const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(),
                         outer.right() - inner.right(), outer.bottom() - inner.bottom());
    QRect target(QPoint(), size().grownBy(frame));
    target.moveCenter(outer.center());
    // Over a main form at the edge of the screen the tool stays on it, title bar first.
    if (const QScreen* screen = main->screen()) {
        const QRect free = screen->availableGeometry();
        target.moveLeft(
            std::max(free.left(), std::min(target.left(), free.right() + 1 - target.width())));
        target.moveTop(
            std::max(free.top(), std::min(target.top(), free.bottom() + 1 - target.height())));
    }
    // The window itself goes inside that frame: before a window is first mapped, X11 takes a
    // position given for its frame as that of the window.
    setGeometry(QRect(target.topLeft() + QPoint(frame.left(), frame.top()), size()));
}

void TToolForm::SetPrompts(RawBuildPrompts* prompts) {
    m_prompts = prompts != nullptr ? prompts : m_boxes.get();
}

RawJob TToolForm::CurrentJob() const {
    RawJob job;
    for (int i = 0; i < 3; ++i) {
        job.inputs[i] = m_pathEdits[i]->text().toStdString();
    }
    job.output = m_pathEdits[kOutput]->text().toStdString();
    job.input = m_inputItems[1]->isChecked() ? RawInput::Gbr : RawInput::YPbPr;
    job.filterOn = m_filterItems[1]->isChecked();
    const int chosen = m_formatButtons->checkedId();
    if (chosen >= 0 && chosen < static_cast<int>(m_formats.size())) {
        job.format = m_formats[chosen];
    }
    return job;
}

void TToolForm::ChoosePath(int row) {
    std::string path =
        FileChooser::StartFolder(m_pathEdits[row]->text().toStdString(), m_job.StartFolder());
    // The save dialog asks nothing about an existing file: Build asks its own question.
    const bool chosen =
        row == kOutput ? FileChooser::Save(this, "Pic File", "Pic Files (*.pic)|*.pic||", "", path)
                       : FileChooser::Open(this, "File", "All Files (*.*)|*.*||", "", path);
    if (chosen) {
        m_pathEdits[row]->setText(ToQ(path));
    }
}

void TToolForm::ExecConvert() {
    if (m_building || m_formatItems.empty()) {
        return;
    }
    m_building = true;
    m_lastCode = RawBuild::ExecConvert(CurrentJob(), m_job, m_progress, *m_prompts);
    m_building = false;
}

void TToolForm::EnableMainForm() {
    if (m_mainForm != nullptr) {
        m_mainForm->setEnabled(true);
        m_mainForm->activateWindow();
    }
}

void TToolForm::closeEvent(QCloseEvent* event) {
    // A build pumps events while it runs; closing under it would end the window it reports to.
    if (m_building) {
        event->ignore();
        return;
    }
    EnableMainForm();
    event->accept();
}

}  // namespace nimbrel
