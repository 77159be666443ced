// How a module's Apply sends: one command at a time, and a parameter only when the operator
// changed it, with one progress step for its position whether it went or not.
#pragma once

#include <string>

#include "corvane/core/InstrumentLink.h"
#include "corvane/modules/common/Flagged.h"
#include "corvane/modules/common/ProgressSink.h"

namespace corvane {

// 1 sent; 0 without a link or when it could not be sent.
int SendLine(IInstrumentLink* link, const std::string& command);
// `command` when `parameter` is flagged, its flag cleared once it went; a step either way.
// 0 when the send failed, and then the flag stays set.
int SendIfChanged(IInstrumentLink* link, IProgressSink& progress, ChangeFlag& parameter,
                  const std::string& command);

}  // namespace corvane
