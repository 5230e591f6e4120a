#include "platform/Cp1250.h"

#include "files/Cp1250Text.h"

// The widgets speak Unicode through UTF-8; the one Windows-1250 table lives in Cp1250Text.
namespace cp1250 {

QString toUnicode(std::string_view bytes)
{
    return QString::fromStdString(cp1250ToUtf8(bytes));
}

std::string fromUnicode(const QString& text)
{
    return utf8ToCp1250(text.toStdString());
}

bool canEncode(const QString& text)
{
    return toUnicode(fromUnicode(text)) == text;
}

} // namespace cp1250
