// One version of a file as a program last read or wrote it: which file it was and its bytes.
// Another program's edit is another file at the name (replaced by a rename) or other bytes;
// the modification time is not compared, since some tools put it back after an edit and a
// failed in-place save moves it without changing a byte.
#pragma once

#include "files/RegularFile.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace platform {

struct FileVersion {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::string bytes;

    bool operator==(const FileVersion&) const = default;
};

// The file that path names (through a symlink), identified before it is read, so an edit made
// while it is read shows up as a change later; empty when it cannot be read, with status saying
// why (no regular file, more than limit bytes).
std::optional<FileVersion> readVersion(const std::string& path, std::size_t limit, RegularRead& status);
std::optional<FileVersion> readVersion(const std::string& path, std::size_t limit);

// The version a save has just written: the file now at path holding bytes.
FileVersion savedVersion(const std::string& path, std::string bytes);

} // namespace platform
