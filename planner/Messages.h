// The Czech texts of problems and warnings, for the plan file and the JSON (UTF-8).
#pragma once

#include "files/RegularFile.h"
#include "planner/Findings.h"
#include "planner/LengthUnit.h"

#include <string>

namespace korax {

std::string problemText(const Problem& problem, const LengthUnit& unit);
// For stderr when profile.dat cannot be read (missing, or why one that is there is not read):
// the window's words, with the name as given.
std::string profileNotReadText(const std::string& fileName, platform::RegularRead cause);
std::string warningText(const Warning& warning, const LengthUnit& unit);

// The JSON name of a warning's kind.
const char* warningKindName(WarningKind kind);

} // namespace korax
