#include "profile/ProfileBlock.h"

#include "profile/ProfileText.h"

namespace profile_block {

std::vector<std::string> splitCells(std::string_view line)
{
    std::vector<std::string> cells;
    while (cells.size() + 1 < kCellCount) {
        const std::size_t comma = line.find(',');
        if (comma == std::string_view::npos)
            break;
        cells.emplace_back(line.substr(0, comma));
        line.remove_prefix(comma + 1);
    }
    cells.emplace_back(line);
    return cells;
}

// Compaction instead of erase-per-line keeps a file of many profile lines linear.
std::size_t removeProfileLines(std::vector<std::string_view>& lines)
{
    std::size_t kept = 0;
    std::size_t place = 0;
    bool found = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (profile_text::isProfileLine(lines[i])) {
            place = kept;
            found = true;
            continue;
        }
        if (kept != i)
            lines[kept] = lines[i];
        ++kept;
    }
    lines.resize(kept);
    return found ? place : kept;
}

} // namespace profile_block
