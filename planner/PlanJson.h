// The plan as one JSON object on stdout, for tools and scripts (UTF-8).
#pragma once

#include "planner/Plan.h"
#include "planner/Settings.h"

#include <string>
#include <vector>

namespace korax {

// plan is null when the settings could not be planned.
std::string planJson(const Settings& settings, const Plan* plan, const std::vector<Problem>& problems);

} // namespace korax
