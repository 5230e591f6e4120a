// Starting the planner and the viewer: argument vectors, never a shell line.
#pragma once

#include <QString>
#include <QStringList>

namespace processes {

// How a run of a program ended.
struct RunResult {
    enum class Outcome { notFound, cannotStart, exited, crashed };
    Outcome outcome;
    int exitCode; // only for exited
};

// Runs the program found under exactly this name in the working directory (no PATH search)
// and returns when it ends; meanwhile events are processed, so that windows keep painting.
// The caller disables its windows for the run, so that no input acts on them.
RunResult runAndWait(const QString& program, const QStringList& arguments);

// Starts the viewer on the file and returns at once: program from the working directory or
// along PATH, else ownViewer from the folder of this executable. Where neither exists, the
// file is opened with the desktop's own application for it; an empty name then opens
// nothing. Failures are silent: the caller ignores them.
void startViewer(const QString& program, const QString& ownViewer, const QString& fileName);

} // namespace processes
