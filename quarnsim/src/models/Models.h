#pragma once

#include "quarnsim/ModelTable.h"

// One registration function per model, in the model's own file or, for models that share a
// command set, in their family's file (SerialVideo.cpp, AnalogVideo.cpp), so a model's parameters
// can be filled in without touching the others. A new model also needs its line in the registry
// (ModelTable.cpp).
namespace quarnsim::models {

void RegisterCpu(ModelTable& table);
void RegisterTavix(ModelTable& table);   // audio generator
void RegisterBrumo(ModelTable& table);   // analog genlock
void RegisterKintor(ModelTable& table);  // black generator
void RegisterSormet(ModelTable& table);  // SD serial digital video generator
void RegisterUlmeth(ModelTable& table);  // HD video generator
void RegisterPirvo(ModelTable& table);   // analog test-signal generator
void RegisterOltra(ModelTable& table);   // analog video generator
void RegisterYarlo(ModelTable& table);   // analog video generator, SD and HD formats

}  // namespace quarnsim::models
