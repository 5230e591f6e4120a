// The result of planning one dive: the segments as the diver flies them, and what follows.
#pragma once

#include "planner/Cylinders.h"
#include "planner/Findings.h"
#include "planner/Gas.h"
#include "planner/Tissues.h"

#include <optional>
#include <vector>

namespace korax {

struct Segment {
    Phase phase = Phase::Bottom;
    double startDepth = 0.0;
    double endDepth = 0.0;
    double minutes = 0.0;
    double runtime = 0.0; // at the end of the segment
    Gas gas; // the mix, or the loop's diluent
    bool decompression = false; // after the last profile line: DecoRmv, deco PO2 limit
    std::optional<double> setpoint; // at the end of the segment; empty: open circuit
    double startSetpoint = 0.0; // on the loop: the setpoint at the start (it slides between)
    double ceiling = 0.0; // the depth the tissues allow at the end, under the plan's GF or GF pair
};

struct Stop {
    double depth = 0.0;
    double minutes = 0.0;
    Gas gas;
    std::optional<double> setpoint;
};

// A "what if" plan from the same settings: the deepest line longer or shorter, the deepest
// lines deeper or shallower.
enum class VariationKind { Longer, Shorter, Deeper, Shallower };

constexpr bool changesDepth(VariationKind kind)
{
    return kind == VariationKind::Deeper || kind == VariationKind::Shallower;
}

constexpr char signOf(VariationKind kind)
{
    return kind == VariationKind::Longer || kind == VariationKind::Deeper ? '+' : '-';
}

struct Variation {
    VariationKind kind;
    std::optional<double> runtime; // empty: no such plan, or it has a problem
    std::optional<double> decoMinutes; // run time after the end of the last profile line
};

struct GasUse {
    Gas gas;
    double litres = 0.0;
};

// The plan when one deco gas is lost; on a closed-circuit dive the bailout plan when one
// bailout gas is lost, with its litres per gas.
struct LostGasPlan {
    Gas lost;
    std::optional<double> runtime; // empty: the plan has a problem
    std::optional<double> firstStop;
    std::vector<Gas> gasesLeft;
    std::vector<GasUse> bailoutGases; // closed circuit only
};

// The emergency ascent on open circuit after the problem-solving minutes at the end of the
// last profile line: its run time, first stop and the gas for it at the stress breathing rate
// (an open-circuit dive's minimum gas, a closed-circuit dive's bailout).
struct EmergencyPlan {
    double runtime = 0.0;
    std::optional<double> firstStop;
    std::vector<GasUse> gases;
    std::vector<Segment> segments; // from the end of the last profile line to the surface
};

// What one cylinder gives the plan, in bar at 20 °C: used by the plan, left on surfacing, the
// reserve it keeps (minimum gas or bailout) and, for a cylinder of the last profile line's mix on
// open circuit, the turn pressure: what it must still hold when that line ends.
struct CylinderUse {
    Cylinder cylinder;
    double usedBar = 0.0;
    double leftBar = 0.0;
    std::optional<double> reserveBar; // empty: the emergency ascent is not planned
    std::optional<double> turnBar;
};

struct Plan {
    std::vector<Segment> segments;
    std::vector<Stop> stops;
    std::optional<double> firstStop;
    std::optional<double> gfLowPoint; // depth, for a GF pair
    double runtime = 0.0;
    double ascentStart = 0.0; // run time at the end of the last profile line
    std::vector<GasUse> gasUse;
    double cnsStartPercent = 0.0; // carried from the previous dive over the surface interval
    double cnsPercent = 0.0; // at the end of the dive, the start included
    double otu = 0.0; // this dive's alone
    std::vector<Warning> warnings;
    std::vector<Problem> problems;
    std::vector<Variation> variations;
    std::vector<LostGasPlan> lostGas;
    std::optional<EmergencyPlan> emergency; // empty: not planned, or it cannot be
    std::vector<CylinderUse> cylinders; // in the order of the Cylinder: lines
    Tissues endTissues;
    bool complete = false; // false: planning stopped at a problem, no ascent to trust
};

} // namespace korax
