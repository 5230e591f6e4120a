#include "tests/support/CaseFile.h"

#include <QFile>

#include <algorithm>

namespace case_file {

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

QList<QByteArrayList> read(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        qFatal("cannot read the cases in %s", qPrintable(path));
    QList<QByteArrayList> cases;
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        QByteArrayList fields;
        for (QByteArray field : line.split('|')) {
            field = field.startsWith(' ') ? field.sliced(1) : field;
            fields << unescape(field.endsWith(' ') ? field.chopped(1) : field);
        }
        cases << fields;
    }
    return cases;
}

std::vector<std::string> lines(const QByteArray& field)
{
    std::vector<std::string> split;
    for (const QByteArray& line : field.isEmpty() ? QByteArrayList() : field.split('\n'))
        split.push_back(line.toStdString());
    return split;
}

} // namespace case_file
