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
        constexpr int kStartTimeoutMs = 30000;
        QTemporaryDir work;
        QTemporaryDir logs;
        const QString logPath = logs.filePath(QStringLiteral("modal.log"));
        QProcess trova;
        trova.setWorkingDirectory(work.path());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("QT_PLUGIN_PATH"), QStringLiteral(TROVA_TEST_PLUGINS));
        environment.insert(QStringLiteral("QT_QPA_GENERIC_PLUGINS"), QStringLiteral("trovamodaldriver:") + logPath);
        trova.setProcessEnvironment(environment);
        trova.start(QStringLiteral(TROVA_BINARY), {});
        QVERIFY(trova.waitForFinished(kStartTimeoutMs));

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
