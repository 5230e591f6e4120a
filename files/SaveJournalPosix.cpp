#include "files/PosixIo.h"
#include "files/SaveJournal.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <dirent.h>
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

// The journals hold the user's settings: the folder must be the writer's own and closed to others.
std::string journalFolder()
{
    const char* cache = std::getenv("XDG_CACHE_HOME");
    std::string folder;
    if (cache != nullptr && cache[0] == '/') {
        folder = cache;
    } else {
        const char* home = std::getenv("HOME");
        if (home == nullptr || home[0] != '/') {
            errno = ENOENT;
            return {};
        }
        folder = std::string(home) + "/.cache";
    }
    folder += "/trova";
    if (!makeFolders(folder))
        return {};
    struct stat info { };
    if (::lstat(folder.c_str(), &info) != 0)
        return {};
    if (!S_ISDIR(info.st_mode) || info.st_uid != ::geteuid()) {
        errno = EACCES;
        return {};
    }
    if ((info.st_mode & 07777) != kPrivateFolder && ::chmod(folder.c_str(), kPrivateFolder) != 0)
        return {};
    return folder;
}

} // namespace

std::string writeJournal(const SaveJournal& journal)
{
    const std::string folder = journalFolder();
    if (folder.empty())
        return {};
    std::string path = folder + "/" + io::baseNameOf(journal.path) + ".XXXXXX" + std::string(kJournalEnd);
    const int fd = ::mkostemps(path.data(), static_cast<int>(kJournalEnd.size()), O_CLOEXEC);
    if (fd < 0)
        return {};
    std::size_t written = 0;
    bool flushed = io::writeAt(fd, journalText(journal), 0, written) && ::fsync(fd) == 0;
    int error = errno;
    flushed = ::close(fd) == 0 && flushed;
    flushed = flushed && io::syncFolder(folder);
    if (!flushed) {
        error = errno == 0 ? error : errno;
        ::unlink(path.c_str());
        errno = error;
        return {};
    }
    return path;
}

std::vector<std::string> journalFiles()
{
    const std::string folder = journalFolder();
    DIR* dir = folder.empty() ? nullptr : ::opendir(folder.c_str());
    if (dir == nullptr)
        return {};
    std::vector<FoundJournal> found;
    constexpr std::uint64_t kNanoseconds = 1'000'000'000;
    const int dirFd = ::dirfd(dir);
    while (const dirent* entry = ::readdir(dir)) {
        struct stat info { };
        if (isJournalName(entry->d_name) && ::fstatat(dirFd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0
            && S_ISREG(info.st_mode) && info.st_uid == ::geteuid())
            found.push_back({ folder + "/" + entry->d_name,
                static_cast<std::uint64_t>(info.st_mtim.tv_sec) * kNanoseconds
                    + static_cast<std::uint64_t>(info.st_mtim.tv_nsec) });
    }
    ::closedir(dir);
    return oldestFirst(std::move(found));
}

bool removeJournal(const std::string& journalPath)
{
    if (::unlink(journalPath.c_str()) != 0)
        return false;
    io::syncFolder(io::folderOf(journalPath)); // best effort: a journal that comes back is judged again
    return true;
}

std::string setJournalAside(const std::string& journalPath)
{
    const std::string aside = asideNameOf(journalPath);
    if (aside.empty())
        return {};
    // link and unlink rather than rename: a file of that name already there is never replaced.
    if (::link(journalPath.c_str(), aside.c_str()) != 0)
        return {};
    ::unlink(journalPath.c_str());
    io::syncFolder(io::folderOf(journalPath));
    return aside;
}

} // namespace platform
