// The Windows calls of a durable save (FileReplaceCalls.h), and the error codes it tells apart.
#include "files/FileReplace.h"
#include "files/FileReplaceCalls.h"
#include "files/WindowsIo.h"

namespace platform {
namespace {

constexpr int kDiskQuotaExceeded = 1295; // ERROR_DISK_QUOTA_EXCEEDED, missing from MinGW's headers
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

HANDLE handleOf(calls::OpenFile file)
{
    return reinterpret_cast<HANDLE>(file);
}

calls::OpenFile fileOf(HANDLE handle)
{
    return reinterpret_cast<calls::OpenFile>(handle);
}

HANDLE open(const std::string& path, DWORD access, DWORD share)
{
    return ::CreateFileW(
        win::wide(path).c_str(), access, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

} // namespace

namespace calls {

int lastError()
{
    return static_cast<int>(::GetLastError());
}

std::string systemText(int error)
{
    return win::systemText(static_cast<DWORD>(error));
}

int checkTarget(const std::string& target, TargetFile& file)
{
    const DWORD attributes = ::GetFileAttributesW(win::wide(target).c_str());
    file.exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (!file.exists)
        return 0;
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return ERROR_DIRECTORY;
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0)
        return ERROR_FILE_READ_ONLY;
    const HANDLE handle
        = ::CreateFileW(win::wide(target).c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return lastError();
    ::CloseHandle(handle);
    return 0;
}

// CREATE_NEW fails on an existing name, so a taken name is tried again with other letters.
OpenFile createTemporary(const std::string& folder, const std::string& prefix, std::string& temporary)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = folder + "\\" + prefix + win::uniqueLetters();
        const HANDLE handle = ::CreateFileW(
            win::wide(temporary).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_FILE_EXISTS)
            return fileOf(handle);
    }
    return kNoFile;
}

// A new file has the folder's permissions, as the replaced one had.
bool keepOwners(OpenFile, const TargetFile&)
{
    return true;
}

bool keepMode(OpenFile, const TargetFile&)
{
    return true;
}

// Write-through: the call returns once the new name is on the disk.
bool replaceWith(const std::string& temporary, const std::string& target)
{
    return ::MoveFileExW(win::wide(temporary).c_str(), win::wide(target).c_str(),
               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
        != 0;
}

OpenFile openForRewrite(const std::string& target)
{
    return fileOf(open(target, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ));
}

bool identityOf(OpenFile file, std::uint64_t& device, std::uint64_t& inode)
{
    win::FileIdentity identity;
    if (!win::identityOf(handleOf(file), identity))
        return false;
    device = identity.volume;
    inode = identity.index;
    return true;
}

bool readToEnd(OpenFile file, std::string& bytes)
{
    return win::readToEnd(handleOf(file), bytes);
}

bool writeFromStart(OpenFile file, std::string_view bytes, std::size_t& written)
{
    written = 0;
    return win::seekTo(handleOf(file), 0) && win::writeAll(handleOf(file), bytes, written);
}

// Extending the file to its new length first claims the space, so a full disk refuses the
// save before a byte of the old contents is overwritten.
int reserve(OpenFile file, std::size_t size)
{
    return win::resize(handleOf(file), size) ? 0 : lastError();
}

bool resize(OpenFile file, std::size_t size)
{
    return win::resize(handleOf(file), size);
}

bool flush(OpenFile file)
{
    return ::FlushFileBuffers(handleOf(file)) != 0;
}

bool close(OpenFile file)
{
    return ::CloseHandle(handleOf(file)) != 0;
}

void remove(const std::string& path)
{
    ::DeleteFileW(win::wide(path).c_str());
}

std::string folderOf(const std::string& path)
{
    return win::folderOf(path);
}

std::string baseNameOf(const std::string& path)
{
    return win::baseNameOf(path);
}

// Files only: neither folders nor links.
void removeOwnFiles(const std::string& folder, const std::function<bool(std::string_view name)>& isLeftOver)
{
    WIN32_FIND_DATAW found {};
    const HANDLE search = ::FindFirstFileW(win::wide(folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::string name = win::utf8(found.cFileName);
        if ((found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0
            && isLeftOver(name))
            ::DeleteFileW(win::wide(folder + "\\" + name).c_str());
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
}

} // namespace calls

SaveRoute routeWithoutTemporary(int error)
{
    return error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT ? SaveRoute::InPlace : SaveRoute::Refuse;
}

bool reservationLetsWrite(int error)
{
    return error == 0 || error == ERROR_INVALID_FUNCTION || error == ERROR_NOT_SUPPORTED;
}

SaveFailure failureOf(int error)
{
    switch (error) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return SaveFailure::noSpace;
    case ERROR_NOT_ENOUGH_QUOTA:
    case kDiskQuotaExceeded:
        return SaveFailure::overQuota;
    case ERROR_WRITE_PROTECT:
    case ERROR_FILE_READ_ONLY:
        return SaveFailure::readOnly;
    case ERROR_ACCESS_DENIED:
        return SaveFailure::noPermission;
    case ERROR_FILE_TOO_LARGE:
        return SaveFailure::tooLarge;
    default:
        return SaveFailure::other;
    }
}

// Links on Windows need a privilege that other users do not have over the writer's folders.
std::string untrustedLinkOf(const std::string&)
{
    return {};
}

std::string saveTarget(const std::string& path)
{
    const std::wstring name = win::wide(path);
    // The file a link or junction leads to, so the link itself stays a link.
    const HANDLE file
        = ::CreateFileW(name.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        std::wstring final(MAX_PATH, L'\0');
        DWORD length = ::GetFinalPathNameByHandleW(file, final.data(), static_cast<DWORD>(final.size()), 0);
        if (length >= final.size()) {
            final.resize(length);
            length = ::GetFinalPathNameByHandleW(file, final.data(), static_cast<DWORD>(final.size()), 0);
        }
        ::CloseHandle(file);
        if (length > 0 && length < final.size()) {
            final.resize(length);
            if (final.rfind(L"\\\\?\\UNC\\", 0) == 0)
                return "\\\\" + win::utf8(std::wstring_view(final).substr(8));
            if (final.rfind(L"\\\\?\\", 0) == 0)
                return win::utf8(std::wstring_view(final).substr(4));
            return win::utf8(final);
        }
    }
    std::wstring full(MAX_PATH, L'\0');
    DWORD length = ::GetFullPathNameW(name.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length >= full.size()) {
        full.resize(length);
        length = ::GetFullPathNameW(name.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    }
    if (length == 0 || length >= full.size())
        return path;
    full.resize(length);
    return win::utf8(full);
}

} // namespace platform
