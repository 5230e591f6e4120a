// The POSIX calls of a durable save (FileReplaceCalls.h), and the error numbers it tells apart.
#include "files/FileReplace.h"
#include "files/FileReplaceCalls.h"
#include "files/PosixIo.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace calls {

int lastError()
{
    return errno;
}

std::string systemText(int error)
{
    return std::strerror(error);
}

int checkTarget(const std::string& target, TargetFile& file)
{
    struct stat old { };
    file.exists = ::stat(target.c_str(), &old) == 0;
    if (!file.exists)
        return 0;
    file.mode = old.st_mode;
    file.owner = old.st_uid;
    file.group = old.st_gid;
    if (!S_ISREG(old.st_mode))
        return S_ISDIR(old.st_mode) ? EISDIR : EINVAL;
    if ((old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return EROFS;
    return ::access(target.c_str(), W_OK) == 0 ? 0 : errno;
}

OpenFile createTemporary(const std::string& folder, const std::string& prefix, std::string& temporary)
{
    temporary = folder + "/" + prefix + "XXXXXX";
    return ::mkostemp(temporary.data(), O_CLOEXEC);
}

// Only root may give a file to another user, so another user's file may keep just its group.
bool keepOwners(OpenFile file, const TargetFile& target)
{
    const auto fd = static_cast<int>(file);
    return ::fchown(fd, target.owner, target.group) == 0 || ::fchown(fd, static_cast<uid_t>(-1), target.group) == 0;
}

// fchown clears the set-id bits, so the mode is set after it.
bool keepMode(OpenFile file, const TargetFile& target)
{
    mode_t mode = static_cast<mode_t>(target.mode & 07777);
    if (!target.exists) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = static_cast<mode_t>(0666 & ~mask);
    }
    return ::fchmod(static_cast<int>(file), mode) == 0;
}

bool replaceWith(const std::string& temporary, const std::string& target)
{
    if (::rename(temporary.c_str(), target.c_str()) != 0)
        return false;
    io::syncFolder(io::folderOf(target)); // best effort: the rename is already done
    return true;
}

OpenFile openForRewrite(const std::string& target)
{
    return ::open(target.c_str(), O_RDWR | O_CLOEXEC);
}

bool identityOf(OpenFile file, std::uint64_t& device, std::uint64_t& inode)
{
    struct stat identity { };
    if (::fstat(static_cast<int>(file), &identity) != 0)
        return false;
    device = static_cast<std::uint64_t>(identity.st_dev);
    inode = static_cast<std::uint64_t>(identity.st_ino);
    return true;
}

bool readToEnd(OpenFile file, std::string& bytes)
{
    return io::readToEnd(static_cast<int>(file), bytes);
}

bool writeFromStart(OpenFile file, std::string_view bytes, std::size_t& written)
{
    return io::writeAt(static_cast<int>(file), bytes, 0, written);
}

int reserve(OpenFile file, std::size_t size)
{
    int error = 0;
    do
        error = ::posix_fallocate(static_cast<int>(file), 0, static_cast<off_t>(size));
    while (error == EINTR);
    return error;
}

bool resize(OpenFile file, std::size_t size)
{
    return ::ftruncate(static_cast<int>(file), static_cast<off_t>(size)) == 0;
}

bool flush(OpenFile file)
{
    return ::fsync(static_cast<int>(file)) == 0;
}

bool close(OpenFile file)
{
    return ::close(static_cast<int>(file)) == 0;
}

void remove(const std::string& path)
{
    ::unlink(path.c_str());
}

std::string folderOf(const std::string& path)
{
    return io::folderOf(path);
}

std::string baseNameOf(const std::string& path)
{
    return io::baseNameOf(path);
}

void removeOwnFiles(const std::string& folder, const std::function<bool(std::string_view name)>& isLeftOver)
{
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr)
        return;
    const int dirFd = ::dirfd(dir);
    while (const dirent* entry = ::readdir(dir)) {
        struct stat info { };
        if (isLeftOver(entry->d_name) && ::fstatat(dirFd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0
            && S_ISREG(info.st_mode) && info.st_uid == ::geteuid())
            ::unlinkat(dirFd, entry->d_name, 0);
    }
    ::closedir(dir);
}

} // namespace calls

SaveRoute routeWithoutTemporary(int error)
{
    return error == EACCES || error == EPERM || error == EROFS ? SaveRoute::InPlace : SaveRoute::Refuse;
}

bool reservationLetsWrite(int error)
{
    return error == 0 || error == EOPNOTSUPP || error == EINVAL;
}

SaveFailure failureOf(int error)
{
    switch (error) {
    case ENOSPC:
        return SaveFailure::noSpace;
    case EDQUOT:
        return SaveFailure::overQuota;
    case EROFS:
        return SaveFailure::readOnly;
    case EACCES:
    case EPERM:
        return SaveFailure::noPermission;
    case EFBIG:
        return SaveFailure::tooLarge;
    default:
        return SaveFailure::other;
    }
}

std::string untrustedLinkOf(const std::string& path)
{
    constexpr int kMostLinks = 40; // as the kernel allows on one path
    std::string current = path;
    for (int hop = 0; hop < kMostLinks; ++hop) {
        struct stat link { };
        if (::lstat(current.c_str(), &link) != 0 || !S_ISLNK(link.st_mode))
            return {};
        const std::string folder = io::folderOf(current);
        struct stat holder { };
        if (::stat(folder.c_str(), &holder) != 0)
            return current;
        const bool othersMayWrite
            = (holder.st_mode & S_IWOTH) != 0 || ((holder.st_mode & S_IWGRP) != 0 && holder.st_gid != ::getegid());
        if (link.st_uid != ::geteuid() || othersMayWrite)
            return current;
        std::string leadsTo(PATH_MAX, '\0');
        const ssize_t length = ::readlink(current.c_str(), leadsTo.data(), leadsTo.size());
        if (length < 0)
            return {};
        leadsTo.resize(static_cast<std::size_t>(length));
        current = leadsTo.starts_with('/') ? leadsTo : folder + "/" + leadsTo;
    }
    return {};
}

std::string saveTarget(const std::string& path)
{
    // Follows symlinks so the link itself stays a link.
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) != nullptr)
        return resolved;
    return path;
}

} // namespace platform
