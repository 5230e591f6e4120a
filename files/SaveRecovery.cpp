#include "files/FileStamp.h"
#include "files/SaveJournal.h"

namespace platform {

std::optional<CutSave> findCutSave(const std::string& path)
{
    const std::string target = saveTarget(path);
    const FileStamp file = stampOf(target);
    std::string now;
    if (!file.exists || !readFileContents(target, now))
        return std::nullopt;
    std::optional<CutSave> cut;
    for (const std::string& journalPath : journalFiles()) {
        std::string text;
        if (!readFileContents(journalPath, text))
            continue;
        const std::optional<SaveJournal> journal = parseJournal(text);
        if (!journal || journal->path != target || journal->device != file.device || journal->inode != file.inode)
            continue;
        if (now == journal->oldBytes || now == journal->newBytes)
            removeJournal(journalPath); // the save ended; a journal that cannot go is harmless
        else if (!cut)
            cut = CutSave { journalPath, *journal };
    }
    return cut;
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

} // namespace platform
