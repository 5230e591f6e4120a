#include "files/SaveJournal.h"
#include "files/WindowsIo.h"

#include <algorithm>

namespace platform {
namespace {

// %LOCALAPPDATA%\trova: inside the user's own profile, which Windows closes to other users, and
// never roamed to another machine with the profile.
std::string journalFolder()
{
    wchar_t local[MAX_PATH];
    const DWORD length = ::GetEnvironmentVariableW(L"LOCALAPPDATA", local, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        ::SetLastError(ERROR_PATH_NOT_FOUND);
        return {};
    }
    const std::string folder = win::utf8({ local, length }) + "\\trova";
    if (!::CreateDirectoryW(win::wide(folder).c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS)
        return {};
    const DWORD attributes = ::GetFileAttributesW(win::wide(folder).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0
        || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        ::SetLastError(ERROR_ACCESS_DENIED);
        return {};
    }
    return folder;
}

} // namespace

std::string writeJournal(const SaveJournal& journal)
{
    const std::string folder = journalFolder();
    if (folder.empty())
        return {};
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string path
            = folder + "\\" + win::baseNameOf(journal.path) + "." + win::uniqueLetters() + std::string(kJournalEnd);
        const HANDLE file = ::CreateFileW(
            win::wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            if (::GetLastError() == ERROR_FILE_EXISTS)
                continue;
            return {};
        }
        std::size_t written = 0;
        bool flushed = win::writeAll(file, journalText(journal), written) && ::FlushFileBuffers(file) != 0;
        const DWORD error = ::GetLastError();
        flushed = ::CloseHandle(file) != 0 && flushed;
        if (flushed)
            return path;
        ::DeleteFileW(win::wide(path).c_str());
        ::SetLastError(error);
        return {};
    }
    return {};
}

std::vector<std::string> journalFiles()
{
    const std::string folder = journalFolder();
    if (folder.empty())
        return {};
    WIN32_FIND_DATAW found {};
    const HANDLE search = ::FindFirstFileW(win::wide(folder + "\\*" + std::string(kJournalEnd)).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return {};
    std::vector<FoundJournal> journals;
    do {
        const std::string name = win::utf8(found.cFileName);
        if ((found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0
            && isJournalName(name))
            journals.push_back({ folder + "\\" + name,
                (std::uint64_t { found.ftLastWriteTime.dwHighDateTime } << 32) | found.ftLastWriteTime.dwLowDateTime });
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    return oldestFirst(std::move(journals));
}

bool removeJournal(const std::string& journalPath)
{
    return ::DeleteFileW(win::wide(journalPath).c_str()) != 0;
}

std::string setJournalAside(const std::string& journalPath)
{
    const std::string aside = asideNameOf(journalPath);
    if (aside.empty())
        return {};
    // Without MOVEFILE_REPLACE_EXISTING: a file of that name already there is never replaced.
    if (!::MoveFileExW(win::wide(journalPath).c_str(), win::wide(aside).c_str(), MOVEFILE_WRITE_THROUGH))
        return {};
    return aside;
}

} // namespace platform
