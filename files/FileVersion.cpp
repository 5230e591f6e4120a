#include "files/FileVersion.h"

#include "files/FileReplace.h"
#include "files/FileStamp.h"

namespace platform {

std::optional<FileVersion> readVersion(const std::string& path, std::size_t limit, RegularRead& status)
{
    const FileStamp stamp = stampOf(path);
    RegularFileContents contents = readRegularFile(path, limit);
    status = stamp.exists ? contents.status : RegularRead::Missing;
    if (status != RegularRead::Read)
        return std::nullopt;
    return FileVersion { stamp.device, stamp.inode, std::move(contents.bytes) };
}

std::optional<FileVersion> readVersion(const std::string& path, std::size_t limit)
{
    RegularRead status = RegularRead::Unreadable;
    return readVersion(path, limit, status);
}

FileVersion savedVersion(const std::string& path, std::string bytes)
{
    const FileStamp stamp = stampOf(path);
    return { stamp.device, stamp.inode, std::move(bytes) };
}

} // namespace platform
