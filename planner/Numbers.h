// Strict readers for the numbers in profile.dat; nothing is guessed from a bad text.
#pragma once

#include <optional>
#include <string_view>

namespace korax {

// A decimal number with "." as the mark (optional sign). No exponent, hex, inf or nan.
std::optional<double> parseDecimal(std::string_view text);

// As parseDecimal, but "," is accepted as the decimal mark too (scalar settings).
std::optional<double> parseScalar(std::string_view text);

// "hhh:mm" in minutes: hours of one to three digits, minutes of two digits below 60.
std::optional<double> parseInterval(std::string_view text);

} // namespace korax
