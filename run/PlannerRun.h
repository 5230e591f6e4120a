// The steps of a compute press that reach outside the window: the planner, the viewer,
// the numbered output files.
#pragma once

#include <QString>

#include <string>

class QWidget;

namespace planner_run {

// Runs korax.exe from the working directory and waits for it without handling events
// (with "-s" when the tissue file is to be updated); input given to the window meanwhile is
// dropped. Opens the plan in the viewer only when this run wrote it; otherwise, and for an
// empty name, a message over the window says why and nothing (more) is started.
void runPlannerAndShowPlan(QWidget& window, bool updateTissueFile, const QString& planFile);

// Deletes the outputs of runs 1 .. runCounter - 2, so the newest stays; failures are ignored.
void deleteOlderOutputs(int runCounter, const std::string& baseName);

} // namespace planner_run
