// The Czech texts of problems and warnings, for the plan file and the JSON (UTF-8).
#pragma once

#include "planner/Findings.h"
#include "planner/LengthUnit.h"

#include <string>

namespace korax {

std::string problemText(const Problem& problem, const LengthUnit& unit);
std::string warningText(const Warning& warning, const LengthUnit& unit);

} // namespace korax
