// The language rule that the window, the viewer and the planner share, over its case table.
#include "files/UiLanguage.h"
#include "tests/portable/PortableTest.h"

namespace portable {

void languageRule(const fs::path& data)
{
    forEachRow(data, "language/rule.txt", [](const cases::CaseTable& cases, const cases::CaseRow& row) {
        const ui_language::Language chosen
            = ui_language::choose(cases.value(row, "override"), cases.value(row, "locale"), cases.value(row, "first"));
        expect(ui_language::overrideValue(chosen) == cases.value(row, "language"), row.name, "language");
    });
}

} // namespace portable
