#include "resources/corvane/UlmethForms.h"

#include "resources/corvane/VideoForms.h"

namespace corvane {

const platform::DialogTemplate& UlmethFormTemplate() {
    static const platform::DialogTemplate form = VideoModuleForm(IDD_ULMETH_FORM, false);
    return form;
}

}  // namespace corvane
