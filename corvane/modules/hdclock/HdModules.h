// HdModules: which of the modules sharing the HD clock (Brumo, Kintor, Ulmeth) the instrument
// has, as a document of one of them sees the other two before its clock questions.
#pragma once

#include "corvane/core/InstrumentLink.h"
#include "corvane/modules/ModuleKind.h"

namespace corvane {

class HdModules {
public:
    // From now on `kind` counts as installed or not, whatever the main frame listed.
    void SetInstalled(ModuleKind kind, bool installed);
    // As set, else what the main frame's module catalogue listed; false without a main frame
    // and for any other kind.
    bool Installed(ModuleKind kind) const;
    // The clock family of the first module of `kind` (ReadClockFamily): false without a link,
    // or when the module is installed but its family cannot be told.
    bool ReadFamily(ModuleKind kind, IInstrumentLink* link, int& family) const;

private:
    // -1: ask the main frame.
    int m_brumo = -1;
    int m_kintor = -1;
    int m_ulmeth = -1;
};

}  // namespace corvane
