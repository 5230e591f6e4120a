#include "planner/Planner.h"

#include "planner/Breathing.h"
#include "planner/Exposure.h"
#include "planner/Physics.h"
#include "planner/Rates.h"
#include "planner/SegmentLog.h"
#include "planner/StopGrid.h"
#include "planner/SwitchDepth.h"

#include <algorithm>
#include <cmath>

namespace korax {
namespace {

constexpr double kDayMinutes = 24 * 60.0;
constexpr double kGasSwitchMinutes = 1.0;
constexpr double kWkppStopMinutes = 1.0;
// The CNS clock recovers at the surface with the half-time divers use for it, 90 minutes.
constexpr double kCnsHalfTimeMinutes = 90.0;

struct DiveState {
    Tissues tissues;
    double depth = 0.0;
    double runtime = 0.0;
    Gas gas; // the mix, or the loop's diluent
    bool loop = false;
    double setpoint = 0.0; // on the loop, bar
    double target = 0.0; // where the setpoint slides to
    bool defaultDescent = false; // a move went at the default rate
    bool defaultAscent = false;
};

// An open-circuit gas with the stop depth from which it is breathed.
struct UsableGas {
    Gas gas;
    double switchDepth;
};

class Diver {
public:
    Diver(const Settings& settings, const Tissues& start)
        : settings_(settings)
        , water_(waterOf(settings))
        , set_(coefficients(settings.useBValues))
        , gf_(settings.gradientFactor())
        , pair_ { settings.gfLow(), settings.gradientFactor(), water_.surfacePressure }
        , grid_(settings.stopDistance, settings.lastStopDepth)
        , descent_(settings.descentRates, settings.unit.descentRate)
        , ascent_(settings.ascentRates, settings.unit.ascentRate)
    {
        state_.tissues = start;
        for (const DecoGas& gas : settings.decoGases) {
            if (const auto depth = grid_.atOrAbove(switchDepth(gas, settings, water_)))
                decoGases_.push_back({ gas.gas, *depth });
            else
                plan_.warnings.push_back(
                    { .kind = settings.closedCircuit() ? WarningKind::BailoutGasUnused : WarningKind::DecoGasUnused,
                        .gas = gas.gas });
        }
        // A rebreather diver decompresses on the loop: its open-circuit gases are bailout
        // gases, breathed only in the bailout plan (whose last line is on open circuit).
        if (settings.closedCircuit())
            decoGases_.clear();
    }

    Plan run()
    {
        if (settings_.profile.empty()) {
            plan_.problems.push_back({ .kind = ProblemKind::NoProfile });
            return std::move(plan_);
        }
        followProfile();
        plan_.complete = ascend();
        if (plan_.complete && settings_.gfPair())
            warnAboveGfHigh();
        plan_.endTissues = state_.tissues;
        plan_.runtime = state_.runtime;
        if (state_.defaultDescent)
            plan_.warnings.push_back({ .kind = WarningKind::DefaultDescentRate, .value = descent_.defaultRate() });
        if (state_.defaultAscent)
            plan_.warnings.push_back({ .kind = WarningKind::DefaultAscentRate, .value = ascent_.defaultRate() });
        return std::move(plan_);
    }

private:
    void followProfile()
    {
        state_.gas = settings_.profile.front().gas;
        bool ceilingWarned = false;
        for (const ProfileSegment& segment : settings_.profile) {
            state_.gas = segment.gas;
            // The first line on the loop, and one after open circuit, start at their setpoint.
            if (segment.setpoint)
                aimSetpoint(state_, *segment.setpoint, !state_.loop);
            state_.loop = segment.setpoint.has_value();
            move(state_, segment.depth, segment.depth >= state_.depth ? Phase::Descent : Phase::Ascent, false,
                &plan_.segments);
            stay(state_, segment.minutes, Phase::Bottom, false, &plan_.segments);
            if (!ceilingWarned && ceilingPressure(state_) > water_.pressureAt(state_.depth) + kTolerance) {
                ceilingWarned = true;
                plan_.warnings.push_back({ .kind = WarningKind::ProfileAboveCeiling, .depth = state_.depth });
            }
        }
    }

    double ceilingPressure(const DiveState& state) const { return toleratedPressure(state.tissues, set_, gf_); }

    // The plan table's ceiling: under one factor its ceiling; under a pair the shallowest depth
    // the ascent's test would pass, with the GF low point of that moment (rules 2 and 3).
    double ceilingDepth(const DiveState& state) const
    {
        if (!settings_.gfPair())
            return std::max(0.0, water_.depthAt(ceilingPressure(state)));
        const double lowPoint
            = std::max({ lowPoint_, toleratedPressure(state.tissues, set_, pair_.low), water_.surfacePressure + 1.0 });
        return std::max(0.0, water_.depthAt(gfPairCeiling(state.tissues, set_, pair_, lowPoint)));
    }

