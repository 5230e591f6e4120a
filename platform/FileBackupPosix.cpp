#include "platform/FileBackup.h"

#include "platform/PosixIo.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

constexpr mode_t kPrivateFolder = 0700;

// Missing folders on the way are made private, as the cache folder of a fresh account would be.
bool makeFolders(const std::string& path)
{
    for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        const std::string part = path.substr(0, slash);
        if (::mkdir(part.c_str(), kPrivateFolder) != 0 && errno != EEXIST)
            return false;
        if (slash == std::string::npos)
            return true;
    }
}

// The copies hold the user's settings: the folder must be the writer's own and closed to others.
std::string backupFolder()
{
    const char* cache = std::getenv("XDG_CACHE_HOME");
    std::string folder;
    if (cache != nullptr && cache[0] == '/') {
        folder = cache;
    } else {
        const char* home = std::getenv("HOME");
        if (home == nullptr || home[0] != '/')
            return {};
        folder = std::string(home) + "/.cache";
    }
    folder += "/trova";
    if (!makeFolders(folder))
        return {};
    struct stat info { };
    if (::lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::geteuid())
        return {};
    if ((info.st_mode & 07777) != kPrivateFolder && ::chmod(folder.c_str(), kPrivateFolder) != 0)
        return {};
    return folder;
}

} // namespace

std::string writeBackup(const std::string& fileName, std::string_view bytes)
{
    const std::string folder = backupFolder();
    if (folder.empty())
        return {};
    std::string path = folder + "/" + io::baseNameOf(fileName) + ".XXXXXX";
    const int fd = ::mkostemp(path.data(), O_CLOEXEC);
    if (fd < 0)
        return {};
    std::size_t written = 0;
    bool flushed = io::writeAt(fd, bytes, 0, written) && ::fsync(fd) == 0;
    flushed = ::close(fd) == 0 && flushed && io::syncFolder(folder);
    if (!flushed) {
        ::unlink(path.c_str());
        return {};
    }
    return path;
}

} // namespace platform
