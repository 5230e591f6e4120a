// Test cases kept as tables under tests/data/ (format in CaseTable.h), as QtTest data rows.
#pragma once

#include <QByteArray>
#include <QString>

#include <string>
#include <vector>

namespace cases {

// The cases of tests/data/<table> as the data rows of the running test function, every column
// a QByteArray. A table that cannot be read or a row with the wrong number of values ends the
// test with its name.
void addRows(const char* table);

// The current row's value in column, as bytes, as UTF-8 text, as yes ("y") or no, and as
// profile lines ("\n" between them, an empty value is none).
QByteArray cell(const char* column);
inline QString text(const char* column)
{
    return QString::fromUtf8(cell(column));
}
inline bool yes(const char* column)
{
    return cell(column) == "y";
}
std::vector<std::string> lines(const char* column);

} // namespace cases
