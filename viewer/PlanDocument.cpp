#include "viewer/PlanDocument.h"

#include "platform/Cp1250.h"

#include <QFile>
#include <QFileInfo>

PlanDocument loadPlan(const QString& name)
{
    PlanDocument document;
    document.name = name;
    if (name.isEmpty()) {
        document.error = QStringLiteral("Není zadán žádný soubor s plánem: jméno souboru je prázdné.");
        return document;
    }
    const QFileInfo info(name);
    if (!info.exists()) {
        document.error = QStringLiteral("Soubor s plánem „%1“ neexistuje.").arg(name);
        return document;
    }
    QFile file(name);
    QByteArray bytes;
    if (!info.isDir() && file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    if (!file.isOpen() || file.error() != QFileDevice::NoError) {
        document.error = QStringLiteral("Soubor s plánem „%1“ nelze přečíst.").arg(name);
        return document;
    }
    const std::string_view view(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    document.text = cp1250::toUnicode(view);
    document.table = plan_table::readPlanTable(view);
    return document;
}

QString planTitle(const QString& name)
{
    return QStringLiteral("%1 – plán ponoru").arg(name);
}
