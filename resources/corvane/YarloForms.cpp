#include "resources/corvane/YarloForms.h"

#include "resources/corvane/VideoForms.h"

namespace corvane {

const platform::DialogTemplate& YarloFormTemplate() {
    static const platform::DialogTemplate form = VideoModuleForm(IDD_YARLO_FORM, true);
    return form;
}

}  // namespace corvane
