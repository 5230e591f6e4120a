// The compute button for real: the stand-in planner in the working folder, the stand-in
// viewer on PATH, the numbered outputs, a plan this run did not write, edits of profile.dat by
// another program, and the clean-up on leaving.
#include "tests/window/WindowFixture.h"
#include "ui/Koraxgui.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>

namespace {

const QByteArray kProfile("StopDistance: 3\r\nPlanFile: plan.out\r\nSurfaceInterval: 900:00\r\n45,25,21/35\r\n");
const QString kStandIn = QStringLiteral(TROVA_STANDIN);
const QString kOverwrite
    = QStringLiteral("T/ROVA|Soubor profile.dat mezitím změnil jiný program. Chcete jej přesto přepsat?|4");

// The starts of the stand-in installed as name, one "argc=N|arg|arg" each, logged in the
// window's working folder wherever the stand-in was found.
QStringList callsOf(const QString& name)
{
    QFile log(name + ".log");
    return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()).split('\n', Qt::SkipEmptyParts)
                                         : QStringList();
}

QByteArray bytesOf(const QString& name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// The compute button is off on the page the window opens on; the first page is the dive.
void press(OpenWindow& open)
{
    open.window->PageControl1->setCurrentIndex(0);
    open.window->Button1->click();
}

} // namespace

class UrlRecorder : public QObject {
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened.append(url); }
};

class PlannerRunTest : public QObject {
    Q_OBJECT

    QTemporaryDir pathEntry;
    QByteArray savedPath = qgetenv("PATH");

private slots:
    void initTestCase()
    {
        QVERIFY(QFile::copy(kStandIn, pathEntry.filePath("notepad.exe")));
        QVERIFY(QFile::copy(kStandIn, pathEntry.filePath("korax.exe"))); // a planner along PATH must never run
    }
    void init()
    {
        qputenv("PATH", (pathEntry.path() + QDir::listSeparator()).toLocal8Bit() + savedPath);
        qunsetenv("STANDIN_PLANNER");
    }

