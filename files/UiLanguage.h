// The language T/ROVA speaks: Czech, or English for a desktop in any other language. One rule for
// the window, the viewer and the planner, so the three agree. No Qt.
#pragma once

#include <string_view>

namespace ui_language {

enum class Language { Czech, English };

// The variable that overrides the desktop: "cs" or "en" (anything else is passed over).
inline constexpr char kOverrideVariable[] = "TROVA_LANG";

// override: the value of TROVA_LANG ("" when unset); locale: the messages locale's name ("C",
// "cs_CZ.UTF-8", ...; "" when unset); firstLanguage: the desktop's first preferred language
// ("en", "de-DE", ...; "" when none is given beside the locale). Czech under the C or POSIX locale,
// whatever language list stands beside it, and for Czech or Slovak; English for anything else.
Language choose(std::string_view override, std::string_view locale, std::string_view firstLanguage);

// The same rule over the process's environment in the POSIX order: TROVA_LANG; the locale is the
// first set of LC_ALL, LC_MESSAGES and LANG; the first language is the first entry of LANGUAGE.
Language fromEnvironment();

// "cs" or "en", the value of TROVA_LANG that keeps a child process in the same language.
const char* overrideValue(Language language);

} // namespace ui_language
