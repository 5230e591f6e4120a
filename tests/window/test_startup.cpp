// The real program started as a child process: a missing profile.dat ends it with its
// message and exit status 1, before any window shows and without writing anything.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void endsWhenProfileIsMissing()
    {
        QTemporaryDir work;
        QTemporaryDir logs;
        const QString logPath = logs.filePath(QStringLiteral("modal.log"));
        QProcess trova;
        trova.setWorkingDirectory(work.path());
        trova.setEnvironment(QProcess::systemEnvironment()
            << "QT_QPA_PLATFORM=offscreen"
            << "QT_PLUGIN_PATH=" TROVA_TEST_PLUGINS << "QT_QPA_GENERIC_PLUGINS=trovamodaldriver:" + logPath);
        trova.start(QStringLiteral(TROVA_BINARY), {});
        QVERIFY(trova.waitForFinished(30000));

        QCOMPARE(trova.exitStatus(), QProcess::NormalExit);
        QCOMPARE(trova.exitCode(), 1);
        QFile log(logPath);
        QVERIFY(log.open(QIODevice::ReadOnly));
        // Any window visible behind the box would be logged before it.
        QCOMPARE(log.readAll(), QByteArray("box|T/ROVA|Nenalezen soubor profile.dat|0\n"));
        QVERIFY(QDir(work.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot));
    }
};

QTEST_GUILESS_MAIN(StartupTest)
#include "test_startup.moc"
