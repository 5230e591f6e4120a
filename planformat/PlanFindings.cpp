#include "planformat/PlanFindings.h"

#include "files/Cp1250Text.h"
#include "planformat/PlanFormat.h"

#include <array>

namespace plan_findings {
namespace {

using namespace plan_format;

// A language's list headings and empty entry as the file holds them (Windows-1250).
struct ListWords {
    std::string warnings;
    std::string problems;
    std::string none;
};

const std::array<ListWords, kTableLanguages.size()>& listWords()
{
    static const std::array<ListWords, kTableLanguages.size()> words = [] {
        std::array<ListWords, kTableLanguages.size()> bytes;
        for (std::size_t language = 0; language < kTableLanguages.size(); ++language) {
            const TableWords& table = *kTableLanguages[language];
            bytes[language] = { cp1250::utf8ToCp1250(table.warningsHeading),
                cp1250::utf8ToCp1250(table.problemsHeading), cp1250::utf8ToCp1250(table.noEntries) };
        }
        return bytes;
    }();
    return words;
}

} // namespace

Findings readFindings(std::string_view bytes)
{
    Findings findings;
    std::vector<std::string>* list = nullptr; // the list whose entries follow
    const ListWords* language = &listWords().front(); // of the list's heading
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        const ListWords* heading = nullptr; // the language of the line, when it is a list's heading
        for (const ListWords& words : listWords()) {
            if (line == words.warnings || line == words.problems)
                heading = &words;
        }
        if (heading != nullptr) {
            language = heading;
            list = line == heading->warnings ? &findings.warnings : &findings.problems;
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
        if (line != language->none)
            list->push_back(cp1250::cp1250ToUtf8(line));
    }
    return findings;
}

} // namespace plan_findings
