// CTavixView: the Tavix window. The channels' frequency, amplitude and click are on three
// tab pages; the resolution, the audio-to-video synchronisation and the audio timing offset
// are on the form itself.
//
// The delay edit reacts to the operator only: the view's own writes (opening, a refused
// value, a re-read after another module's apply) are made under m_ownWrite and send nothing,
// so a window just opened is not modified.
#pragma once

#include <memory>
#include <string>

#include "corvane/modules/common/ModuleView.h"
#include "corvane/pages/audio/AudioComboPage.h"
#include "corvane/pages/tavix/TavixAmplitudePage.h"

class QObject;

namespace corvane {

class CTavixDoc;

class CTavixView : public CModuleView {
public:
    CTavixView();
    ~CTavixView() override;

    CTavixDoc* GetTavixDoc() const;

    void OnInitialUpdate() override;
    void DoDataExchange(platform::CDataExchange* dx) override;
    void OnUpdate(platform::CView* sender, platform::LPARAM hint, void* hintObject) override;
    platform::BOOL OnCommand(int id, int code) override;

    // The delay limits of a synchronisation mode for the frame reset frequencies; a frequency
    // of 0 leaves `maximum` and `minimum` as they are.
    static void DelayLimits(int mode, double frame1, double frame2, int& maximum, int& minimum);

    // The pages, in tab order.
    CAudioComboPage m_frequencyPage;
    CTavixAmplitudePage m_amplitudePage;
    CAudioComboPage m_clickPage;

    int m_bitsIndex = 1;  // 0: 20 bits, 1: 24 bits
    int m_syncIndex = -1;
    std::string m_delayText;
    int m_delayMax = 0;
    int m_delayMin = 0;

protected:
    void PushPageValues() override;
    void OnInitialUpdateForm() override;

private:
    // Rebuilds the synchronisation list from the frame resets present and selects the mode.
    // 0 when the list could not be filled (the box has been shown).
    int FillSyncList();
    void SyncChosen();
    void DelayChanged();
    void DelayLostFocus();
    platform::LRESULT OnModuleApplied();
    // Keeps `value` within the current limits when the delay is in use; 1 when it moved.
    int ClampDelay(int& value) const;
    void EnableDelay(bool enable);
    void WriteOwnControls();

    int m_ownWrite = 1;  // > 0 while the view writes its own controls
    std::unique_ptr<QObject> m_enterFilter;
};

}  // namespace corvane
