// Test cases kept as text under tests/data/: one case a line, "name | field | field", lines
// starting with '#' and blank lines skipped. One blank on each side of a '|' is padding. Fields
// take the C escapes \\ \r \n \t \0 and \xHH (always two digits), so that any byte can be written
// and a '|' inside a field is \x7c.
#pragma once

#include <QByteArrayList>
#include <QList>
#include <string>
#include <vector>

namespace case_file {

// Every case of the file: its name first, then its fields decoded. A file that cannot be read
// ends the test with its name.
QList<QByteArrayList> read(const QString& path);

QByteArray unescape(QByteArrayView field);

// A field as profile lines: "\n" separates them, an empty field is none.
std::vector<std::string> lines(const QByteArray& field);

} // namespace case_file
