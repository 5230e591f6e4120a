// The rows of a plan as the dive is flown: each piece joins the row before it when it goes on
// from it unchanged, and the stops are the rows where the diver stays.
#pragma once

#include "planner/Plan.h"

#include <vector>

namespace korax {

// Appends a piece of the dive, or extends the last row when the piece goes on from it: the same
// phase, gas and circuit, from where it ended, at the same rate, with no slide starting or ending.
void appendSegment(std::vector<Segment>& log, const Segment& next);

// The plan's stops and first stop from its segments.
void collectStops(Plan& plan);

} // namespace korax
