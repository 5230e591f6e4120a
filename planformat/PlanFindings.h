// The warnings and problems a plan file lists at its end ("Varování:", "Problémy:", or in English
// "Warnings:", "Problems:"), read from its Windows-1250 bytes without Qt, so that the viewer can
// show them before the plan.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace plan_findings {

struct Findings {
    bool listed = false; // the text holds either list, also an empty one
    std::vector<std::string> warnings; // UTF-8, one entry each
    std::vector<std::string> problems;
};

Findings readFindings(std::string_view bytes);

} // namespace plan_findings
