#include "tests/support/Cases.h"

#include "tests/support/CaseTable.h"

#include <QTest>

#include <stdexcept>

namespace cases {

void addRows(const char* table)
{
    static QByteArrayList columnNames; // QtTest keeps pointers to them
    CaseTable cases;
    try {
        cases = readCaseTable(TROVA_TEST_DATA "/" + std::string(table));
    } catch (const std::runtime_error& error) {
        qFatal("%s", error.what());
    }
    for (const std::string& name : cases.columns)
        QTest::addColumn<QByteArray>((columnNames << QByteArray::fromStdString(name)).constLast().constData());
    for (const CaseRow& row : cases.rows) {
        QTestData& data = QTest::newRow(row.name.c_str());
        for (const std::string& value : row.values)
            data << QByteArray::fromStdString(value);
    }
}

QByteArray cell(const char* column)
{
    return *static_cast<const QByteArray*>(QTest::qData(column, QMetaType::QByteArray));
}

std::vector<std::string> lines(const char* column)
{
    return splitLines(cell(column).toStdString());
}

} // namespace cases
