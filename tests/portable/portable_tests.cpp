// The profile store's cases (in memory and on files), the save journal's recovery cases and
// the planner's golden plans, without Qt, in a temporary folder, on every system the Qt-free
// part is built for (Windows under wine64).
//   portable_tests DATA_FOLDER store|journal|planner
//
// tests/data/planner/golden holds profile.dat files (NAME.dat) with the plan file (NAME.plan)
// and the --json output (NAME.json) korax gave for them; a stale plan file stands in the folder
// and the *.tissues files beside them are copied in. Run with KORAX_GOLDEN_WRITE=1 to write the
// outputs of new NAME.dat files (then read the diff before committing it).
#include "files/FileReplace.h"
#include "files/FileStamp.h"
#include "files/SaveJournal.h"
#include "planner/Korax.h"
#include "profile/ProfileText.h"
#include "profile/StopDistance.h"
#include "profile/TProfile.h"
#include "tests/support/CaseTable.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <random>
#include <sstream>

namespace fs = std::filesystem;

namespace {

int passed = 0;
int failed = 0;
bool caseFailed = false;

void expect(bool ok, const std::string& name, const std::string& what)
{
    if (ok)
        return;
    std::cout << "FAIL " << name << ": " << what << "\n";
    caseFailed = true;
}

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

// One case in a new empty folder that is the working folder while it runs.
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

TProfile profileOf(const std::string& lines)
{
    return TProfile("mem", cases::joinLines(cases::splitLines(lines)));
}

// Profiles held in memory: how bytes become lines, lookups, lists, hints and the stop distance.
void storeLookups(const fs::path& data)
{
    using cases::splitLines;
    forEachRow(data, "store/line_ends.txt", [](const auto& cases, const auto& row) {
        const TProfile profile("profile.dat", cases.value(row, "text"));
        expect(profile.Lines() == splitLines(cases.value(row, "lines")), row.name, "lines");
        profile.Save();
        expect(bytesOf("profile.dat") == cases.value(row, "written"), row.name, "written");
    });
    forEachRow(data, "store/key_lines.txt", [](const auto& cases, const auto& row) {
        TProfile profile = profileOf(cases.value(row, "lines"));
        const int index = std::stoi(cases.value(row, "index"));
        expect(profile.Find("Rmv:") == index, row.name, "Find");
        expect(profile.GetValue("Rmv:") == cases.value(row, "value"), row.name, "GetValue");
        expect(profile.LastIndex() == index, row.name, "LastIndex");
        expect(profile.GetBool("Rmv:") == (cases.value(row, "flag") == "y"), row.name, "GetBool");
    });
    forEachRow(data, "store/edited_lookups.txt", [](const auto& cases, const auto& row) {
        TProfile profile = profileOf(cases.value(row, "lines"));
        const std::vector<std::string> keys = cases::split(cases.value(row, "keys"), ' ');
        for (const std::string& key : keys)
            profile.Find(key);
        for (const std::string& edit : cases::split(cases.value(row, "edits"), ';')) {
            const std::size_t verbEnd = edit.find(' ');
            const std::size_t keyEnd = edit.find(' ', verbEnd + 1);
            const std::string verb = edit.substr(0, verbEnd);
            const std::string key = edit.substr(verbEnd + 1, keyEnd - verbEnd - 1);
            const std::string value = keyEnd == std::string::npos ? "" : edit.substr(keyEnd + 1);
            if (verb == "set")
                profile.SetValue(key, value);
            else if (verb == "values")
                profile.SetValues(key, cases::split(value, ','));
            else
                profile.SetProfileLines({ edit.substr(verbEnd + 1) });
            const std::string saved = profile.Save();
            expect(saved == cases::joinLines(profile.Lines()), row.name, edit + ": saved");
            const TProfile fresh("mem", saved);
            for (const std::string& looked : keys) {
                std::vector<std::size_t> walked;
                for (int at = profile.Find(looked); at >= 0; at = profile.FindFrom(looked, at))
                    walked.push_back(static_cast<std::size_t>(at));
                expect(walked == fresh.KeyLines(looked), row.name, edit + ": line by line " + looked);
                expect(profile.Find(looked) == fresh.Find(looked), row.name, edit + ": Find " + looked);
                expect(profile.KeyLines(looked) == fresh.KeyLines(looked), row.name, edit + ": KeyLines " + looked);
            }
        }
    });
    forEachRow(data, "store/set_values.txt", [](const auto& cases, const auto& row) {
        TProfile profile = profileOf(cases.value(row, "lines"));
        profile.SetValues("R:", splitLines(cases.value(row, "list")));
        expect(profile.Lines() == splitLines(cases.value(row, "result")), row.name, "lines");
    });
    forEachRow(data, "store/hints.txt", [](const auto& cases, const auto& row) {
        TProfile profile = profileOf(cases.value(row, "lines"));
        profile.GetValue("Rmv:");
        expect(profile.GetComment() == cases.value(row, "hint"), row.name, "hint");
    });
    forEachRow(data, "store/stop_distance.txt", [](const auto& cases, const auto& row) {
        const auto read = readStopDistance(cases.value(row, "text"));
        expect((read ? std::to_string(*read) : "") == cases.value(row, "value"), row.name, "value");
    });
    // Every key line's value, in file order: the planner's reading of repeated keys.
    inFolder("repeated keys", [] {
        const std::vector<std::string> rates { "AscentRate: 45-6, 9", "30, 5, air", "# AscentRate: no",
            " AscentRate:  6-0, 3", "xAscentRate: 1", "AscentRate: 3-0, 1" };
        expect(
            profile_text::valuesOf(rates, "AscentRate:") == std::vector<std::string> { "45-6, 9", "6-0, 3", "3-0, 1" },
            "repeated keys", "values in file order");
    });
}

// Saving real files, where nothing the user had may be lost.
void storeFiles(const fs::path& data)
{
    forEachRow(data, "store/saved_bytes.txt", [](const auto& cases, const auto& row) {
        expect(platform::replaceFileContents("profile.dat", cases.value(row, "file")).written, row.name, "written");
        TProfile profile("profile.dat");
        profile.SetValue("Rmv:", "25");
        profile.Save();
        expect(bytesOf("profile.dat") == cases.value(row, "saved"), row.name, "saved bytes");
        expect(std::distance(fs::directory_iterator("."), fs::directory_iterator()) == 1, row.name, "one file left");
    });
    // A read-only file (no write bit; the read-only attribute on Windows) is refused and kept.
    inFolder("read-only profile.dat", [] {
        std::ofstream("profile.dat", std::ios::binary) << "Rmv: 20\r\n";
        fs::permissions("profile.dat", fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
            fs::perm_options::remove);
        TProfile profile("profile.dat");
        profile.SetValue("Rmv:", "25");
        expect(throws<ProfileSaveError>([&] { profile.Save(); }), "read-only profile.dat", "save refused");
        expect(bytesOf("profile.dat") == "Rmv: 20\r\n", "read-only profile.dat", "bytes kept");
        expect(std::distance(fs::directory_iterator("."), fs::directory_iterator()) == 1, "read-only", "one file left");
        fs::permissions("profile.dat", fs::perms::owner_write, fs::perm_options::add);
        profile.Save(); // the lines were kept for a later try
        expect(bytesOf("profile.dat") == "Rmv: 25\r\n", "read-only profile.dat", "saved once writable");
    });
    // Many saves' edits in one session: the replaced lines' texts are dropped, nothing else.
    inFolder("long session", [] {
        const std::string tail("\0 after NUL", 11);
        std::ofstream("profile.dat", std::ios::binary) << "# R\r\nRmv: 20\r\nR: 1\r\n" << tail;
        TProfile profile("profile.dat");
        for (int i = 0; i < 1000; ++i) {
            profile.SetValue("Rmv:", std::to_string(i));
            profile.SetValues("R:", { std::to_string(i), "x" });
        }
        const TProfile moved(std::move(profile));
        expect(moved.ValueOf("Rmv:") == "999" && moved.KeyLines("R:") == std::vector<std::size_t> { 2, 3 },
            "long session", "lookups");
        moved.Save();
        expect(bytesOf("profile.dat") == "# R\r\nRmv: 999\r\nR: 999\r\nR: x\r\n" + tail, "long session", "saved");
    });
    inFolder("missing or folder", [] {
        const auto opening = [] { TProfile("profile.dat"); };
        expect(throws<ProfileOpenError>(opening), "missing profile.dat", "open error");
        fs::create_directory("profile.dat");
        expect(throws<ProfileOpenError>(opening), "profile.dat a folder", "open error");
    });
    // A refused save reports what failed as data: the file, the cause and the system's code.
    inFolder("save refused as data", [] {
        fs::create_directory("profile.dat");
        TProfile profile("profile.dat", "Rmv: 20\r\n");
        try {
            profile.Save();
            expect(false, "profile.dat a folder", "save refused");
        } catch (const ProfileSaveError& error) {
            expect(error.fileName() == "profile.dat" && !error.failure() && error.failure().systemError != 0
                    && !error.failure().systemText.empty(),
                "profile.dat a folder", "failure as data");
        }
    });
}

// The journal of an in-place save and the start-up recovery over it, in the journal folder of
// the system: $XDG_CACHE_HOME/trova, %LOCALAPPDATA%\\trova.
const std::string kOld = std::string("Rmv: 20\r\nend\0tail", 18);
const std::string kNew = "Rmv: 25\r\n";
const std::string kCut = std::string("Rmv: 25\r\nnd\0tail", 17);

// A save of profile.dat in the working folder from kOld to kNew, as the save would journal it.
platform::SaveJournal journalOfProfile()
{
    const platform::FileStamp stamp = platform::stampOf("profile.dat");
    return { platform::saveTarget("profile.dat"), stamp.device, stamp.inode, kOld, kNew };
}

// The journals of this folder's profile.dat; the folder may hold other files' journals too.
std::vector<std::string> journalsOfProfile()
{
    std::vector<std::string> own;
    const std::string target = platform::saveTarget("profile.dat");
    for (const std::string& journal : platform::journalFiles()) {
        const auto read = platform::parseJournal(bytesOf(pathOf(journal)));
        if (journal.find("profile.dat") != std::string::npos && (!read || read->path == target))
            own.push_back(journal);
    }
    return own;
}

void write(const std::string& path, const std::string& bytes)
{
    std::ofstream(pathOf(path), std::ios::binary) << bytes;
}

void journalCases(const fs::path& data)
{
    // A journal reads back as written, with an end line and an empty field among its bytes; any
    // cut, any changed byte and any byte after the end line make the text no journal.
    inFolder("only a whole journal is read", [] {
        const std::string name = "whole journal";
        const platform::SaveJournal journal { "/a/profile.dat", 2049, 1234567, kOld + "\nend 0\n", "" };
        const std::string text = platform::journalText(journal);
        expect(platform::parseJournal(text) == journal, name, "read back");
        for (std::size_t size = 0; size < text.size(); ++size)
            expect(!platform::parseJournal(text.substr(0, size)), name, "cut at " + std::to_string(size));
        for (std::size_t at = 0; at < text.size(); ++at) {
            std::string changed = text;
            changed[at] = static_cast<char>(changed[at] ^ 0x01);
            expect(!platform::parseJournal(changed), name, "byte " + std::to_string(at) + " changed");
        }
        expect(!platform::parseJournal(text + "\n"), name, "a byte after the end line");
    });
    forEachRow(data, "store/journals.txt", [](const auto& cases, const auto& row) {
        const std::string& file = cases.value(row, "file");
        write("profile.dat", file == "old" ? kOld : file == "new" ? kNew : kCut);
        platform::SaveJournal journal = journalOfProfile();
        const std::string& kind = cases.value(row, "journal");
        if (kind == "other path")
            journal.path = platform::saveTarget("other.dat");
        if (kind == "other inode")
            ++journal.inode;
        const std::string written = platform::writeJournal(journal);
        expect(!written.empty(), row.name, "journal written");
        if (kind == "partial")
            write(written, platform::journalText(journal).substr(0, 40));
        const auto cut = platform::findCutSave("profile.dat");
        expect(cut.has_value() == (cases.value(row, "offered") == "y"), row.name, "offered");
        expect(!cut || cut->journal == journal, row.name, "the journal offered");
        const bool kept = fs::exists(pathOf(written));
        expect(kept == (cases.value(row, "kept") == "y"), row.name, "journal kept");
        expect(bytesOf("profile.dat") != "<missing>", row.name, "profile.dat kept");
        if (kept)
            platform::removeJournal(written);
    });
    inFolder("a cut save restored", [] {
        write("profile.dat", kCut);
        expect(!platform::writeJournal(journalOfProfile()).empty(), "restore", "journal written");
        const auto cut = platform::findCutSave("profile.dat");
        expect(cut && platform::restoreCutSave(*cut).written, "restore", "restored");
        expect(bytesOf("profile.dat") == kOld && journalsOfProfile().empty(), "restore", "old bytes, no journal");
    });
    inFolder("a cut file kept", [] {
        write("profile.dat", kCut);
        const std::string journal = platform::writeJournal(journalOfProfile());
        const auto cut = platform::findCutSave("profile.dat");
        const std::string aside = cut ? platform::keepCutFile(*cut) : std::string();
        expect(aside == journal.substr(0, journal.size() - 8) + ".kept", "keep", "set aside as .kept");
        expect(platform::parseJournal(bytesOf(pathOf(aside))) == journalOfProfile(), "keep", "the journal aside");
        expect(
            bytesOf("profile.dat") == kCut && !platform::findCutSave("profile.dat"), "keep", "file kept, not offered");
        fs::remove(pathOf(aside));
    });
}

// korax as T/ROVA runs it in its folder, with a stale plan of an earlier run there.
void goldenPlans(const fs::path& data)
{
    const fs::path golden = data / "planner" / "golden";
    std::vector<fs::path> settings;
    for (const fs::directory_entry& entry : fs::directory_iterator(golden)) {
        if (entry.path().extension() == ".dat")
            settings.push_back(entry.path());
    }
    std::sort(settings.begin(), settings.end());
    inFolder("golden", [&] { expect(settings.size() >= 30, "golden", "the golden plans are missing"); });
    for (const fs::path& dat : settings) {
        inFolder(utf8Of(dat.filename()), [&] {
            const std::string name = utf8Of(dat.filename());
            fs::copy_file(dat, "profile.dat");
            std::ofstream("plan.out", std::ios::binary) << "old plan of an earlier run";
            for (const fs::directory_entry& entry : fs::directory_iterator(golden)) {
                if (entry.path().extension() == ".tissues")
                    fs::copy_file(entry.path(), entry.path().filename());
            }
            std::ostringstream out;
            std::ostringstream err;
            const int status = korax::runKorax({ "--json" }, out, err);
            fs::path expected = dat;
            if (std::getenv("KORAX_GOLDEN_WRITE") != nullptr) {
                std::ofstream(expected.replace_extension(".json"), std::ios::binary) << out.str();
                fs::copy_file("plan.out", expected.replace_extension(".plan"), fs::copy_options::overwrite_existing);
                return;
            }
            const std::string json = bytesOf(expected.replace_extension(".json"));
            expect(status == (json.find("\"problems\":[]") != std::string::npos ? 0 : 2), name, "exit status");
            expect(bytesOf("plan.out") == bytesOf(expected.replace_extension(".plan")), name, "plan file");
            expect(out.str() == json, name, "JSON");
        });
    }
    // A plan name in Windows-1250 reaches the file system as the same characters.
    inFolder("Windows-1250 plan name", [] {
        std::ofstream("profile.dat", std::ios::binary) << "45, 25, 21/35\r\nPlanFile: pl\xe1n\x9a.out\r\n";
        std::ostringstream out;
        korax::runKorax({}, out, out);
        expect(fs::exists(fs::path(u8"plánš.out")), "Windows-1250 plan name", "plánš.out written");
    });
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::cerr << "usage: portable_tests DATA_FOLDER store|journal|planner\n";
        return 2;
    }
    const fs::path data = pathOf(argv[1]);
    const std::string part = argv[2];
    try {
        if (part == "store") {
            storeLookups(data);
            storeFiles(data);
        } else if (part == "journal")
            journalCases(data);
        else
            goldenPlans(data);
    } catch (const std::exception& error) {
        std::cout << "FAIL: " << error.what() << "\n";
        ++failed;
    }
    std::cout << part << ": " << passed << " passed, " << failed << " failed\n";
    return failed == 0 && passed > 0 ? 0 : 1;
}
