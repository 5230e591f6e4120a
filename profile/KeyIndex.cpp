#include "profile/KeyIndex.h"

#include "profile/ProfileText.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

namespace {

constexpr int kNone = -1;
constexpr std::size_t kMinBuckets = 64;
constexpr std::size_t kLinesPerChain = 8;
// Entries that edits may add to a small index before it is built anew.
constexpr std::size_t kEditEntries = 64;

constexpr std::size_t kWordBytes = 8;
constexpr std::uint64_t kSpread = 0x9E3779B97F4A7C15;

// Every hit is checked against the line, so the hash only has to spread short keys over the
// chains: eight bytes at a time (the last eight overlapping), a multiply each, and the high
// half folded into the low bits that choose the chain. A general string hash was a fifth of
// building the index.
std::size_t hashOf(std::string_view key)
{
    const auto mix = [](std::uint64_t hash, std::uint64_t word) { return (hash ^ word) * kSpread; };
    std::uint64_t hash = key.size();
    std::uint64_t word = 0;
    if (key.size() < kWordBytes) {
        for (const char c : key)
            word = word << 8 | static_cast<unsigned char>(c);
        hash = mix(hash, word);
    } else {
        for (std::size_t at = 0; at + kWordBytes < key.size(); at += kWordBytes) {
            std::memcpy(&word, key.data() + at, kWordBytes);
            hash = mix(hash, word);
        }
        std::memcpy(&word, key.data() + key.size() - kWordBytes, kWordBytes);
        hash = mix(hash, word);
    }
    return static_cast<std::size_t>(hash ^ (hash >> 32));
}

// A key line for a covered key holds the key at the start of a word (the line's start or
// after a blank), and the word's text up to its first colon is then the key: each such
// prefix is what the index files the line under.
template <class Visit> void forEachKeyCandidate(std::string_view line, Visit visit)
{
    if (profile_text::isCommentLine(line) || profile_text::isProfileLine(line))
        return;
    // The blanks are walked forward with the colons: a search back from each colon for the
    // word's start read most key lines twice.
    std::size_t wordStart = 0;
    std::size_t nextBlank = line.find(' ');
    std::size_t previousColon = std::string_view::npos;
    for (std::size_t colon = line.find(':'); colon != std::string_view::npos; colon = line.find(':', colon + 1)) {
        for (; nextBlank < colon; nextBlank = line.find(' ', wordStart))
            wordStart = nextBlank + 1;
        // Only a word's first colon ends a key.
        if (previousColon == std::string_view::npos || previousColon < wordStart)
            visit(line.substr(wordStart, colon + 1 - wordStart));
        previousColon = colon;
    }
}

} // namespace

bool KeyIndex::covers(std::string_view key)
{
    return !key.empty() && key.find(':') == key.size() - 1 && key.find(' ') == std::string_view::npos;
}

template <class Visit>
void KeyIndex::forEachKeyLine(const std::vector<std::string_view>& lines, std::string_view key, int after, Visit visit)
{
    if (!built)
        build(lines);
    const std::size_t hash = hashOf(key);
    int at = buckets[hash & (buckets.size() - 1)];
    // The chain is in ascending line order, so a walk may go on from the entry last found,
    // when it stands on the line `after`: reading the lines of a list one by one stays linear.
    if (lastFound != kNone && entries[static_cast<std::size_t>(lastFound)].hash == hash
        && entries[static_cast<std::size_t>(lastFound)].line == after)
        at = lastFound;
    for (; at != kNone; at = entries[static_cast<std::size_t>(at)].next) {
        const Entry& entry = entries[static_cast<std::size_t>(at)];
        // A removed last line leaves entries past the end.
        if (entry.line > after && entry.hash == hash && static_cast<std::size_t>(entry.line) < lines.size()
            && profile_text::keyPosition(lines[static_cast<std::size_t>(entry.line)], key) != std::string_view::npos
            && !visit(at))
            return;
    }
}

int KeyIndex::findFrom(const std::vector<std::string_view>& lines, std::string_view key, int after)
{
    int found = kNone;
    forEachKeyLine(lines, key, after, [&](int at) {
        lastFound = at;
        found = entries[static_cast<std::size_t>(at)].line;
        return false;
    });
    return found;
}

std::vector<std::size_t> KeyIndex::linesOf(const std::vector<std::string_view>& lines, std::string_view key)
{
    std::vector<std::size_t> found;
    forEachKeyLine(lines, key, kNone, [&](int at) {
        const auto line = static_cast<std::size_t>(entries[static_cast<std::size_t>(at)].line);
        // A replaced line can be filed twice under the same key.
        if (found.empty() || found.back() != line)
            found.push_back(line);
        return true;
    });
    return found;
}

void KeyIndex::lineChanged(const std::vector<std::string_view>& lines, std::size_t line)
{
    if (!built)
        return;
    // The entries of the old text stay: the check rejects them where the line no longer holds
    // their key. Past twice as many entries as the build made, build anew instead.
    forEachKeyCandidate(lines[line], [&](std::string_view key) { insert(hashOf(key), static_cast<int>(line)); });
    if (entries.size() > 2 * entriesBuilt + kEditEntries)
        clear();
}

void KeyIndex::linesMoved(const std::vector<std::size_t>& removed, std::size_t place, std::size_t count)
{
    // Each line moves up by the removed lines above it (a removed line's entries go with the
    // line that took its place), and down by the block when it lies at or after `place`:
    // the order of the chains is kept.
    const auto moved = [&](int line, std::size_t removedAbove) {
        const std::size_t up = static_cast<std::size_t>(line) - removedAbove;
        return static_cast<int>(up >= place ? up + count : up);
    };
    // The build's entries stand in descending line order: walked from the last, the removed
    // lines above each are counted on the way.
    std::size_t above = 0;
    for (std::size_t i = entriesBuilt; i-- > 0;) {
        Entry& entry = entries[i];
        while (above < removed.size() && removed[above] < static_cast<std::size_t>(entry.line))
            ++above;
        entry.line = moved(entry.line, above);
    }
    // The entries of later edits stand in any order.
    for (std::size_t i = entriesBuilt; i < entries.size(); ++i) {
        Entry& entry = entries[i];
        const auto removedAbove
            = std::lower_bound(removed.begin(), removed.end(), static_cast<std::size_t>(entry.line));
        entry.line = moved(entry.line, static_cast<std::size_t>(removedAbove - removed.begin()));
    }
}

void KeyIndex::clear()
{
    built = false;
    entriesBuilt = 0;
    lastFound = kNone;
    buckets.clear();
    entries.clear();
}

void KeyIndex::build(const std::vector<std::string_view>& lines)
{
    // About one key line in a few lines: chains of a few entries, and few enough chains that
    // their heads stay in the cache while the lines are read.
    buckets.assign(std::bit_ceil(std::max(kMinBuckets, lines.size() / kLinesPerChain)), kNone);
    entries.clear();
    entries.reserve(lines.size() / 2);
    lastFound = kNone;
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
    entriesBuilt = entries.size();
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
