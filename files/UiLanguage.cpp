#include "files/UiLanguage.h"

#include <cstdlib>

namespace ui_language {
namespace {

// "cs", "cs_CZ.UTF-8", "cs-CZ", "sk@euro": the language code up to its first separator.
std::string_view languageCode(std::string_view name)
{
    return name.substr(0, name.find_first_of("_-.@"));
}

bool isCLocale(std::string_view locale)
{
    const std::string_view code = languageCode(locale);
    return code.empty() || code == "C" || code == "POSIX";
}

std::string_view variable(const char* name)
{
    const char* value = std::getenv(name);
    return value == nullptr ? std::string_view() : std::string_view(value);
}

} // namespace

Language choose(std::string_view override, std::string_view locale, std::string_view firstLanguage)
{
    if (override == "cs")
        return Language::Czech;
    if (override == "en")
        return Language::English;
    if (isCLocale(locale))
        return Language::Czech;
    const std::string_view code = languageCode(firstLanguage.empty() ? locale : firstLanguage);
    return code == "cs" || code == "sk" ? Language::Czech : Language::English;
}

Language fromEnvironment()
{
    std::string_view locale;
    for (const char* name : { "LC_ALL", "LC_MESSAGES", "LANG" }) {
        locale = variable(name);
        if (!locale.empty())
            break;
    }
    const std::string_view languages = variable("LANGUAGE");
    return choose(variable(kOverrideVariable), locale, languages.substr(0, languages.find(':')));
}

const char* overrideValue(Language language)
{
    return language == Language::English ? "en" : "cs";
}

} // namespace ui_language
