#include "corvane/modules/yarlo/YarloView.h"

#include "corvane/pages/videooutput/VideoOutputMessages.h"
#include "resources/corvane/ModuleForms.h"
#include "resources/corvane/YarloForms.h"

namespace corvane {

namespace {

const AnalogVideoViewModel& YarloViewModel() {
    static const AnalogVideoViewModel model{VideoModel::Yarlo, YarloFormTemplate(), "Video",
                                            kYarloVideoOutput};
    return model;
}

}  // namespace

CYarloView::CYarloView() : CAnalogVideoView(YarloViewModel()) {}

CYarloView::~CYarloView() = default;

void CYarloView::OnInitialUpdateForm() {
    EnableDlgItem(IDC_MODULE_APPLY, true);
}

}  // namespace corvane
