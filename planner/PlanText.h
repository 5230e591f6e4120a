// The plan file as the diver reads it: Czech text in Windows-1250 with CR LF line ends.
#pragma once

#include "planner/Plan.h"
#include "planner/Settings.h"

#include <string>
#include <vector>

namespace korax {

inline constexpr const char* kVersion = "1.0";

// plan is null when the settings could not be planned; problems are then the reasons.
std::string planFileText(const Settings& settings, const Plan* plan, const std::vector<Problem>& problems);

} // namespace korax
