#include "corvane/modules/common/ParameterSend.h"

namespace corvane {

int SendLine(IInstrumentLink* link, const std::string& command) {
    return link != nullptr && link->SendCommand(command) ? 1 : 0;
}

int SendIfChanged(IInstrumentLink* link, IProgressSink& progress, ChangeFlag& parameter,
                  const std::string& command) {
    if (parameter.Changed()) {
        if (!SendLine(link, command))
            return 0;
        parameter.ClearChanged();
    }
    progress.Step();
    return 1;
}

}  // namespace corvane
