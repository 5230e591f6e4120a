#include "platform/Processes.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
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
    // The wait runs an event loop, so the windows keep painting and answer the desktop's pings
    // (a long plan never shows them as not responding); the caller's windows are disabled,
    // so the input that arrives meanwhile is dropped.
    QEventLoop waiting;
    QObject::connect(&process, &QProcess::finished, &waiting, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &waiting, [&process, &waiting] {
        if (process.state() == QProcess::NotRunning)
            waiting.quit();
    });
    process.start(path, arguments);
    if (process.state() != QProcess::NotRunning)
        waiting.exec();
    // An application told to quit meanwhile ends every loop: the planner still gets its end.
    if (process.state() != QProcess::NotRunning && !process.waitForFinished(-1))
        return { Outcome::crashed, 0 };
    if (process.error() == QProcess::FailedToStart)
        return { Outcome::cannotStart, 0 };
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
