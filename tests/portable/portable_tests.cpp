// The profile store's cases (in memory and on files), the save journal's recovery cases, the
// language rule and the planner's golden plans, without Qt, in a temporary folder, on every system the Qt-free
// part is built for (Windows under wine64).
//   portable_tests DATA_FOLDER store|journal|language|planner
// One runner; the parts are store.cpp, journal.cpp, language.cpp and plans.cpp.
#include "tests/portable/PortableTest.h"

#include <iostream>

int main(int argc, char* argv[])
{
    using namespace portable;
    if (argc != 3) {
        std::cerr << "usage: portable_tests DATA_FOLDER store|journal|language|planner\n";
        return 2;
    }
    const fs::path data = pathOf(argv[1]);
    const std::string part = argv[2];
    try {
        if (part == "store")
            storeCases(data);
        else if (part == "journal")
            journalCases(data);
        else if (part == "language")
            languageRule(data);
        else
            goldenPlans(data);
    } catch (const std::exception& error) {
        fail(error.what());
    }
    return report(part) ? 0 : 1;
}
