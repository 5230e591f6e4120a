#include "files/FileNames.h"

#include "files/Cp1250Text.h"

namespace platform {

std::string nativeFileName(std::string_view cp1250Name)
{
    return cp1250::cp1250ToUtf8(cp1250Name);
}

} // namespace platform
