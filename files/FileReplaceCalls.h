// The system calls of a durable save (FileReplace.cpp holds its steps once, for every system):
// one file per system implements them, FileReplacePosix.cpp and FileReplaceWindows.cpp.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace platform::calls {

// An open file: a descriptor on POSIX, a handle on Windows; kNoFile when none could be opened.
using OpenFile = std::intptr_t;
inline constexpr OpenFile kNoFile = -1;

// The system's error number (errno, GetLastError) of the call that failed last.
int lastError();
// The system's own words for an error number.
std::string systemText(int error);

// What a save keeps of the file it replaces; the mode and the owners only where they exist.
struct TargetFile {
    bool exists = false;
    std::uint32_t mode = 0;
    std::uint32_t owner = 0;
    std::uint32_t group = 0;
};
// Looks the target up; 0 when it is missing or may be written, else the error that refuses the
// save (a folder, a read-only file, one the user may not write or another program holds shut).
int checkTarget(const std::string& target, TargetFile& file);

// A new file "<prefix><six letters>" in folder that no other save can have opened; its path in
// temporary.
OpenFile createTemporary(const std::string& folder, const std::string& prefix, std::string& temporary);
// Gives the temporary the replaced file's owner and group where the writer may; false when even
// the group would be lost. Then its permission bits (the replaced file's, or new ones).
bool keepOwners(OpenFile file, const TargetFile& target);
bool keepMode(OpenFile file, const TargetFile& target);
// Renames the flushed temporary over the target, so that the new name is on the disk.
bool replaceWith(const std::string& temporary, const std::string& target);

// The target opened to be rewritten where it stands, and its identity (device and inode, on
// Windows the volume and the file index) for the journal.
OpenFile openForRewrite(const std::string& target);
bool identityOf(OpenFile file, std::uint64_t& device, std::uint64_t& inode);

// Reads from the current position to the end: all of a file just opened.
bool readToEnd(OpenFile file, std::string& bytes);
// Writes bytes from the file's start on; written counts what reached the file, also on failure.
bool writeFromStart(OpenFile file, std::string_view bytes, std::size_t& written);
// Claims size bytes for the file before it is overwritten: 0, or the error of the reservation.
int reserve(OpenFile file, std::size_t size);
bool resize(OpenFile file, std::size_t size);
bool flush(OpenFile file);
bool close(OpenFile file);
void remove(const std::string& path);

std::string folderOf(const std::string& path);
std::string baseNameOf(const std::string& path);
// Removes the writer's own regular files in folder whose names isLeftOver accepts.
void removeOwnFiles(const std::string& folder, const std::function<bool(std::string_view name)>& isLeftOver);

} // namespace platform::calls
