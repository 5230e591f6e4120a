// The steps of a compute press that reach outside the window: the planner, the viewer,
// the numbered output files.
#pragma once

#include <QString>

#include <string>

namespace planner_run {

// Runs korax.exe from the working directory and waits for it without handling events
// (with "-s" when the tissue file is to be updated), then opens the plan in the viewer.
// Neither the planner's nor the viewer's outcome is examined.
void runPlannerAndShowPlan(bool updateTissueFile, const QString& planFile);

// Deletes the outputs of runs 1 .. runCounter - 2, so the newest stays; failures are ignored.
void deleteOlderOutputs(int runCounter, const std::string& baseName);

} // namespace planner_run
