// The compute button for real: a stand-in planner in the working folder, a stand-in viewer
// on PATH, the numbered outputs, and their clean-up on leaving.
#include "Koraxgui.h"
#include "StandIns.h"
#include "WindowFixture.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

namespace {

const QByteArray kProfile("StopDistance: 3\r\nPlanFile: plan.out\r\nSurfaceInterval: 900:00\r\n");
constexpr int kDivePage = 0;

bool holdsLine(const QByteArray& file, const QByteArray& line)
{
    return file.split('\n').contains(line + '\r');
}

QByteArray sawByPlanner(const OpenWindow& open)
{
    QFile file(QDir(open.folder.path()).filePath("planner-saw.dat"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void press(OpenWindow& open)
{
    open.window->PageControl1->setCurrentIndex(kDivePage);
    open.window->Button1->click();
}

}  // namespace

class PlannerRunTest : public QObject {
    Q_OBJECT

    QTemporaryDir pathEntry;
    QByteArray savedPath;

    void expectViewerCalls(const OpenWindow& open, const QStringList& names)
    {
        QStringList calls;
        for (const QString& name : names)
            calls << "argc=1|" + name;
        // The viewer runs on its own; it logs into the window's working folder.
        QTRY_COMPARE(standins::viewerCalls(open.folder.path()), calls);
    }

private slots:
    void initTestCase()
    {
        savedPath = qgetenv("PATH");
        standins::installViewer(pathEntry.path());
        qputenv("PATH", (pathEntry.path() + QDir::listSeparator()).toLocal8Bit() + savedPath);
    }
    void cleanupTestCase() { qputenv("PATH", savedPath); }

    void numbersEveryRun_data()
    {
        QTest::addColumn<QByteArray>("profile");
        QTest::addColumn<QString>("base");
        QTest::newRow("plan.out") << kProfile << "plan.out";
        QTest::newRow("no PlanFile: the base is 0") << QByteArray("StopDistance: 3\r\n") << "0";
    }
    void numbersEveryRun()
    {
        QFETCH(QByteArray, profile);
        QFETCH(QString, base);
        OpenWindow open(profile);
        standins::installPlanner(open.folder.path());
        QStringList names;
        for (int run = 1; run <= 10; ++run) {
            QCOMPARE(open.window->edOutputFile->text(), QString::number(run) + base);
            press(open);
            QVERIFY(holdsLine(sawByPlanner(open), "PlanFile: " + QByteArray::number(run) + base.toLatin1()));
            QVERIFY(QFile::exists(QString::number(run) + base));
            names << QString::number(run) + base;
        }
        QCOMPARE(open.window->edOutputFile->text(), "11" + base);
        QCOMPARE(standins::plannerCalls(open.folder.path()).size(), 10);
        expectViewerCalls(open, names);
    }

    void switchOnlyWithBothTicks_data()
    {
        QTest::addColumn<bool>("repetitive");
        QTest::addColumn<bool>("updateTissue");
        QTest::addColumn<QString>("call");
        QTest::newRow("neither") << false << false << "argc=0";
        QTest::newRow("repetitive only") << true << false << "argc=0";
        QTest::newRow("update only") << false << true << "argc=0";
        QTest::newRow("both") << true << true << "argc=1|-s";
    }
    void switchOnlyWithBothTicks()
    {
        QFETCH(bool, repetitive);
        QFETCH(bool, updateTissue);
        QFETCH(QString, call);
        OpenWindow open(kProfile);
        standins::installPlanner(open.folder.path());
        open.window->chbRepetitiveDives->setChecked(repetitive);
        open.window->chbUpdateTissue->setChecked(updateTissue);
        press(open);
        QCOMPARE(standins::plannerCalls(open.folder.path()), QStringList{call});
    }

    void missingPlannerStillOpensTheViewer()
    {
        OpenWindow open(kProfile);
        ModalWatcher watcher;
        press(open);
        QVERIFY(watcher.seen.isEmpty());
        QCOMPARE(open.window->edOutputFile->text(), QStringLiteral("2plan.out"));
        expectViewerCalls(open, {"1plan.out"});
    }

    void typedAndEmptyNamesAreUsedOnce_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("typed name") << "mine.out";
        QTest::newRow("empty name is one empty argument") << "";
    }
    void typedAndEmptyNamesAreUsedOnce()
    {
        QFETCH(QString, typed);
        OpenWindow open(kProfile);
        standins::installPlanner(open.folder.path());
        open.window->edOutputFile->setText(typed);
        press(open);
        QVERIFY(holdsLine(sawByPlanner(open), ("PlanFile: " + typed).toLatin1()));
        QCOMPARE(open.window->edOutputFile->text(), QStringLiteral("2plan.out"));
        expectViewerCalls(open, {typed});
    }

    void refusedStopDistanceRunsNothing()
    {
        const QByteArray profile("StopDistance: 0\r\nPlanFile: plan.out\r\n");
        OpenWindow open(profile);
        standins::installPlanner(open.folder.path());
        open.window->chDeleteFiles->setChecked(true);
        {
            ModalWatcher watcher;
            press(open);
            QCOMPARE(watcher.seen.size(), 1);
            QCOMPARE(watcher.seen[0].title, QStringLiteral("Chyba"));
        }
        QCOMPARE(open.folder.contents(), profile);
        QVERIFY(standins::plannerCalls(open.folder.path()).isEmpty());
        QCOMPARE(open.window->edOutputFile->text(), QStringLiteral("1plan.out"));

        // Closing now asks nothing, refuses again, and keeps the window and the file.
        ModalWatcher watcher;
        open.window->close();
        QCOMPARE(watcher.seen.size(), 1);
        QCOMPARE(watcher.seen[0].title, QStringLiteral("Chyba"));
        QVERIFY(open.window->isVisible());
        QCOMPARE(open.folder.contents(), profile);
        QCOMPARE(open.window->edOutputFile->text(), QStringLiteral("1plan.out"));
    }

    void unwritableProfileStartsNothing()
    {
        OpenWindow open(kProfile);
        standins::installPlanner(open.folder.path());
        open.folder.makeReadOnly();
        ModalWatcher watcher;
        press(open);
        QCOMPARE(watcher.seen.size(), 1);
        QCOMPARE(watcher.seen[0].title, QStringLiteral("T/ROVA"));
        QCOMPARE(watcher.seen[0].text, QStringLiteral("Cannot create file profile.dat"));
        QCOMPARE(watcher.seen[0].icon, int(QMessageBox::Critical));
        QCOMPARE(open.folder.contents(), kProfile);
        QVERIFY(standins::plannerCalls(open.folder.path()).isEmpty());
        QCOMPARE(open.window->edOutputFile->text(), QStringLiteral("1plan.out"));
        QTest::qWait(200);
        QVERIFY(standins::viewerCalls(open.folder.path()).isEmpty());
    }

    void leavingDeletesTheOlderOutputs_data()
    {
        QTest::addColumn<bool>("deleteFiles");
        QTest::addColumn<QString>("removedBefore");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("ticked") << true << "" << QStringList{"3plan.out"};
        QTest::newRow("unticked") << false << "" << QStringList{"1plan.out", "2plan.out", "3plan.out"};
        QTest::newRow("missing file passed over") << true << "1plan.out" << QStringList{"3plan.out"};
    }
    void leavingDeletesTheOlderOutputs()
    {
        QFETCH(bool, deleteFiles);
        QFETCH(QString, removedBefore);
        QFETCH(QStringList, left);
        OpenWindow open(kProfile);
        standins::installPlanner(open.folder.path());
        open.window->chDeleteFiles->setChecked(deleteFiles);
        for (int run = 0; run < 3; ++run)
            press(open);
        if (!removedBefore.isEmpty())
            QVERIFY(QFile::remove(removedBefore));
        ModalWatcher watcher;
        open.window->close();
        QVERIFY(watcher.seen.isEmpty());
        QVERIFY(!open.window->isVisible());
        QCOMPARE(QDir(open.folder.path()).entryList({"*plan.out"}, QDir::Files, QDir::Name), left);
    }

    void czechOutputNamesNameTheSameFile()
    {
        // "plán.out" in Windows-1250; on disk and for the viewer the same name in UTF-8.
        OpenWindow open("StopDistance: 3\r\nDeleteTemporaryOutput: y\r\nPlanFile: pl\xe1" "n.out\r\n");
        standins::installPlanner(open.folder.path());
        for (int run = 0; run < 3; ++run)
            press(open);
        QVERIFY(QFile::exists(QString::fromUtf8("1plán.out")));
        expectViewerCalls(open, {QString::fromUtf8("1plán.out"), QString::fromUtf8("2plán.out"),
                                 QString::fromUtf8("3plán.out")});
        open.window->close();
        QCOMPARE(QDir(open.folder.path()).entryList({"*.out"}, QDir::Files), QStringList{QString::fromUtf8("3plán.out")});
    }
};

QTEST_MAIN(PlannerRunTest)
#include "test_planner_run.moc"
