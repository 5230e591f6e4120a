#include "files/SaveJournal.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace platform {
namespace {

constexpr std::string_view kHeader = "TROVA-JOURNAL 1\n";
constexpr std::string_view kEnd = "end ";
constexpr std::size_t kChecksumDigits = 16;

// FNV-1a, 64 bits: enough to tell a whole journal from one cut or overwritten by accident.
std::uint64_t checksum(std::string_view bytes)
{
    std::uint64_t hash = 14695981039346656037ULL;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ULL;
    }
    return hash;
}

std::string hex(std::uint64_t value)
{
    char digits[kChecksumDigits + 1];
    std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(value));
    return digits;
}

void addNumber(std::string& text, std::string_view name, std::uint64_t value)
{
    text.append(name).append(" ").append(std::to_string(value)).append("\n");
}

void addBytes(std::string& text, std::string_view name, std::string_view bytes)
{
    addNumber(text, name, bytes.size());
    text.append(bytes).append("\n");
}

// Reads the stored text front to back; any deviation leaves it failed for good.
class Reader {
public:
    explicit Reader(std::string_view text)
        : rest(text)
    {
    }

    bool literal(std::string_view expected)
    {
        ok = ok && rest.substr(0, expected.size()) == expected;
        if (ok)
            rest.remove_prefix(expected.size());
        return ok;
    }

    std::uint64_t number(std::string_view name)
    {
        std::uint64_t value = 0;
        if (!literal(name) || !literal(" "))
            return 0;
        const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), value);
        const std::size_t digits = static_cast<std::size_t>(end - rest.data());
        ok = error == std::errc() && digits > 0 && (digits == 1 || rest[0] != '0');
        if (ok)
            rest.remove_prefix(digits);
        literal("\n");
        return value;
    }

    std::string bytes(std::string_view name)
    {
        const std::uint64_t length = number(name);
        ok = ok && length <= rest.size();
        if (!ok)
            return {};
        std::string value(rest.substr(0, length));
        rest.remove_prefix(length);
        literal("\n");
        return value;
    }

    bool ok = true;
    std::string_view rest;
};

} // namespace

std::string journalText(const SaveJournal& journal)
{
    std::string text(kHeader);
    addBytes(text, "path", journal.path);
    addNumber(text, "device", journal.device);
    addNumber(text, "inode", journal.inode);
    addBytes(text, "old", journal.oldBytes);
    addBytes(text, "new", journal.newBytes);
    const std::string sum = hex(checksum(text));
    return text.append(kEnd).append(sum).append("\n");
}

std::optional<SaveJournal> parseJournal(std::string_view text)
{
    Reader reader(text);
    SaveJournal journal;
    reader.literal(kHeader);
    journal.path = reader.bytes("path");
    journal.device = reader.number("device");
    journal.inode = reader.number("inode");
    journal.oldBytes = reader.bytes("old");
    journal.newBytes = reader.bytes("new");
    const std::string_view covered = text.substr(0, text.size() - reader.rest.size());
    if (!reader.ok || !reader.literal(kEnd) || !reader.literal(hex(checksum(covered))) || !reader.literal("\n")
        || !reader.rest.empty())
        return std::nullopt;
    return journal;
}

std::optional<JournalHeader> parseJournalHeader(std::string_view text)
{
    Reader reader(text);
    JournalHeader header;
    reader.literal(kHeader);
    header.path = reader.bytes("path");
    header.device = reader.number("device");
    header.inode = reader.number("inode");
    if (!reader.ok)
        return std::nullopt;
    return header;
}

bool isCutStateOf(std::string_view now, const SaveJournal& journal)
{
    const std::string_view old = journal.oldBytes;
    const std::string_view written = journal.newBytes;
    if (now.size() > std::max(old.size(), written.size()))
        return false;
    std::size_t prefix = 0;
    while (prefix < now.size() && prefix < written.size() && now[prefix] == written[prefix])
        ++prefix;
    // The longest prefix of the new bytes leaves the least to match against the old ones.
    for (std::size_t i = prefix; i < now.size(); ++i) {
        if (now[i] != (i < old.size() ? old[i] : '\0'))
            return false;
    }
    return true;
}

bool isJournalName(std::string_view name)
{
    return name.size() > kJournalEnd.size() && name.substr(name.size() - kJournalEnd.size()) == kJournalEnd;
}

std::string asideNameOf(std::string_view journalPath)
{
    if (!isJournalName(journalPath))
        return {};
    return std::string(journalPath.substr(0, journalPath.size() - kJournalEnd.size())) + ".kept";
}

std::vector<std::string> oldestFirst(std::vector<FoundJournal> found)
{
    std::sort(found.begin(), found.end(), [](const FoundJournal& a, const FoundJournal& b) {
        return a.modified != b.modified ? a.modified < b.modified : a.path < b.path;
    });
    std::vector<std::string> paths;
    for (FoundJournal& journal : found)
        paths.push_back(std::move(journal.path));
    return paths;
}

} // namespace platform
