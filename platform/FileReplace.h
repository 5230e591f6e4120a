// Durable replacement of a whole file: the old contents survive any failure.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// Writes bytes to path so that a crash or a full disk never leaves a half-written file:
// a temporary beside the target is flushed and renamed over it, keeping its permission
// bits; a symlink is written through. A target that is read-only (no write bit, as the
// read-only attribute elsewhere) or a directory is refused. When the folder does not
// allow a temporary but the file itself is writable, the file is rewritten in place.
// Returns false when nothing could be written; the old file is then unchanged.
bool replaceFileContents(const std::string& path, std::string_view bytes);

// Reads the whole file; false when it cannot be opened or read.
bool readFileContents(const std::string& path, std::string& bytes);

} // namespace platform
