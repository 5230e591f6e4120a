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
    case platform::RegularRead::Unreadable:
        document.error = viewer_texts::unreadableFile(name);
        return document;
    }
    document.text = cp1250::toUnicode(file.bytes);
    document.table = plan_table::readPlanTable(file.bytes);
    return document;
}
