// Files and child processes as the tests meet them.
#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// A file's bytes, "<missing>" when it cannot be read.
QByteArray bytesOf(const QString& path);

// Writes a file whole; false when it could not.
bool writeBytes(const QString& path, const QByteArray& bytes);

// A child process run to its end in folder: its exit code (-1 when it crashed or hung) and output.
struct Finished {
    int exitCode;
    QByteArray out;
    QByteArray err;
};
Finished runProgram(const QString& program, const QStringList& arguments, const QString& folder,
    const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment());
