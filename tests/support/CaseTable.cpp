#include "tests/support/CaseTable.h"

#include <charconv>
#include <fstream>
#include <stdexcept>

namespace cases {
namespace {

std::string unescape(std::string_view field)
{
    static constexpr std::string_view kLetters = "\\rnt0";
    static constexpr std::string_view kMeant { "\\\r\n\t\0", 5 };
    std::string bytes;
    for (std::size_t i = 0; i < field.size(); ++i) {
        const std::string_view escape = field.substr(i + 1, 3);
        unsigned byte = 0;
        if (field[i] != '\\') {
            bytes += field[i];
        } else if (escape.size() == 3 && escape[0] == 'x'
            && std::from_chars(escape.data() + 1, escape.data() + 3, byte, 16).ptr == escape.data() + 3) {
            bytes += static_cast<char>(byte);
            i += 3;
        } else if (!escape.empty() && kLetters.find(escape[0]) != std::string_view::npos) {
            bytes += kMeant[kLetters.find(escape[0])];
            i += 1;
        } else {
            throw std::runtime_error("bad escape in \"" + std::string(field) + "\"");
        }
    }
    return bytes;
}

} // namespace

const std::string& CaseTable::value(const CaseRow& row, std::string_view column) const
{
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (columns[i] == column)
            return row.values.at(i);
    }
    throw std::out_of_range("no column " + std::string(column));
}

CaseTable readCaseTable(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw std::runtime_error("cannot read the cases in " + path);
    CaseTable table;
    bool named = false;
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line.front() == '#')
            continue;
        std::vector<std::string> fields = split(line, '|');
        for (std::string& field : fields) {
            // One blank of padding on each side.
            if (field.starts_with(' '))
                field.erase(0, 1);
            if (field.ends_with(' '))
                field.pop_back();
        }
        if (!named) {
            table.columns.assign(fields.begin() + 1, fields.end());
            named = true;
            continue;
        }
        if (fields.size() != table.columns.size() + 1)
            throw std::runtime_error(
                path + ": not " + std::to_string(table.columns.size()) + " values in \"" + line + "\"");
        CaseRow row { unescape(fields[0]), {} };
        for (std::size_t i = 1; i < fields.size(); ++i)
            row.values.push_back(unescape(fields[i]));
        table.rows.push_back(std::move(row));
    }
    return table;
}

std::vector<std::string> split(std::string_view text, char separator)
{
    std::vector<std::string> parts;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find(separator, start);
        parts.emplace_back(text.substr(start, end - start));
        if (end == std::string_view::npos)
            return parts;
        start = end + 1;
    }
}

std::vector<std::string> splitLines(std::string_view value)
{
    return value.empty() ? std::vector<std::string>() : split(value, '\n');
}

std::string joinLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text.append(line).append("\r\n");
    return text;
}

} // namespace cases
