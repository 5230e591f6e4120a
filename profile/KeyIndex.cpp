#include "profile/KeyIndex.h"

#include "profile/ProfileText.h"

#include <algorithm>
#include <bit>
#include <functional>

namespace {

constexpr int kNone = -1;
constexpr std::size_t kMinBuckets = 64;

std::size_t hashOf(std::string_view text)
{
    return std::hash<std::string_view> {}(text);
}

// A key line for a covered key holds the key at the start of a word (the line's start or
// after a blank), and the word's text up to its first colon is then the key: each such
// prefix is what the index files the line under.
template <class Visit> void forEachKeyCandidate(std::string_view line, Visit visit)
{
    if (profile_text::isCommentLine(line) || profile_text::isProfileLine(line))
        return;
    std::size_t previous = std::string_view::npos;
    for (std::size_t colon = line.find(':'); colon != std::string_view::npos; colon = line.find(':', colon + 1)) {
        const std::size_t blank = line.rfind(' ', colon);
        const std::size_t start = blank == std::string_view::npos ? 0 : blank + 1;
        // Only a word's first colon ends a key.
        if (previous == std::string_view::npos || previous < start)
            visit(line.substr(start, colon + 1 - start));
        previous = colon;
    }
}

} // namespace

bool KeyIndex::covers(std::string_view key)
{
    return !key.empty() && key.find(':') == key.size() - 1 && key.find(' ') == std::string_view::npos;
}

template <class Visit>
void KeyIndex::forEachKeyLine(const std::vector<std::string>& lines, std::string_view key, int after, Visit visit)
{
    if (!built)
        build(lines);
    const std::size_t hash = hashOf(key);
    for (int at = buckets[hash & (buckets.size() - 1)]; at != kNone;) {
        const Entry& entry = entries[static_cast<std::size_t>(at)];
        // A removed last line leaves entries past the end.
        if (entry.line > after && entry.hash == hash && static_cast<std::size_t>(entry.line) < lines.size()
            && profile_text::keyPosition(lines[static_cast<std::size_t>(entry.line)], key) != std::string_view::npos
            && !visit(entry.line))
            return;
        at = entry.next;
    }
}

int KeyIndex::findFrom(const std::vector<std::string>& lines, std::string_view key, int after)
{
    int found = kNone;
    forEachKeyLine(lines, key, after, [&](int line) {
        found = line;
        return false;
    });
    return found;
}

std::vector<std::size_t> KeyIndex::linesOf(const std::vector<std::string>& lines, std::string_view key)
{
    std::vector<std::size_t> found;
    forEachKeyLine(lines, key, kNone, [&](int line) {
        // A replaced line can be filed twice under the same key.
        if (found.empty() || found.back() != static_cast<std::size_t>(line))
            found.push_back(static_cast<std::size_t>(line));
        return true;
    });
    return found;
}

void KeyIndex::lineChanged(const std::vector<std::string>& lines, std::size_t line)
{
    if (!built)
        return;
    // The entries of the old text stay: the check rejects them where the line no longer holds
    // their key. Past twice as many entries as chains, build anew instead.
    forEachKeyCandidate(lines[line], [&](std::string_view key) { insert(hashOf(key), static_cast<int>(line)); });
    if (entries.size() > buckets.size() * 2)
        clear();
}

void KeyIndex::linesMoved(const std::vector<std::size_t>& removed, std::size_t place, std::size_t count)
{
    // Each line moves up by the removed lines above it (a removed line's entries go with the
    // line that took its place), and down by the block when it lies at or after `place`:
    // the order of the chains is kept.
    for (Entry& entry : entries) {
        const auto line = static_cast<std::size_t>(entry.line);
        std::size_t moved
            = line - static_cast<std::size_t>(std::lower_bound(removed.begin(), removed.end(), line) - removed.begin());
        if (moved >= place)
            moved += count;
        entry.line = static_cast<int>(moved);
    }
}

void KeyIndex::clear()
{
    built = false;
    buckets.clear();
    entries.clear();
}

void KeyIndex::build(const std::vector<std::string>& lines)
{
    // About one key line in a few lines: chains of one or two entries.
    buckets.assign(std::bit_ceil(std::max(kMinBuckets, lines.size() / 2)), kNone);
    entries.clear();
    // From the last line up, each entry goes to the front of its chain: the chains come out
    // in ascending line order.
    for (std::size_t i = lines.size(); i-- > 0;) {
        forEachKeyCandidate(lines[i], [&](std::string_view key) {
            const std::size_t hash = hashOf(key);
            int& head = buckets[hash & (buckets.size() - 1)];
            entries.push_back({ hash, static_cast<int>(i), head });
            head = static_cast<int>(entries.size() - 1);
        });
    }
    built = true;
}

void KeyIndex::insert(std::size_t hash, int line)
{
    int& head = buckets[hash & (buckets.size() - 1)];
    int before = kNone;
    int at = head;
    while (at != kNone && entries[static_cast<std::size_t>(at)].line < line) {
        before = at;
        at = entries[static_cast<std::size_t>(at)].next;
    }
    const auto added = static_cast<int>(entries.size());
    entries.push_back({ hash, line, at });
    if (before == kNone)
        head = added;
    else
        entries[static_cast<std::size_t>(before)].next = added;
}
