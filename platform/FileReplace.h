// Durable replacement of a whole file: the old contents survive any failure.
#pragma once

#include <string>
#include <string_view>

namespace platform {

struct ReplaceResult {
    bool written = false;
    // Set when the save failed and the file may hold neither the old nor the new bytes: the
    // old bytes are in this copy.
    std::string keptBackup;

    explicit operator bool() const { return written; }
};

// Writes bytes to path so that a crash or a full disk never leaves a half-written file:
// a temporary ".NAME.trova-XXXXXX" beside the target is flushed and renamed over it, keeping
// its permission bits, owner and group; a symlink is written through. A target that is
// read-only (no write bit, as the read-only attribute elsewhere) or a directory is refused.
// Only when the folder refuses a new file, or a new one could not keep the group, is the
// file rewritten in place, after a flushed copy of the old bytes went to the backup folder.
// Temporaries of earlier killed saves are removed after a successful one.
ReplaceResult replaceFileContents(const std::string& path, std::string_view bytes);

// Reads the whole file; false when it cannot be opened or read.
bool readFileContents(const std::string& path, std::string& bytes);

enum class SaveRoute { InPlace, Refuse };

// What a save does when the temporary could not be created: only a folder that refuses new
// files lets the file be rewritten in place; a full disk, a quota or any other error would
// leave a stump, so the save is refused.
SaveRoute routeWithoutTemporary(int error);

// Whether an in-place write may begin after posix_fallocate returned error (0 = reserved):
// a file system that cannot reserve is written anyway, a lack of space refuses the save.
bool reservationLetsWrite(int error);

} // namespace platform
