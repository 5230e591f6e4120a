// Durable replacement of a whole file: the old contents survive any failure.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// Why a save failed, in the terms the user can act on.
enum class SaveFailure { none, noSpace, overQuota, readOnly, noPermission, tooLarge, untrustedLink, other };

struct ReplaceResult {
    bool written = false;
    SaveFailure failure = SaveFailure::none;
    // The system's own words for the failure (strerror), for a cause without a name of its own.
    std::string systemText;
    // Set when the save failed and the file may hold neither the old nor the new bytes: the
    // journal of the save, which the next start offers to undo.
    std::string keptJournal;
    // The system's error code (errno, GetLastError); 0 when the save was written.
    int systemError = 0;
    // For untrustedLink: the symbolic link that the save would have followed.
    std::string link;

    explicit operator bool() const { return written; }
};

// Writes bytes to path so that a crash or a full disk never leaves a half-written file:
// a temporary ".NAME.trova-XXXXXX" beside the target is flushed and renamed over it, keeping
// its permission bits, owner and group; a symlink is written through. A target that is
// read-only (no write bit, as the read-only attribute elsewhere) or a directory is refused.
// Only when the folder refuses a new file, or a new one could not keep the group, is the
// file rewritten in place, after a flushed journal of the save (SaveJournal.h) was written;
// the journal is removed once the file holds the new or the old bytes again.
// Temporaries of earlier killed saves are removed after a successful one.
ReplaceResult replaceFileContents(const std::string& path, std::string_view bytes);

// The first symbolic link on the way from path to its file that belongs to another user or
// stands in a folder other users may write (the kernel's protected-symlinks rule, stricter):
// a link planted there could lead a save to any file the writer may write. Empty when there is
// none. A save refuses to follow such a link (untrustedLink).
std::string untrustedLinkOf(const std::string& path);

// Reads the whole file; false when it cannot be opened or read, or is no regular file (which is
// not opened for reading and waited on).
bool readFileContents(const std::string& path, std::string& bytes);

// The path a save of path writes to: absolute, symlinks followed; a missing file keeps the
// name given.
std::string saveTarget(const std::string& path);

enum class SaveRoute { InPlace, Refuse };

// What a save does when the temporary could not be created: only a folder that refuses new
// files lets the file be rewritten in place; a full disk, a quota or any other error would
// leave a stump, so the save is refused.
SaveRoute routeWithoutTemporary(int error);

// Whether an in-place write may begin after posix_fallocate returned error (0 = reserved):
// a file system that cannot reserve is written anyway, a lack of space refuses the save.
bool reservationLetsWrite(int error);

// The cause of a save that failed with the system's error number error.
SaveFailure failureOf(int error);

} // namespace platform
