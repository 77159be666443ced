#include "resources/corvane/OltraForms.h"

#include "resources/corvane/VideoForms.h"

namespace corvane {

const platform::DialogTemplate& OltraFormTemplate() {
    static const platform::DialogTemplate form = VideoModuleForm(IDD_OLTRA_FORM, false);
    return form;
}

}  // namespace corvane
