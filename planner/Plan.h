// The result of planning one dive: the segments as the diver flies them, and what follows.
#pragma once

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
    Gas gas;
    bool decompression = false; // after the last profile line: DecoRmv, deco PO2 limit
};

struct Stop {
    double depth = 0.0;
    double minutes = 0.0;
    Gas gas;
};

struct GasUse {
    Gas gas;
    double litres = 0.0;
};

struct Plan {
    std::vector<Segment> segments;
    std::vector<Stop> stops;
    std::optional<double> firstStop;
    std::optional<double> gfLowPoint; // depth, for a GF pair
    double runtime = 0.0;
    std::vector<GasUse> gasUse;
    double cnsPercent = 0.0;
    double otu = 0.0;
    std::vector<Warning> warnings;
    std::vector<Problem> problems;
    Tissues endTissues;
    bool complete = false; // false: planning stopped at a problem, no ascent to trust
};

} // namespace korax
