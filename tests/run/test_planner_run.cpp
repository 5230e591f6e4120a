// The compute button for real: the stand-in planner in the working folder, the stand-in
// viewer on PATH, the numbered outputs, a plan this run did not write, edits of profile.dat by
// another program, and the clean-up on leaving.
#include "files/FileStamp.h"
#include "run/PlannerRun.h"
#include "tests/support/WindowFixture.h"

#include <QDesktopServices>
#include <QtTest>

#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kLeaveQuestion("T/ROVA|Soubor profile.dat nelze uložit. Zavřít bez uložení?|4");
const QByteArray kProfile("StopDistance: 3\r\nPlanFile: plan.out\r\nSurfaceInterval: 900:00\r\n45,25,21/35\r\n");

} // namespace

// Writes one byte into the named pipe "painted" when the window paints while it is disabled,
// as it is for a planner run; the pipe's reader, the stand-in planner, must be there.
class PaintReporter : public QObject {
public:
    explicit PaintReporter(QWidget& watchedWindow)
        : window(watchedWindow)
    {
        window.installEventFilter(this);
    }

    bool sent = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == &window && event->type() == QEvent::Paint && !window.isEnabled() && !sent) {
            const int fd = ::open("painted", O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            sent = fd >= 0 && ::write(fd, "p", 1) == 1;
            if (fd >= 0)
                ::close(fd);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget& window;
};

class UrlRecorder : public QObject {
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened.append(url); }
};

class PlannerRunTest : public QObject {
    Q_OBJECT

    QTemporaryDir plannerEntry; // a korax.exe along PATH, which must never run
    QTemporaryDir viewerEntry;
    const QByteArray savedPath = qgetenv("PATH");

private slots:
    void initTestCase()
    {
        QVERIFY(QFile::copy(TROVA_STANDIN, plannerEntry.filePath("korax.exe")));
        QVERIFY(QFile::copy(TROVA_STANDIN, viewerEntry.filePath("notepad.exe")));
    }
    void init()
    {
        qputenv("PATH", (plannerEntry.path() + ':' + viewerEntry.path() + ':').toLocal8Bit() + savedPath);
        qunsetenv("STANDIN_PLANNER");
    }

    // Each run's output name, numbered from 1, to the planner (in profile.dat) and the viewer;
    // the planner's switch "-s" only with both ticks. Run by Enter, as "&Výpočet" on a settings page.
    void eachRunGetsItsNameAndSwitch_data() { cases::addRows("run/numbering.txt"); }
    void eachRunGetsItsNameAndSwitch()
    {
        const OpenWindow open(cases::cell("profile"));
        QVERIFY(QFile::copy(TROVA_STANDIN, "korax.exe"));
        open.control<QCheckBox>("chbRepetitiveDives").setChecked(cases::yes("repetitive"));
        open.control<QCheckBox>("chbUpdateTissue").setChecked(cases::yes("update"));
        open.control<QTabWidget>("PageControl1").setCurrentIndex(0);
        QStringList viewed;
        for (int run = 1; run <= 10; ++run) {
            const QString name = QString::number(run) + cases::text("base");
            QCOMPARE(open.control<QLineEdit>("edOutputFile").text(), name);
            QTest::keyClick(&open.control<QLineEdit>("edAltitude"), Qt::Key_Return);
            QVERIFY(QFile::exists(name)); // the planner saw the name in profile.dat
            viewed << "argc=1|" + name;
            // Viewers start detached: wait for each before the next, whose log could come first.
            QTRY_COMPARE(callsOf("notepad.exe"), viewed);
        }
        QCOMPARE(callsOf("korax.exe"), QStringList(10, cases::text("call")));
    }

