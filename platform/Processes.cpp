#include "platform/Processes.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace processes {
namespace {

bool isProgram(const QString& path)
{
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}

// The working directory first, then every PATH entry; an empty entry means the working directory.
QString findAlongPath(const QString& program)
{
    const QString local = QDir::current().absoluteFilePath(program);
    if (isProgram(local))
        return local;
    const QStringList entries = qEnvironmentVariable("PATH").split(QDir::listSeparator());
    for (const QString& entry : entries) {
        const QString candidate = QDir(entry.isEmpty() ? QDir::currentPath() : entry).absoluteFilePath(program);
        if (isProgram(candidate))
            return candidate;
    }
    return {};
}

} // namespace

RunResult runAndWait(const QString& program, const QStringList& arguments)
{
    using Outcome = RunResult::Outcome;
    const QString path = QDir::current().absoluteFilePath(program);
    if (!QFileInfo::exists(path))
        return { Outcome::notFound, 0 };
    if (!isProgram(path))
        return { Outcome::cannotStart, 0 };
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(path, arguments);
    if (!process.waitForFinished(-1))
        return { process.error() == QProcess::FailedToStart ? Outcome::cannotStart : Outcome::crashed, 0 };
    if (process.exitStatus() != QProcess::NormalExit)
        return { Outcome::crashed, 0 };
    return { Outcome::exited, process.exitCode() };
}

void startViewer(const QString& program, const QString& ownViewer, const QString& fileName)
{
    QString viewer = findAlongPath(program);
    if (viewer.isEmpty()) {
        const QString beside = QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(ownViewer);
        if (isProgram(beside))
            viewer = beside;
    }
    if (!viewer.isEmpty()) {
        QProcess::startDetached(viewer, { fileName });
        return;
    }
    if (!fileName.isEmpty())
        QDesktopServices::openUrl(QUrl::fromLocalFile(QDir::current().absoluteFilePath(fileName)));
}

} // namespace processes
