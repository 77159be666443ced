#include "corvane/modules/sormet/SormetView.h"

#include "resources/corvane/SormetForms.h"

namespace corvane {

namespace {

const SerialViewTable kSormetView{
    VideoModel::Sormet,     &SormetFormTemplate,     &SormetAudioTable,
    &SormetBlackAudioTable, &SormetSerialBlackTable, kSormetVideoSignal,
    kSormetMovingPicture,   kSormetOverlay,          kSormetVideoOutput};

}  // namespace

CSormetView::CSormetView() : CSerialVideoView(kSormetView) {}

}  // namespace corvane
