// The save journal: its text read back only when whole, and the start-up recovery over it.
#include "files/FileStamp.h"
#include "files/SaveJournal.h"
#include "tests/portable/PortableTest.h"

#include <fstream>

namespace portable {
namespace {

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

} // namespace

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

} // namespace portable
