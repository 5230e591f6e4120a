#include "StandIns.h"

#include <QDir>
#include <QFile>

namespace standins {
namespace {

void install(const QString& from, const QString& folder, const QString& name)
{
    const QString target = QDir(folder).filePath(name);
    QFile::remove(target);
    QFile::copy(from, target);
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

QStringList callsIn(const QString& folder, const QString& log)
{
    QFile file(QDir(folder).filePath(log));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
}

}  // namespace

void installPlanner(const QString& folder)
{
    install(QStringLiteral(TROVA_STANDIN_PLANNER), folder, QStringLiteral("korax.exe"));
}

void installViewer(const QString& folder)
{
    install(QStringLiteral(TROVA_STANDIN_VIEWER), folder, QStringLiteral("notepad.exe"));
}

QStringList plannerCalls(const QString& folder)
{
    return callsIn(folder, QStringLiteral("planner-calls.log"));
}

QStringList viewerCalls(const QString& folder)
{
    return callsIn(folder, QStringLiteral("viewer-calls.log"));
}

}  // namespace standins
