// The plan's texts in the language of the run: Czech, the source, or English.
#pragma once

#include "files/UiLanguage.h"

namespace korax {

using ui_language::Language;

// A Czech text of the plan in the language: the text itself in Czech, else its English.
const char* tr(Language language, const char* czech);

} // namespace korax
