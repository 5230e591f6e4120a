// Starting the planner and the viewer for real: where they are looked for and what they get.
#include "Processes.h"
#include "StandIns.h"

#include <QDesktopServices>
#include <QtTest>

class UrlRecorder : public QObject {
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened.append(url); }
};

class ProcessesTest : public QObject {
    Q_OBJECT

    QTemporaryDir work;
    QTemporaryDir pathEntry;
    QByteArray savedPath;

private slots:
    void initTestCase()
    {
        savedPath = qgetenv("PATH");
        QVERIFY(work.isValid() && pathEntry.isValid());
    }

    void init()
    {
        for (QTemporaryDir* dir : {&work, &pathEntry}) {
            QDir folder(dir->path());
            for (const QString& name : folder.entryList(QDir::Files))
                folder.remove(name);
        }
        QDir::setCurrent(work.path());
        qputenv("PATH", (pathEntry.path() + QDir::listSeparator() + "/usr/bin:/bin").toLocal8Bit());
    }

    void cleanupTestCase() { qputenv("PATH", savedPath); }

    void runsThePlannerFromTheWorkingDirectory_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("recorded");
        QTest::newRow("no switch") << QStringList{} << "argc=0";
        QTest::newRow("switch") << QStringList{"-s"} << "argc=1|-s";
        QTest::newRow("blanks stay in one argument") << QStringList{"a b"} << "argc=1|a b";
    }
    void runsThePlannerFromTheWorkingDirectory()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, recorded);
        QFile profile("profile.dat");
        QVERIFY(profile.open(QIODevice::WriteOnly));
        profile.write("PlanFile: 1plan.out\r\n");
        profile.close();
        standins::installPlanner(work.path());
        QCOMPARE(processes::runAndWait("korax.exe", arguments), 3);
        QCOMPARE(standins::plannerCalls(work.path()), QStringList{recorded});
        QVERIFY(QFile::exists("1plan.out"));  // it had ended when the call returned
    }

    void plannerIsNotSearchedAlongPath()
    {
        standins::installPlanner(pathEntry.path());
        QCOMPARE(processes::runAndWait("korax.exe", {}), -1);
        QCOMPARE(standins::plannerCalls(work.path()), QStringList{});
        QCOMPARE(standins::plannerCalls(pathEntry.path()), QStringList{});
    }

    void plannerThatIsNoProgramIsPassedOver()
    {
        QFile fake("korax.exe");
        QVERIFY(fake.open(QIODevice::WriteOnly));
        fake.write("not a program");
        fake.close();
        QCOMPARE(processes::runAndWait("korax.exe", {}), -1);
    }

    void findsTheViewer_data()
    {
        QTest::addColumn<bool>("inWorkingDirectory");
        QTest::addColumn<bool>("onPath");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("startedIn");
        QTest::newRow("working directory") << true << false << "1plan.out" << "work";
        QTest::newRow("along PATH") << false << true << "1plan.out" << "path";
        QTest::newRow("working directory first") << true << true << "1plan.out" << "work";
        QTest::newRow("empty name is one empty argument") << true << false << "" << "work";
        QTest::newRow("blanks and Czech letters") << true << false << QString::fromUtf8("můj plán.out") << "work";
    }
    void findsTheViewer()
    {
        QFETCH(bool, inWorkingDirectory);
        QFETCH(bool, onPath);
        QFETCH(QString, fileName);
        QFETCH(QString, startedIn);
        if (inWorkingDirectory)
            standins::installViewer(work.path());
        if (onPath)
            standins::installViewer(pathEntry.path());
        processes::startViewer("notepad.exe", fileName);
        // The viewer runs detached and logs into the window's working directory.
        QTRY_COMPARE(standins::viewerCalls(work.path()), QStringList{"argc=1|" + fileName});
        const QString started = startedIn == "work" ? work.path() : pathEntry.path();
        QVERIFY(QFile::exists(QDir(started).filePath("notepad.exe")));
    }

    void withoutViewerTheDesktopOpensTheFile_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<int>("opened");
        QTest::newRow("a plan") << "2plan.out" << 1;
        QTest::newRow("empty name opens nothing") << "" << 0;
    }
    void withoutViewerTheDesktopOpensTheFile()
    {
        QFETCH(QString, fileName);
        QFETCH(int, opened);
        UrlRecorder recorder;
        QDesktopServices::setUrlHandler("file", &recorder, "open");
        processes::startViewer("notepad.exe", fileName);
        QDesktopServices::unsetUrlHandler("file");
        QCOMPARE(recorder.opened.size(), opened);
        if (opened)
            QCOMPARE(recorder.opened.first(), QUrl::fromLocalFile(QDir(work.path()).absoluteFilePath(fileName)));
    }
};

QTEST_MAIN(ProcessesTest)
#include "test_processes.moc"
