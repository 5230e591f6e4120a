#include "planner/Exposure.h"

#include "planner/PlanText.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <utility>

namespace korax {
namespace {

constexpr double kBottomPO2Limit = 1.4;
constexpr double kHypoxicPO2 = 0.16;
constexpr double kOxygenThreshold = 0.5;
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

std::string number(const char* format, double value)
{
    char text[48];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

class Exposure {
public:
    Exposure(Plan& plan, const Settings& settings, const Water& water)
        : plan_(plan)
        , settings_(settings)
        , water_(water)
        , unit_(settings.metric ? " m" : " ft")
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
            plan_.warnings.push_back("CNS " + number("%.0f", plan_.cnsPercent) + " % překračuje 100 %.");
        if (!plan_.segments.empty()) {
            checkSurface(plan_.segments.front().gas, "na začátku ponoru");
            if (plan_.complete)
                checkSurface(plan_.segments.back().gas, "při vynoření");
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
        const bool constant = std::fabs(s.endDepth - s.startDepth) < 1e-9;
        for (int i = 0; i < (constant ? 1 : steps); ++i) {
            const double minutes = constant ? s.minutes : step;
            const double depth
                = constant ? s.startDepth : s.startDepth + (s.endDepth - s.startDepth) * (i + 0.5) / steps;
            const double po2 = s.gas.o2 * water_.pressureAt(depth);
            if (po2 <= kOxygenThreshold)
                continue;
            plan_.cnsPercent += 100.0 * minutes / cnsLimitMinutes(po2);
            plan_.otu += minutes * std::pow((po2 - kOxygenThreshold) / kOxygenThreshold, 0.83);
        }
    }

    void checkLimits(const Segment& s)
    {
        const double deepest = std::max(s.startDepth, s.endDepth);
        const double limit = s.decompression ? settings_.decoMaxPO2 : kBottomPO2Limit;
        const std::string where
            = std::string(phaseName(s.phase)) + " v " + number("%.1f", deepest) + unit_ + " (" + gasLabel(s.gas) + ")";
        if (deepest > modByConvention(s.gas, limit, settings_.metric) + 1e-9) {
            plan_.warnings.push_back(where + ": PO2 " + number("%.2f", s.gas.o2 * water_.pressureAt(deepest))
                + " bar překračuje " + number("%.2f", limit) + " bar.");
        }
        const double narcotic = s.gas.n2() + (settings_.oxyNarc ? s.gas.o2 : 0.0);
        const double airNarcotic = settings_.oxyNarc ? 1.0 : kAir.n2();
        const double end = water_.depthAt(water_.pressureAt(deepest) * narcotic / airNarcotic);
        if (end > settings_.maxEnd + 1e-9) {
            plan_.warnings.push_back(where + ": END " + number("%.1f", end) + unit_ + " překračuje MaxEND "
                + number("%.1f", settings_.maxEnd) + unit_ + ".");
        }
    }

    void checkSurface(const Gas& gas, const char* when)
    {
        const double po2 = gas.o2 * water_.surfacePressure;
        if (po2 < kHypoxicPO2) {
            plan_.warnings.push_back("Směs " + gasLabel(gas) + " " + when + ": PO2 " + number("%.2f", po2)
                + " bar na hladině je pod 0.16 bar (hypoxie).");
        }
    }

    Plan& plan_;
    const Settings& settings_;
    const Water& water_;
    std::string unit_;
};

} // namespace

double modByConvention(const Gas& gas, double maxPO2, bool metric)
{
    return std::round((maxPO2 / gas.o2 - 1.0) * (metric ? 10.0 : 33.0));
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
