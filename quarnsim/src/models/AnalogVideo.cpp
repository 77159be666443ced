// The analog video generators: the Oltra (SD formats) and the Yarlo (SD and HD formats) share
// their command set, so the family's parameters are described once here, with what differs
// between the two models switched per model.
#include "models/Models.h"

namespace quarnsim::models {
namespace {

void RegisterAnalogVideo(ModelTable& table) {
    (void)table;  // no parameter of the family is described yet
}

}  // namespace

void RegisterOltra(ModelTable& table) {
    RegisterAnalogVideo(table);
}

void RegisterYarlo(ModelTable& table) {
    RegisterAnalogVideo(table);
}

}  // namespace quarnsim::models
