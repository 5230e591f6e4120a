#include "tests/support/Cases.h"

#include <QFile>
#include <QTest>

namespace cases {

namespace {

QByteArray unescape(const QByteArray& field)
{
    static const QByteArray letters = "\\rnt0";
    static const QByteArray meant("\\\r\n\t\0", 5);
    QByteArray bytes;
    for (qsizetype i = 0; i < field.size(); ++i) {
        const char next = i + 1 < field.size() ? field[i + 1] : '\0';
        bool hex = false;
        const uint code = field.mid(i + 2, 2).size() == 2 ? field.mid(i + 2, 2).toUInt(&hex, 16) : 0;
        if (field[i] != '\\') {
            bytes += field[i];
        } else if (next == 'x' && hex) {
            bytes += static_cast<char>(code);
            i += 3;
        } else if (next != '\0' && letters.contains(next)) {
            bytes += meant[letters.indexOf(next)];
            i += 1;
        } else {
            qFatal("bad escape in \"%s\"", field.constData());
        }
    }
    return bytes;
}

// The fields of a line, one blank of padding taken off each side.
QByteArrayList fieldsOf(const QByteArray& line)
{
    QByteArrayList fields = line.split('|');
    for (QByteArray& field : fields) {
        if (field.startsWith(' '))
            field.remove(0, 1);
        if (field.endsWith(' '))
            field.chop(1);
    }
    return fields;
}

} // namespace

void addRows(const char* table)
{
    static QByteArrayList columnNames; // QtTest keeps pointers to them
    const QString path = QStringLiteral(TROVA_TEST_DATA "/") + table;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        qFatal("cannot read the cases in %s", qPrintable(path));
    qsizetype columns = -1;
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QByteArrayList fields = fieldsOf(line);
        if (columns < 0) {
            columns = fields.size() - 1;
            for (const QByteArray& name : fields.mid(1))
                QTest::addColumn<QByteArray>((columnNames << name).constLast().constData());
            continue;
        }
        if (fields.size() != columns + 1)
            qFatal(
                "%s: not %lld values in \"%s\"", qPrintable(path), static_cast<long long>(columns), line.constData());
        QTestData& row = QTest::newRow(unescape(fields[0]).constData());
        for (const QByteArray& field : fields.mid(1))
            row << unescape(field);
    }
}

QByteArray cell(const char* column)
{
    return *static_cast<const QByteArray*>(QTest::qData(column, QMetaType::QByteArray));
}

std::vector<std::string> lines(const char* column)
{
    std::vector<std::string> split;
    for (const QByteArray& line : cell(column).isEmpty() ? QByteArrayList() : cell(column).split('\n'))
        split.push_back(line.toStdString());
    return split;
}

} // namespace cases
