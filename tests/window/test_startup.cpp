// The real program started as a child process: a missing profile.dat ends it with its
// message and exit status 1, before any window shows and without writing anything.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

constexpr int kStartTimeoutMs = 30000;

}  // namespace

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void endsWhenProfileCannotBeOpened_data()
    {
        QTest::addColumn<QString>("situation");
        QTest::newRow("profile.dat missing") << "missing";
        QTest::newRow("profile.dat a folder") << "folder";
    }
    void endsWhenProfileCannotBeOpened()
    {
        QFETCH(QString, situation);
        QTemporaryDir work;
        QTemporaryDir logs;
        if (situation == "folder")
            QVERIFY(QDir(work.path()).mkdir(QStringLiteral("profile.dat")));
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
        const QStringList seen = QString::fromUtf8(log.readAll()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(seen, QStringList{QStringLiteral("box|T/ROVA|Nenalezen soubor profile.dat|0")});
        const QStringList left = QDir(work.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        QCOMPARE(left, situation == "folder" ? QStringList{QStringLiteral("profile.dat")} : QStringList{});
    }
};

QTEST_GUILESS_MAIN(StartupTest)
#include "test_startup.moc"
