#include "planner/Exposure.h"

#include "planner/Breathing.h"
#include "planner/Physics.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace korax {
namespace {

constexpr double kBottomPO2Limit = 1.4;
constexpr double kLoopDecoPO2Limit = 1.6;
// Gas density, g/l at 1.01325 bar and 0 °C per gas (the molar masses over 22.414 l/mol), and the
// maximum density of a breathed gas (Anthony and Mitchell 2016).
constexpr double kOxygenDensity = 1.429;
constexpr double kNitrogenDensity = 1.2506;
constexpr double kHeliumDensity = 0.1786;
constexpr double kDensityMaximum = 6.2;
// Isobaric counter-diffusion, the rule of fifths: nitrogen up by more than a fifth of the
// helium drop.
constexpr double kFifths = 5.0;
// Fractions closer than this are the same: the loop's partial pressures over P and the same
// mix on open circuit differ by rounding alone.
constexpr double kFractionNoise = 1e-6;
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

double depthAtFraction(const Segment& s, double u)
{
    return s.startDepth + (s.endDepth - s.startDepth) * u;
}

std::optional<double> setpointAtFraction(const Segment& s, double u)
{
    if (!s.setpoint)
        return std::nullopt;
    return s.startSetpoint + (*s.setpoint - s.startSetpoint) * u;
}

// What the segment gives at the fraction u of its way: partial pressures at the ambient
// pressure less the vapour (the loop's PO2 is held at the setpoint in the lungs).
Partials partialsAtFraction(const Segment& s, const Water& water, double vapour, double u)
{
    const double ambient = water.pressureAt(depthAtFraction(s, u));
    if (!s.setpoint)
        return openPartials(s.gas, ambient);
    return partialsOf(s.gas, setpointAtFraction(s, u), ambient - vapour);
}

struct Highest {
    double value = 0.0;
    double fraction = 0.0;
};

// The greatest of a value that is linear between the segment's loop pieces, at their ends.
template <typename Value> Highest highest(const Segment& s, const Water& water, double vapour, Value value)
{
    Pieces pieces;
    pieces.at = { 0.0, 1.0 };
    pieces.count = 2;
    if (s.setpoint) {
        pieces = loopPieces(s.gas, water.pressureAt(s.startDepth) - vapour, water.pressureAt(s.endDepth) - vapour,
            s.startSetpoint, *s.setpoint);
    }
    Highest best { -1.0, 0.0 };
    for (std::size_t i = 0; i < pieces.count; ++i) {
        const double u = pieces.at[i];
        const double v = value(partialsAtFraction(s, water, vapour, u), water.pressureAt(depthAtFraction(s, u)));
        if (v > best.value)
            best = { v, u };
    }
    return best;
}

double density(const Partials& p)
{
    return (p.o2 * kOxygenDensity + p.n2 * kNitrogenDensity + p.he * kHeliumDensity) / kSeaLevelPressure;
}

Highest highestDensity(const Segment& segment, const Water& water)
{
    return highest(segment, water, 0.0, [](const Partials& p, double) { return density(p); });
}

// The fractions of what is breathed at the depth, for the loop its partial pressures over P.
Partials fractionsAt(const Gas& gas, const std::optional<double>& setpoint, const Water& water, double depth)
{
    if (!setpoint)
        return openPartials(gas, 1.0);
    const double pressure = water.pressureAt(depth) - kWaterVapour;
    const Partials p = loopPartials(gas, *setpoint, pressure);
    return { p.o2 / pressure, p.n2 / pressure, p.he / pressure };
}

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
        plan_.cnsPercent = plan_.cnsStartPercent;
        Highest densest;
        const Segment* densestSegment = nullptr;
        for (std::size_t i = 0; i < plan_.segments.size(); ++i) {
            const Segment& segment = plan_.segments[i];
            if (!segment.setpoint)
                addGas(segment);
            addOxygen(segment);
            checkLimits(segment);
            if (i > 0)
                checkCounterDiffusion(plan_.segments[i - 1], segment);
            const Highest dense = highestDensity(segment, water_);
            if (dense.value > densest.value) {
                densest = dense;
                densestSegment = &segment;
            }
        }
        if (densestSegment)
            checkDensity(*densestSegment, densest);
        if (plan_.cnsPercent > 100.0)
            plan_.warnings.push_back({ .kind = WarningKind::CnsAbove100, .value = plan_.cnsPercent });
        if (!plan_.segments.empty()) {
            checkSurface(plan_.segments.front(), 0.0, WarningKind::HypoxicAtStart);
            if (plan_.complete)
                checkSurface(plan_.segments.back(), 1.0, WarningKind::HypoxicOnSurfacing);
        }
    }

