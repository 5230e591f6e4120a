// Windows-1250 bytes <-> UTF-8 without Qt, for the planner and for file names.
#pragma once

#include <string>
#include <string_view>

namespace cp1250 {

// Every byte maps to one code point, so the conversion back gives the same bytes.
std::string cp1250ToUtf8(std::string_view bytes);

// Characters that Windows-1250 lacks become "?".
std::string utf8ToCp1250(std::string_view text);

} // namespace cp1250
