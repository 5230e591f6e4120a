#include "files/FileReplace.h"

#include "files/PosixIo.h"
#include "files/SaveJournal.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

constexpr std::string_view kTemporaryMark = ".trova-";
constexpr std::size_t kUniqueLength = 6; // the XXXXXX that mkstemp fills

ReplaceResult failed(int error)
{
    return { false, failureOf(error), std::strerror(error), {} };
}

std::string temporaryPrefix(const std::string& target)
{
    return "." + io::baseNameOf(target) + std::string(kTemporaryMark);
}

mode_t modeForNewFile()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return static_cast<mode_t>(0666 & ~mask);
}

// A new file keeps the old owner and group where the writer may set them. Only root may give
// a file to another user, so another user's file may keep just its group; false when even the
// group would be lost.
bool keepOwnerAndGroup(int fd, const struct stat& old)
{
    return ::fchown(fd, old.st_uid, old.st_gid) == 0 || ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) == 0;
}

bool isLeftTemporary(std::string_view name, const std::string& prefix)
{
    if (name.size() != prefix.size() + kUniqueLength || name.substr(0, prefix.size()) != prefix)
        return false;
    for (const char c : name.substr(prefix.size())) {
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
            return false;
    }
    return true;
}

// A save killed between creating its temporary and the rename leaves the temporary behind.
// Only the writer's own regular files of exactly that name pattern go; a failure to remove
// one is no failure of the save.
void removeLeftTemporaries(const std::string& folder, const std::string& prefix)
{
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr)
        return;
    const int dirFd = ::dirfd(dir);
    while (const dirent* entry = ::readdir(dir)) {
        struct stat info { };
        if (isLeftTemporary(entry->d_name, prefix) && ::fstatat(dirFd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0
            && S_ISREG(info.st_mode) && info.st_uid == ::geteuid())
            ::unlinkat(dirFd, entry->d_name, 0);
    }
    ::closedir(dir);
}

// Puts the old bytes back over what a failed write may have changed.
bool restore(int fd, std::string_view old, std::size_t overwritten)
{
    std::size_t written = 0;
    return io::writeAt(fd, old.substr(0, overwritten), 0, written)
        && ::ftruncate(fd, static_cast<off_t>(old.size())) == 0 && ::fsync(fd) == 0;
}

int reserve(int fd, std::size_t size)
{
    int error = 0;
    do
        error = ::posix_fallocate(fd, 0, static_cast<off_t>(size));
    while (error == EINTR);
    return error;
}

// The file is changed where it stands, so a flushed journal of the save comes first: whatever
// happens during the rewrite, the next start can tell a cut save and undo it. The journal goes
// when the file holds the new or the old bytes again.
ReplaceResult rewriteInPlace(const std::string& target, std::string_view bytes)
{
    const int fd = ::open(target.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return failed(errno);
    std::string old;
    struct stat identity { };
    std::string journal;
    if (::fstat(fd, &identity) == 0 && io::readToEnd(fd, old))
        journal = writeJournal({ target, static_cast<std::uint64_t>(identity.st_dev),
            static_cast<std::uint64_t>(identity.st_ino), old, std::string(bytes) });
    if (journal.empty()) {
        const int error = errno;
        ::close(fd);
        return failed(error);
    }

    std::size_t written = 0;
    int error = bytes.size() <= old.size() ? 0 : reserve(fd, bytes.size());
    bool done = reservationLetsWrite(error);
    if (done) {
        done = io::writeAt(fd, bytes, 0, written) && ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0
            && ::fsync(fd) == 0;
        error = errno;
    }
    ReplaceResult result = done ? ReplaceResult { true, SaveFailure::none, {}, {} } : failed(error);
    if (done || restore(fd, old, std::min(written, old.size())))
        removeJournal(journal);
    else
        result.keptJournal = journal;
    ::close(fd); // fsync has reported any write-back failure
    return result;
}

ReplaceResult replaceThroughTemporary(
    int fd, const std::string& temporary, const std::string& target, mode_t mode, std::string_view bytes)
{
    std::size_t written = 0;
    bool flushed = io::writeAt(fd, bytes, 0, written) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
    int error = errno;
    flushed = (::close(fd) == 0 || !flushed) && flushed;
    if (flushed && ::rename(temporary.c_str(), target.c_str()) != 0)
        flushed = false;
    if (!flushed) {
        error = errno != 0 ? errno : error;
        ::unlink(temporary.c_str());
        return failed(error);
    }
    io::syncFolder(io::folderOf(target)); // best effort: the rename is already done
    return { true, SaveFailure::none, {}, {} };
}

} // namespace

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

std::string saveTarget(const std::string& path)
{
    // Follows symlinks so the link itself stays a link.
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) != nullptr)
        return resolved;
    return path;
}

ReplaceResult replaceFileContents(const std::string& path, std::string_view bytes)
{
    const std::string target = saveTarget(path);
    struct stat old { };
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists) {
        if (!S_ISREG(old.st_mode))
            return failed(S_ISDIR(old.st_mode) ? EISDIR : EINVAL);
        if ((old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
            return failed(EROFS);
        if (::access(target.c_str(), W_OK) != 0)
            return failed(errno);
    }

    const std::string folder = io::folderOf(target);
    const std::string prefix = temporaryPrefix(target);
    std::string temporary = folder + "/" + prefix + "XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    const int error = errno;
    bool inPlace = false;
    if (fd < 0) {
        if (!exists || routeWithoutTemporary(error) == SaveRoute::Refuse)
            return failed(error);
        inPlace = true;
    } else if (exists && !keepOwnerAndGroup(fd, old)) {
        ::close(fd);
        ::unlink(temporary.c_str());
        inPlace = true;
    }

    // fchown clears the set-id bits, so the mode is set after it.
    const mode_t mode = exists ? static_cast<mode_t>(old.st_mode & 07777) : modeForNewFile();
    ReplaceResult result
        = inPlace ? rewriteInPlace(target, bytes) : replaceThroughTemporary(fd, temporary, target, mode, bytes);
    if (result)
        removeLeftTemporaries(folder, prefix);
    return result;
}

bool readFileContents(const std::string& path, std::string& bytes)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return false;
    bytes.clear();
    char buffer[65536];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.append(buffer, got);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    return !failed;
}

} // namespace platform
