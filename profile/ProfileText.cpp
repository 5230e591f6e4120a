#include "profile/ProfileText.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace profile_text {
namespace {

constexpr std::size_t kValueLength = 100;

bool isBlankOrControl(char c)
{
    return static_cast<unsigned char>(c) <= 32;
}

// Lines of profile.dat are seldom shorter: the list of a file of shorter lines grows.
constexpr std::size_t kShortLine = 16;

// A line end is searched for eight bytes at a time: a search call per line for each of CR and
// LF was most of the cost of loading a long file.
constexpr std::size_t kWordBytes = 8;
constexpr std::uint64_t kEveryByte = 0x0101010101010101;
constexpr std::uint64_t kHighBits = 0x8080808080808080;

std::uint64_t wordAt(std::string_view text, std::size_t at)
{
    std::uint64_t word = 0;
    std::memcpy(&word, text.data() + at, kWordBytes);
    return word;
}

// The high bit of every byte equal to c. A byte above an equal byte may be marked too, so only
// the lowest mark is certain.
std::uint64_t bytesEqual(std::uint64_t word, char c)
{
    const std::uint64_t diff = word ^ (kEveryByte * static_cast<unsigned char>(c));
    return (diff - kEveryByte) & ~diff & kHighBits;
}

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

// The first CR or LF at or after `from`; text.size() for none.
std::size_t nextLineEnd(std::string_view text, std::size_t from)
{
    // The lowest mark is the first byte only where the first byte is the lowest.
    if constexpr (std::endian::native == std::endian::little) {
        for (; from + kWordBytes <= text.size(); from += kWordBytes) {
            const std::uint64_t word = wordAt(text, from);
            const std::uint64_t marks = bytesEqual(word, '\r') | bytesEqual(word, '\n');
            if (marks != 0)
                return from + static_cast<std::size_t>(std::countr_zero(marks)) / 8;
        }
    }
    while (from < text.size() && !isLineEnd(text[from]))
        ++from;
    return from;
}

} // namespace

std::vector<std::string_view> splitLineViews(std::string_view text)
{
    text = text.substr(0, text.find('\0'));
    std::vector<std::string_view> lines;
    lines.reserve(text.size() / kShortLine + 1);
    std::size_t start = 0;
    for (std::size_t end; (end = nextLineEnd(text, start)) < text.size();) {
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n')
            ++start;
    }
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

std::vector<std::string> splitLines(std::string_view text)
{
    const std::vector<std::string_view> views = splitLineViews(text);
    return { views.begin(), views.end() };
}

std::string_view fromFirstNul(std::string_view text)
{
    const std::size_t nul = text.find('\0');
    return nul == std::string_view::npos ? std::string_view() : text.substr(nul);
}

std::string_view trimLeft(std::string_view text)
{
    std::size_t first = 0;
    while (first < text.size() && isBlankOrControl(text[first]))
        ++first;
    return text.substr(first);
}

std::string_view trim(std::string_view text)
{
    text = trimLeft(text);
    std::size_t end = text.size();
    while (end > 0 && isBlankOrControl(text[end - 1]))
        --end;
    return text.substr(0, end);
}

std::size_t keyPosition(std::string_view line, std::string_view key)
{
    // A profile line read as a key line too would be replaced by the key and written again
    // as a new profile line on every save.
    if (isCommentLine(line) || isProfileLine(line))
        return std::string_view::npos;
    const std::size_t pos = line.find(key);
    if (pos == std::string_view::npos || pos == 0 || line[pos - 1] == ' ')
        return pos;
    return std::string_view::npos;
}

std::string valueAfterKey(std::string_view line, std::size_t keyPos, std::size_t keyLength)
{
    const std::size_t start = keyPos + keyLength + 1;
    if (start >= line.size())
        return {};
    return std::string(trim(line.substr(start, kValueLength)));
}

std::vector<std::string> valuesOf(const std::vector<std::string>& lines, std::string_view key)
{
    std::vector<std::string> values;
    for (const auto& line : lines) {
        const std::size_t pos = keyPosition(line, key);
        if (pos != std::string_view::npos)
            values.push_back(valueAfterKey(line, pos, key.size()));
    }
    return values;
}

} // namespace profile_text
