#include "tests/portable/PortableTest.h"

#include "files/FileReplace.h"

#include <iostream>
#include <random>

namespace portable {
namespace {

int passed = 0;
int failed = 0;
bool caseFailed = false;

} // namespace

void expect(bool ok, const std::string& name, const std::string& what)
{
    if (ok)
        return;
    std::cout << "FAIL " << name << ": " << what << "\n";
    caseFailed = true;
}

std::string utf8Of(const fs::path& path)
{
    const std::u8string text = path.u8string();
    return { text.begin(), text.end() };
}

fs::path pathOf(const std::string& utf8)
{
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string bytesOf(const fs::path& path)
{
    std::string bytes;
    return platform::readFileContents(utf8Of(path), bytes) ? bytes : "<missing>";
}

void inFolder(const std::string& name, const std::function<void()>& test)
{
    static std::mt19937 generator { std::random_device {}() };
    const fs::path folder = fs::temp_directory_path() / ("trova-portable-" + std::to_string(generator()));
    const fs::path before = fs::current_path();
    fs::create_directories(folder);
    fs::current_path(folder);
    caseFailed = false;
    try {
        test();
    } catch (const std::exception& error) {
        expect(false, name, std::string("exception: ") + error.what());
    }
    fs::current_path(before);
    fs::remove_all(folder);
    ++(caseFailed ? failed : passed);
}

void forEachRow(const fs::path& data, const std::string& table,
    const std::function<void(const cases::CaseTable&, const cases::CaseRow&)>& test)
{
    const cases::CaseTable cases = cases::readCaseTable(utf8Of(data / table));
    for (const cases::CaseRow& row : cases.rows)
        inFolder(table + ": " + row.name, [&] { test(cases, row); });
}

void fail(const std::string& what)
{
    std::cout << "FAIL: " << what << "\n";
    ++failed;
}

bool report(const std::string& part)
{
    std::cout << part << ": " << passed << " passed, " << failed << " failed\n";
    return failed == 0 && passed > 0;
}

} // namespace portable
