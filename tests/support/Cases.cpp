#include "tests/support/Cases.h"

#include <QFile>
#include <QTest>

#include <algorithm>

namespace cases {

namespace {

QByteArray unescape(QByteArrayView field)
{
    static const QByteArray letters = "\\rnt0";
    static const QByteArray meant("\\\r\n\t\0", 5);
    QByteArray bytes;
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] != '\\') {
            bytes += field[i];
            continue;
        }
        const QByteArray escape = field.sliced(i + 1).first(std::min<qsizetype>(3, field.size() - i - 1)).toByteArray();
        bool hex = false;
        const uint code = escape.startsWith('x') ? escape.mid(1).toUInt(&hex, 16) : 0;
        if (hex && escape.size() == 3) {
            bytes += static_cast<char>(code);
            i += 3;
        } else if (!escape.isEmpty() && letters.contains(escape[0])) {
            bytes += meant[letters.indexOf(escape[0])];
            i += 1;
        } else {
            qFatal("bad escape in \"%s\"", field.toByteArray().constData());
        }
    }
    return bytes;
}

QByteArrayList fieldsOf(const QByteArray& line)
{
    QByteArrayList fields;
    for (QByteArray field : line.split('|')) {
        field = field.startsWith(' ') ? field.sliced(1) : field;
        fields << (field.endsWith(' ') ? field.chopped(1) : field);
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
            qFatal("%s: %lld values instead of %lld in \"%s\"", qPrintable(path),
                static_cast<long long>(fields.size() - 1), static_cast<long long>(columns), line.constData());
        QTestData& row = QTest::newRow(unescape(fields[0]).constData());
        for (const QByteArray& field : fields.mid(1))
            row << unescape(field);
    }
}

QByteArray cell(const char* column)
{
    return *static_cast<const QByteArray*>(QTest::qData(column, QMetaType::QByteArray));
}

QString text(const char* column)
{
    return QString::fromUtf8(cell(column));
}

bool yes(const char* column)
{
    return cell(column) == "y";
}

std::vector<std::string> lines(const char* column)
{
    std::vector<std::string> split;
    const QByteArray value = cell(column);
    for (const QByteArray& line : value.isEmpty() ? QByteArrayList() : value.split('\n'))
        split.push_back(line.toStdString());
    return split;
}

} // namespace cases
