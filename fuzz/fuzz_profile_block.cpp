// Arbitrary bytes as the lines of profile.dat: the profile line removal keeps every other line
// in order and places the block sensibly; every profile line splits into cells that join back.
#include "profile/ProfileBlock.h"
#include "profile/ProfileText.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

std::string joined(const std::vector<std::string>& cells)
{
    std::string line;
    for (std::size_t i = 0; i < cells.size(); ++i)
        line += (i > 0 ? "," : "") + cells[i];
    return line;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::string_view> lines
        = profile_text::splitLineViews(std::string_view(reinterpret_cast<const char*>(data), size));

    std::vector<std::string_view> others;
    std::size_t lastPlace = 0;
    bool anyProfileLine = false;
    for (const auto& line : lines) {
        if (!profile_text::isProfileLine(line)) {
            others.push_back(line);
            continue;
        }
        anyProfileLine = true;
        lastPlace = others.size();
        const std::vector<std::string> cells = profile_block::splitCells(line);
        require(!cells.empty() && cells.size() <= profile_block::kCellCount);
        require(joined(cells) == line);
    }

    std::vector<std::string_view> kept = lines;
    const std::size_t place = profile_block::removeProfileLines(kept);
    require(kept == others);
    require(place == (anyProfileLine ? lastPlace : kept.size()));
    return 0;
}
