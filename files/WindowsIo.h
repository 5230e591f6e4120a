// Small helpers over the Windows API for the file layer: UTF-8 paths to the wide calls, whole
// reads and writes through handles, a file's identity, unique names and the system's text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <windows.h>

namespace platform::win {

// The file layer's paths are UTF-8 on every system (names from profile.dat converted from
// Windows-1250 by FileNames.h); the Windows calls take them as UTF-16.
std::wstring wide(std::string_view utf8);
std::string utf8(std::wstring_view text);

// Writes all bytes at the current position, going on after short writes; written counts what
// reached the file, also when it fails.
bool writeAll(HANDLE file, std::string_view bytes, std::size_t& written);

// Reads from the current position to the end of the file.
bool readToEnd(HANDLE file, std::string& bytes);

bool seekTo(HANDLE file, std::uint64_t offset);

// Cuts or extends the file to size (the position ends there).
bool resize(HANDLE file, std::uint64_t size);

// What stands for a device and an inode: the volume's serial number and the file index.
struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
};
bool identityOf(HANDLE file, FileIdentity& identity);

// Six letters and digits, new at every call, for names that must not exist yet.
std::string uniqueLetters();

// The system's own words for an error code.
std::string systemText(DWORD error);

std::string folderOf(const std::string& path);
std::string baseNameOf(const std::string& path);

} // namespace platform::win
