#include "profile/ProfileText.h"

#include <algorithm>

namespace profile_text {
namespace {

constexpr std::size_t kValueLength = 100;

bool isBlankOrControl(char c)
{
    return static_cast<unsigned char>(c) <= 32;
}

} // namespace

std::vector<std::string> splitLines(std::string_view text)
{
    text = text.substr(0, text.find('\0'));
    const auto next = [text](char c, std::size_t from) { return std::min(text.find(c, from), text.size()); };
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
    // The next CR and the next LF, each searched for only once it is passed: byte by byte, the
    // split was the larger part of loading a long file.
    std::size_t nextCr = next('\r', 0);
    std::size_t nextLf = next('\n', 0);
    std::size_t start = 0;
    for (std::size_t end; (end = std::min(nextCr, nextLf)) < text.size();) {
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
        if (end == nextCr && nextLf == start)
            ++start;
        if (nextCr < start)
            nextCr = next('\r', start);
        if (nextLf < start)
            nextLf = next('\n', start);
    }
    if (start < text.size())
        lines.emplace_back(text.substr(start));
    return lines;
}

std::string_view fromFirstNul(std::string_view text)
{
    const std::size_t nul = text.find('\0');
    return nul == std::string_view::npos ? std::string_view() : text.substr(nul);
}

std::string joinLines(const std::vector<std::string>& lines)
{
    std::size_t size = 0;
    for (const auto& line : lines)
        size += line.size() + 2;
    std::string text;
    text.reserve(size);
    for (const auto& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
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

bool isCommentLine(std::string_view line)
{
    return !line.empty() && line.front() == '#';
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

bool isProfileLine(std::string_view line)
{
    return !line.empty() && line.front() >= '0' && line.front() <= '9';
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