    // A new setpoint: reached at once, or by a slide at SlideRate: from the value reached.
    void aimSetpoint(DiveState& state, double setpoint, bool atOnce) const
    {
        state.target = setpoint;
        if (atOnce || settings_.slideRate <= 0.0)
            state.setpoint = setpoint;
    }

    bool sliding(const DiveState& state) const
    {
        return state.loop && std::fabs(state.target - state.setpoint) > kTolerance;
    }

    void record(std::vector<Segment>* log, Phase phase, double from, double fromSetpoint, const DiveState& state,
        double minutes, bool deco) const
    {
        if (!log || minutes <= 0.0)
            return;
        const Segment next { phase, from, state.depth, minutes, state.runtime, state.gas, deco,
            state.loop ? std::optional(state.setpoint) : std::nullopt, state.loop ? fromSetpoint : 0.0,
            ceilingDepth(state) };
        appendSegment(*log, next);
    }

    void move(DiveState& state, double to, Phase phase, bool deco, std::vector<Segment>* log)
    {
        const bool down = to > state.depth;
        for (const RatePiece& piece : (down ? descent_ : ascent_).pieces(state.depth, to)) {
            (down ? state.defaultDescent : state.defaultAscent) |= piece.defaultRate;
            const double minutes = std::fabs(piece.toDepth - state.depth) / piece.rate;
            const double barPerMinute = (piece.toDepth > state.depth ? 1.0 : -1.0) * piece.rate * water_.barPerUnit;
            breathe(state, piece.toDepth, minutes, barPerMinute, phase, deco, log);
        }
        state.depth = to;
    }

    void stay(DiveState& state, double minutes, Phase phase, bool deco, std::vector<Segment>* log)
    {
        breathe(state, state.depth, minutes, 0.0, phase, deco, log);
    }

    // The depth changing linearly to `to` in the minutes; on the loop the setpoint slides
    // meanwhile, and the part after the slide ends is a segment of its own.
    void breathe(DiveState& state, double to, double minutes, double barPerMinute, Phase phase, bool deco,
        std::vector<Segment>* log)
    {
        while (true) {
            const double from = state.depth;
            const double fromSetpoint = state.setpoint;
            double part = minutes;
            if (sliding(state))
                part = std::min(minutes, std::fabs(state.target - state.setpoint) / settings_.slideRate);
            const bool slideEnds = part < minutes;
            state.depth = slideEnds ? from + (to - from) * part / minutes : to;
            if (state.loop) {
                const double step = std::copysign(settings_.slideRate * part, state.target - state.setpoint);
                state.setpoint = sliding(state) && !slideEnds ? state.setpoint + step : state.target;
                loadLoop(state.tissues, set_, state.gas, water_.pressureAt(from), water_.pressureAt(state.depth),
                    fromSetpoint, state.setpoint, part, decay_);
            } else {
                loadTissues(state.tissues, set_, state.gas, water_.pressureAt(from), barPerMinute, part, decay_);
            }
            state.runtime += part;
            record(log, phase, from, fromSetpoint, state, part, deco);
            if (!slideEnds)
                return;
            minutes -= part;
        }
    }

    bool legClears(const DiveState& state, double to)
    {
        DiveState trial = state;
        move(trial, to, Phase::Ascent, true, nullptr);
        if (!settings_.gfPair())
            return ceilingPressure(trial) <= water_.pressureAt(to) + kTolerance;
        // The line never ends shallower than the tested tissues' own GF-low ceiling, or a
        // short deep dive would never leave the bottom.
        const double lowPoint = std::max(lowPoint_, toleratedPressure(trial.tissues, set_, pair_.low));
        return withinGfPair(trial.tissues, set_, pair_, lowPoint, water_.pressureAt(to));
    }

    // On reaching a stop depth: the richest deco gas whose switch depth it is or lies below,
    // when it holds more oxygen than the mix breathed.
    void arrive(DiveState& state, std::vector<Segment>* log)
    {
        const UsableGas* best = nullptr;
        for (const UsableGas& candidate : decoGases_) {
            if (candidate.switchDepth + kTolerance >= state.depth && candidate.gas.o2 > state.gas.o2
                && (!best || candidate.gas.o2 > best->gas.o2))
                best = &candidate;
        }
        if (best) {
            state.gas = best->gas;
            stay(state, kGasSwitchMinutes, Phase::GasSwitch, true, log);
        }
    }

    // The stop depth where a direct ascent from the state would first have to wait.
    std::optional<double> firstRequiredStop(DiveState state)
    {
        while (state.depth > 0.0) {
            const double next = grid_.nextAbove(state.depth);
            if (!legClears(state, next))
                return state.depth;
            move(state, next, Phase::Ascent, true, nullptr);
            if (next > 0.0)
                arrive(state, nullptr);
        }
        return std::nullopt;
    }

