// The rules every page family shares that need no window: what an ID text may hold, doubles
// on a step grid, limits, the step of a spin without a buddy integer and the spin's range.
// The pages apply them to their controls (CTabPage); here they are plain functions so that
// each can be checked on its own.
#pragma once

#include <string>

#include "platform/Controls.h"
#include "platform/Types.h"

namespace corvane {

// The first byte of 0x80 or more, or -1.
int FirstNonAsciiIndex(const std::string& text);

enum class IdText { Clean, Cut, QuotesRemoved };
// The ID-text rule on `text`: cut before a byte of 0x80 or more (Cut), else remove every '"'
// and '\'' (QuotesRemoved when there was one), else Clean: only a clean text is sent.
IdText CleanIdText(std::string& text);

// `value` rounded half away from zero to a multiple of `step`. False for a value that is not
// finite or whose step count leaves the 32-bit range: such input counts as out of range.
bool SnapToStep(double value, double step, double& snapped);

int Clamp(int value, int lower, int upper);

// The value after a step of a spin without a buddy integer: the step subtracted from the
// text's number (the default range reports the up arrow as -1), kept in lower..upper.
int ValueAfterStep(const std::string& text, const platform::NMUPDOWN& step, int lower, int upper);

// The UDM_SETRANGE argument: the upper limit in the low word, the lower one in the high word.
platform::LPARAM PackSpinRange(int lower, int upper);

}  // namespace corvane
