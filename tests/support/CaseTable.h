// The case tables under tests/data/ read without Qt, for the QtTest programs (Cases.h) and for
// the portable tests that also run on Windows. Lines starting with '#' and blank lines are
// notes; the first other line names the columns, "| column | column"; then one case a line,
// "name | value | value". One blank on each side of a '|' is padding. Values take the C escapes
// \\ \r \n \t \0 and \xHH (always two digits), so that any byte can be written and a '|' inside a
// value is \x7c.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace cases {

struct CaseRow {
    std::string name;
    std::vector<std::string> values;
};

struct CaseTable {
    std::vector<std::string> columns;
    std::vector<CaseRow> rows;

    // The row's value in the named column; throws std::out_of_range for an unknown column.
    const std::string& value(const CaseRow& row, std::string_view column) const;
};

// The table in the file; throws std::runtime_error naming the file and the line when it cannot
// be read, a value has a bad escape or a row has the wrong number of values.
CaseTable readCaseTable(const std::string& path);

// The parts of text between the separators: one part more than there are separators.
std::vector<std::string> split(std::string_view text, char separator);

// A value as profile lines: "\n" between them, an empty value is none.
std::vector<std::string> splitLines(std::string_view value);

// Lines as profile.dat holds them: every line followed by CR LF.
std::string joinLines(const std::vector<std::string>& lines);

} // namespace cases
