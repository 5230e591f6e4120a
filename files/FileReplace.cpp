// The steps of a durable save, the same on every system; the calls are in FileReplaceCalls.h.
#include "files/FileReplace.h"

#include "files/FileReplaceCalls.h"
#include "files/RegularFile.h"
#include "files/SaveJournal.h"

#include <algorithm>

namespace platform {
namespace {

constexpr std::string_view kTemporaryMark = ".trova-";
constexpr std::size_t kUniqueLength = 6;

ReplaceResult failed(int error)
{
    return { false, failureOf(error), calls::systemText(error), {}, error, {} };
}

ReplaceResult succeeded()
{
    return { true, SaveFailure::none, {}, {}, 0, {} };
}

std::string temporaryPrefix(const std::string& target)
{
    // Appended in turn: GCC 12 warns falsely (-Wrestrict) about "." + std::string.
    std::string prefix = ".";
    return prefix.append(calls::baseNameOf(target)).append(kTemporaryMark);
}

bool isLeftTemporary(std::string_view name, const std::string& prefix)
{
    if (name.size() != prefix.size() + kUniqueLength || name.substr(0, prefix.size()) != prefix)
        return false;
    return std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(),
        [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); });
}

// Puts the old bytes back over what a failed write may have changed.
bool restore(calls::OpenFile file, std::string_view old, std::size_t overwritten)
{
    std::size_t written = 0;
    return calls::writeFromStart(file, old.substr(0, overwritten), written) && calls::resize(file, old.size())
        && calls::flush(file);
}

// The file is changed where it stands, so a flushed journal of the save comes first: whatever
// happens during the rewrite, the next start can tell a cut save and undo it. The journal goes
// when the file holds the new or the old bytes again.
ReplaceResult rewriteInPlace(const std::string& target, std::string_view bytes)
{
    const calls::OpenFile file = calls::openForRewrite(target);
    if (file == calls::kNoFile)
        return failed(calls::lastError());
    std::string old;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::string journal;
    if (calls::identityOf(file, device, inode) && calls::readToEnd(file, old))
        journal = writeJournal({ target, device, inode, old, std::string(bytes) });
    if (journal.empty()) {
        const int error = calls::lastError();
        calls::close(file);
        return failed(error);
    }

    std::size_t written = 0;
    int error = bytes.size() <= old.size() ? 0 : calls::reserve(file, bytes.size());
    bool done = reservationLetsWrite(error);
    if (done) {
        done = calls::writeFromStart(file, bytes, written) && calls::resize(file, bytes.size()) && calls::flush(file);
        error = calls::lastError();
    }
    ReplaceResult result = done ? succeeded() : failed(error);
    if (done || restore(file, old, std::min(written, old.size())))
        removeJournal(journal);
    else
        result.keptJournal = journal;
    calls::close(file); // the flush has reported any write-back failure
    return result;
}

ReplaceResult replaceThroughTemporary(calls::OpenFile file, const std::string& temporary, const std::string& target,
    const calls::TargetFile& old, std::string_view bytes)
{
    std::size_t written = 0;
    bool flushed = calls::writeFromStart(file, bytes, written) && calls::keepMode(file, old) && calls::flush(file);
    int error = flushed ? 0 : calls::lastError();
    if (!calls::close(file) && flushed) {
        error = calls::lastError();
        flushed = false;
    }
    if (flushed && !calls::replaceWith(temporary, target)) {
        error = calls::lastError();
        flushed = false;
    }
    if (!flushed) {
        calls::remove(temporary);
        return failed(error);
    }
    return succeeded();
}

} // namespace

ReplaceResult replaceFileContents(const std::string& path, std::string_view bytes)
{
    if (std::string link = untrustedLinkOf(path); !link.empty()) {
        return { false, SaveFailure::untrustedLink, {}, {}, 0, std::move(link) };
    }
    const std::string target = saveTarget(path);
    calls::TargetFile old;
    if (const int refusal = calls::checkTarget(target, old); refusal != 0)
        return failed(refusal);

    // Journals of this file that no longer speak for it are settled before it changes again,
    // so that none of them is later taken for a cut of this save.
    if (old.exists)
        findCutSave(target);

    const std::string folder = calls::folderOf(target);
    const std::string prefix = temporaryPrefix(target);
    std::string temporary;
    const calls::OpenFile file = calls::createTemporary(folder, prefix, temporary);
    bool inPlace = false;
    if (file == calls::kNoFile) {
        const int error = calls::lastError();
        if (!old.exists || routeWithoutTemporary(error) == SaveRoute::Refuse)
            return failed(error);
        inPlace = true;
    } else if (old.exists && !calls::keepOwners(file, old)) {
        calls::close(file);
        calls::remove(temporary);
        inPlace = true;
    }

    const ReplaceResult result
        = inPlace ? rewriteInPlace(target, bytes) : replaceThroughTemporary(file, temporary, target, old, bytes);
    if (result) {
        calls::removeOwnFiles(folder, [&prefix](std::string_view name) { return isLeftTemporary(name, prefix); });
        // A journal left by an earlier cut save of this file would otherwise be taken, at the
        // next start, for a cut of the bytes just written.
        removeJournalsOf(target);
    }
    return result;
}

bool readFileContents(const std::string& path, std::string& bytes)
{
    // Never opened and waited on: a named pipe, a device or a folder at the name is no file to read.
    RegularFileContents contents = readRegularFile(path);
    if (contents.status != RegularRead::Read)
        return false;
    bytes = std::move(contents.bytes);
    return true;
}

} // namespace platform
