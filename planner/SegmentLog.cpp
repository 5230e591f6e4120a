#include "planner/SegmentLog.h"

#include "planner/Physics.h"

#include <cmath>

namespace korax {
namespace {

// -1, 0 or 1: how the setpoint of a loop segment changes (0 also on open circuit).
int setpointTrend(const Segment& s)
{
    const double change = s.setpoint ? *s.setpoint - s.startSetpoint : 0.0;
    return change > kTolerance ? 1 : change < -kTolerance ? -1 : 0;
}

// Whether next goes on from last as one row: the same phase, gas and circuit, from where last
// ended, at the same rate. A slide and a steady setpoint are separate rows: a segment ends
// where a slide ends.
bool continues(const Segment& last, const Segment& next)
{
    const bool stationary = next.phase != Phase::Descent && next.phase != Phase::Ascent;
    const bool sameRate
        = std::fabs((last.endDepth - last.startDepth) / last.minutes - (next.endDepth - next.startDepth) / next.minutes)
        < kTolerance;
    const bool sameSetpoint = last.setpoint.has_value() == next.setpoint.has_value()
        && (!last.setpoint || std::fabs(*last.setpoint - next.startSetpoint) < kTolerance)
        && setpointTrend(last) == setpointTrend(next);
    return last.phase == next.phase && last.gas == next.gas && last.decompression == next.decompression && sameSetpoint
        && std::fabs(last.endDepth - next.startDepth) < kTolerance && (stationary || sameRate);
}

} // namespace

void appendSegment(std::vector<Segment>& log, const Segment& next)
{
    if (log.empty() || !continues(log.back(), next)) {
        log.push_back(next);
        return;
    }
    Segment& last = log.back();
    last.endDepth = next.endDepth;
    last.minutes += next.minutes;
    last.runtime = next.runtime;
    last.setpoint = next.setpoint;
    last.ceiling = next.ceiling;
}

void collectStops(Plan& plan)
{
    for (const Segment& segment : plan.segments) {
        const bool stationary
            = segment.phase == Phase::GasSwitch || segment.phase == Phase::DeepStop || segment.phase == Phase::Stop;
        if (!stationary)
            continue;
        if (!plan.stops.empty() && std::fabs(plan.stops.back().depth - segment.endDepth) < kTolerance) {
            plan.stops.back().minutes += segment.minutes;
            plan.stops.back().gas = segment.gas;
            plan.stops.back().setpoint = segment.setpoint;
        } else {
            plan.stops.push_back({ segment.endDepth, segment.minutes, segment.gas, segment.setpoint });
        }
    }
    // A gas switch alone is no decompression stop: the first stop is the first one the
    // tissues (or the deep-stop method) ask for.
    for (const Segment& segment : plan.segments) {
        if (segment.phase == Phase::Stop || segment.phase == Phase::DeepStop) {
            plan.firstStop = segment.endDepth;
            break;
        }
    }
}

} // namespace korax
