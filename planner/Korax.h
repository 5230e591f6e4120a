// The korax command: reads profile.dat in the working directory, plans, writes the plan.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace korax {

inline constexpr int kExitPlanned = 0;
inline constexpr int kExitFailure = 1; // I/O failure or a wrong command line
inline constexpr int kExitProblems = 2; // settings invalid or the plan cannot be finished

// arguments without the program name.
int runKorax(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

} // namespace korax
