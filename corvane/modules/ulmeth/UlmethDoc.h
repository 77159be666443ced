// CUlmethDoc: the Ulmeth, the high-definition serial video generator. It shares the HD clock
// with the Brumo and Kintor modules, so it keeps their clock families for its pages' questions
// and announces its own after a signal load.
#pragma once

#include "corvane/modules/hdclock/HdClock.h"
#include "corvane/modules/hdclock/HdModules.h"
#include "corvane/modules/serialvideo/SerialVideoDoc.h"

namespace corvane {

class CUlmethDoc : public CSerialVideoDoc {
public:
    CUlmethDoc();

    // Which of the other HD modules the instrument has; the main frame's unless set.
    void SetOtherHdModules(bool brumo, bool kintor);
    // A family the main frame relays from another window.
    void SetBrumoClockFamily(int family) { m_brumoClockFamily = family; }
    void SetKintorClockFamily(int family) { m_kintorClockFamily = family; }

    int m_brumoClockFamily = kClockNoBrumo;
    int m_kintorClockFamily = kClockNoKintor;

protected:
    int ReadBeforeSelect() override;
    void SignalLoaded() override;

private:
    HdModules m_hdModules;
};

}  // namespace corvane
