// The one check on a setting: the distance between stops must be a whole number, not zero.
#pragma once

#include <string_view>

enum class StopDistanceCheck { Accepted, NotANumber, Zero };

// The text as a signed 32-bit integer: leading blanks, then decimal digits after at most one
// sign, or an unsigned hexadecimal number after $, x, X, 0x or 0X; nothing may follow.
StopDistanceCheck checkStopDistance(std::string_view text);