private:
    void addGas(const Segment& s)
    {
        const double litres = openCircuitLitres(s, settings_, water_);
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
        const bool steadySetpoint = !s.setpoint || std::fabs(*s.setpoint - s.startSetpoint) < kTolerance;
        const bool constant = std::fabs(s.endDepth - s.startDepth) < kTolerance && steadySetpoint;
        for (int i = 0; i < (constant ? 1 : steps); ++i) {
            const double minutes = constant ? s.minutes : step;
            const double u = constant ? 0.0 : (i + 0.5) / steps;
            const double po2 = s.setpoint ? partialsAtFraction(s, water_, kWaterVapour, u).o2
                                          : s.gas.o2 * water_.pressureAt(depthAtFraction(s, u));
            if (po2 <= kOxygenThreshold)
                continue;
            plan_.cnsPercent += 100.0 * minutes / cnsLimitMinutes(po2);
            plan_.otu += minutes * std::pow((po2 - kOxygenThreshold) / kOxygenThreshold, kOtuExponent);
        }
    }

    void checkLimits(const Segment& s)
    {
        if (s.setpoint) {
            checkLoopLimits(s);
            return;
        }
        const double deepest = std::max(s.startDepth, s.endDepth);
        const double limit = s.decompression ? settings_.decoMaxPO2 : kBottomPO2Limit;
        if (deepest > modByConvention(s.gas, limit, settings_.unit) + kTolerance) {
            plan_.warnings.push_back(
                { WarningKind::PO2AboveLimit, s.phase, deepest, s.gas, s.gas.o2 * water_.pressureAt(deepest), limit });
        }
        const double end = equivalentNarcoticDepth(s.gas, deepest, settings_.oxyNarc, water_);
        // MaxEND: 0 is what the window writes for a missing key: no END limit.
        if (settings_.maxEnd > 0.0 && end > settings_.maxEnd + kTolerance)
            plan_.warnings.push_back({ WarningKind::EndAboveMax, s.phase, deepest, s.gas, end, settings_.maxEnd });
    }

    // On the loop: its PO2 above 1.4 bar on the bottom, 1.6 bar in the ascent; END from its
    // partial pressures as fractions of the pressure in the lungs.
    void checkLoopLimits(const Segment& s)
    {
        const double limit = s.decompression ? kLoopDecoPO2Limit : kBottomPO2Limit;
        const Highest po2 = highest(s, water_, kWaterVapour, [](const Partials& p, double) { return p.o2; });
        if (po2.value > limit + kTolerance)
            plan_.warnings.push_back({ .kind = WarningKind::PO2AboveLimit,
                .phase = s.phase,
                .depth = depthAtFraction(s, po2.fraction),
                .gas = s.gas,
                .value = po2.value,
                .limit = limit,
                .setpoint = s.setpoint });
        const bool oxyNarc = settings_.oxyNarc;
        const double airNarcotic = oxyNarc ? 1.0 : kAir.n2();
        const Highest end = highest(s, water_, kWaterVapour, [&](const Partials& p, double ambient) {
            const double narcotic = (p.n2 + (oxyNarc ? p.o2 : 0.0)) / (ambient - kWaterVapour);
            return water_.depthAt(ambient * narcotic / airNarcotic);
        });
        if (settings_.maxEnd > 0.0 && end.value > settings_.maxEnd + kTolerance)
            plan_.warnings.push_back({ .kind = WarningKind::EndAboveMax,
                .phase = s.phase,
                .depth = depthAtFraction(s, end.fraction),
                .gas = s.gas,
                .value = end.value,
                .limit = settings_.maxEnd,
                .setpoint = s.setpoint });
    }

    // At a change of what is breathed (a setpoint alone is none) from a gas holding helium. A
    // switch the planner chose at a depth of its own is not flagged: the diver listed the gas and
    // the rule of fifths would forbid nearly every switch from trimix to a nitrox deco gas; a
    // profile line's mix or a switch depth the diver gave is the diver's choice and is reported.
    void checkCounterDiffusion(const Segment& before, const Segment& after)
    {
        if (before.gas == after.gas && before.setpoint.has_value() == after.setpoint.has_value())
            return;
        if (after.phase == Phase::GasSwitch && !switchDepthGiven(after.gas))
            return;
        const double depth = after.startDepth;
        const Partials old = fractionsAt(before.gas, before.setpoint, water_, depth);
        const Partials next
            = fractionsAt(after.gas, after.setpoint ? std::optional(after.startSetpoint) : std::nullopt, water_, depth);
        const double heliumChange = next.he - old.he;
        if (heliumChange < -kFractionNoise && kFifths * (next.n2 - old.n2) > -heliumChange + kFractionNoise)
            plan_.warnings.push_back({ .kind = WarningKind::CounterDiffusion,
                .phase = after.phase,
                .depth = depth,
                .gas = before.gas,
                .setpoint = before.setpoint,
                .otherGas = after.gas,
                .otherSetpoint = after.setpoint ? std::optional(after.startSetpoint) : std::nullopt });
    }

    bool switchDepthGiven(const Gas& gas) const
    {
        return std::ranges::any_of(
            settings_.decoGases, [&](const DecoGas& deco) { return deco.gas == gas && deco.switchDepth.has_value(); });
    }

    void checkDensity(const Segment& s, const Highest& densest)
    {
        if (densest.value <= kDensityRecommended)
            return;
        const bool maximum = densest.value > kDensityMaximum;
        plan_.warnings.push_back(
            { .kind = maximum ? WarningKind::DensityAboveMaximum : WarningKind::DensityAboveRecommended,
                .phase = s.phase,
                .depth = depthAtFraction(s, densest.fraction),
                .gas = s.gas,
                .value = densest.value,
                .limit = maximum ? kDensityMaximum : kDensityRecommended,
                .setpoint = setpointAtFraction(s, densest.fraction) });
    }

    void checkSurface(const Segment& s, double fraction, WarningKind kind)
    {
        const std::optional<double> setpoint = setpointAtFraction(s, fraction);
        const double po2 = setpoint ? loopPartials(s.gas, *setpoint, water_.surfacePressure - kWaterVapour).o2
                                    : s.gas.o2 * water_.surfacePressure;
        if (po2 < kHypoxicPO2)
            plan_.warnings.push_back({ .kind = kind, .gas = s.gas, .value = po2, .setpoint = setpoint });
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

double equivalentNarcoticDepth(const Gas& gas, double depth, bool oxyNarc, const Water& water)
{
    const double narcotic = gas.n2() + (oxyNarc ? gas.o2 : 0.0);
    const double airNarcotic = oxyNarc ? 1.0 : kAir.n2();
    return water.depthAt(water.pressureAt(depth) * narcotic / airNarcotic);
}

double openCircuitDensity(const Gas& gas, double pressure)
{
    return density(openPartials(gas, pressure));
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

double openCircuitLitres(const Segment& s, const Settings& settings, const Water& water)
{
    const double rmv = s.decompression ? settings.decoRmv : settings.rmv;
    return rmv * s.minutes * water.pressureAt((s.startDepth + s.endDepth) / 2.0) / water.surfacePressure;
}

double highestPO2(const Segment& segment, const Water& water)
{
    return highest(segment, water, kWaterVapour, [](const Partials& p, double) { return p.o2; }).value;
}

double densityOf(const Segment& segment, const Water& water)
{
    return highestDensity(segment, water).value;
}

void addExposure(Plan& plan, const Settings& settings, const Water& water)
{
    Exposure(plan, settings, water).addAll();
}

} // namespace korax
