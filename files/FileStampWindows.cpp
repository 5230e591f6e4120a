#include "files/FileStamp.h"

#include "files/WindowsIo.h"

namespace platform {
namespace {

// FILETIME counts 100 ns ticks from 1601; the stamp counts from 1970 like the POSIX one.
constexpr std::int64_t kTicksFrom1601To1970 = 116444736000000000;
constexpr std::int64_t kTicksPerSecond = 10000000;

} // namespace

FileStamp stampOf(const std::string& path)
{
    const HANDLE file = ::CreateFileW(win::wide(path).c_str(), FILE_READ_ATTRIBUTES,
        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
        nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return {};
    BY_HANDLE_FILE_INFORMATION info {};
    const bool known = ::GetFileInformationByHandle(file, &info) != 0;
    ::CloseHandle(file);
    if (!known)
        return {};
    const std::int64_t ticks = static_cast<std::int64_t>((std::uint64_t { info.ftLastWriteTime.dwHighDateTime } << 32)
                                   | info.ftLastWriteTime.dwLowDateTime)
        - kTicksFrom1601To1970;
    const std::int64_t size
        = static_cast<std::int64_t>((std::uint64_t { info.nFileSizeHigh } << 32) | info.nFileSizeLow);
    return { true, info.dwVolumeSerialNumber, (std::uint64_t { info.nFileIndexHigh } << 32) | info.nFileIndexLow, size,
        ticks / kTicksPerSecond, (ticks % kTicksPerSecond) * 100 };
}

} // namespace platform