    void ascendTo(double depth)
    {
        while (state_.depth > depth + kTolerance) {
            const double next = std::max(grid_.nextAbove(state_.depth), depth);
            move(state_, next, Phase::Ascent, true, &plan_.segments);
            if (grid_.contains(next))
                arrive(state_, &plan_.segments);
        }
    }

    void pyleStops(double bottom, double firstStop)
    {
        double last = bottom;
        std::optional<double> required = firstStop;
        while (required && last - *required > grid_.distance() + kTolerance) {
            double stop = grid_.nearest((last + *required) / 2.0);
            if (stop >= last - kTolerance)
                stop = grid_.nextAbove(last);
            if (stop <= *required + kTolerance)
                break;
            ascendTo(stop);
            stay(state_, settings_.pyleStopTime, Phase::DeepStop, true, &plan_.segments);
            last = stop;
            required = firstRequiredStop(state_);
        }
    }

    // The GF low point: the GF-low ceiling of the tissues as the final ascent begins, but at
    // least 1 bar below the surface, so every GF pair has one.
    void fixLowPoint()
    {
        lowPoint_ = std::max(toleratedPressure(state_.tissues, set_, pair_.low), water_.surfacePressure + 1.0);
        plan_.gfLowPoint = water_.depthAt(lowPoint_);
    }

    void warnAboveGfHigh()
    {
        for (const int compartment : aboveGfHighAtSurface(state_.tissues, set_, pair_))
            plan_.warnings.push_back({ .kind = WarningKind::SurfacedAboveGfHigh, .compartment = compartment });
    }

    bool ascend()
    {
        const double bottom = state_.depth;
        const double decoStart = state_.runtime;
        plan_.ascentStart = decoStart;
        if (state_.loop && settings_.decoSetpoint)
            aimSetpoint(state_, *settings_.decoSetpoint, false);
        if (settings_.gfPair())
            fixLowPoint();
        const auto firstStop = firstRequiredStop(state_);
        if (settings_.deepStops == DeepStopMethod::Pyle && firstStop)
            pyleStops(bottom, *firstStop);
        const double wkppFrom = bottom / 2.0 + kTolerance;

        while (state_.depth > 0.0) {
            const double next = grid_.nextAbove(state_.depth);
            const double arrivedAt = state_.runtime;
            while (!legClears(state_, next)) {
                stay(state_, settings_.precision, Phase::Stop, true, &plan_.segments);
                if (state_.runtime - arrivedAt > kDayMinutes) {
                    plan_.problems.push_back({ .kind = ProblemKind::StopNeverClears, .value = state_.depth });
                    return false;
                }
                if (state_.runtime - decoStart > kDayMinutes) {
                    plan_.problems.push_back({ .kind = ProblemKind::DecoTooLong });
                    return false;
                }
            }
            move(state_, next, Phase::Ascent, true, &plan_.segments);
            if (next <= 0.0)
                break;
            arrive(state_, &plan_.segments);
            if (settings_.deepStops == DeepStopMethod::Wkpp && firstStop && next <= wkppFrom
                && next > *firstStop + kTolerance)
                stay(state_, kWkppStopMinutes, Phase::DeepStop, true, &plan_.segments);
        }
        return true;
    }

    const Settings& settings_;
    Water water_;
    const CoefficientSet& set_;
    Decay decay_;
    double gf_;
    GfPair pair_;
    double lowPoint_ = 0.0; // GF low point (bar) of a GF pair, fixed when the final ascent begins
    StopGrid grid_;
    Rates descent_;
    Rates ascent_;
    std::vector<UsableGas> decoGases_; // none on the loop
    DiveState state_;
    Plan plan_;
};

} // namespace

Water waterOf(const Settings& settings)
{
    return makeWater(
        settings.altitude, settings.saltWater ? kSaltWaterDensity : kFreshWaterDensity, settings.unit.metres);
}

Tissues startingTissues(const Settings& settings, const Tissues* previousDive)
{
    const Water water = waterOf(settings);
    if (!settings.repetitive || !previousDive)
        return saturatedWithAir(water.surfacePressure);
    Tissues tissues = *previousDive;
    loadTissues(tissues, coefficients(settings.useBValues), kAir, water.surfacePressure, 0.0, settings.surfaceInterval);
    return tissues;
}

double startingCns(const Settings& settings, double previousCnsPercent)
{
    if (!settings.repetitive)
        return 0.0;
    return previousCnsPercent * std::exp2(-settings.surfaceInterval / kCnsHalfTimeMinutes);
}

Plan planAscent(const Settings& settings, const Tissues& start)
{
    Plan plan = Diver(settings, start).run();
    collectStops(plan);
    return plan;
}

Plan planDive(const Settings& settings, const Tissues& start, double cnsStartPercent)
{
    Plan plan = planAscent(settings, start);
    plan.cnsStartPercent = cnsStartPercent;
    addExposure(plan, settings, waterOf(settings));
    return plan;
}

} // namespace korax
