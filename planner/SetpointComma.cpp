#include "planner/SetpointComma.h"

#include "profile/ProfileText.h"

#include <algorithm>

namespace korax {
namespace {

bool digits(std::string_view text)
{
    return !text.empty() && std::ranges::all_of(text, [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

std::optional<std::string> setpointWithDecimalComma(std::string_view line)
{
    const std::size_t first = line.find(',');
    const std::size_t second = first == std::string_view::npos ? first : line.find(',', first + 1);
    const std::size_t third = second == std::string_view::npos ? second : line.find(',', second + 1);
    if (third == std::string_view::npos || line.find(',', third + 1) != std::string_view::npos)
        return std::nullopt;
    const std::string_view mix = profile_text::trim(line.substr(second + 1, third - second - 1));
    const std::string_view decimals = profile_text::trim(line.substr(third + 1));
    const std::size_t at = mix.find('@');
    if (at == std::string_view::npos || !digits(profile_text::trim(mix.substr(at + 1))) || !digits(decimals))
        return std::nullopt;
    return std::string(mix) + "." + std::string(decimals);
}

} // namespace korax
