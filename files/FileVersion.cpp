#include "files/FileVersion.h"

#include "files/FileReplace.h"
#include "files/FileStamp.h"

namespace platform {

std::optional<FileVersion> readVersion(const std::string& path)
{
    const FileStamp stamp = stampOf(path);
    FileVersion version { stamp.device, stamp.inode, {} };
    if (!stamp.exists || !readFileContents(path, version.bytes))
        return std::nullopt;
    return version;
}

FileVersion savedVersion(const std::string& path, std::string bytes)
{
    const FileStamp stamp = stampOf(path);
    return { stamp.device, stamp.inode, std::move(bytes) };
}

} // namespace platform
