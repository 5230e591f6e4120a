// The save journal: its text read back only when whole, and the start-up recovery over it.
#include "files/FileStamp.h"
#include "files/SaveJournal.h"
#include "tests/portable/PortableTest.h"

#include <chrono>
#include <fstream>

namespace portable {
namespace {

// The journal of an in-place save and the start-up recovery over it, in the journal folder of
// the system: $XDG_CACHE_HOME/trova, %LOCALAPPDATA%\\trova.
const std::string kOld = std::string("Rmv: 20\r\nend\0tail", 18);
const std::string kNew = "Rmv: 25\r\n";
// What a save from kOld to kNew leaves when it is cut after its write, before the file is cut short.
const std::string kCut = std::string("Rmv: 25\r\nend\0tail", 18);

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
        write("profile.dat", file == "old" ? kOld : file == "new" ? kNew : file == "cut" ? kCut : file);
        platform::SaveJournal journal = journalOfProfile();
        const std::string& kind = cases.value(row, "journal");
        if (kind == "other path")
            journal.path = platform::saveTarget("other.dat");
        if (kind == "other inode")
            ++journal.inode;
        if (kind == "growing")
            std::swap(journal.oldBytes, journal.newBytes);
        const std::string written = platform::writeJournal(journal);
        expect(!written.empty(), row.name, "journal written");
        const std::string whole = platform::journalText(journal);
        if (kind.starts_with("partial")) // the end line and a part of the bytes missing, or most of the header
            write(written, whole.substr(0, kind == "partial header" ? 20 : whole.size() - 30));
        const std::string before = bytesOf("profile.dat");
        const auto cut = platform::findCutSave("profile.dat");
        expect(cut.has_value() == (cases.value(row, "offered") == "y"), row.name, "offered");
        expect(!cut || cut->journal == journal, row.name, "the journal offered");
        const bool kept = fs::exists(pathOf(written));
        const std::string aside = platform::asideNameOf(written);
        expect(kept == (cases.value(row, "kept") == "y"), row.name, "journal kept");
        expect(fs::exists(pathOf(aside)) == (cases.value(row, "aside") == "y"), row.name, "journal set aside");
        expect(bytesOf("profile.dat") == before, row.name, "profile.dat kept");
        if (kept)
            platform::removeJournal(written);
        fs::remove(pathOf(aside));
    });
    inFolder("a cut save restored", [] {
        write("profile.dat", kCut);
        expect(!platform::writeJournal(journalOfProfile()).empty(), "restore", "journal written");
        const auto cut = platform::findCutSave("profile.dat");
        expect(cut && platform::restoreCutSave(*cut).written, "restore", "restored");
        expect(bytesOf("profile.dat") == kOld && journalsOfProfile().empty(), "restore", "old bytes, no journal");
    });
    // Of several cut saves the oldest is offered: its old bytes are the file before any of them.
    inFolder("oldest cut save first", [] {
        write("profile.dat", kCut);
        platform::SaveJournal later = journalOfProfile();
        later.newBytes = "Rmv: 25\r\nend";
        const std::string newer = platform::writeJournal(later);
        const std::string older = platform::writeJournal(journalOfProfile());
        fs::last_write_time(pathOf(older), fs::last_write_time(pathOf(newer)) - std::chrono::seconds(5));
        const auto cut = platform::findCutSave("profile.dat");
        expect(cut && cut->journalPath == older, "oldest", "the older journal offered");
    });
    // A restore that fails (the file became read-only) says so and keeps its journal, which the
    // next start offers again.
    inFolder("a failed restore", [] {
        write("profile.dat", kCut);
        const std::string journal = platform::writeJournal(journalOfProfile());
        const auto cut = platform::findCutSave("profile.dat");
        fs::permissions("profile.dat", fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
            fs::perm_options::remove);
        expect(cut && !platform::restoreCutSave(*cut).written, "failed restore", "reported");
        expect(
            bytesOf("profile.dat") == kCut && fs::exists(pathOf(journal)), "failed restore", "file and journal kept");
        fs::permissions("profile.dat", fs::perms::owner_write, fs::perm_options::add);
        expect(platform::findCutSave("profile.dat").has_value(), "failed restore", "offered again");
    });
    // A save that succeeds leaves no journal of the file (here: of two cut saves); another
    // file's journal stays.
    inFolder("a save removes the file's journals", [] {
        write("profile.dat", kCut);
        platform::writeJournal(journalOfProfile());
        platform::writeJournal(journalOfProfile());
        platform::SaveJournal other = journalOfProfile();
        other.path = platform::saveTarget("other.dat");
        const std::string othersJournal = platform::writeJournal(other);
        expect(platform::replaceFileContents("profile.dat", kNew).written, "save", "saved");
        expect(
            journalsOfProfile().empty() && fs::exists(pathOf(othersJournal)), "save", "only the file's journals gone");
        platform::removeJournal(othersJournal);
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
