// The distance between stops as the window and the planner both read it.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

enum class StopDistanceCheck { Accepted, NotANumber, Zero };

// The text as a signed 32-bit integer: leading blanks, then decimal digits after at most one
// sign, or an unsigned hexadecimal number after $, x, X, 0x or 0X; nothing may follow. Empty
// when the text is no such number or lies outside the signed 32-bit range.
std::optional<std::int32_t> readStopDistance(std::string_view text);

// The window's check before a store: the number must be readable and not zero.
StopDistanceCheck checkStopDistance(std::string_view text);
