#include "files/RegularFile.h"

#include "files/PosixIo.h"

#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

RegularFileContents readRegularFile(const std::string& path, std::size_t limit)
{
    RegularFileContents contents;
    // O_NONBLOCK: opening a named pipe for reading would otherwise wait for a writer. The type is
    // then judged on the opened descriptor, so a file swapped in between cannot slip through.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        contents.status = errno == ENOENT ? RegularRead::Missing : RegularRead::Unreadable;
        return contents;
    }
    struct stat info { };
    if (::fstat(fd, &info) != 0)
        contents.status = RegularRead::Unreadable;
    else if (!S_ISREG(info.st_mode))
        contents.status = RegularRead::NotRegular;
    else if (static_cast<std::uint64_t>(info.st_size) > limit)
        contents.status = RegularRead::TooLarge;
    else if (!io::readToEnd(fd, contents.bytes))
        contents.status = RegularRead::Unreadable;
    else
        contents.status = contents.bytes.size() > limit ? RegularRead::TooLarge : RegularRead::Read;
    ::close(fd);
    if (contents.status != RegularRead::Read)
        contents.bytes.clear();
    return contents;
}

} // namespace platform
