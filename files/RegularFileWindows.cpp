#include "files/RegularFile.h"

#include "files/WindowsIo.h"

namespace platform {

RegularFileContents readRegularFile(const std::string& path, std::size_t limit)
{
    RegularFileContents contents;
    // Without FILE_FLAG_BACKUP_SEMANTICS a folder cannot be opened; a pipe or a device is told
    // by its type on the opened handle, before anything is read from it.
    const HANDLE file = ::CreateFileW(win::wide(path).c_str(), GENERIC_READ,
        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        const DWORD attributes = ::GetFileAttributesW(win::wide(path).c_str());
        const bool folder = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        contents.status = missing ? RegularRead::Missing : folder ? RegularRead::NotRegular : RegularRead::Unreadable;
        return contents;
    }
    LARGE_INTEGER size {};
    if (::GetFileType(file) != FILE_TYPE_DISK)
        contents.status = RegularRead::NotRegular;
    else if (::GetFileSizeEx(file, &size) && static_cast<unsigned long long>(size.QuadPart) > limit)
        contents.status = RegularRead::TooLarge;
    else if (!win::readToEnd(file, contents.bytes))
        contents.status = RegularRead::Unreadable;
    else
        contents.status = contents.bytes.size() > limit ? RegularRead::TooLarge : RegularRead::Read;
    ::CloseHandle(file);
    if (contents.status != RegularRead::Read)
        contents.bytes.clear();
    return contents;
}

} // namespace platform
