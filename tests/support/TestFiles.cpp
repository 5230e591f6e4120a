#include "tests/support/TestFiles.h"

#include <QFile>
#include <QProcess>

namespace {

// A bound for a hang, not a speed limit: under the sanitizers the viewer takes over a minute to
// print the 1,500 pages of the longest plan it shows.
constexpr int kProgramTimeoutMs = 300000;

} // namespace

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

Finished runProgram(
    const QString& program, const QStringList& arguments, const QString& folder, const QProcessEnvironment& environment)
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    const bool ended = process.waitForFinished(kProgramTimeoutMs) && process.exitStatus() == QProcess::NormalExit;
    return { ended ? process.exitCode() : -1, process.readAllStandardOutput(), process.readAllStandardError() };
}
