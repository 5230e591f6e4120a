// The tissue file: the inert gas state after a dive, for the next repetitive dive.
//
// Text, one item a line, "." as the decimal mark:
//   KORAX tissues 1
//   # compartment, N2 bar, He bar
//   1 0.745216 0.000000
//   ... (16 lines, compartments 1 to 16 in order; compartment 1 is ZH-L16 1b)
// Lines starting with "#" are comments.
#pragma once

#include "planner/Tissues.h"

#include <optional>
#include <string>
#include <string_view>

namespace korax {

std::string tissueFileText(const Tissues& tissues);

// Empty when the text is not a complete tissue file.
std::optional<Tissues> parseTissueFile(std::string_view text);

} // namespace korax
