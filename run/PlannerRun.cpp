#include "run/PlannerRun.h"

#include "platform/Cp1250.h"
#include "platform/Processes.h"
#include "profile/OutputFileName.h"

#include <QApplication>
#include <QFile>

namespace planner_run {
namespace {

const QString kPlanner = QStringLiteral("korax.exe");
const QString kViewer = QStringLiteral("notepad.exe");
const QString kOwnViewer = QStringLiteral("trova-plan");
const QString kUpdateTissueSwitch = QStringLiteral("-s");

// The window takes no input while the planner runs; the cursor says so.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace

void runPlannerAndShowPlan(bool updateTissueFile, const QString& planFile)
{
    {
        const WaitCursor waiting;
        processes::runAndWait(kPlanner, updateTissueFile ? QStringList { kUpdateTissueSwitch } : QStringList {});
    }
    processes::startViewer(kViewer, kOwnViewer, planFile);
}

void deleteOlderOutputs(int runCounter, const std::string& baseName)
{
    for (int run = 1; run <= runCounter - 2; ++run)
        QFile::remove(cp1250::toUnicode(outputFileName(run, baseName)));
}

} // namespace planner_run
