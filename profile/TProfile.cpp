#include "profile/TProfile.h"

#include "files/FileReplace.h"
#include "profile/ProfileBlock.h"
#include "profile/ProfileText.h"

#include <algorithm>
#include <functional>

using namespace profile_text;

namespace {

constexpr std::size_t kCommentLength = 100;
constexpr std::string_view kLineEnd = "\r\n";
// Replaced lines whose texts may wait before they are dropped: a few saves' worth.
constexpr std::size_t kReplacedTextSlack = 256;

bool isYes(std::string_view value)
{
    return value == "y" || value == "Y";
}

std::string keyLine(std::string_view key, std::string_view value)
{
    std::string line;
    line.reserve(key.size() + 1 + value.size());
    line.append(key).append(" ").append(value);
    return line;
}

} // namespace

ProfileOpenError::ProfileOpenError(const std::string& fileName, platform::RegularRead cause)
    : std::runtime_error("profile.dat not read: " + fileName)
    , fileName_(fileName)
    , cause_(cause)
{
}

ProfileSaveError::ProfileSaveError(const std::string& fileName, platform::ReplaceResult failure)
    : std::runtime_error("profile.dat not saved: " + fileName + ": " + failure.systemText)
    , fileName_(fileName)
    , failure_(std::move(failure))
{
}

TProfile::TProfile(std::string name)
    : fileName(std::move(name))
{
    platform::RegularFileContents contents = platform::readRegularFile(fileName, kProfileSizeLimit);
    if (contents.status != platform::RegularRead::Read)
        throw ProfileOpenError(fileName, contents.status);
    readText(std::move(contents.bytes));
}

TProfile::TProfile(std::string name, std::string_view text)
    : fileName(std::move(name))
{
    readText(std::string(text));
}

void TProfile::readText(std::string text)
{
    const std::string_view kept = texts.emplace_back(std::move(text));
    lines = splitLineViews(kept);
    afterNul = fromFirstNul(kept);
}

std::string_view TProfile::keep(std::string line)
{
    return texts.emplace_back(std::move(line));
}

void TProfile::dropReplacedTexts()
{
    if (texts.size() <= lines.size() + kReplacedTextSlack)
        return;
    std::deque<std::string> fresh;
    const std::string_view base = fresh.emplace_back(bytesToWrite());
    std::size_t at = 0;
    for (std::string_view& line : lines) {
        line = base.substr(at, line.size());
        at += line.size() + kLineEnd.size();
    }
    afterNul = base.substr(at);
    texts = std::move(fresh);
}

// Lines that still follow each other in the first text, CR LF between them, are copied as one
// run: line by line, the copy was a large part of saving a long file.
std::string TProfile::bytesToWrite() const
{
    const std::string_view base = texts.front();
    const auto inBase = [base](std::string_view line) {
        return std::less_equal<> {}(base.data(), line.data())
            && std::less_equal<> {}(line.data() + line.size(), base.data() + base.size());
    };
    const auto followsInBase = [&](std::string_view line, std::string_view next) {
        if (!inBase(line) || !inBase(next))
            return false;
        const auto end = static_cast<std::size_t>(line.data() - base.data()) + line.size();
        return base.substr(end, kLineEnd.size()) == kLineEnd && next.data() == base.data() + end + kLineEnd.size();
    };
    std::size_t size = afterNul.size();
    for (const std::string_view line : lines)
        size += line.size() + kLineEnd.size();
    std::string bytes;
    bytes.reserve(size);
    for (std::size_t first = 0; first < lines.size();) {
        std::size_t last = first;
        while (last + 1 < lines.size() && followsInBase(lines[last], lines[last + 1]))
            ++last;
        bytes.append(lines[first].data(), lines[last].data() + lines[last].size()).append(kLineEnd);
        first = last + 1;
    }
    bytes.append(afterNul);
    return bytes;
}

int TProfile::Find(std::string_view key) const
{
    return FindFrom(key, -1);
}

int TProfile::FindFrom(std::string_view key, int after) const
{
    if (KeyIndex::covers(key))
        return index.findFrom(lines, key, after);
    const auto count = static_cast<int>(lines.size());
    for (int i = std::max(after + 1, 0); i < count; ++i) {
        if (keyPosition(lines[static_cast<std::size_t>(i)], key) != std::string_view::npos)
            return i;
    }
    return -1;
}

