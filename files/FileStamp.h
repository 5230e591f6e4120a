// What tells one version of a file from another without reading it: its identity, size and
// modification time, as the file system keeps them.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

struct FileStamp {
    bool exists = false;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedSeconds = 0;
    std::int64_t modifiedNanoseconds = 0;

    bool operator==(const FileStamp&) const = default;
};

// The stamp of the file that path names (through a symlink); a file that cannot be examined
// counts as missing.
FileStamp stampOf(const std::string& path);

} // namespace platform