    // Only a plan this run wrote is shown (here by the desktop, no viewer on PATH), whatever the
    // exit code; so is an unchanged plan after a normal end, which a coarse clock can hide a
    // rewrite in. Else a box says why, and an older plan of the name is not shown as new.
    void showsOnlyAPlanThisRunWrote_data() { cases::addRows("run/plans.txt"); }
    void showsOnlyAPlanThisRunWrote()
    {
        qputenv("PATH", (plannerEntry.path() + ':').toLocal8Bit() + savedPath);
        const OpenWindow open(kProfile);
        const QString plan = cases::text("typed");
        // As long as the stand-in's, which rewrites it in place with the same size.
        QVERIFY(!cases::yes("old") || writeBytes(plan, "old!\r\n"));
        const QByteArray planner = cases::cell("planner");
        if (planner == "folder")
            QVERIFY(QDir().mkdir("korax.exe"));
        else if (!planner.isEmpty())
            QVERIFY(QFile::copy(planner == "profile.dat" ? "profile.dat" : TROVA_STANDIN, "korax.exe")
                && QFile::setPermissions("korax.exe",
                    QFile::ReadOwner | (planner == "not executable" ? QFile::ReadOwner : QFile::ExeOwner)));
        qputenv("STANDIN_PLANNER", cases::cell("how"));
        open.control<QLineEdit>("edOutputFile").setText(plan);
        UrlRecorder desktop;
        QDesktopServices::setUrlHandler("file", &desktop, "open");
        ModalWatcher watcher;
        open.compute();
        QDesktopServices::unsetUrlHandler("file");
        QCOMPARE(open.control<QLineEdit>("edOutputFile").text(), QStringLiteral("2plan.out"));
        QCOMPARE(QFile::exists("profile.seen"), cases::yes("runs"));
        const bool shown = cases::cell("box").isEmpty();
        QCOMPARE(watcher.seen, shown ? QStringList {} : QStringList { "Chyba|" + cases::text("box") + "|0" });
        QCOMPARE(desktop.opened,
            shown ? QList<QUrl> { QUrl::fromLocalFile(QDir::current().absoluteFilePath(plan)) } : QList<QUrl> {});
        QVERIFY(!shown || bytesOf(plan) == "plan\r\n");
    }

    // A press whose store or save fails starts nothing; closing then fails the same way and,
    // after a failed save, asks whether to leave. The field keeps the next run's name.
    void failedSaveStartsNothing_data() { cases::addRows("run/failed-save.txt"); }
    void failedSaveStartsNothing()
    {
        const OpenWindow open(cases::cell("profile"));
        QVERIFY(QFile::copy(TROVA_STANDIN, "korax.exe"));
        open.control<QCheckBox>("chDeleteFiles").setChecked(true);
        const int runs = cases::cell("runs").toInt();
        for (int run = 0; run < runs; ++run)
            open.compute();
        const QByteArray saved = bytesOf("profile.dat");
        QVERIFY(!cases::yes("readOnly") || QFile::setPermissions("profile.dat", QFile::ReadOwner));
        ModalWatcher watcher(pressing(cases::text("answer")));
        open.compute();
        open.window->close();
        QCOMPARE(watcher.seen,
            QStringList(2, cases::text("caption") + '|' + cases::text("box") + '|' + cases::text("icon"))
                + (cases::yes("readOnly") ? QStringList { kLeaveQuestion } : QStringList()));
        QCOMPARE(open.window->isVisible(), !cases::yes("closes"));
        if (!cases::yes("closes"))
            QCOMPARE(open.control<QLineEdit>("edOutputFile").text(), QString::number(runs + 1) + "plan.out");
        QCOMPARE(bytesOf("profile.dat"), saved);
        QCOMPARE(callsOf("korax.exe").size(), runs);
        QCOMPARE(QDir().entryList({ "*.out" }, QDir::Files, QDir::Name).join(' '), cases::text("left"));
    }

    // Text typed into a cell whose editor is still open is stored, as the user sees it.
    void openCellIsStored_data() { cases::addRows("run/open-cell.txt"); }
    void openCellIsStored()
    {
        const bool pressFirst = cases::yes("pressFirst");
        const OpenWindow open(kProfile);
        QVERIFY(QFile::copy(TROVA_STANDIN, "korax.exe"));
        if (pressFirst)
            open.compute();
        QTableWidget& grid = open.control<QTableWidget>("sgDiveProfile");
        grid.setCurrentCell(1, 0);
        QTest::keyClick(&grid, Qt::Key_F2);
        auto* editor = grid.viewport()->findChild<QLineEdit*>();
        QVERIFY(editor != nullptr);
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(editor, "30");
        if (!pressFirst)
            open.compute();
        open.window->close();
        QVERIFY(bytesOf("profile.seen").contains("\r\n" + cases::cell("plannerSaw") + "\r\n"));
        QVERIFY(bytesOf("profile.dat").contains("\r\n30,25,21/35\r\n"));
    }

