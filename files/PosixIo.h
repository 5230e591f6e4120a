// Small helpers over file descriptors for the file layer: whole reads and writes, flushes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace platform::io {

// Writes all bytes from offset on, going on after short writes; written counts what reached
// the file, also when it fails.
bool writeAt(int fd, std::string_view bytes, off_t offset, std::size_t& written);

// Reads from the current position to the end of the file.
bool readToEnd(int fd, std::string& bytes);

// Flushes a folder's entries, so a created or renamed name survives a power loss.
bool syncFolder(const std::string& folder);

std::string folderOf(const std::string& path);
std::string baseNameOf(const std::string& path);

} // namespace platform::io
