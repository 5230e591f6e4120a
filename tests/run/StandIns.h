// Puts the stand-in planner and viewer where the window looks for the real ones.
#pragma once

#include <QString>
#include <QStringList>

namespace standins {

// Copies the stand-in planner into folder as korax.exe.
void installPlanner(const QString& folder);

// Copies the stand-in viewer into folder as notepad.exe.
void installViewer(const QString& folder);

// The calls a stand-in recorded in folder, one "argc=N|arg|arg" line per start.
QStringList plannerCalls(const QString& folder);
QStringList viewerCalls(const QString& folder);

}  // namespace standins
