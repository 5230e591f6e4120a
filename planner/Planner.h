// Plans one dive, on open circuit or on a rebreather loop, from checked settings and a starting
// tissue state.
#pragma once

#include "planner/Plan.h"
#include "planner/Settings.h"

namespace korax {

// The water and air the settings describe.
Water waterOf(const Settings& settings);

// Tissues at the start of the dive: saturated with air for a fresh dive; for a repetitive
// dive, the previous end state after the surface interval on air.
Tissues startingTissues(const Settings& settings, const Tissues* previousDive);

// The CNS a dive starts with: for a repetitive dive the previous dive's CNS at surfacing halved
// for every 90 minutes of the surface interval, for a fresh dive 0.
double startingCns(const Settings& settings, double previousCnsPercent);

// Never loops without bound: decompression longer than 24 hours, or a stop that does not
// clear in 24 hours, ends planning with a problem in the plan.
Plan planDive(const Settings& settings, const Tissues& start, double cnsStartPercent = 0.0);

// The segments and stops only, without gas use, oxygen and limit warnings.
Plan planAscent(const Settings& settings, const Tissues& start);

} // namespace korax
