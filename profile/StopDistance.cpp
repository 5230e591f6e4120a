#include "profile/StopDistance.h"

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

std::size_t hexPrefixLength(std::string_view text)
{
    for (const std::string_view prefix : { "0x", "0X", "$", "x", "X" }) {
        if (text.starts_with(prefix))
            return prefix.size();
    }
    return 0;
}

} // namespace

std::optional<std::int32_t> readStopDistance(std::string_view text)
{
    while (text.starts_with(' '))
        text.remove_prefix(1);
    int base = 10;
    bool negative = false;
    if (const auto prefix = hexPrefixLength(text)) {
        base = 16;
        text.remove_prefix(prefix);
    } else if (text.starts_with('+') || text.starts_with('-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const auto value = magnitude(text, base, negative ? kLargest + 1 : kLargest);
    if (!value)
        return std::nullopt;
    return static_cast<std::int32_t>(negative ? -*value : *value);
}

StopDistanceCheck checkStopDistance(std::string_view text)
{
    const auto value = readStopDistance(text);
    if (!value)
        return StopDistanceCheck::NotANumber;
    return *value == 0 ? StopDistanceCheck::Zero : StopDistanceCheck::Accepted;
}
