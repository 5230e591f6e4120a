// Reads a file that must be a regular file, without ever blocking on anything else: a named
// pipe, a device or a folder is refused, not opened for reading and waited on.
#pragma once

#include <string>

namespace platform {

enum class RegularRead { Read, Missing, NotRegular, Unreadable };

struct RegularFileContents {
    RegularRead status = RegularRead::Unreadable;
    std::string bytes; // the whole file when status is Read
};

RegularFileContents readRegularFile(const std::string& path);

} // namespace platform
