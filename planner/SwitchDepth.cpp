#include "planner/SwitchDepth.h"

#include "planner/Exposure.h"
#include "planner/Physics.h"

#include <algorithm>
#include <cmath>

namespace korax {
namespace {

// The deepest whole depth at most `bound` that passes: the bound solved in closed form, checked
// with the warning's own computation so that rounding never lets a failing depth through.
template <typename Passes> double deepestWholeDepth(double bound, Passes passes)
{
    double depth = std::floor(bound + kTolerance);
    while (depth > 0.0 && !passes(depth))
        depth -= 1.0;
    return depth;
}

} // namespace

double switchDepth(const DecoGas& gas, const Settings& settings, const Water& water)
{
    if (gas.switchDepth)
        return *gas.switchDepth;
    double depth = modByConvention(gas.gas, settings.decoMaxPO2, settings.unit);
    const double narcotic = gas.gas.n2() + (settings.oxyNarc ? gas.gas.o2 : 0.0);
    if (settings.maxEnd > 0.0 && narcotic > 0.0) {
        const double airNarcotic = settings.oxyNarc ? 1.0 : kAir.n2();
        const double bound = water.depthAt(water.pressureAt(settings.maxEnd) * airNarcotic / narcotic);
        depth = std::min(depth, deepestWholeDepth(bound, [&](double d) {
            return equivalentNarcoticDepth(gas.gas, d, settings.oxyNarc, water) <= settings.maxEnd + kTolerance;
        }));
    }
    const double densityBound = water.depthAt(kDensityRecommended / openCircuitDensity(gas.gas, 1.0));
    return std::min(depth, deepestWholeDepth(densityBound, [&](double d) {
        return openCircuitDensity(gas.gas, water.pressureAt(d)) <= kDensityRecommended;
    }));
}

} // namespace korax
