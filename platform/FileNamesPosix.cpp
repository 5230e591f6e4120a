#include "FileNames.h"

#include "Cp1250Table.h"

namespace platform {
namespace {

void appendUtf8(std::string& out, char16_t code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

}  // namespace

std::string nativeFileName(std::string_view cp1250Name)
{
    std::string name;
    name.reserve(cp1250Name.size());
    for (const char byte : cp1250Name) {
        const auto code = static_cast<unsigned char>(byte);
        appendUtf8(name, code < 0x80 ? char16_t(code) : cp1250::kUpperHalf[code - 0x80u]);
    }
    return name;
}

}  // namespace platform
