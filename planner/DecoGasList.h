// The open-circuit gases of OcDecoGas:: deco gases of an open-circuit dive, bailout gases of a
// closed-circuit one, each with the switch depth the diver may give after it ("50 21m").
#pragma once

#include "planner/Findings.h"
#include "planner/Gas.h"
#include "planner/LengthUnit.h"

#include <optional>
#include <string_view>
#include <vector>

namespace korax {

struct DecoGas {
    Gas gas;
    std::optional<double> switchDepth; // in the dive's unit; empty: the planner's switch depth
};

struct DecoGasReading {
    std::vector<DecoGas> gases;
    std::vector<Problem> problems;
};

// Items separated by commas, semicolons or blanks; a mix, optionally followed by its switch
// depth written with the dive's unit ("21/35 36m", "50 70ft"). A depth in the other unit, one
// deeper than the gas's switch depth at maxPO2, or one that cannot be read is a problem naming
// the entry.
DecoGasReading readDecoGasList(std::string_view value, const LengthUnit& unit, double maxPO2);

} // namespace korax
