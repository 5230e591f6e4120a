#include "tests/support/CaseTable.h"

#include <fstream>
#include <stdexcept>

namespace cases {
namespace {

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::string unescape(std::string_view field)
{
    static constexpr std::string_view kLetters = "\\rnt0";
    static constexpr std::string_view kMeant { "\\\r\n\t\0", 5 };
    std::string bytes;
    for (std::size_t i = 0; i < field.size(); ++i) {
        const char next = i + 1 < field.size() ? field[i + 1] : '\0';
        if (field[i] != '\\') {
            bytes += field[i];
        } else if (next == 'x' && i + 3 < field.size() && hexDigit(field[i + 2]) >= 0 && hexDigit(field[i + 3]) >= 0) {
            bytes += static_cast<char>(hexDigit(field[i + 2]) * 16 + hexDigit(field[i + 3]));
            i += 3;
        } else if (next != '\0' && kLetters.find(next) != std::string_view::npos) {
            bytes += kMeant[kLetters.find(next)];
            i += 1;
        } else {
            throw std::runtime_error("bad escape in \"" + std::string(field) + "\"");
        }
    }
    return bytes;
}

// The fields of a line, one blank of padding taken off each side.
std::vector<std::string> fieldsOf(std::string_view line)
{
    std::vector<std::string> fields;
    for (std::size_t start = 0;;) {
        const std::size_t bar = line.find('|', start);
        std::string_view field = line.substr(start, bar == std::string_view::npos ? line.npos : bar - start);
        if (!field.empty() && field.front() == ' ')
            field.remove_prefix(1);
        if (!field.empty() && field.back() == ' ')
            field.remove_suffix(1);
        fields.emplace_back(field);
        if (bar == std::string_view::npos)
            return fields;
        start = bar + 1;
    }
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
        std::vector<std::string> fields = fieldsOf(line);
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

std::vector<std::string> splitLines(std::string_view value)
{
    std::vector<std::string> lines;
    if (value.empty())
        return lines;
    for (std::size_t start = 0;;) {
        const std::size_t end = value.find('\n', start);
        lines.emplace_back(value.substr(start, end == std::string_view::npos ? value.npos : end - start));
        if (end == std::string_view::npos)
            return lines;
        start = end + 1;
    }
}

} // namespace cases