std::string TProfile::GetValue(std::string_view key)
{
    currentKey = key;
    lastIndex = -1;
    return GetNext();
}

std::string TProfile::GetNext()
{
    const int found = FindFrom(currentKey, lastIndex);
    if (found < 0)
        return std::string(kMissingValue);
    lastIndex = found;
    const std::string_view line = lines[static_cast<std::size_t>(found)];
    return valueAfterKey(line, keyPosition(line, currentKey), currentKey.size());
}

bool TProfile::GetBool(std::string_view key)
{
    return isYes(GetValue(key));
}

std::string TProfile::ValueOf(std::string_view key) const
{
    const int found = Find(key);
    if (found < 0)
        return std::string(kMissingValue);
    const std::string_view line = lines[static_cast<std::size_t>(found)];
    return valueAfterKey(line, keyPosition(line, key), key.size());
}

bool TProfile::FlagOf(std::string_view key) const
{
    return isYes(ValueOf(key));
}

std::string TProfile::GetComment() const
{
    if (lastIndex < 1 || static_cast<std::size_t>(lastIndex) > lines.size())
        return {};
    auto last = static_cast<std::size_t>(lastIndex);
    while (last > 0 && !isCommentLine(lines[last - 1]))
        --last;
    if (last == 0)
        return {};
    std::size_t first = last - 1;
    while (first > 0 && isCommentLine(lines[first - 1]))
        --first;

    std::string hint;
    for (std::size_t i = first; i < last; ++i) {
        if (i > first)
            hint += '\n';
        hint += trim(lines[i].substr(1, kCommentLength));
    }
    return hint;
}

void TProfile::SetValue(std::string_view key, std::string_view value)
{
    const int found = Find(key);
    const std::size_t changed = found < 0 ? lines.size() : static_cast<std::size_t>(found);
    if (found < 0)
        lines.push_back(keep(keyLine(key, value)));
    else
        lines[changed] = keep(keyLine(key, value));
    index.lineChanged(lines, changed);
    dropReplacedTexts();
}

std::vector<std::size_t> TProfile::KeyLines(std::string_view key) const
{
    if (KeyIndex::covers(key))
        return index.linesOf(lines, key);
    std::vector<std::size_t> found;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (keyPosition(lines[i], key) != std::string_view::npos)
            found.push_back(i);
    }
    return found;
}

// Removing every key line in one compaction pass gives the same lines and the same place
// as removing them one by one from the top, without the quadratic cost.
void TProfile::SetValues(std::string_view key, const std::vector<std::string>& list)
{
    const std::vector<std::size_t> removed = KeyLines(key);
    std::size_t kept = removed.empty() ? lines.size() : removed.front();
    for (std::size_t r = 0; r < removed.size(); ++r) {
        const std::size_t end = r + 1 < removed.size() ? removed[r + 1] : lines.size();
        for (std::size_t i = removed[r] + 1; i < end; ++i)
            lines[kept++] = lines[i];
    }
    lines.resize(kept);
    // Where the last key line stood, counted after the removals.
    const std::size_t place = removed.empty() ? lines.size() : removed.back() - (removed.size() - 1);

    std::vector<std::string_view> added;
    for (const auto& entry : list) {
        if (!trim(entry).empty())
            added.push_back(keep(keyLine(key, entry)));
    }
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(place), added.begin(), added.end());
    index.linesMoved(removed, place, added.size());
    for (std::size_t i = place; i < place + added.size(); ++i)
        index.lineChanged(lines, i);
    dropReplacedTexts();
}

std::vector<std::string> TProfile::GetProfileLines()
{
    lastIndex = -1;
    std::vector<std::string> block;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!isProfileLine(lines[i]))
            continue;
        if (lastIndex < 0)
            lastIndex = static_cast<int>(i);
        block.emplace_back(lines[i]);
    }
    return block;
}

void TProfile::SetProfileLines(std::vector<std::string> block)
{
    const std::size_t place = profile_block::removeProfileLines(lines);
    index.clear();
    std::vector<std::string_view> added;
    for (std::string& line : block)
        added.push_back(keep(std::move(line)));
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(place), added.begin(), added.end());
    dropReplacedTexts();
}

std::string TProfile::Save() const
{
    std::string bytes = bytesToWrite();
    const platform::ReplaceResult result = platform::replaceFileContents(fileName, bytes);
    if (!result)
        throw ProfileSaveError(fileName, result);
    return bytes;
}
