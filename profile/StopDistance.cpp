#include "StopDistance.h"

#include <cstdint>
#include <limits>
#include <optional>

namespace {

constexpr std::int64_t kLargest = std::numeric_limits<std::int32_t>::max();

int digitValue(char c, int base)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (base == 16 && c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (base == 16 && c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// At least one digit and nothing else; empty when the magnitude exceeds limit.
std::optional<std::int64_t> magnitude(std::string_view digits, int base, std::int64_t limit)
{
    if (digits.empty())
        return std::nullopt;
    std::int64_t value = 0;
    for (const char c : digits) {
        const int digit = digitValue(c, base);
        if (digit < 0)
            return std::nullopt;
        value = value * base + digit;
        if (value > limit)
            return std::nullopt;
    }
    return value;
}

std::optional<std::int64_t> toInt32(std::string_view text)
{
    while (text.starts_with(' '))
        text.remove_prefix(1);
    for (const std::string_view prefix : { "0x", "0X", "$", "x", "X" }) {
        if (text.starts_with(prefix))
            return magnitude(text.substr(prefix.size()), 16, kLargest);
    }
    bool negative = false;
    if (text.starts_with('+') || text.starts_with('-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const auto value = magnitude(text, 10, negative ? kLargest + 1 : kLargest);
    if (!value)
        return std::nullopt;
    return negative ? -*value : *value;
}

} // namespace

StopDistanceCheck checkStopDistance(std::string_view text)
{
    const auto value = toInt32(text);
    if (!value)
        return StopDistanceCheck::NotANumber;
    return *value == 0 ? StopDistanceCheck::Zero : StopDistanceCheck::Accepted;
}
