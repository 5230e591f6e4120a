// The real trova started as a child process, with a plugin in it acting as the user: a missing
// profile.dat ends it with its message, and a press of "&Výpočet" on the sample settings with
// our planner opens the plan in notepad.exe when one is on PATH, else in the trova-plan beside
// the program.
#include "tests/support/Cases.h"
#include "tests/support/TestFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The environment of a trova run by the user driver, which logs the boxes it answers to log.
QProcessEnvironment userDriven(const QString& log)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("QT_PLUGIN_PATH"), QStringLiteral(TROVA_TEST_PLUGINS));
    environment.insert(QStringLiteral("QT_QPA_GENERIC_PLUGINS"), "trovauser:" + log);
    return environment;
}

bool copyProgram(const QString& from, const QString& to)
{
    return QFile::copy(from, to) && QFile::setPermissions(to, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace

class ProgramTest : public QObject {
    Q_OBJECT

private slots:
    // The message comes before any window shows, and nothing is written.
    void endsWhenProfileIsMissing()
    {
        QTemporaryDir work;
        QTemporaryDir logs;
        const Finished trova = runProgram(TROVA_BINARY, {}, work.path(), userDriven(logs.filePath("boxes.log")));
        QCOMPARE(trova.exitCode, 1);
        QCOMPARE(bytesOf(logs.filePath("boxes.log")), QByteArray("box|T/ROVA|Nenalezen soubor profile.dat|0\n"));
        QVERIFY(QDir(work.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot));
    }

    void startsTheViewerFound_data() { cases::addRows("program/viewers.txt"); }
    void startsTheViewerFound()
    {
        QTemporaryDir program;
        QTemporaryDir pathEntry;
        QTemporaryDir work;
        QVERIFY(copyProgram(TROVA_BINARY, program.filePath("trova")));
        QVERIFY(copyProgram(TROVA_STANDIN, program.filePath("trova-plan")));
        QVERIFY(copyProgram(TROVA_STANDIN, pathEntry.filePath("notepad.exe")));
        QVERIFY(copyProgram(KORAX_BINARY, work.filePath("korax.exe")));
        QVERIFY(QFile::copy(TROVA_DEMO_DATA "/profile.dat", work.filePath("profile.dat")));
        QProcessEnvironment environment = userDriven(work.filePath("boxes.log"));
        if (cases::yes("notepadOnPath"))
            environment.insert("PATH", pathEntry.path() + QDir::listSeparator() + environment.value("PATH"));
        QCOMPARE(runProgram(program.filePath("trova"), {}, work.path(), environment).exitCode, 0);

        // The stand-in logs its arguments in the working folder it inherits.
        QVERIFY(QFile::exists(work.filePath("1plan.out")));
        QTRY_COMPARE(bytesOf(work.filePath(cases::text("started") + ".log")), QByteArray("argc=1|1plan.out\n"));
        QVERIFY(!QFile::exists(work.filePath(cases::text("passedOver") + ".log")));
        QVERIFY(!QFile::exists(work.filePath("boxes.log")));
    }
};

QTEST_GUILESS_MAIN(ProgramTest)
#include "test_program.moc"
