// The korax executable as T/ROVA runs it, a child process in a folder with profile.dat, over
// what one run leaves for the next: the tissue file. The golden plans are run by portable_tests.
#include "files/SaveJournal.h"
#include "tests/planner/PlannerTestSupport.h"
#include "tests/support/TestFiles.h"

#include <QtTest>

#include <sys/stat.h>

using namespace planner_test;

namespace {

// Writes profile.dat and runs korax in the folder.
Finished runKorax(const QTemporaryDir& dir, const Lines& lines, const QStringList& arguments)
{
    if (!writeBytes(dir.filePath("profile.dat"), QByteArray::fromStdString(cases::joinLines(lines))))
        return { -1, {}, {} };
    return runProgram(KORAX_PATH, arguments, dir.path());
}

double runtimeOf(const Finished& run)
{
    return QJsonDocument::fromJson(run.out)["runtime_min"].toDouble();
}

} // namespace

class KoraxRunTest : public QObject {
    Q_OBJECT

    // A first dive that writes its end state to TissueFile:, and a repetitive dive after it.
    const Lines dive = profile({ "45, 25, 21/35", "TissueFile: tissue.dat" });
    const Lines again = with(dive, { "SurfaceInterval: 1:00" });

private slots:
    // A first dive writes its end state to TissueFile:; a repetitive dive starts from it, so
    // it is longer, and writes its own end state only with -s.
    void repetitiveDiveFollowsTheTissueFile()
    {
        QTemporaryDir dir;
        const Finished first = runKorax(dir, dive, { "--json" });
        const QByteArray afterFirst = bytesOf(dir.filePath("tissue.dat"));
        QVERIFY(first.exitCode == 0 && afterFirst.startsWith("KORAX tissues 1\r\n"));
        const Finished second = runKorax(dir, again, { "--json" });
        QVERIFY(second.exitCode == 0 && runtimeOf(second) > runtimeOf(first));
        QCOMPARE(bytesOf(dir.filePath("tissue.dat")), afterFirst);
        QCOMPARE(runKorax(dir, again, { "-s" }).exitCode, 0);
        QVERIFY(bytesOf(dir.filePath("tissue.dat")) != afterFirst);
    }

    // The tissue file carries the CNS at surfacing; a repetitive dive starts with it halved for
    // every 90 minutes of the interval and ends with its own oxygen added. A file written
    // before the CNS line was kept counts as 0 %.
    void cnsCarriesOverTheInterval_data()
    {
        QTest::addColumn<QString>("interval");
        QTest::addColumn<double>("minutes");
        QTest::newRow("60 min") << "1:00" << 60.0;
        QTest::newRow("180 min") << "3:00" << 180.0;
    }
    void cnsCarriesOverTheInterval()
    {
        QFETCH(QString, interval);
        QFETCH(double, minutes);
        QTemporaryDir dir;
        const Finished first = runKorax(dir, dive, { "--json" });
        const double firstCns = QJsonDocument::fromJson(first.out)["cns_pct"].toDouble();
        QVERIFY(first.exitCode == 0 && firstCns > 5.0);
        const Lines repetitive = with(dive, { "SurfaceInterval: " + interval.toStdString() });
        const QJsonDocument second = QJsonDocument::fromJson(runKorax(dir, repetitive, { "--json", "-s" }).out);
        const double start = second["cns_start_pct"].toDouble();
        QVERIFY2(std::fabs(start - firstCns * std::exp2(-minutes / 90.0)) <= 0.01, qPrintable(QString::number(start)));
        QVERIFY(second["cns_pct"].toDouble() > start + 5.0);
        const QByteArray saved = bytesOf(dir.filePath("tissue.dat"));
        const qsizetype cnsLine = saved.indexOf("\r\nCNS ") + 6;
        const double savedCns = saved.mid(cnsLine, saved.indexOf('\r', cnsLine) - cnsLine).toDouble();
        QVERIFY(cnsLine > 6 && std::fabs(savedCns - second["cns_pct"].toDouble()) <= 0.005);

        QByteArray withoutCns = saved.left(saved.indexOf("# CNS"));
        QVERIFY(writeBytes(dir.filePath("tissue.dat"), withoutCns));
        const QJsonDocument old = QJsonDocument::fromJson(runKorax(dir, repetitive, { "--json" }).out);
        QCOMPARE(old["problems"].toArray().size(), 0);
        QCOMPARE(old["cns_start_pct"].toDouble(), 0.0);
    }

    // A write of the tissue file killed half-way left a journal: the repetitive dive is planned
    // from the restored old state, as from the intact file, and the plan says so.
    void cutTissueFileIsRestoredFirst()
    {
        QTemporaryDir dir;
        QCOMPARE(runKorax(dir, dive, {}).exitCode, 0);
        const Finished intact = runKorax(dir, again, { "--json" });
        const QByteArray old = bytesOf(dir.filePath("tissue.dat"));

        qputenv("XDG_CACHE_HOME", QFile::encodeName(dir.filePath("cache")));
        const std::string tissuePath = QFile::encodeName(dir.filePath("tissue.dat")).toStdString();
        const QByteArray cutText = old.left(old.size() / 2) + QByteArray(40, '\0');
        QVERIFY(writeBytes(dir.filePath("tissue.dat"), cutText));
        struct stat info { };
        QCOMPARE(::stat(tissuePath.c_str(), &info), 0);
        QVERIFY(!platform::writeJournal({ platform::saveTarget(tissuePath), info.st_dev, info.st_ino, old.toStdString(),
                                            QByteArray(old).replace('7', '8').toStdString() })
                     .empty());

        const Finished restored = runKorax(dir, again, { "--json" });
        QCOMPARE(restored.exitCode, 0);
        QCOMPARE(bytesOf(dir.filePath("tissue.dat")), old);
        QCOMPARE(runtimeOf(restored), runtimeOf(intact));
        QCOMPARE(QJsonDocument::fromJson(restored.out)["warnings"][0].toString(),
            QStringLiteral(
                "Zápis souboru se stavem tkání byl přerušen; plán vychází z jeho obnoveného předchozího obsahu."));
        QCOMPARE(QDir(dir.filePath("cache/trova")).entryList(QDir::Files), QStringList());
        qunsetenv("XDG_CACHE_HOME");
    }
};

QTEST_APPLESS_MAIN(KoraxRunTest)
#include "test_korax_run.moc"
