// profile.dat in memory: its lines in file order, with key lookup and replacement.
// Bytes only (Windows-1250 text is never converted here), so the planner can share it.
#pragma once

#include "files/FileReplace.h"
#include "files/RegularFile.h"
#include "profile/KeyIndex.h"
#include "profile/ProfileKeys.h"

#include <deque>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

using keys::kMissingValue;

// The store's failures as data; the window and the planner put them into their own words.
// A file name is as profile.dat holds it (Windows-1250 bytes).
class ProfileOpenError : public std::runtime_error {
public:
    explicit ProfileOpenError(
        const std::string& fileName, platform::RegularRead cause = platform::RegularRead::Missing);
    const std::string& fileName() const { return fileName_; }
    // Missing or Unreadable, or why a file that is there is not read: NotRegular, TooLarge.
    platform::RegularRead cause() const { return cause_; }

private:
    std::string fileName_;
    platform::RegularRead cause_;
};

// The largest profile.dat read: settings take kilobytes; a file far beyond that is no settings
// file, and reading it whole would take the memory of the machine.
inline constexpr std::size_t kProfileSizeLimit = std::size_t { 64 } << 20;

// What the file layer reported: the cause, the system's error code and words, and the journal
// kept when the file may hold neither version (its path as the file system gives it).
class ProfileSaveError : public std::runtime_error {
public:
    ProfileSaveError(const std::string& fileName, platform::ReplaceResult failure);
    const std::string& fileName() const { return fileName_; }
    const platform::ReplaceResult& failure() const { return failure_; }

private:
    std::string fileName_;
    platform::ReplaceResult failure_;
};

class TProfile {
public:
    // Reads the whole file; throws ProfileOpenError when it cannot be read.
    explicit TProfile(std::string fileName);
    // A profile over text already in memory, saved to fileName.
    TProfile(std::string fileName, std::string_view text);
    // The lines point into the profile's own texts: a copy would point into the original's.
    TProfile(const TProfile&) = delete;
    TProfile& operator=(const TProfile&) = delete;
    TProfile(TProfile&&) = default;
    TProfile& operator=(TProfile&&) = default;
    ~TProfile() = default;

    // The index of the key's first key line (after the line `after`), -1 for none.
    int Find(std::string_view key) const;
    int FindFrom(std::string_view key, int after) const;

    // The key's first value, "0" without one; the cursor then stands on its line.
    std::string GetValue(std::string_view key);
    // The value of the cursor key's next line, "0" after the last one.
    std::string GetNext();
    // Whether the key's first value is "y" or "Y".
    bool GetBool(std::string_view key);
    // The comment block above the cursor's line, one line each, without the "#".
    std::string GetComment() const;

    // The same lookups without moving the cursor, for readers that keep no place in the file.
    std::string ValueOf(std::string_view key) const;
    bool FlagOf(std::string_view key) const;

    // Replaces the key's first line by "key value", or appends one.
    void SetValue(std::string_view key, std::string_view value);
    // Replaces every line of the key by one line per entry (blank entries skipped), as a block
    // where the last of them stood, or at the end.
    void SetValues(std::string_view key, const std::vector<std::string>& list);

    // The dive profile lines in file order; the cursor then stands on the first of them (-1
    // for none), so GetComment gives its hint.
    std::vector<std::string> GetProfileLines();
    // Replaces every profile line by block, where the last of them stood, or at the end.
    void SetProfileLines(std::vector<std::string> block);

    // The indexes of every key line of the key, ascending.
    std::vector<std::size_t> KeyLines(std::string_view key) const;

    // Writes every line followed by CR LF, then the bytes after a NUL, and returns what it
    // wrote. Throws ProfileSaveError; the old bytes then stay in the file or in the journal it
    // names.
    std::string Save() const;

    // A copy of the lines, for readers that walk the whole file.
    std::vector<std::string> Lines() const { return { lines.begin(), lines.end() }; }
    int LastIndex() const { return lastIndex; }

private:
    // Takes the bytes read as its first text and splits them.
    void readText(std::string text);
    // Adds a line's text where no later edit moves it; returns the line.
    std::string_view keep(std::string line);
    // Copies the lines into one text once the texts outnumber them by more than a few saves.
    void dropReplacedTexts();
    // Every line followed by CR LF, then the bytes after a NUL.
    std::string bytesToWrite() const;

    std::string currentKey;
    int lastIndex = -1;
    // The bytes the lines point into: the file as read, then every line written since. A deque
    // never moves its strings as more are added, so the views stay valid; a string of its own
    // for every line read was most of the cost of loading a long file.
    std::deque<std::string> texts;
    std::vector<std::string_view> lines;
    std::string fileName;
    // The file's bytes from its first NUL to its end: never read as lines, but written back
    // unchanged so a stray NUL cannot delete the rest of the file.
    std::string_view afterNul;
    // Kept in step with every edit of the lines; lookups build it when they first need it.
    mutable KeyIndex index;
};
