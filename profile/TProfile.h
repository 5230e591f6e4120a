// profile.dat in memory: its lines in file order, with key lookup and replacement.
// Bytes only (Windows-1250 text is never converted here), so the planner can share it.
#pragma once

#include "profile/ProfileKeys.h"

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

using keys::kMissingValue;

class ProfileOpenError : public std::runtime_error {
public:
    explicit ProfileOpenError(const std::string& fileName);
};

class ProfileSaveError : public std::runtime_error {
public:
    // keptBackup names the copy of the old bytes when the file may hold neither version.
    explicit ProfileSaveError(const std::string& fileName, const std::string& keptBackup = {});
};

class TProfile {
public:
    // Reads the whole file; throws ProfileOpenError when it cannot be read.
    explicit TProfile(std::string fileName);
    // A profile over text already in memory, saved to fileName.
    TProfile(std::string fileName, std::string_view text);

    int Find(std::string_view key) const;
    int FindFrom(std::string_view key, int after) const;
    std::string GetValue(std::string_view key);
    std::string GetNext();
    bool GetBool(std::string_view key);
    std::string GetComment() const;
    int SetValue(std::string_view key, std::string_view value);
    int SetValues(std::string_view key, const std::vector<std::string>& list);
    // Writes every line followed by CR LF, then afterNul. Throws ProfileSaveError; the old
    // bytes then stay in the file or in the backup copy it names.
    void Save() const;

    std::string currentKey;
    int lastIndex = -1;
    std::vector<std::string> lines;
    std::string fileName;
    // The file's bytes from its first NUL to its end: never read as lines, but written back
    // unchanged so a stray NUL cannot delete the rest of the file.
    std::string afterNul;
};
