// The raw component tool's window: three raw input files and an output picture file, the kind
// of input, the picture format and the filter, and Build. It is a top-level window of its own,
// shown over the middle of the main form; while it is open the main form is disabled, and
// closing it enables the main form again.
//
// The main form creates it once and calls ShowTool() from its Tool command. Build runs
// RawBuild::ExecConvert with the progress form the main form gives; that progress form should
// disable this window too while it shows (this object is the QWidget to disable).
#pragma once

#include <QWidget>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "nimbrel/FormatTable.h"
#include "nimbrel/MainSwitches.h"
#include "nimbrel/RawBuild.h"

class QButtonGroup;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QVBoxLayout;

namespace nimbrel {

class BuildProgress;
class CFileMakeInfo;
class CSettingMngInfo;

class TToolForm : public QWidget {
public:
    // Indexes of the four path rows.
    enum PathRow { kInputY = 0, kInputPb = 1, kInputPr = 2, kOutput = 3, kPathRows = 4 };

    // settings: the formats of the Format menu, read again every time the form is shown.
    // switches: language, TOOL_CAPTION and the tool's hint. mainForm may be null.
    TToolForm(const CSettingMngInfo& settings, CFileMakeInfo& job, BuildProgress& progress,
              const MainSwitches& switches, QWidget* mainForm);
    ~TToolForm() override;

    // Shows the window. Every show (show() alone too) empties the path fields, rebuilds the
    // Format group from the settings and disables the main form.
    void ShowTool();

    // The questions and messages of Build go here; the default shows boxes with the main
    // ini's texts. Null brings the boxes back. The form does not own the object.
    void SetPrompts(RawBuildPrompts* prompts);

    // What Build would run now; the Format item is meaningful only when FormatItemCount() > 0.
    RawJob CurrentJob() const;
    // The code of the last Build (0 success; see RawBuild::ExecConvert).
    int LastCode() const { return m_lastCode; }

    // The controls, for the main form's wiring and for tests that drive the form like an
    // operator.
    QPushButton* PathButton(int row) const { return m_pathButtons[row]; }
    QLineEdit* PathEdit(int row) const { return m_pathEdits[row]; }
    QRadioButton* InputFileItem(int index) const { return m_inputItems[index]; }
    int FormatItemCount() const { return static_cast<int>(m_formatItems.size()); }
    QRadioButton* FormatItem(int index) const { return m_formatItems[index]; }
    QRadioButton* FilterItem(int index) const { return m_filterItems[index]; }
    QPushButton* BuildButton() const { return m_build; }
    QPushButton* CloseButton() const { return m_close; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void BuildControls();
    void StartAfresh();
    void RebuildFormatGroup();
    void ChoosePath(int row);
    void ExecConvert();
    void EnableMainForm();
    // Over the middle of the main form, inside the screen's free area.
    void CentreOverMainForm();

    const CSettingMngInfo& m_settings;
    CFileMakeInfo& m_job;
    BuildProgress& m_progress;
    MainSwitches m_switches;
    QWidget* m_mainForm;
    std::unique_ptr<RawBuildBoxes> m_boxes;
    RawBuildPrompts* m_prompts;

    std::array<QPushButton*, kPathRows> m_pathButtons{};
    std::array<QLineEdit*, kPathRows> m_pathEdits{};
    std::array<QRadioButton*, 2> m_inputItems{};
    std::array<QRadioButton*, 2> m_filterItems{};
    QGroupBox* m_formatGroup = nullptr;
    QVBoxLayout* m_formatLayout = nullptr;
    QButtonGroup* m_formatButtons = nullptr;
    std::vector<QRadioButton*> m_formatItems;
    // The formats behind the Format items, in item order.
    std::vector<PictureFormat> m_formats;
    QPushButton* m_build = nullptr;
    QPushButton* m_close = nullptr;
    bool m_building = false;
    int m_lastCode = 0;
};

}  // namespace nimbrel
