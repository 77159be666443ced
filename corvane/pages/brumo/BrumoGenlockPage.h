// CBrumoGenlockPage: the Genlock tab of the Brumo window. The reference the module locks to,
// what it does when it loses the lock, the frame reset of a CW reference and the genlock
// timing: vertical lines and the horizontal delay as a coarse part on the 54 MHz grid and a
// fine part in tenths of a nanosecond.
//
// The timing limits follow the reference (and, for an HD sync, the format the module detects
// on it); each change of them clamps the stored timing and sends what it clamped. The fields
// send what the operator types; a spin click writes the field itself, and the echo flag keeps
// that write from moving the spin back, cleared as soon as the write has returned. Leaving a
// field only shows the stored value again.
#pragma once

#include <string>

#include "corvane/pages/common/TabPage.h"
#include "corvane/pages/timing/TimingLimits.h"

namespace corvane {

// What the view hands the page before it is created.
struct BrumoGenlockValues {
    int source = 0;
    int lockLossAction = 0;
    double cwFrame = 14.985;  // Hz
    int lines = 0;
    double delay = 0.0;  // seconds
    int hdSyncFormat = genlocksource::kNoHdSync;
};

class CBrumoGenlockPage : public CTabPage {
public:
    CBrumoGenlockPage();

    void Load(const BrumoGenlockValues& values) { m_values = values; }

    platform::BOOL OnInitDialog() override;
    platform::BOOL OnCommand(int id, int code) override;
    void OnVScroll(int code, int pos, int id) override;
    void DoDataExchange(platform::CDataExchange* dx) override;

    // The CW frame reset list: the index of a frequency (exact; any other shows the last
    // entry, "Keep Composite Timing") and the frequency of an index.
    static int CwFrameIndex(double hertz);
    static double CwFrameOfIndex(int index);

    const TimingLimits& Limits() const { return m_limits; }
    double Coarse() const { return m_coarse; }
    double Fine() const { return m_fine; }

private:
    void OnSourceChange();
    void OnCwFrameChange();
    // The coarse (true) or the fine part typed: taken and sent, or refused with its message.
    void OnPartUpdate(bool coarse);
    platform::LRESULT OnTimingReload();
    platform::LRESULT OnHdReferenceReload();

    void Enable();
    // The limits of the reference, the stored timing clamped to them (sending what moved),
    // and the fields and spins written anew.
    void ApplyLimits();
    void WriteTiming();
    static int PartSpin(bool coarse);
    int PartPosition(bool coarse) const;
    std::string PartText(bool coarse) const;
    // A part's stored value in its field and spin, with the ready flag at 0.
    void WritePart(bool coarse);
    void SendDelay();
    void SendCwFrame();
    // Writes `text` into a delay field as the page's own write, raising its update with the
    // echo flag given set until the write returns.
    void EchoWrite(int editId, const std::string& text, bool& flag);

    BrumoGenlockValues m_values;
    TimingLimits m_limits;
    int m_sourceIndex = 0;
    int m_cwIndex = 5;
    std::string m_linesText;
    double m_coarse = 0.0;  // seconds
    double m_fine = 0.0;    // seconds
    double m_sent = 0.0;    // coarse + fine, as last handed to the view
    bool m_setBySpin = false;
};

}  // namespace corvane
