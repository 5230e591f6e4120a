#include "RateListTransfer.h"

#include "Cp1250.h"
#include "Hints.h"

#include <QPlainTextEdit>
#include <QStringList>
#include <QTextBlock>

void LoadRateList(TProfile& profile, QPlainTextEdit& memo, std::string_view key)
{
    memo.clear();
    QStringList entries { cp1250::toUnicode(profile.GetValue(key)) };
    hints::setHint(memo, profile.GetComment());
    for (std::string entry = profile.GetNext(); entry != kMissingValue; entry = profile.GetNext())
        entries.append(cp1250::toUnicode(entry));
    // One paragraph per entry, also when the first entry is empty.
    memo.setPlainText(entries.join(u'\n'));
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
