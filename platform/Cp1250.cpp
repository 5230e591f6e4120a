#include "Cp1250.h"

#include "Cp1250Table.h"

#include <QHash>

namespace cp1250 {
namespace {

const QHash<char16_t, char>& upperHalfBytes()
{
    static const QHash<char16_t, char> bytes = [] {
        QHash<char16_t, char> table;
        for (std::size_t i = 0; i < kUpperHalf.size(); ++i)
            table.insert(kUpperHalf[i], static_cast<char>(0x80 + i));
        return table;
    }();
    return bytes;
}

bool encodeOne(QChar c, char& byte)
{
    const char16_t code = c.unicode();
    if (code < 0x80) {
        byte = static_cast<char>(code);
        return true;
    }
    const auto found = upperHalfBytes().constFind(code);
    if (found == upperHalfBytes().constEnd())
        return false;
    byte = *found;
    return true;
}

}  // namespace

QString toUnicode(std::string_view bytes)
{
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char byte : bytes) {
        const auto code = static_cast<unsigned char>(byte);
        text.append(QChar(code < 0x80 ? char16_t(code) : kUpperHalf[code - 0x80u]));
    }
    return text;
}

std::string fromUnicode(const QString& text)
{
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar c : text) {
        char byte = '?';
        encodeOne(c, byte);
        bytes += byte;
    }
    return bytes;
}

bool canEncode(const QString& text)
{
    char byte = 0;
    for (const QChar c : text) {
        if (!encodeOne(c, byte))
            return false;
    }
    return true;
}

}  // namespace cp1250
