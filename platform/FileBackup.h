// The copy of a file's old bytes that an in-place rewrite keeps until the file is whole again.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// Writes bytes to a new file named after fileName in $XDG_CACHE_HOME/trova (else
// $HOME/.cache/trova, created with mode 0700) and flushes the file and its folder entry.
// Returns its path, or an empty text when no flushed copy could be made.
std::string writeBackup(const std::string& fileName, std::string_view bytes);

} // namespace platform
