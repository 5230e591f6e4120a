#include "Numbers.h"

#include "ProfileText.h"

#include <charconv>
#include <cstdint>
#include <string>

namespace korax {
namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::optional<double> parseWithMarks(std::string_view text, bool commaToo)
{
    text = profile_text::trim(text);
    std::string normal;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-')
            normal += '-';
        ++i;
    }
    bool digits = false;
    bool mark = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (isDigit(c)) {
            digits = true;
            normal += c;
        } else if ((c == '.' || (commaToo && c == ',')) && !mark) {
            mark = true;
            normal += '.';
        } else {
            return std::nullopt;
        }
    }
    if (!digits || normal.size() > 40)
        return std::nullopt;
    double value = 0.0;
    const char* first = normal.data();
    const auto [end, error] = std::from_chars(first, first + normal.size(), value);
    if (error != std::errc() || end != first + normal.size())
        return std::nullopt;
    return value;
}

} // namespace

std::optional<double> parseDecimal(std::string_view text)
{
    return parseWithMarks(text, false);
}

std::optional<double> parseScalar(std::string_view text)
{
    return parseWithMarks(text, true);
}

std::optional<long> parseWindowInteger(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    int base = 10;
    bool negative = false;
    if (text.starts_with("0x") || text.starts_with("0X")) {
        base = 16;
        text.remove_prefix(2);
    } else if (!text.empty() && (text.front() == '$' || text.front() == 'x' || text.front() == 'X')) {
        base = 16;
        text.remove_prefix(1);
    } else if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return std::nullopt;
    std::uint64_t magnitude = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    if (base == 16) {
        // A hex number fills the 32 bits as the window reads it: $FFFFFFFF is -1.
        if (magnitude > 0xFFFFFFFFu)
            return std::nullopt;
        return static_cast<long>(static_cast<std::int32_t>(static_cast<std::uint32_t>(magnitude)));
    }
    const std::uint64_t limit = negative ? 2147483648u : 2147483647u;
    if (magnitude > limit)
        return std::nullopt;
    const long value = static_cast<long>(magnitude);
    return negative ? -value : value;
}

std::optional<double> parseInterval(std::string_view text)
{
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos || colon == 0 || colon > 3 || text.size() != colon + 3)
        return std::nullopt;
    int hours = 0;
    for (std::size_t i = 0; i < colon; ++i) {
        if (!isDigit(text[i]))
            return std::nullopt;
        hours = hours * 10 + (text[i] - '0');
    }
    if (!isDigit(text[colon + 1]) || !isDigit(text[colon + 2]))
        return std::nullopt;
    const int minutes = (text[colon + 1] - '0') * 10 + (text[colon + 2] - '0');
    if (minutes >= 60)
        return std::nullopt;
    return hours * 60.0 + minutes;
}

} // namespace korax
