#include "files/PosixIo.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace platform::io {

bool writeAt(int fd, std::string_view bytes, off_t offset, std::size_t& written)
{
    written = 0;
    while (written < bytes.size()) {
        const ssize_t done
            = ::pwrite(fd, bytes.data() + written, bytes.size() - written, offset + static_cast<off_t>(written));
        if (done < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        written += static_cast<std::size_t>(done);
    }
    return true;
}

bool readToEnd(int fd, std::string& bytes)
{
    bytes.clear();
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got == 0)
            return true;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
}

bool syncFolder(const std::string& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    // EINVAL: the file system cannot flush a folder; its entries are as safe as they get.
    const bool synced = ::fsync(fd) == 0 || errno == EINVAL;
    ::close(fd);
    return synced;
}

std::string folderOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string baseNameOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace platform::io
