#include "planner/Numbers.h"

#include "profile/ProfileText.h"

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
