// The journal of an in-place save: before a file is rewritten where it stands, what it held and
// what is being written go to a flushed journal, so a save cut by a kill or a power loss can be
// undone at the next start. The format and the recovery are portable (SaveJournal.cpp,
// SaveRecovery.cpp); the few system calls are in SaveJournalPosix.cpp, one file per system.
#pragma once

#include "files/FileReplace.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// One save of one file. The file is named by its path as the save resolved it (absolute,
// symlinks followed) and by its identity on the file system: device and inode (on Windows the
// volume serial number and the file index), so a journal is never applied to another file that
// later took the name.
struct SaveJournal {
    std::string path;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::string oldBytes;
    std::string newBytes;

    bool operator==(const SaveJournal&) const = default;
};

// The journal as stored: a header line, the fields each with its length, and an end line
// carrying a checksum of every byte before it:
//   TROVA-JOURNAL 1\n
//   path <length>\n<bytes>\n
//   device <decimal>\n
//   inode <decimal>\n
//   old <length>\n<bytes>\n
//   new <length>\n<bytes>\n
//   end <FNV-1a 64 of all the above, 16 lowercase hex digits>\n
std::string journalText(const SaveJournal& journal);

// The journal a stored text holds; empty unless the text is complete to its end line, its
// checksum matches and nothing follows it: a journal cut while it was written is never used.
std::optional<SaveJournal> parseJournal(std::string_view text);

// The journal's first fields, read without its body: enough to tell whose journal it is. Empty
// when even they are incomplete.
struct JournalHeader {
    std::string path;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
};
std::optional<JournalHeader> parseJournalHeader(std::string_view text);
// The most bytes a header can take: its fields' names and numbers, and a path.
inline constexpr std::size_t kJournalHeaderLimit = 64 * 1024;

// Whether now is what the journal's in-place save can leave when it is cut: a prefix of the
// new bytes, then the old bytes from there on, or NULs where the file was reserved beyond them.
// A file holding anything else is another file, whatever its name and identity.
bool isCutStateOf(std::string_view now, const SaveJournal& journal);

// The journal folder's names and order, the same on every system: a journal ends in ".journal",
// one set aside in ".kept" instead.
inline constexpr std::string_view kJournalEnd = ".journal";
bool isJournalName(std::string_view name);
// The name a journal is set aside to; empty when journalPath names no journal.
std::string asideNameOf(std::string_view journalPath);

// A journal file found in the folder, with its modification time as one number.
struct FoundJournal {
    std::string path;
    std::uint64_t modified = 0;
};
// Their paths, oldest first (by time, then by name), so the oldest cut save is offered first.
std::vector<std::string> oldestFirst(std::vector<FoundJournal> found);

// ---- Per system (SaveJournalPosix.cpp) ----
//
// Journals live in the writer's private journal folder: $XDG_CACHE_HOME/trova (else
// $HOME/.cache/trova), created with mode 0700, the writer's own and closed to others. A journal
// is named "<file name>.XXXXXX.journal"; one set aside ends in ".kept" instead and is never
// looked at again.

// Writes the journal to a new file in the journal folder and flushes it and its folder entry.
// Returns its path, or an empty text when no flushed journal could be made.
std::string writeJournal(const SaveJournal& journal);

// Every "*.journal" file in the journal folder that is a regular file of the writer's own,
// oldest first (by modification time, then by name). Their contents are not checked here.
std::vector<std::string> journalFiles();

// Removes a journal and flushes the folder entry; false when it could not be removed.
bool removeJournal(const std::string& journalPath);

// Renames a journal so that its name ends in ".kept" instead of ".journal"; returns the new
// path, or an empty text when it could not be renamed.
std::string setJournalAside(const std::string& journalPath);

// ---- Recovery (SaveRecovery.cpp) ----

// A save that was cut: the file still has the journal's identity and holds what a cut of that
// save leaves (isCutStateOf), neither the old nor the new bytes.
struct CutSave {
    std::string journalPath;
    SaveJournal journal;
    std::string found; // the file's bytes when the journal was found
};

// Settles the journals of the file at path before it is read; only each journal's header is
// read unless it names the file. A journal whose save ended (the file holds exactly its old or
// its new bytes) is removed without a word, and so is a partial one (cut while it was
// written, before the file was touched). A journal of the path whose file now has another
// identity, or holds what its save cannot leave, is set aside. Returns the oldest journal whose
// save was cut. Journals of other files, and unreadable ones, are left alone.
std::optional<CutSave> findCutSave(const std::string& path);

// Whether the file is still as findCutSave found it: the same identity and bytes. A restore
// asked for later (after a question) writes nothing when it is not.
bool isStillAsFound(const CutSave& cut);

// Writes the journal's old bytes back to the file by the same safe path as any save, then
// removes the journal. The journal stays when the write fails.
ReplaceResult restoreCutSave(const CutSave& cut);

// Leaves the cut file as it is and sets the journal aside; returns the journal's new path, or
// an empty text when it could not be renamed.
std::string keepCutFile(const CutSave& cut);

// Removes every journal whose header names target (a path as saveTarget gives it): after a
// save that succeeded, none of them speaks for the file any more.
void removeJournalsOf(const std::string& target);

} // namespace platform
