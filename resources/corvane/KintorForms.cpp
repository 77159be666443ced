#include "resources/corvane/KintorForms.h"

#include "resources/corvane/VideoForms.h"

namespace corvane {

const platform::DialogTemplate& KintorFormTemplate() {
    static const platform::DialogTemplate form = VideoModuleForm(IDD_KINTOR_FORM, false);
    return form;
}

}  // namespace corvane
