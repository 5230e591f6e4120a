// The plans a technical diver carries beside the main plan: its variations and the plan for
// each lost deco gas.
#pragma once

#include "planner/Plan.h"
#include "planner/Settings.h"

namespace korax {

inline constexpr double kVariationMinutes = 5.0;

// The settings of a variation; empty when it makes no dive (the deepest lines would reach
// the surface or go below the deepest depth allowed).
std::optional<Settings> variedSettings(const Settings& settings, VariationKind kind);

// The settings without the deco gas at index.
Settings withoutDecoGas(const Settings& settings, std::size_t index);

// The settings of the emergency ascent: the last line's depth held ProblemSolvingTime: minutes
// more on open circuit, breathing its mix (on the loop, its diluent).
Settings emergencySettings(const Settings& settings);

// The main plan with its variations, lost-gas plans and emergency ascent (those only when it
// has no problem).
Plan planWithAlternatives(const Settings& settings, const Tissues& start, double cnsStartPercent = 0.0);

} // namespace korax
