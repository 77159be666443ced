// Eight doubles side by side for the sample loops. Each lane is computed on its own with exactly
// a plain double's rounding (nimbrel_lib is built with -ffp-contract=off, so no multiply and add
// are fused), which keeps samples identical whatever registers the machine has. Functions marked
// NIMBREL_WIDE_LANES are compiled once per instruction set and the widest the processor has is
// picked when the program starts, so one binary runs everywhere.
#pragma once

#include <cstring>

namespace nimbrel {

using Lanes = double __attribute__((vector_size(64)));
constexpr int kLanes = 8;

// Loads and stores at any double's address; each becomes one unaligned move. By reference, as a
// value of this size would be passed differently by each instruction set.
inline void LoadLanes(Lanes& to, const double* from) {
    std::memcpy(&to, from, sizeof to);
}
inline void StoreLanes(double* to, const Lanes& from) {
    std::memcpy(to, &from, sizeof from);
}

}  // namespace nimbrel

#if defined(__x86_64__) && defined(__has_attribute)
#if __has_attribute(target_clones)
#define NIMBREL_WIDE_LANES __attribute__((target_clones("avx512f", "avx2", "default")))
#endif
#endif
#ifndef NIMBREL_WIDE_LANES
#define NIMBREL_WIDE_LANES
#endif
