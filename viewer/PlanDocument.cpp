#include "viewer/PlanDocument.h"

#include "files/RegularFile.h"
#include "platform/Cp1250.h"
#include "viewer/ViewerTexts.h"

#include <QFile>

PlanDocument loadPlan(const QString& name)
{
    PlanDocument document;
    document.name = name;
    if (name.isEmpty()) {
        document.error = viewer_texts::noFileName();
        return document;
    }
    const platform::RegularFileContents file = platform::readRegularFile(QFile::encodeName(name).toStdString());
    switch (file.status) {
    case platform::RegularRead::Read:
        break;
    case platform::RegularRead::Missing:
        document.error = viewer_texts::missingFile(name);
        return document;
    case platform::RegularRead::NotRegular:
        document.error = viewer_texts::notARegularFile(name);
        return document;
    case platform::RegularRead::TooLarge: // no limit is asked for here
    case platform::RegularRead::Unreadable:
        document.error = viewer_texts::unreadableFile(name);
        return document;
    }
    std::string_view shown = file.bytes;
    if (std::ssize(shown) > kShownBytes) {
        // Whole lines only: up to the last line end within the limit.
        const std::size_t lineEnd = shown.rfind('\n', static_cast<std::size_t>(kShownBytes) - 1);
        shown
            = shown.substr(0, lineEnd == std::string_view::npos ? static_cast<std::size_t>(kShownBytes) : lineEnd + 1);
    }
    document.fileBytes = std::ssize(file.bytes);
    document.omittedBytes = document.fileBytes - std::ssize(shown);
    document.text = cp1250::toUnicode(shown);
    document.table = plan_table::readPlanTable(shown);
    // A table cut by the limit would chart a dive that ends in mid-water.
    if (document.table && document.omittedBytes > 0 && !document.table->ended)
        document.table.reset();
    document.findings = plan_findings::readFindings(shown);
    return document;
}
