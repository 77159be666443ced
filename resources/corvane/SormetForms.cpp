#include "resources/corvane/SormetForms.h"

#include "resources/corvane/VideoForms.h"

namespace corvane {

const platform::DialogTemplate& SormetFormTemplate() {
    static const platform::DialogTemplate form = VideoModuleForm(IDD_SORMET_FORM, false);
    return form;
}

}  // namespace corvane
