#include "planformat/PlanFindings.h"

#include "files/Cp1250Text.h"
#include "planformat/PlanFormat.h"

namespace plan_findings {

Findings readFindings(std::string_view bytes)
{
    using namespace plan_format;
    static const std::string warningsHeading = cp1250::utf8ToCp1250(kWarningsHeading);
    static const std::string problemsHeading = cp1250::utf8ToCp1250(kProblemsHeading);
    static const std::string none = cp1250::utf8ToCp1250(kNoEntries);
    Findings findings;
    std::vector<std::string>* list = nullptr; // the list whose entries follow
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        if (line == warningsHeading || line == problemsHeading) {
            list = line == warningsHeading ? &findings.warnings : &findings.problems;
            list->clear();
            findings.listed = true;
            continue;
        }
        if (list == nullptr)
            continue;
        if (!line.starts_with(kListIndent)) {
            list = nullptr;
            continue;
        }
        line.remove_prefix(kListIndent.size());
        if (line != none)
            list->push_back(cp1250::cp1250ToUtf8(line));
    }
    return findings;
}

} // namespace plan_findings