    // profile.dat changed by another program since our last read or save: asked before writing.
    void otherProgramsEditIsAsked_data() { cases::addRows("run/overwrite.txt"); }
    void otherProgramsEditIsAsked()
    {
        const OpenWindow open(kProfile);
        QVERIFY(QFile::copy(TROVA_STANDIN, "korax.exe"));
        open.control<QCheckBox>("chDeleteFiles").setChecked(true);
        const bool closing = cases::yes("closing");
        const int runsBefore = closing ? 2 : 0;
        for (int run = 0; run < runsBefore; ++run)
            open.compute();
        // Edited to the same size with the old time put back: only the bytes or the inode tell.
        const QByteArray before = bytesOf("profile.dat");
        const QByteArray edited = QByteArray(before).replace("StopDistance: 3", "StopDistance: 4");
        const auto stamped = std::filesystem::last_write_time("profile.dat");
        const QByteArray edit = cases::cell("edit");
        if (edit == "removed") {
            QVERIFY(QFile::remove("profile.dat"));
        } else if (edit == "touched") {
            std::filesystem::last_write_time("profile.dat", stamped + std::chrono::seconds(5));
        } else {
            QVERIFY(writeBytes(edit == "renamed" ? "profile.new" : "profile.dat", edit == "renamed" ? before : edited));
            QVERIFY(edit != "renamed" || std::rename("profile.new", "profile.dat") == 0);
            std::filesystem::last_write_time("profile.dat", stamped);
        }
        const platform::FileStamp afterEdit = platform::stampOf("profile.dat");
        ModalWatcher watcher(pressing(cases::text("answer")));
        if (closing)
            open.window->close();
        else
            open.compute();
        QCOMPARE(watcher.seen,
            cases::yes("asked") ? QStringList { "T/ROVA|Soubor profile.dat mezitím změnil jiný program. Chcete jej "
                                                "přesto přepsat?|4" }
                                : QStringList());
        QCOMPARE(platform::stampOf("profile.dat") != afterEdit, cases::yes("written"));
        QCOMPARE(open.window->isVisible(), cases::yes("staysOpen"));
        QCOMPARE(callsOf("korax.exe").size(), runsBefore + (!closing && cases::yes("written") ? 1 : 0));
        if (cases::yes("staysOpen")) // the next run's name, also after "Zpět"
            QCOMPARE(open.control<QLineEdit>("edOutputFile").text(),
                QString::number(runsBefore + (cases::yes("written") ? 2 : 1)) + "plan.out");
        if (closing) // older outputs go only with the window
            QCOMPARE(QFile::exists("1plan.out"), cases::yes("staysOpen"));
    }

    void leavingDeletesTheOlderOutputs_data() { cases::addRows("run/leaving.txt"); }
    void leavingDeletesTheOlderOutputs()
    {
        const OpenWindow open(cases::cell("profile"));
        QVERIFY(QFile::copy(TROVA_STANDIN, "korax.exe"));
        open.control<QCheckBox>("chDeleteFiles").setChecked(cases::yes("deleteFiles"));
        for (int run = 0; run < 3; ++run)
            open.compute();
        QVERIFY(cases::cell("removedBefore").isEmpty() || QFile::remove(cases::text("removedBefore")));
        ModalWatcher watcher;
        open.window->close();
        QVERIFY(watcher.seen.isEmpty());
        QCOMPARE(QDir().entryList({ "*.out" }, QDir::Files, QDir::Name), cases::text("left").split(' '));
    }

    // Nor does leaving delete outside the folder: the numbered name of a base name with a
    // folder part ("1" + "/../../victim.out") reaches the folder above through the folder "1".
    void leavingDeletesNothingOutsideTheFolder()
    {
        QTemporaryDir above;
        QVERIFY(QDir(above.path()).mkpath("work/1"));
        QFile victim(above.filePath("victim.out"));
        QVERIFY(victim.open(QIODevice::WriteOnly));
        victim.close();
        const QString saved = QDir::currentPath();
        QVERIFY(QDir::setCurrent(above.filePath("work")));
        planner_run::deleteOlderOutputs(3, "/../../victim.out");
        QVERIFY(QDir::setCurrent(saved));
        QVERIFY(victim.exists());
    }

    // A long run keeps the window painting, so a desktop never calls it not responding: the
    // stand-in planner waits for a byte that the window sends only from a paint while it is
    // disabled for the run. The run then ends as any other, with its plan shown and no box.
    void theWindowPaintsWhileThePlannerRuns()
    {
        const OpenWindow open(kProfile);
        QVERIFY(QFile::copy(TROVA_STANDIN, "korax.exe"));
        qputenv("STANDIN_PLANNER", "painted");
        QCOMPARE(::mkfifo("painted", 0600), 0);
        PaintReporter reporter(*open.window);
        QTimer repaint;
        connect(&repaint, &QTimer::timeout, open.window.get(), [&open] { open.window->update(); });
        repaint.start(10);
        ModalWatcher watcher;
        open.compute();
        QVERIFY(reporter.sent);
        QCOMPARE(watcher.seen, QStringList());
        QCOMPARE(bytesOf("1plan.out"), QByteArray("plan\r\n"));
        QTRY_COMPARE(callsOf("notepad.exe"), QStringList("argc=1|1plan.out"));
    }
};

QTEST_MAIN(PlannerRunTest)
#include "test_planner_run.moc"
