// Keys of profile.dat that only the planner reads: the window never shows them and passes
// them through unchanged, so they are written by hand.
#pragma once

#include <string_view>

namespace keys {

inline constexpr std::string_view kDecoSetpoint = "DecoSetpoint:";
inline constexpr std::string_view kProblemSolvingTime = "ProblemSolvingTime:";
inline constexpr std::string_view kStressRmv = "StressRmv:";

} // namespace keys
