// The texts of problems and warnings, for the plan file (Czech or English) and the JSON (Czech),
// UTF-8.
#pragma once

#include "files/RegularFile.h"
#include "files/UiLanguage.h"
#include "planner/Findings.h"
#include "planner/LengthUnit.h"

#include <string>

namespace korax {

std::string problemText(
    const Problem& problem, const LengthUnit& unit, ui_language::Language language = ui_language::Language::Czech);
// For stderr when profile.dat cannot be read (missing, or why one that is there is not read):
// the window's words, with the name as given.
std::string profileNotReadText(const std::string& fileName, platform::RegularRead cause,
    ui_language::Language language = ui_language::Language::Czech);
std::string warningText(
    const Warning& warning, const LengthUnit& unit, ui_language::Language language = ui_language::Language::Czech);

// The JSON name of a warning's kind.
const char* warningKindName(WarningKind kind);

} // namespace korax
