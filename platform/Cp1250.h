// Windows-1250 bytes <-> QString, used only where text enters or leaves a widget.
#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace cp1250 {

// Every byte maps to one character; the five bytes the code page leaves undefined map to
// the C1 controls of the same value, so every byte string comes back unchanged.
QString toUnicode(std::string_view bytes);

// The inverse of toUnicode; a character the code page cannot hold becomes '?'.
std::string fromUnicode(const QString& text);

// Whether fromUnicode would keep every character of text.
bool canEncode(const QString& text);

} // namespace cp1250
