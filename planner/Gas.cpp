#include "planner/Gas.h"

#include "planner/Numbers.h"
#include "profile/ProfileText.h"

#include <cmath>
#include <cstdio>

namespace korax {
namespace {

constexpr double kTolerance = 1e-9;

bool isAir(std::string_view text)
{
    if (text.size() != 3)
        return false;
    const auto lower = [](char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); };
    return lower(text[0]) == 'a' && lower(text[1]) == 'i' && lower(text[2]) == 'r';
}

std::string percent(double fraction)
{
    const double value = fraction * 100.0;
    char text[32];
    if (std::fabs(value - std::round(value)) < 1e-6)
        std::snprintf(text, sizeof text, "%.0f", value);
    else
        std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

} // namespace

std::optional<Gas> parseGas(std::string_view text)
{
    text = profile_text::trim(text);
    if (isAir(text))
        return kAir;
    double o2 = 0.0;
    double he = 0.0;
    const std::size_t slash = text.find('/');
    if (slash == std::string_view::npos) {
        const auto value = parseDecimal(text);
        if (!value)
            return std::nullopt;
        o2 = *value;
    } else {
        const auto first = parseDecimal(text.substr(0, slash));
        const auto second = parseDecimal(text.substr(slash + 1));
        if (!first || !second)
            return std::nullopt;
        o2 = *first;
        he = *second;
    }
    if (!(o2 > 0.0) || he < 0.0 || o2 + he > 100.0 + kTolerance)
        return std::nullopt;
    Gas gas { o2 / 100.0, he / 100.0 };
    if (gas.o2 + gas.he > 1.0)
        gas.he = 1.0 - gas.o2;
    return gas;
}

std::string gasLabel(const Gas& gas)
{
    return percent(gas.o2) + "/" + percent(gas.he);
}

} // namespace korax
