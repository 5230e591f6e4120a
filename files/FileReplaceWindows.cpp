#include "files/FileReplace.h"

#include "files/SaveJournal.h"
#include "files/WindowsIo.h"

#include <algorithm>

namespace platform {
namespace {

constexpr std::string_view kTemporaryMark = ".trova-";
constexpr std::size_t kUniqueLength = 6;
constexpr int kDiskQuotaExceeded = 1295; // ERROR_DISK_QUOTA_EXCEEDED, missing from MinGW's headers
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

ReplaceResult failed(DWORD error)
{
    return { false, failureOf(static_cast<int>(error)), win::systemText(error), {} };
}

ReplaceResult succeeded()
{
    return { true, SaveFailure::none, {}, {} };
}

std::string temporaryPrefix(const std::string& target)
{
    // Appended in turn: GCC 12 warns falsely (-Wrestrict) about "." + std::string.
    std::string prefix = ".";
    return prefix.append(win::baseNameOf(target)).append(kTemporaryMark);
}

bool isLeftTemporary(std::string_view name, const std::string& prefix)
{
    if (name.size() != prefix.size() + kUniqueLength || name.substr(0, prefix.size()) != prefix)
        return false;
    return std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(),
        [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); });
}

// A save killed between creating its temporary and the rename leaves the temporary behind;
// only regular files of exactly that name pattern go. A failure to remove one is no failure
// of the save.
void removeLeftTemporaries(const std::string& folder, const std::string& prefix)
{
    WIN32_FIND_DATAW found {};
    const HANDLE search = ::FindFirstFileW(win::wide(folder + "\\" + prefix + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::string name = win::utf8(found.cFileName);
        if ((found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0
            && isLeftTemporary(name, prefix))
            ::DeleteFileW(win::wide(folder + "\\" + name).c_str());
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
}

// A new file beside the target that no other save can have opened: CREATE_NEW fails on an
// existing name, so a taken name is tried again with other letters.
HANDLE createTemporary(const std::string& folder, const std::string& prefix, std::string& temporary)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = folder + "\\" + prefix + win::uniqueLetters();
        const HANDLE file = ::CreateFileW(
            win::wide(temporary).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_FILE_EXISTS)
            return file;
    }
    return INVALID_HANDLE_VALUE;
}

// Puts the old bytes back over what a failed write may have changed.
bool restore(HANDLE file, std::string_view old, std::size_t overwritten)
{
    std::size_t written = 0;
    return win::seekTo(file, 0) && win::writeAll(file, old.substr(0, overwritten), written)
        && win::resize(file, old.size()) && ::FlushFileBuffers(file) != 0;
}

// Extending the file to its new length first claims the space, so a full disk refuses the
// save before a byte of the old contents is overwritten.
DWORD reserve(HANDLE file, std::size_t size)
{
    return win::resize(file, size) ? 0 : ::GetLastError();
}

// The file is changed where it stands, so a flushed journal of the save comes first: whatever
// happens during the rewrite, the next start can tell a cut save and undo it. The journal goes
// when the file holds the new or the old bytes again.
ReplaceResult rewriteInPlace(const std::string& target, std::string_view bytes)
{
    const HANDLE file = ::CreateFileW(win::wide(target).c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return failed(::GetLastError());
    std::string old;
    win::FileIdentity identity;
    std::string journal;
    if (win::identityOf(file, identity) && win::readToEnd(file, old))
        journal = writeJournal({ target, identity.volume, identity.index, old, std::string(bytes) });
    if (journal.empty()) {
        const DWORD error = ::GetLastError();
        ::CloseHandle(file);
        return failed(error);
    }

    std::size_t written = 0;
    DWORD error = bytes.size() <= old.size() ? 0 : reserve(file, bytes.size());
    bool done = reservationLetsWrite(static_cast<int>(error));
    if (done) {
        done = win::seekTo(file, 0) && win::writeAll(file, bytes, written) && win::resize(file, bytes.size())
            && ::FlushFileBuffers(file) != 0;
        error = ::GetLastError();
    }
    ReplaceResult result = done ? succeeded() : failed(error);
    if (done || restore(file, old, std::min(written, old.size())))
        removeJournal(journal);
    else
        result.keptJournal = journal;
    ::CloseHandle(file);
    return result;
}

ReplaceResult replaceThroughTemporary(
    HANDLE file, const std::string& temporary, const std::string& target, std::string_view bytes)
{
    std::size_t written = 0;
    bool flushed = win::writeAll(file, bytes, written) && ::FlushFileBuffers(file) != 0;
    DWORD error = ::GetLastError();
    flushed = ::CloseHandle(file) != 0 && flushed;
    // Write-through: the call returns once the new name is on the disk.
    if (flushed
        && !::MoveFileExW(win::wide(temporary).c_str(), win::wide(target).c_str(),
            MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        error = ::GetLastError();
        flushed = false;
    }
    if (!flushed) {
        ::DeleteFileW(win::wide(temporary).c_str());
        return failed(error);
    }
    return succeeded();
}

// Whether the file may be written at all: a read-only attribute, a folder, a file the user
// may not write or another program holds shut are refused before anything is made.
DWORD refusalOf(const std::string& target, DWORD attributes)
{
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return ERROR_DIRECTORY;
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0)
        return ERROR_FILE_READ_ONLY;
    const HANDLE file
        = ::CreateFileW(win::wide(target).c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return ::GetLastError();
    ::CloseHandle(file);
    return 0;
}

} // namespace

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

ReplaceResult replaceFileContents(const std::string& path, std::string_view bytes)
{
    const std::string target = saveTarget(path);
    const DWORD attributes = ::GetFileAttributesW(win::wide(target).c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists) {
        if (const DWORD refusal = refusalOf(target, attributes); refusal != 0)
            return failed(refusal);
    }

    const std::string folder = win::folderOf(target);
    const std::string prefix = temporaryPrefix(target);
    std::string temporary;
    const HANDLE file = createTemporary(folder, prefix, temporary);
    ReplaceResult result;
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        if (!exists || routeWithoutTemporary(static_cast<int>(error)) == SaveRoute::Refuse)
            return failed(error);
        result = rewriteInPlace(target, bytes);
    } else {
        result = replaceThroughTemporary(file, temporary, target, bytes);
    }
    if (result)
        removeLeftTemporaries(folder, prefix);
    return result;
}

bool readFileContents(const std::string& path, std::string& bytes)
{
    const HANDLE file = ::CreateFileW(
        win::wide(path).c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const bool read = win::readToEnd(file, bytes);
    ::CloseHandle(file);
    return read;
}

} // namespace platform