    // Without a notepad.exe, as on Linux desktops, the desktop opens the plan.
    void withoutViewerTheDesktopOpensThePlan()
    {
        qputenv("PATH", savedPath);
        OpenWindow open(kProfile);
        QVERIFY(QFile::copy(kStandIn, "korax.exe"));
        UrlRecorder desktop;
        QDesktopServices::setUrlHandler("file", &desktop, "open");
        open.window->edOutputFile->setText("mine.out");
        press(open);
        QDesktopServices::unsetUrlHandler("file");
        QCOMPARE(desktop.opened, QList<QUrl> { QUrl::fromLocalFile(QDir::current().absoluteFilePath("mine.out")) });
    }

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
        QVERIFY(QFile::copy(kStandIn, "korax.exe"));
        QStringList viewed;
        for (int run = 1; run <= 10; ++run) {
            const QString name = QString::number(run) + base;
            QCOMPARE(open.window->edOutputFile->text(), name);
            press(open);
            QVERIFY(QFile::exists(name)); // the planner saw the name in profile.dat
            viewed << "argc=1|" + name;
            // Viewers start detached: wait for each before the next, whose log could come first.
            QTRY_COMPARE(callsOf("notepad.exe"), viewed);
        }
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
        QVERIFY(QFile::copy(kStandIn, "korax.exe"));
        open.window->chbRepetitiveDives->setChecked(repetitive);
        open.window->chbUpdateTissue->setChecked(updateTissue);
        press(open);
        QCOMPARE(callsOf("korax.exe"), QStringList { call });
    }

    // A plan this run wrote is shown under the name the field showed, whatever the exit code;
    // so is an unchanged plan after a normal end, which a coarse clock can hide a rewrite in.
    void viewerGetsTheOutputName_data()
    {
        QTest::addColumn<QString>("planner");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("oldPlan");
        const QString typedName = QStringLiteral("můj plán.out");
        QTest::newRow("typed name with a blank and Czech letters, exit 3") << "" << typedName << false;
        QTest::newRow("older plan replaced") << ""
                                             << "1plan.out" << true;
        QTest::newRow("rewritten in place within one clock tick, exit 0") << "in-place"
                                                                          << "1plan.out" << true;
    }
    void viewerGetsTheOutputName()
    {
        QFETCH(QString, planner);
        QFETCH(QString, typed);
        QFETCH(bool, oldPlan);
        OpenWindow open(kProfile);
        QVERIFY(QFile::copy(kStandIn, "korax.exe"));
        qputenv("STANDIN_PLANNER", planner.toLocal8Bit());
        QFile old(typed);
        QVERIFY(!oldPlan || (old.open(QIODevice::WriteOnly) && old.write("old!\r\n") == 6));
        old.close();
        open.window->edOutputFile->setText(typed);
        ModalWatcher watcher;
        press(open);
        QVERIFY(watcher.seen.isEmpty());
        QCOMPARE(bytesOf(typed), QByteArray("plan\r\n")); // never from the planner along PATH
        QCOMPARE(open.window->edOutputFile->text(), QStringLiteral("2plan.out"));
        QTRY_COMPARE(callsOf("notepad.exe"), QStringList { "argc=1|" + typed });
    }

    // An older 1plan.out is never shown as this run's plan: a box says why, and the field moves on.
    void unwrittenPlanIsNotShown_data()
    {
        QTest::addColumn<QString>("plannerFrom");
        QTest::addColumn<QString>("planner");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("box");
        QTest::addColumn<bool>("plannerRuns");
        QTest::newRow("planner absent from the working folder")
            << ""
            << ""
            << "1plan.out"
            << "Plánovač korax.exe nebyl nalezen; plán 1plan.out nebyl vytvořen." << false;
        const QString cannotStart = QStringLiteral("Plánovač korax.exe nelze spustit; plán 1plan.out nebyl vytvořen.");
        QTest::newRow("korax.exe is no program") << "profile.dat"
                                                 << ""
                                                 << "1plan.out" << cannotStart << false;
        QTest::newRow("korax.exe not executable") << "not executable"
                                                  << ""
                                                  << "1plan.out" << cannotStart << false;
        QTest::newRow("korax.exe is a folder") << "folder"
                                               << ""
                                               << "1plan.out" << cannotStart << false;
        QTest::newRow("exit 3 without writing")
            << kStandIn << "fail"
            << "1plan.out"
            << "Plánovač korax.exe skončil s kódem 3 a plán 1plan.out nezapsal." << true;
        QTest::newRow("killed after writing")
            << kStandIn << "crash"
            << "1plan.out"
            << "Plánovač korax.exe skončil neočekávaně; plán 1plan.out se nezobrazí." << true;
        QTest::newRow("empty name starts nothing") << kStandIn << ""
                                                   << ""
                                                   << "Není zadán výstupní soubor." << false;
    }
    void unwrittenPlanIsNotShown()
    {
        QFETCH(QString, plannerFrom);
        QFETCH(QString, planner);
        QFETCH(QString, typed);
        QFETCH(QString, box);
        QFETCH(bool, plannerRuns);
        qputenv("PATH", savedPath); // no viewer: the desktop would open the plan at once
        OpenWindow open(kProfile);
        QFile old("1plan.out");
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old!\r\n") == 6);
        old.close();
        if (plannerFrom == "folder")
            QVERIFY(QDir().mkdir("korax.exe"));
        else if (plannerFrom == "not executable")
            QVERIFY(QFile::copy(kStandIn, "korax.exe")
                && QFile::setPermissions("korax.exe", QFile::ReadOwner | QFile::WriteOwner));
        else if (!plannerFrom.isEmpty())
            QVERIFY(QFile::copy(plannerFrom, "korax.exe")
                && QFile::setPermissions("korax.exe", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        qputenv("STANDIN_PLANNER", planner.toLocal8Bit());
        open.window->edOutputFile->setText(typed);
        UrlRecorder desktop;
        QDesktopServices::setUrlHandler("file", &desktop, "open");
        ModalWatcher watcher;
        press(open);
        QDesktopServices::unsetUrlHandler("file");
        QCOMPARE(watcher.seen, QStringList { "Chyba|" + box + "|0" });
        QCOMPARE(desktop.opened, QList<QUrl> {});
        QCOMPARE(open.window->edOutputFile->text(), QStringLiteral("2plan.out"));
        QCOMPARE(QFile::exists("profile.seen"), plannerRuns);
    }

    // A press whose store or save fails starts nothing and leaves the field; closing later asks
    // nothing, fails the same way and stays open.
    void failedSaveStartsNothing_data()
    {
        QTest::addColumn<QByteArray>("profile");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<QString>("box");
        QTest::newRow("refused stop distance") << QByteArray("StopDistance: 0\r\nPlanFile: plan.out\r\n") << false
                                               << QStringLiteral("Chyba|Vzálenost mezi zastávkami nesmí být nulová!|0");
        QTest::newRow("read-only profile.dat") << kProfile << true << "T/ROVA|Cannot create file profile.dat|3";
    }
    void failedSaveStartsNothing()
    {
        QFETCH(QByteArray, profile);
        QFETCH(bool, readOnly);
        QFETCH(QString, box);
        OpenWindow open(profile);
        QVERIFY(QFile::copy(kStandIn, "korax.exe"));
        if (readOnly)
            open.folder.makeReadOnly();
        ModalWatcher watcher;
        press(open);
        QCOMPARE(open.window->edOutputFile->text(), QStringLiteral("1plan.out"));
        open.window->close();
        QCOMPARE(watcher.seen, QStringList(2, box));
        QVERIFY(open.window->isVisible());
        QCOMPARE(open.folder.contents(), profile);
        QVERIFY(callsOf("korax.exe").isEmpty());
    }

    // Text typed into a cell whose editor is still open is stored, as the user sees it.
    void openCellIsStored_data()
    {
        QTest::addColumn<bool>("pressFirst");
        QTest::addColumn<QByteArray>("plannerSaw");
        QTest::newRow("compute with the cell open") << false << QByteArray("30,25,21/35");
        QTest::newRow("close with the cell open") << true << QByteArray("45,25,21/35");
    }
    void openCellIsStored()
    {
        QFETCH(bool, pressFirst);
        QFETCH(QByteArray, plannerSaw);
        OpenWindow open(kProfile);
        QVERIFY(QFile::copy(kStandIn, "korax.exe"));
        if (pressFirst)
            press(open);
        QTableWidget& grid = *open.window->sgDiveProfile;
        grid.setCurrentCell(1, 0);
        QTest::keyClick(&grid, Qt::Key_F2);
        auto* editor = grid.viewport()->findChild<QLineEdit*>();
        QVERIFY(editor != nullptr);
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(editor, "30");
        if (!pressFirst)
            press(open);
        open.window->close();
        QVERIFY(bytesOf("profile.seen").contains("\r\n" + plannerSaw + "\r\n"));
        QVERIFY(open.folder.contents().contains("\r\n30,25,21/35\r\n"));
    }

    // profile.dat changed by another program since our last read or save: asked before writing.
    void otherProgramsEditIsAsked_data()
    {
        QTest::addColumn<bool>("closing");
        QTest::addColumn<bool>("removed");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("written");
        QTest::addColumn<bool>("staysOpen");
        QTest::newRow("compute, edited, Ano") << false << false << "&Ano" << true << true;
        QTest::newRow("compute, edited, Ne") << false << false << "&Ne" << false << true;
        QTest::newRow("compute, removed, Ne") << false << true << "&Ne" << false << true;
        QTest::newRow("close, edited, Ano") << true << false << "&Ano" << true << false;
        QTest::newRow("close, edited, Ne") << true << false << "&Ne" << false << false;
        QTest::newRow("close, removed, Zpět") << true << true << "Zpět" << false << true;
    }
    void otherProgramsEditIsAsked()
    {
        QFETCH(bool, closing);
        QFETCH(bool, removed);
        QFETCH(QString, answer);
        QFETCH(bool, written);
        QFETCH(bool, staysOpen);
        OpenWindow open(kProfile);
        QVERIFY(QFile::copy(kStandIn, "korax.exe"));
        open.window->chDeleteFiles->setChecked(true);
        const int runsBefore = closing ? 2 : 0;
        for (int run = 0; run < runsBefore; ++run)
            press(open);
        const QByteArray edited("StopDistance: 3\r\n# edited elsewhere\r\n");
        QFile other("profile.dat");
        QVERIFY(removed ? other.remove() : other.open(QIODevice::WriteOnly) && other.write(edited) == edited.size());
        other.close();
        ModalWatcher watcher(answers::pressCaption(answer));
        if (closing)
            open.window->close();
        else
            press(open);
        QCOMPARE(watcher.seen, QStringList { kOverwrite });
        const QByteArray left = removed ? QByteArray("<missing>") : edited;
        QCOMPARE(open.folder.contents() == left, !written);
        QCOMPARE(open.window->isVisible(), staysOpen);
        QCOMPARE(callsOf("korax.exe").size(), runsBefore + (!closing && written ? 1 : 0));
        if (staysOpen) // the next run's name, also after "Zpět"
            QCOMPARE(open.window->edOutputFile->text(), QString::number(runsBefore + (written ? 2 : 1)) + "plan.out");
        if (closing) // older outputs go only with the window
            QCOMPARE(QFile::exists("1plan.out"), staysOpen);
    }

    void leavingDeletesTheOlderOutputs_data()
    {
        QTest::addColumn<QByteArray>("profile");
        QTest::addColumn<bool>("deleteFiles");
        QTest::addColumn<QString>("removedBefore");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("ticked") << kProfile << true << "" << QStringList { "3plan.out" };
        QTest::newRow("unticked") << kProfile << false << "" << QStringList { "1plan.out", "2plan.out", "3plan.out" };
        QTest::newRow("missing file passed over") << kProfile << true << "1plan.out" << QStringList { "3plan.out" };
        // "plán.out" in Windows-1250: the planner's file and the one deleted have the same UTF-8 name.
        QTest::newRow("Czech base name") << QByteArray("StopDistance: 3\r\nPlanFile: pl\xe1"
                                                       "n.out\r\n")
                                         << true << "" << QStringList { QStringLiteral("3plán.out") };
    }
    void leavingDeletesTheOlderOutputs()
    {
        QFETCH(QByteArray, profile);
        QFETCH(bool, deleteFiles);
        QFETCH(QString, removedBefore);
        QFETCH(QStringList, left);
        OpenWindow open(profile);
        QVERIFY(QFile::copy(kStandIn, "korax.exe"));
        open.window->chDeleteFiles->setChecked(deleteFiles);
        for (int run = 0; run < 3; ++run)
            press(open);
        QVERIFY(removedBefore.isEmpty() || QFile::remove(removedBefore));
        ModalWatcher watcher;
        open.window->close();
        QVERIFY(watcher.seen.isEmpty());
        QCOMPARE(QDir().entryList({ "*.out" }, QDir::Files, QDir::Name), left);
    }
};

QTEST_MAIN(PlannerRunTest)
#include "test_planner_run.moc"
