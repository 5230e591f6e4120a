// The plan file as the diver reads it: Czech or English text in Windows-1250 with CR LF line ends.
#pragma once

#include "files/UiLanguage.h"
#include "planner/Plan.h"
#include "planner/Settings.h"

#include <string>
#include <string_view>
#include <vector>

namespace korax {

inline constexpr const char* kVersion = "1.0";

// plan is null when the settings could not be planned; problems are then the reasons.
std::string planFileText(const Settings& settings, const Plan* plan, const std::vector<Problem>& problems,
    ui_language::Language language = ui_language::Language::Czech);

// Whether bytes begin with the first line of a plan file that korax writes ("KORAX <version> –
// plán ponoru ..."), so that an existing file is known as an earlier plan of its own.
bool isPlanFileText(std::string_view bytes);

} // namespace korax
