#include "resources/corvane/PirvoForms.h"

#include "resources/corvane/VideoForms.h"

namespace corvane {

// The video modules' form: tabs the size of their pages, with OK, Cancel and Apply beside.
const platform::DialogTemplate& PirvoFormTemplate() {
    static const platform::DialogTemplate form = VideoModuleForm(IDD_PIRVO_FORM, false);
    return form;
}

}  // namespace corvane
