#include "planner/Alternatives.h"

#include "planner/CylinderUse.h"
#include "planner/Planner.h"

#include <algorithm>
#include <iterator>

namespace korax {
namespace {

constexpr VariationKind kVariations[] { VariationKind::Longer, VariationKind::Shorter, VariationKind::Deeper,
    VariationKind::Shallower };

double deepestLine(const Settings& settings)
{
    double deepest = 0.0;
    for (const ProfileSegment& line : settings.profile)
        deepest = std::max(deepest, line.depth);
    return deepest;
}

// Litres at the surface per gas breathed after the run time `from`, at the rate (l/min).
std::vector<GasUse> gasAfter(const Plan& plan, double from, double rmv, const Water& water)
{
    std::vector<GasUse> uses;
    for (const Segment& s : plan.segments) {
        const double start = s.runtime - s.minutes;
        if (s.runtime <= from + kTolerance)
            continue;
        const double minutes = s.runtime - std::max(start, from);
        const double startDepth = s.endDepth + (s.startDepth - s.endDepth) * minutes / s.minutes;
        const double litres = rmv * minutes * water.pressureAt((startDepth + s.endDepth) / 2.0) / water.surfacePressure;
        const auto use = std::ranges::find(uses, s.gas, &GasUse::gas);
        if (use == uses.end())
            uses.push_back({ s.gas, litres });
        else
            use->litres += litres;
    }
    return uses;
}

// The emergency ascent from the end of the last profile line (at the run time ascentStart),
// empty when it cannot be planned.
std::optional<EmergencyPlan> emergencyAscent(const Settings& settings, double ascentStart, const Tissues& start)
{
    const Plan other = planAscent(emergencySettings(settings), start);
    if (!other.problems.empty())
        return std::nullopt;
    EmergencyPlan emergency { other.runtime, other.firstStop,
        gasAfter(other, ascentStart, settings.stressRmv, waterOf(settings)), {} };
    // The problem-solving minutes on an open-circuit dive continue the last line's row: its part
    // after the end of the line begins the emergency ascent.
    for (const Segment& segment : other.segments) {
        if (segment.runtime <= ascentStart + kTolerance)
            continue;
        emergency.segments.push_back(segment);
        Segment& added = emergency.segments.back();
        added.minutes = std::min(added.minutes, added.runtime - ascentStart);
    }
    // On open circuit the last line's mix is shared: two divers breathe it on the way up.
    if (!settings.closedCircuit()) {
        for (GasUse& use : emergency.gases)
            use.litres *= use.gas == settings.profile.back().gas ? 2.0 : 1.0;
    }
    return emergency;
}

} // namespace

Settings emergencySettings(const Settings& settings)
{
    Settings emergency = settings;
    ProfileSegment problemSolving = settings.profile.back();
    problemSolving.minutes = settings.problemSolvingMinutes;
    problemSolving.setpoint.reset();
    emergency.profile.push_back(problemSolving);
    return emergency;
}

std::optional<Settings> variedSettings(const Settings& settings, VariationKind kind)
{
    Settings varied = settings;
    const double deepest = deepestLine(settings);
    const double step = settings.unit.variationDepth;
    switch (kind) {
    case VariationKind::Longer:
    case VariationKind::Shorter: {
        const auto first = std::ranges::find(varied.profile, deepest, &ProfileSegment::depth);
        if (first == varied.profile.end())
            return std::nullopt;
        const double change = kind == VariationKind::Longer ? kVariationMinutes : -kVariationMinutes;
        first->minutes = std::max(first->minutes + change, 0.0);
        return varied;
    }
    case VariationKind::Deeper:
        if (deepest + step > settings.unit.maxDepth + kTolerance)
            return std::nullopt;
        for (ProfileSegment& line : varied.profile) {
            if (line.depth == deepest)
                line.depth = deepest + step;
        }
        return varied;
    case VariationKind::Shallower:
        if (deepest - step <= kTolerance)
            return std::nullopt;
        for (ProfileSegment& line : varied.profile)
            line.depth = std::min(line.depth, deepest - step);
        return varied;
    }
    return std::nullopt;
}

Settings withoutDecoGas(const Settings& settings, std::size_t index)
{
    Settings without = settings;
    without.decoGases.erase(without.decoGases.begin() + static_cast<std::ptrdiff_t>(index));
    return without;
}

Plan planWithAlternatives(const Settings& settings, const Tissues& start, double cnsStartPercent)
{
    Plan plan = planDive(settings, start, cnsStartPercent);
    if (!plan.problems.empty())
        return plan;
    for (const VariationKind kind : kVariations) {
        Variation variation { kind, std::nullopt, std::nullopt };
        if (const auto varied = variedSettings(settings, kind)) {
            const Plan other = planAscent(*varied, start);
            if (other.problems.empty()) {
                variation.runtime = other.runtime;
                variation.decoMinutes = other.runtime - other.ascentStart;
            }
        }
        plan.variations.push_back(variation);
    }
    for (std::size_t i = 0; i < settings.decoGases.size(); ++i) {
        const Settings without = withoutDecoGas(settings, i);
        LostGasPlan lost { settings.decoGases[i].gas, std::nullopt, std::nullopt, {}, {} };
        std::ranges::transform(without.decoGases, std::back_inserter(lost.gasesLeft), &DecoGas::gas);
        if (settings.closedCircuit()) {
            // The main plan stays on the loop: a lost bailout gas changes the bailout plan.
            if (const auto bailout = emergencyAscent(without, plan.ascentStart, start)) {
                lost.runtime = bailout->runtime;
                lost.firstStop = bailout->firstStop;
                lost.bailoutGases = bailout->gases;
            }
        } else if (const Plan other = planAscent(without, start); other.problems.empty()) {
            lost.runtime = other.runtime;
            lost.firstStop = other.firstStop;
        }
        plan.lostGas.push_back(lost);
    }
    plan.emergency = emergencyAscent(settings, plan.ascentStart, start);
    if (!plan.emergency)
        plan.warnings.push_back({ .kind = WarningKind::EmergencyAscentNotPlanned });
    addCylinderUse(plan, settings);
    return plan;
}

} // namespace korax
