// Where an open-circuit gas (a deco gas, or a bailout gas on a closed-circuit dive) may be
// switched to, so that the plan never flags a switch it chose itself.
#pragma once

#include "planner/Settings.h"
#include "planner/Tissues.h"

namespace korax {

// The depth in the dive's unit, not yet on the stop grid: the one the diver gave, else the
// shallowest of the PO2 depth of OcDecoMaxPO2: (the divers' MOD convention), the deepest whole
// metre or foot where the END is at most MaxEND: (when above 0), and the deepest whole metre or
// foot where the density is at most the recommended 5.2 g/l.
double switchDepth(const DecoGas& gas, const Settings& settings, const Water& water);

} // namespace korax
