// Reads a file that must be a regular file, without ever blocking on anything else: a named
// pipe, a device or a folder is refused, not opened for reading and waited on.
#pragma once

#include <cstddef>
#include <string>

namespace platform {

enum class RegularRead { Read, Missing, NotRegular, TooLarge, Unreadable };

struct RegularFileContents {
    RegularRead status = RegularRead::Unreadable;
    std::string bytes; // the whole file when status is Read
};

inline constexpr std::size_t kNoSizeLimit = static_cast<std::size_t>(-1);

// A file of more than limit bytes is refused as TooLarge before it is read, or as soon as the
// bytes read pass the limit (a file that grows while it is read).
RegularFileContents readRegularFile(const std::string& path, std::size_t limit = kNoSizeLimit);

} // namespace platform
