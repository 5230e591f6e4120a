// Where each key of profile.dat may stand, so that a lookup reads a few lines instead of every
// line: one pass over the file serves all the window's lookups. The index only narrows the
// search; every line it names is checked by profile_text::keyPosition, the one key rule.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class KeyIndex {
public:
    // Keys of the file's own form ("Name:": no blank, one colon, at the end) are indexed;
    // any other key is looked up line by line.
    static bool covers(std::string_view key);

    // The first key line of a covered key after the line `after`, -1 for none. The index is
    // built at the first lookup after a clear.
    int findFrom(const std::vector<std::string_view>& lines, std::string_view key, int after);

    // Every key line of a covered key, ascending.
    std::vector<std::size_t> linesOf(const std::vector<std::string_view>& lines, std::string_view key);

    // The line at index `line` was replaced or appended; the other lines kept their places.
    void lineChanged(const std::vector<std::string_view>& lines, std::size_t line);

    // The lines at `removed` (ascending) were taken out, then `count` lines inserted at
    // `place` (counted after the removals); call lineChanged for each inserted line.
    void linesMoved(const std::vector<std::size_t>& removed, std::size_t place, std::size_t count);

    // Lines were inserted or removed: built anew when next needed.
    void clear();

private:
    struct Entry {
        std::size_t hash;
        int line;
        int next;
    };

    void build(const std::vector<std::string_view>& lines);
    // The entries filed under the key's hash after the line `after`, in ascending line order,
    // each checked; visit gets the entry's index and returns whether to go on.
    template <class Visit>
    void forEachKeyLine(const std::vector<std::string_view>& lines, std::string_view key, int after, Visit visit);
    void insert(std::size_t hash, int line);

    bool built = false;
    // Chains of entries, each in ascending line order, so the first line that passes the
    // check is the first key line.
    std::vector<int> buckets;
    // The build's entries first, in descending line order, then those of later edits.
    std::vector<Entry> entries;
    std::size_t entriesBuilt = 0;
    // The entry of the line findFrom returned last, -1 for none.
    int lastFound = -1;
};
