// Where the plan's gas comes from: the litres of each mix drawn from the cylinders of that mix,
// the reserve they keep, and the warnings when they do not hold it.
#pragma once

#include "planner/Plan.h"
#include "planner/Settings.h"

namespace korax {

// Fills plan.cylinders and adds the gas_reserve, gas_missing and gas_exhausted warnings, from the
// plan's segments and its emergency ascent; nothing without Cylinder: lines.
// - Open circuit: a mix is drawn from the cylinders of that mix that are not the loop's, all by
//   the same fraction of their free gas, and so is its reserve (minimum gas or bailout).
// - On the loop: the loop's oxygen cylinders give O2Metabolic: litres a minute, its diluent
//   cylinders LoopVolume: × Δp / 1.01325 bar at every rise of ambient pressure; without such a
//   cylinder that gas is not counted. The bailout's diluent, when only the loop's diluent
//   cylinder holds it, is kept there.
void addCylinderUse(Plan& plan, const Settings& settings);

} // namespace korax
