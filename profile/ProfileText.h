// The line rules of profile.dat, shared by the store, the planner and the fuzzer.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace profile_text {

// Splits at CR LF, lone CR and lone LF; a NUL ends the text; a final line end adds no line.
// The lines point into text.
std::vector<std::string_view> splitLineViews(std::string_view text);
std::vector<std::string> splitLines(std::string_view text);

// The bytes from the first NUL to the end, which splitLines does not read; empty without a NUL.
std::string_view fromFirstNul(std::string_view text);

// Removes every character of code 0 to 32 at both ends.
std::string_view trim(std::string_view text);
std::string_view trimLeft(std::string_view text);

// Inline, as the key index asks both of every line it files.
inline bool isCommentLine(std::string_view line)
{
    return !line.empty() && line.front() == '#';
}

// Position of the key when the line is a key line for it: its first occurrence stands at
// the start or right after a blank, and the line is neither a comment nor a profile line.
// npos otherwise.
std::size_t keyPosition(std::string_view line, std::string_view key);

// The value after a key found at keyPos: one separator skipped, at most 100 characters, trimmed.
std::string valueAfterKey(std::string_view line, std::size_t keyPos, std::size_t keyLength);

// A keyless line that carries one segment of the dive profile: it starts with a digit.
inline bool isProfileLine(std::string_view line)
{
    return !line.empty() && line.front() >= '0' && line.front() <= '9';
}

// The value of every key line for the key, in file order (no missing-key marker).
std::vector<std::string> valuesOf(const std::vector<std::string>& lines, std::string_view key);

} // namespace profile_text
