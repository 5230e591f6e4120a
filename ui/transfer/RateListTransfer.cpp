#include "ui/transfer/RateListTransfer.h"

#include "platform/Cp1250.h"
#include "platform/Hints.h"
#include "profile/ProfileText.h"

#include <QPlainTextEdit>
#include <QStringList>
#include <QTextBlock>

#include <algorithm>

void LoadRateList(TProfile& profile, QPlainTextEdit& memo, std::string_view key)
{
    memo.clear();
    std::vector<std::string> entries { profile.GetValue(key) };
    hints::setHint(memo, profile.GetComment());
    for (std::string entry = profile.GetNext(); entry != kMissingValue; entry = profile.GetNext())
        entries.push_back(std::move(entry));
    // Blank entries are never stored, so a key holding only blank ones would vanish at the first
    // save and come back as "0" at the next start: show the "0" of a missing key at once.
    if (std::all_of(
            entries.begin(), entries.end(), [](const std::string& entry) { return profile_text::trim(entry).empty(); }))
        entries = { std::string(kMissingValue) };
    QStringList shown;
    for (const std::string& entry : entries)
        shown.append(cp1250::toUnicode(entry));
    // One paragraph per entry, also when the first entry is empty.
    memo.setPlainText(shown.join(u'\n'));
}

// Read block by block: toPlainText() would turn no-break spaces into blanks.
std::vector<std::string> RateListLines(const QPlainTextEdit& memo)
{
    std::vector<std::string> lines;
    for (QTextBlock block = memo.document()->begin(); block.isValid(); block = block.next()) {
        // Shift+Enter breaks the line inside one paragraph; to the user it is a line end.
        const QStringList typed = block.text().split(QChar::LineSeparator);
        for (const QString& line : typed)
            lines.push_back(cp1250::fromUnicode(line));
    }
    return lines;
}
