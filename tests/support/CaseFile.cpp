#include "tests/support/CaseFile.h"

#include <QFile>

namespace case_file {

QByteArray unescape(QByteArrayView field)
{
    static const QByteArray from = "\\rnt0", to = QByteArray("\\\r\n\t\0", 5);
    QByteArray bytes;
    for (qsizetype i = 0; i < field.size(); ++i) {
        const qsizetype simple = i + 1 < field.size() && field[i] == '\\' ? from.indexOf(field[i + 1]) : -1;
        if (field[i] != '\\')
            bytes += field[i];
        else if (simple >= 0)
            bytes += to[simple], ++i;
        else if (field.sliced(i + 1).startsWith('x') && i + 3 < field.size())
            bytes += char(field.sliced(i + 2, 2).toByteArray().toUInt(nullptr, 16)), i += 3;
        else
            qFatal("bad escape in \"%s\"", field.toByteArray().constData());
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
