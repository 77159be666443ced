#include "utilities/common/UtilityBeep.h"

#include <mutex>

#include "platform/MessageBox.h"

namespace utilities {

namespace {
std::mutex g_recorderMutex;
BeepRecorder g_recorder;
}  // namespace

void UtilityBeep(platform::UINT type) {
    {
        std::lock_guard<std::mutex> lock(g_recorderMutex);
        if (g_recorder)
            g_recorder(type);
    }
    platform::MessageBeep(type);
}

BeepRecorder SetBeepRecorderForTests(BeepRecorder recorder) {
    std::lock_guard<std::mutex> lock(g_recorderMutex);
    BeepRecorder previous = std::move(g_recorder);
    g_recorder = std::move(recorder);
    return previous;
}

}  // namespace utilities
