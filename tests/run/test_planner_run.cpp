// The compute button for real: the stand-in planner in the working folder, the stand-in
// viewer on PATH (or none, and the desktop opens the plan), the numbered outputs, and their
// clean-up on leaving.
#include "Koraxgui.h"
#include "WindowFixture.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

namespace {

const QByteArray kProfile("StopDistance: 3\r\nPlanFile: plan.out\r\nSurfaceInterval: 900:00\r\n");
const QString kStandIn = QStringLiteral(TROVA_STANDIN);
constexpr int kDivePage = 0;

// Copies a file to where the window looks for a program (korax.exe, notepad.exe), executable.
void install(const QString& from, const QString& target)
{
    QVERIFY(QFile::copy(from, target));
    QVERIFY(QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

// Read from the window's working folder, where the stand-in logs wherever it was found.
QByteArray bytesOf(const QString& name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The starts of the stand-in installed as name, one "argc=N|arg|arg" each.
QStringList callsOf(const QString& name)
{
    return QString::fromUtf8(bytesOf(name + ".log")).split('\n', Qt::SkipEmptyParts);
}

void press(OpenWindow& open)
{
    open.window->PageControl1->setCurrentIndex(kDivePage);
    open.window->Button1->click();
}

}  // namespace

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
        install(kStandIn, pathEntry.filePath("notepad.exe"));
        install(kStandIn, pathEntry.filePath("korax.exe"));  // a planner along PATH must never be started
    }
    void init() { qputenv("PATH", (pathEntry.path() + QDir::listSeparator()).toLocal8Bit() + savedPath); }
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
        install(kStandIn, "korax.exe");
        QStringList viewed;
        for (int run = 1; run <= 10; ++run) {
            const QString name = QString::number(run) + base;
            QCOMPARE(open.window->edOutputFile->text(), name);
            press(open);
            QVERIFY(QFile::exists(name));  // the planner saw the name in profile.dat
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
        install(kStandIn, "korax.exe");
        open.window->chbRepetitiveDives->setChecked(repetitive);
        open.window->chbUpdateTissue->setChecked(updateTissue);
        press(open);
        QCOMPARE(callsOf("korax.exe"), QStringList{call});
    }

    // Whatever the planner did, the viewer gets the name the field showed, and the field moves on.
    void viewerGetsTheOutputName_data()
    {
        QTest::addColumn<QString>("plannerFrom");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("plans");
        QTest::newRow("typed name with a blank") << kStandIn << "my plan.out" << QStringList{"my plan.out"};
        QTest::newRow("empty name is one empty argument") << kStandIn << "" << QStringList{};
        QTest::newRow("planner absent from the working folder") << "" << "1plan.out" << QStringList{};
        QTest::newRow("korax.exe is no program") << "profile.dat" << "1plan.out" << QStringList{};
    }
    void viewerGetsTheOutputName()
    {
        QFETCH(QString, plannerFrom);
        QFETCH(QString, typed);
        QFETCH(QStringList, plans);
        OpenWindow open(kProfile);
        if (!plannerFrom.isEmpty())
            install(plannerFrom, "korax.exe");
        open.window->edOutputFile->setText(typed);
        ModalWatcher watcher;
        press(open);
        QVERIFY(watcher.seen.isEmpty());
        QCOMPARE(QDir().entryList({"*.out"}, QDir::Files), plans);  // never from the planner along PATH
        QCOMPARE(open.window->edOutputFile->text(), QStringLiteral("2plan.out"));
        QTRY_COMPARE(callsOf("notepad.exe"), QStringList{"argc=1|" + typed});
    }

    void withoutViewerTheDesktopOpensThePlan_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("opens");
        QTest::newRow("a plan") << "1plan.out" << true;
        QTest::newRow("empty name opens nothing") << "" << false;
    }
    void withoutViewerTheDesktopOpensThePlan()
    {
        QFETCH(QString, typed);
        QFETCH(bool, opens);
        qputenv("PATH", savedPath);
        OpenWindow open(kProfile);
        UrlRecorder recorder;
        QDesktopServices::setUrlHandler("file", &recorder, "open");
        open.window->edOutputFile->setText(typed);
        press(open);
        QDesktopServices::unsetUrlHandler("file");
        const QUrl plan = QUrl::fromLocalFile(QDir(open.folder.path()).filePath(typed));
        QCOMPARE(recorder.opened, opens ? QList<QUrl>{plan} : QList<QUrl>{});
    }

    // A press whose store or save fails starts nothing and leaves the field; closing later asks
    // nothing, fails the same way and stays open.
    void failedSaveStartsNothing_data()
    {
        QTest::addColumn<QByteArray>("profile");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::newRow("refused stop distance") << QByteArray("StopDistance: 0\r\nPlanFile: plan.out\r\n") << false
                                               << "Chyba" << QStringLiteral("Vzálenost mezi zastávkami nesmí být nulová!");
        QTest::newRow("read-only profile.dat") << kProfile << true << "T/ROVA" << "Cannot create file profile.dat";
    }
    void failedSaveStartsNothing()
    {
        QFETCH(QByteArray, profile);
        QFETCH(bool, readOnly);
        QFETCH(QString, title);
        QFETCH(QString, text);
        OpenWindow open(profile);
        install(kStandIn, "korax.exe");
        if (readOnly)
            open.folder.makeReadOnly();
        ModalWatcher watcher;
        press(open);
        QCOMPARE(open.window->edOutputFile->text(), QStringLiteral("1plan.out"));
        open.window->close();
        QCOMPARE(watcher.seen.size(), 2);
        for (const SeenModal& seen : watcher.seen)
            QCOMPARE(seen.title + '|' + seen.text, title + '|' + text);
        QVERIFY(open.window->isVisible());
        QCOMPARE(open.folder.contents(), profile);
        QVERIFY(callsOf("korax.exe").isEmpty());
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
        install(kStandIn, "korax.exe");
        open.window->chDeleteFiles->setChecked(deleteFiles);
        for (int run = 0; run < 3; ++run)
            press(open);
        if (!removedBefore.isEmpty())
            QVERIFY(QFile::remove(removedBefore));
        ModalWatcher watcher;
        open.window->close();
        QVERIFY(watcher.seen.isEmpty());
        QVERIFY(!open.window->isVisible());
        QCOMPARE(QDir().entryList({"*plan.out"}, QDir::Files, QDir::Name), left);
    }

    void czechOutputNamesNameTheSameFile()
    {
        // "plán.out" in Windows-1250; on disk and for the viewer the same name in UTF-8.
        OpenWindow open("StopDistance: 3\r\nDeleteTemporaryOutput: y\r\nPlanFile: pl\xe1" "n.out\r\n");
        install(kStandIn, "korax.exe");
        for (int run = 0; run < 3; ++run)
            press(open);
        QTRY_COMPARE(callsOf("notepad.exe"),
                     QStringList({"argc=1|1plán.out", "argc=1|2plán.out", "argc=1|3plán.out"}));
        open.window->close();
        QCOMPARE(QDir().entryList({"*.out"}, QDir::Files), QStringList{"3plán.out"});
    }
};

QTEST_MAIN(PlannerRunTest)
#include "test_planner_run.moc"
