#include "platform/PosixIo.h"
#include "platform/SaveJournal.h"

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
constexpr std::string_view kJournalEnd = ".journal";
constexpr std::string_view kAsideEnd = ".kept";

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

bool endsWith(std::string_view name, std::string_view end)
{
    return name.size() > end.size() && name.substr(name.size() - end.size()) == end;
}

struct FoundJournal {
    std::string path;
    struct timespec modified;
};

bool olderFirst(const FoundJournal& a, const FoundJournal& b)
{
    if (a.modified.tv_sec != b.modified.tv_sec)
        return a.modified.tv_sec < b.modified.tv_sec;
    if (a.modified.tv_nsec != b.modified.tv_nsec)
        return a.modified.tv_nsec < b.modified.tv_nsec;
    return a.path < b.path;
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
    const int dirFd = ::dirfd(dir);
    while (const dirent* entry = ::readdir(dir)) {
        struct stat info { };
        if (endsWith(entry->d_name, kJournalEnd) && ::fstatat(dirFd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0
            && S_ISREG(info.st_mode) && info.st_uid == ::geteuid())
            found.push_back({ folder + "/" + entry->d_name, info.st_mtim });
    }
    ::closedir(dir);
    std::sort(found.begin(), found.end(), olderFirst);
    std::vector<std::string> paths;
    for (const FoundJournal& journal : found)
        paths.push_back(journal.path);
    return paths;
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
    if (!endsWith(journalPath, kJournalEnd))
        return {};
    const std::string aside = journalPath.substr(0, journalPath.size() - kJournalEnd.size()) + std::string(kAsideEnd);
    // link and unlink rather than rename: a file of that name already there is never replaced.
    if (::link(journalPath.c_str(), aside.c_str()) != 0)
        return {};
    ::unlink(journalPath.c_str());
    io::syncFolder(io::folderOf(journalPath));
    return aside;
}

} // namespace platform
