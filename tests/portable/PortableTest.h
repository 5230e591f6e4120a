// What the parts of portable_tests share: the checks' tally, a case in a folder of its own,
// the case tables, and files read and named as the file layer does (UTF-8 paths).
#pragma once

#include "tests/support/CaseTable.h"

#include <filesystem>
#include <functional>
#include <string>

namespace portable {

namespace fs = std::filesystem;

// Marks the running case failed when ok is false, naming the case and the check.
void expect(bool ok, const std::string& name, const std::string& what);

// Whether the action ends with an Error.
template <typename Error> bool throws(const std::function<void()>& action)
{
    try {
        action();
    } catch (const Error&) {
        return true;
    }
    return false;
}

// The file layer's paths are UTF-8 on every system.
std::string utf8Of(const fs::path& path);
fs::path pathOf(const std::string& utf8);
// The file's bytes, or "<missing>".
std::string bytesOf(const fs::path& path);

// One case in a new empty folder that is the working folder while it runs.
void inFolder(const std::string& name, const std::function<void()>& test);

// Every row of a case table under data, each as a case of its own.
void forEachRow(const fs::path& data, const std::string& table,
    const std::function<void(const cases::CaseTable&, const cases::CaseRow&)>& test);

// A failure outside any case.
void fail(const std::string& what);
// Prints the part's tally; whether every case passed and there was one.
bool report(const std::string& part);

// The parts.
void storeCases(const fs::path& data);
void journalCases(const fs::path& data);
void languageRule(const fs::path& data);
void goldenPlans(const fs::path& data);

} // namespace portable
