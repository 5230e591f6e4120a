// File names from profile.dat are Windows-1250 text; the file system here speaks UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// The name as the operating system expects it, so that the window, the viewer and the
// planner all open the same file for the same text.
std::string nativeFileName(std::string_view cp1250Name);

} // namespace platform
