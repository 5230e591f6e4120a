// The compute button for real: the stand-in planner in the working folder, the stand-in
// viewer on PATH, the numbered outputs, and their clean-up on leaving.
#include "tests/window/WindowFixture.h"
#include "ui/Koraxgui.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

namespace {

const QByteArray kProfile("StopDistance: 3\r\nPlanFile: plan.out\r\nSurfaceInterval: 900:00\r\n");
const QString kStandIn = QStringLiteral(TROVA_STANDIN);

// The starts of the stand-in installed as name, one "argc=N|arg|arg" each, logged in the
// window's working folder wherever the stand-in was found.
QStringList callsOf(const QString& name)
{
    QFile log(name + ".log");
    return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()).split('\n', Qt::SkipEmptyParts)
                                         : QStringList();
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
    void init() { qputenv("PATH", (pathEntry.path() + QDir::listSeparator()).toLocal8Bit() + savedPath); }

    // Without a notepad.exe, as on Linux desktops, the desktop opens the plan; no name, nothing.
    void withoutViewerTheDesktopOpensThePlan_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("plan") << "mine.out";
        QTest::newRow("empty name") << "";
    }
    void withoutViewerTheDesktopOpensThePlan()
    {
        QFETCH(QString, typed);
        qputenv("PATH", savedPath);
        OpenWindow open(kProfile);
        UrlRecorder desktop;
        QDesktopServices::setUrlHandler("file", &desktop, "open");
        open.window->edOutputFile->setText(typed);
        press(open);
        QDesktopServices::unsetUrlHandler("file");
        const QUrl plan = QUrl::fromLocalFile(QDir::current().absoluteFilePath(typed));
        QCOMPARE(desktop.opened, typed.isEmpty() ? QList<QUrl> {} : QList<QUrl> { plan });
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
        }
        QTRY_COMPARE(callsOf("notepad.exe"), viewed);
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

    // Whatever the planner did, the viewer gets the name the field showed, and the field moves on.
    void viewerGetsTheOutputName_data()
    {
        QTest::addColumn<QString>("plannerFrom");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("plans");
        const QString typedName = QStringLiteral("můj plán.out");
        QTest::newRow("typed name with a blank and Czech letters")
            << kStandIn << typedName << QStringList { typedName };
        QTest::newRow("empty name is one empty argument") << kStandIn << "" << QStringList {};
        QTest::newRow("planner absent from the working folder") << ""
                                                                << "1plan.out" << QStringList {};
        QTest::newRow("korax.exe is no program") << "profile.dat"
                                                 << "1plan.out" << QStringList {};
    }
    void viewerGetsTheOutputName()
    {
        QFETCH(QString, plannerFrom);
        QFETCH(QString, typed);
        QFETCH(QStringList, plans);
        OpenWindow open(kProfile);
        if (!plannerFrom.isEmpty()) {
            QVERIFY(QFile::copy(plannerFrom, "korax.exe"));
            QVERIFY(QFile::setPermissions("korax.exe", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        }
        open.window->edOutputFile->setText(typed);
        ModalWatcher watcher;
        press(open);
        QVERIFY(watcher.seen.isEmpty());
        QCOMPARE(QDir().entryList({ "*.out" }, QDir::Files), plans); // never from the planner along PATH
        QCOMPARE(open.window->edOutputFile->text(), QStringLiteral("2plan.out"));
        QTRY_COMPARE(callsOf("notepad.exe"), QStringList { "argc=1|" + typed });
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
