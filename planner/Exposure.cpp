#include "planner/Exposure.h"

#include "planner/Physics.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace korax {
namespace {

constexpr double kBottomPO2Limit = 1.4;
constexpr double kHypoxicPO2 = 0.16;
constexpr double kStepMinutes = 0.1;
// A thousand steps follow the PO2 of any linear depth change closely enough.
constexpr double kMaxSteps = 1000.0;

// NOAA Diving Manual, oxygen single-exposure limits (PO2 bar, minutes).
constexpr std::array<std::pair<double, double>, 11> kNoaaLimits { {
    { 0.6, 720 },
    { 0.7, 570 },
    { 0.8, 450 },
    { 0.9, 360 },
    { 1.0, 300 },
    { 1.1, 240 },
    { 1.2, 210 },
    { 1.3, 180 },
    { 1.4, 150 },
    { 1.5, 120 },
    { 1.6, 45 },
} };

class Exposure {
public:
    Exposure(Plan& plan, const Settings& settings, const Water& water)
        : plan_(plan)
        , settings_(settings)
        , water_(water)
    {
    }

    void addAll()
    {
        for (const Segment& segment : plan_.segments) {
            addGas(segment);
            addOxygen(segment);
            checkLimits(segment);
        }
        if (plan_.cnsPercent > 100.0)
            plan_.warnings.push_back({ .kind = WarningKind::CnsAbove100, .value = plan_.cnsPercent });
        if (!plan_.segments.empty()) {
            checkSurface(plan_.segments.front().gas, WarningKind::HypoxicAtStart);
            if (plan_.complete)
                checkSurface(plan_.segments.back().gas, WarningKind::HypoxicOnSurfacing);
        }
    }

private:
    void addGas(const Segment& s)
    {
        const double rmv = s.decompression ? settings_.decoRmv : settings_.rmv;
        const double meanPressure = water_.pressureAt((s.startDepth + s.endDepth) / 2.0);
        const double litres = rmv * s.minutes * meanPressure / water_.surfacePressure;
        for (GasUse& use : plan_.gasUse) {
            if (use.gas == s.gas) {
                use.litres += litres;
                return;
            }
        }
        plan_.gasUse.push_back({ s.gas, litres });
    }

    void addOxygen(const Segment& s)
    {
        const int steps = static_cast<int>(std::clamp(std::ceil(s.minutes / kStepMinutes), 1.0, kMaxSteps));
        const double step = s.minutes / steps;
        const bool constant = std::fabs(s.endDepth - s.startDepth) < kTolerance;
        for (int i = 0; i < (constant ? 1 : steps); ++i) {
            const double minutes = constant ? s.minutes : step;
            const double depth
                = constant ? s.startDepth : s.startDepth + (s.endDepth - s.startDepth) * (i + 0.5) / steps;
            const double po2 = s.gas.o2 * water_.pressureAt(depth);
            if (po2 <= kOxygenThreshold)
                continue;
            plan_.cnsPercent += 100.0 * minutes / cnsLimitMinutes(po2);
            plan_.otu += minutes * std::pow((po2 - kOxygenThreshold) / kOxygenThreshold, kOtuExponent);
        }
    }

    void checkLimits(const Segment& s)
    {
        const double deepest = std::max(s.startDepth, s.endDepth);
        const double limit = s.decompression ? settings_.decoMaxPO2 : kBottomPO2Limit;
        if (deepest > modByConvention(s.gas, limit, settings_.unit) + kTolerance) {
            plan_.warnings.push_back(
                { WarningKind::PO2AboveLimit, s.phase, deepest, s.gas, s.gas.o2 * water_.pressureAt(deepest), limit });
        }
        const double narcotic = s.gas.n2() + (settings_.oxyNarc ? s.gas.o2 : 0.0);
        const double airNarcotic = settings_.oxyNarc ? 1.0 : kAir.n2();
        const double end = water_.depthAt(water_.pressureAt(deepest) * narcotic / airNarcotic);
        // MaxEND: 0 is what the window writes for a missing key: no END limit.
        if (settings_.maxEnd > 0.0 && end > settings_.maxEnd + kTolerance)
            plan_.warnings.push_back({ WarningKind::EndAboveMax, s.phase, deepest, s.gas, end, settings_.maxEnd });
    }

    void checkSurface(const Gas& gas, WarningKind kind)
    {
        const double po2 = gas.o2 * water_.surfacePressure;
        if (po2 < kHypoxicPO2)
            plan_.warnings.push_back({ .kind = kind, .gas = gas, .value = po2 });
    }

    Plan& plan_;
    const Settings& settings_;
    const Water& water_;
};

} // namespace

double modByConvention(const Gas& gas, double maxPO2, const LengthUnit& unit)
{
    return std::round((maxPO2 / gas.o2 - 1.0) * unit.modFactor);
}

double cnsLimitMinutes(double po2)
{
    if (po2 <= kOxygenThreshold)
        return 0.0;
    if (po2 <= kNoaaLimits.front().first)
        return kNoaaLimits.front().second;
    for (std::size_t i = 1; i < kNoaaLimits.size(); ++i) {
        const auto [p1, t1] = kNoaaLimits[i];
        if (po2 <= p1) {
            const auto [p0, t0] = kNoaaLimits[i - 1];
            return t0 + (t1 - t0) * (po2 - p0) / (p1 - p0);
        }
    }
    return kNoaaLimits.back().second;
}

void addExposure(Plan& plan, const Settings& settings, const Water& water)
{
    Exposure(plan, settings, water).addAll();
}

} // namespace korax
