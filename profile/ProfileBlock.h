// The dive profile block of profile.dat: the keyless lines that begin with a digit.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace profile_block {

// The table shows depth, time and mix; a line with more fields keeps them all in the mix.
inline constexpr std::size_t kCellCount = 3;

// The cells a profile line reaches, as they stand (nothing trimmed): the text before the
// first comma, between the first and second, and the whole rest, later commas included.
std::vector<std::string> splitCells(std::string_view line);

// Removes every profile line in one forward pass and returns where the new block goes:
// the place of the last removed line (counted after the removals), or the end.
std::size_t removeProfileLines(std::vector<std::string_view>& lines);

} // namespace profile_block
