#include "corvane/modules/yarlo/YarloDoc.h"

#include "resources/corvane/ModuleForms.h"

namespace corvane {

CYarloDoc::CYarloDoc() : CAnalogVideoDoc(kModuleYarlo, IDS_APPLY_YARLO) {}

CYarloDoc::~CYarloDoc() = default;

}  // namespace corvane
