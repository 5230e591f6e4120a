// Windows-1250 for the plan file and the settings' bytes, without Qt (the planner has none).
#pragma once

#include <string>
#include <string_view>

namespace korax {

// Every byte maps to one code point, so the conversion back gives the same bytes.
std::string cp1250ToUtf8(std::string_view bytes);

// Characters that Windows-1250 lacks become "?".
std::string utf8ToCp1250(std::string_view text);

} // namespace korax
