#include "corvane/modules/sormet/SormetDoc.h"

#include "resources/corvane/ModuleForms.h"

namespace corvane {

namespace {
const SerialVideoModel kSormet{VideoModel::Sormet, kModuleSormet, IDS_APPLY_SORMET, true,
                               "Could not read signal name."};
}  // namespace

CSormetDoc::CSormetDoc() : CSerialVideoDoc(kSormet) {}

}  // namespace corvane
