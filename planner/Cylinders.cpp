#include "planner/Cylinders.h"

#include "planner/Numbers.h"
#include "planner/Physics.h"
#include "profile/ProfileText.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace korax {
namespace {

std::vector<std::string_view> fields(std::string_view text)
{
    std::vector<std::string_view> result;
    while (true) {
        const std::size_t comma = text.find(',');
        result.push_back(profile_text::trim(text.substr(0, comma)));
        if (comma == std::string_view::npos)
            return result;
        text.remove_prefix(comma + 1);
    }
}

bool within(double value, double low, double high)
{
    return value >= low - kTolerance && value <= high + kTolerance;
}

// "2x12" → 2 and "12"; "12" → 1 and "12".
std::pair<int, std::string_view> count(std::string_view size)
{
    if (size.size() > 2 && size[0] >= '1' && size[0] <= '0' + kMaxSetCount
        && std::tolower(static_cast<unsigned char>(size[1])) == 'x')
        return { size[0] - '0', size.substr(2) };
    return { 1, size };
}

// Water capacity in litres of one cylinder, or nothing.
std::optional<double> waterCapacity(std::string_view size, const LengthUnit& unit)
{
    if (unit.metric())
        return size.find('/') == std::string_view::npos ? parseDecimal(size) : std::nullopt;
    const std::size_t slash = size.find('/');
    if (slash == std::string_view::npos)
        return std::nullopt;
    const auto cubicFeet = parseDecimal(size.substr(0, slash));
    const auto ratedPsi = parseDecimal(size.substr(slash + 1));
    if (!cubicFeet || !ratedPsi || !within(*ratedPsi, kCubicFeetAndPsi.minFill, kCubicFeetAndPsi.maxFill)
        || *cubicFeet <= 0.0)
        return std::nullopt;
    // A cylinder's nominal capacity is its free gas as an ideal gas at the rated pressure.
    return *cubicFeet * kLitresPerCubicFoot * kSeaLevelPressure / (*ratedPsi / kPsiPerBar);
}

} // namespace

std::optional<Cylinder> parseCylinder(std::string_view text, const LengthUnit& unit)
{
    const std::vector<std::string_view> parts = fields(text);
    if (parts.size() < 3 || parts.size() > 4 || (parts.size() == 4 && parts[3] != "loop"))
        return std::nullopt;
    const bool metric = unit.metric();
    const auto [number, one] = count(parts[0]);
    const auto capacity = waterCapacity(one, unit);
    const auto pressure = parseDecimal(parts[1]);
    const auto gas = parseGas(parts[2]);
    if (!capacity || !pressure || !gas)
        return std::nullopt;
    const double water = number * *capacity;
    const double nominal = metric ? water : number * *parseDecimal(one.substr(0, one.find('/')));
    const CylinderLimits& limits = metric ? kLitresAndBar : kCubicFeetAndPsi;
    if (!within(nominal, limits.minSize, limits.maxSize) || !within(*pressure, limits.minFill, limits.maxFill))
        return std::nullopt;
    return Cylinder { std::string(parts[0]), water, metric ? *pressure : *pressure / kPsiPerBar, *gas,
        parts.size() == 4 };
}

std::string cylinderLabel(const Cylinder& cylinder, const LengthUnit& unit)
{
    return unit.metric() ? cylinder.size + " l" : cylinder.size;
}

} // namespace korax
