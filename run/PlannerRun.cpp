#include "run/PlannerRun.h"

#include "files/FileStamp.h"
#include "platform/Cp1250.h"
#include "platform/Language.h"
#include "platform/MessageBoxes.h"
#include "platform/Processes.h"
#include "platform/Texts.h"
#include "profile/OutputFileName.h"

#include <QApplication>
#include <QFile>
#include <QPointer>
#include <QWidget>

namespace planner_run {
namespace {

const QString kPlanner = QStringLiteral("korax.exe");
const QString kViewer = QStringLiteral("notepad.exe");
const QString kOwnViewer = QStringLiteral("trova-plan");
const QString kUpdateTissueSwitch = QStringLiteral("-s");

// The window takes no input while the planner runs. Keys, clicks and close requests given
// meanwhile wait in the queue; they are delivered to the still disabled window, which drops
// them, so none of them presses or closes anything after the run. The controls keep their own
// enabled states: only the window's is changed.
class InputClosed {
public:
    explicit InputClosed(QWidget& closedWindow)
        : window(closedWindow)
        , focused(closedWindow.focusWidget())
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        window.setEnabled(false);
    }
    ~InputClosed()
    {
        QApplication::sync();
        window.setEnabled(true);
        if (focused)
            focused->setFocus();
        QApplication::restoreOverrideCursor();
    }
    InputClosed(const InputClosed&) = delete;
    InputClosed& operator=(const InputClosed&) = delete;

private:
    QWidget& window;
    QPointer<QWidget> focused;
};

// Why the plan of this run is not there to show; empty when it is. An unchanged file after a
// normal end is taken as written: a rewrite in place within one tick of a coarse clock looks so.
QString planMissing(const processes::RunResult& run, bool planUnchanged, const QString& planFile)
{
    using Outcome = processes::RunResult::Outcome;
    switch (run.outcome) {
    case Outcome::notFound:
        return language::text(texts::kPlannerNotFound).arg(planFile);
    case Outcome::cannotStart:
        return language::text(texts::kPlannerCannotStart).arg(planFile);
    case Outcome::crashed:
        return language::text(texts::kPlannerCrashed).arg(planFile);
    case Outcome::exited:
        break;
    }
    if (planUnchanged && run.exitCode != 0)
        return language::text(texts::kPlannerFailed).arg(planFile, QString::number(run.exitCode));
    return {};
}

} // namespace

void runPlannerAndShowPlan(QWidget& window, bool updateTissueFile, const QString& planFile)
{
    if (planFile.isEmpty()) {
        messages::showMessage(&window, language::text(texts::kErrorCaption), language::text(texts::kNoPlanFile));
        return;
    }
    const std::string plan = QFile::encodeName(planFile).toStdString();
    const platform::FileStamp before = platform::stampOf(plan);
    processes::RunResult run {};
    {
        const InputClosed closed(window);
        run = processes::runAndWait(kPlanner, updateTissueFile ? QStringList { kUpdateTissueSwitch } : QStringList {});
    }
    const QString missing = planMissing(run, platform::stampOf(plan) == before, planFile);
    if (!missing.isEmpty()) {
        messages::showMessage(&window, language::text(texts::kErrorCaption), missing);
        return;
    }
    processes::startViewer(kViewer, kOwnViewer, planFile);
}

void deleteOlderOutputs(int runCounter, const std::string& baseName)
{
    if (leavesTheFolder(baseName))
        return;
    for (int run = 1; run <= runCounter - 2; ++run)
        QFile::remove(cp1250::toUnicode(outputFileName(run, baseName)));
}

} // namespace planner_run
