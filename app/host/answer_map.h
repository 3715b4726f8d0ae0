#pragma once
// The platform-independent half of ShowMessage: the style word a box gets and
// how its result maps to an Answer.
#include <cstdint>

#include "app/host/host.h"

// Adds MB_TASKMODAL (0x2000) unless MB_SYSTEMMODAL (0x1000) is already set.
std::uint32_t BoxStyle(std::uint32_t button_set);

// IDOK 1 .. IDNO 7 to their Answers; anything else, 0 included, is kAnswerOk.
Answer AnswerFromBoxResult(std::int32_t result);
