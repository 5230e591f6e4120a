// The profile store's cases: profiles in memory (how bytes become lines, lookups, lists, hints,
// the stop distance) and saves of real files, where nothing the user had may be lost.
#include "files/FileReplace.h"
#include "profile/ProfileText.h"
#include "profile/StopDistance.h"
#include "profile/TProfile.h"
#include "tests/portable/PortableTest.h"

#include <fstream>

namespace portable {
namespace {

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
        // The planner reads its lists (AscentRate: lines) line by line by the same rule.
        const std::vector<std::string> listed = profile_text::valuesOf(profile.Lines(), "Rmv:");
        expect(listed == (index < 0 ? std::vector<std::string> {} : std::vector { cases.value(row, "value") }),
            row.name, "valuesOf");
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
        // A refused save reports what failed as data: the file, the cause and the system's code.
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

} // namespace

void storeCases(const fs::path& data)
{
    storeLookups(data);
    storeFiles(data);
}

} // namespace portable
