#include "files/FileStamp.h"
#include "files/SaveJournal.h"

#include <fstream>

namespace platform {
namespace {

// A journal's first bytes, enough for its header: a start looks at every journal in the folder,
// and most hold the bytes of other files.
std::string headOf(const std::string& journalPath)
{
    std::ifstream in(journalPath, std::ios::binary);
    std::string head(kJournalHeaderLimit, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(in.gcount()));
    return head;
}

bool sameFile(const JournalHeader& header, const FileStamp& file)
{
    return header.device == file.device && header.inode == file.inode;
}

} // namespace

std::optional<CutSave> findCutSave(const std::string& path)
{
    const std::string target = saveTarget(path);
    const FileStamp file = stampOf(target);
    std::string now;
    bool read = false; // the file is read only when a journal names it
    std::optional<CutSave> cut;
    for (const std::string& journalPath : journalFiles()) {
        const std::optional<JournalHeader> header = parseJournalHeader(headOf(journalPath));
        if (!header || header->path != target)
            continue; // another file's, or one that cannot say whose: not ours to touch
        if (!read && !(file.exists && readFileContents(target, now)))
            return std::nullopt;
        read = true;
        std::string text;
        const std::optional<SaveJournal> journal
            = readFileContents(journalPath, text) ? parseJournal(text) : std::nullopt;
        if (!journal) {
            // Cut while it was written: the file was not touched yet, as a rewrite begins only
            // after its journal is whole and flushed.
            removeJournal(journalPath);
        } else if (!sameFile(*header, file) || !isCutStateOf(now, *journal)) {
            // Another file took the name or the identity (a copy after a removal often gets the
            // freed inode), or a later save rewrote it: the journal no longer speaks for it.
            setJournalAside(journalPath);
        } else if (now == journal->oldBytes || now == journal->newBytes) {
            removeJournal(journalPath); // the save ended; a journal that cannot go is harmless
        } else if (!cut) {
            cut = CutSave { journalPath, *journal, now };
        }
    }
    return cut;
}

bool isStillAsFound(const CutSave& cut)
{
    const FileStamp file = stampOf(cut.journal.path);
    std::string now;
    return file.exists && file.device == cut.journal.device && file.inode == cut.journal.inode
        && readFileContents(cut.journal.path, now) && now == cut.found;
}

ReplaceResult restoreCutSave(const CutSave& cut)
{
    ReplaceResult result = replaceFileContents(cut.journal.path, cut.journal.oldBytes);
    if (result)
        removeJournal(cut.journalPath);
    return result;
}

std::string keepCutFile(const CutSave& cut)
{
    return setJournalAside(cut.journalPath);
}

void removeJournalsOf(const std::string& target)
{
    for (const std::string& journalPath : journalFiles()) {
        const std::optional<JournalHeader> header = parseJournalHeader(headOf(journalPath));
        if (header && header->path == target)
            removeJournal(journalPath);
    }
}

} // namespace platform
