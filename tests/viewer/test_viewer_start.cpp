// The real trova, copied into a folder beside a stand-in trova-plan, run on the sample
// settings with our planner: a press of "&Výpočet" opens the plan in notepad.exe when one is
// on PATH, else in the trova-plan beside the program.
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

constexpr int kRunTimeoutMs = 60000;

QStringList callsOf(const QString& log)
{
    QFile file(log);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts)
                                          : QStringList();
}

bool copyProgram(const QString& from, const QString& to)
{
    return QFile::copy(from, to) && QFile::setPermissions(to, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace

class ViewerStartTest : public QObject {
    Q_OBJECT

private slots:
    void startsTheViewerFound_data()
    {
        QTest::addColumn<bool>("notepadOnPath");
        QTest::addColumn<QString>("started");
        QTest::addColumn<QString>("passedOver");
        QTest::newRow("no notepad.exe: trova-plan beside trova") << false << "trova-plan"
                                                                 << "notepad.exe";
        QTest::newRow("notepad.exe on PATH") << true << "notepad.exe"
                                             << "trova-plan";
    }
    void startsTheViewerFound()
    {
        QFETCH(bool, notepadOnPath);
        QFETCH(QString, started);
        QFETCH(QString, passedOver);
        QTemporaryDir program;
        QTemporaryDir pathEntry;
        QTemporaryDir work;
        QVERIFY(copyProgram(QStringLiteral(TROVA_BINARY), program.filePath("trova")));
        QVERIFY(copyProgram(QStringLiteral(TROVA_STANDIN), program.filePath("trova-plan")));
        QVERIFY(copyProgram(QStringLiteral(TROVA_STANDIN), pathEntry.filePath("notepad.exe")));
        QVERIFY(copyProgram(QStringLiteral(KORAX_BINARY), work.filePath("korax.exe")));
        QVERIFY(QFile::copy(QStringLiteral(TROVA_DEMO_DATA "/profile.dat"), work.filePath("profile.dat")));

        QProcess trova;
        trova.setWorkingDirectory(work.path());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("QT_PLUGIN_PATH"), QStringLiteral(TROVA_TEST_PLUGINS));
        environment.insert(QStringLiteral("QT_QPA_GENERIC_PLUGINS"), QStringLiteral("trovacomputepress"));
        if (notepadOnPath)
            environment.insert(
                QStringLiteral("PATH"), pathEntry.path() + QDir::listSeparator() + environment.value("PATH"));
        trova.setProcessEnvironment(environment);
        trova.start(program.filePath("trova"), {});
        QVERIFY(trova.waitForFinished(kRunTimeoutMs));
        QCOMPARE(trova.exitCode(), 0);

        // The stand-in logs its arguments in the working folder it inherits.
        QVERIFY(QFile::exists(work.filePath("1plan.out")));
        QTRY_COMPARE(callsOf(work.filePath(started + ".log")), QStringList { "argc=1|1plan.out" });
        QVERIFY(!QFile::exists(work.filePath(passedOver + ".log")));
    }
};

QTEST_GUILESS_MAIN(ViewerStartTest)
#include "test_viewer_start.moc"
