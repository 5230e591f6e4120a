// The tissue file: the inert gas state after a dive, for the next repetitive dive.
//
// Text, one item a line, "." as the decimal mark:
//   KORAX tissues 1
//   # compartment, N2 bar, He bar
//   1 0.745216 0.000000
//   ... (16 lines, compartments 1 to 16 in order; compartment 1 is ZH-L16 1b)
//   CNS 42.123456
// The CNS line (per cent at surfacing) may be missing: files written before it count as 0 %.
// Lines starting with "#" are comments.
#pragma once

#include "planner/Tissues.h"

#include <optional>
#include <string>
#include <string_view>

namespace korax {

// What a dive leaves for the next one: its tissues and its CNS at surfacing.
struct TissueRecord {
    Tissues tissues;
    double cnsPercent = 0.0;
};

std::string tissueFileText(const Tissues& tissues, double cnsPercent);

// Whether text begins with the tissue file's first line, so that an existing file is known as
// one that korax wrote.
bool isTissueFileText(std::string_view text);

// Empty when the text is not a complete tissue file.
std::optional<TissueRecord> parseTissueFile(std::string_view text);

} // namespace korax
