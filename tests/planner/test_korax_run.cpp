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
        // Cut half-way through an in-place write of other bytes: their first half, the old rest.
        const QByteArray written = QByteArray(old).replace('7', '8');
        QVERIFY(written != old);
        QVERIFY(writeBytes(dir.filePath("tissue.dat"), written.left(old.size() / 2) + old.mid(old.size() / 2)));
        struct stat info { };
        QCOMPARE(::stat(tissuePath.c_str(), &info), 0);
        QVERIFY(!platform::writeJournal(
            { platform::saveTarget(tissuePath), info.st_dev, info.st_ino, old.toStdString(), written.toStdString() })
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

    // A journal that names the tissue file and its identity, but whose save cannot have left
    // what the file holds (a later dive rewrote it in place), is no cut save: the repetitive
    // dive plans from the file as it is, and the journal is set aside, not applied.
    void staleTissueJournalIsSetAside()
    {
        QTemporaryDir dir;
        qputenv("XDG_CACHE_HOME", QFile::encodeName(dir.filePath("cache")));
        QCOMPARE(runKorax(dir, with(dive, { "45, 40, 21/35" }), {}).exitCode, 0);
        const QByteArray older = bytesOf(dir.filePath("tissue.dat"));
        QCOMPARE(runKorax(dir, dive, {}).exitCode, 0);
        const Finished intact = runKorax(dir, again, { "--json" });
        const QByteArray now = bytesOf(dir.filePath("tissue.dat"));
        const std::string tissuePath = QFile::encodeName(dir.filePath("tissue.dat")).toStdString();
        struct stat info { };
        QCOMPARE(::stat(tissuePath.c_str(), &info), 0);
        QVERIFY(!platform::writeJournal({ platform::saveTarget(tissuePath), info.st_dev, info.st_ino,
                                            older.toStdString(), QByteArray(older).replace('7', '8').toStdString() })
                     .empty());

        const Finished stale = runKorax(dir, again, { "--json" });
        QCOMPARE(stale.exitCode, 0);
        QCOMPARE(bytesOf(dir.filePath("tissue.dat")), now);
        QCOMPARE(runtimeOf(stale), runtimeOf(intact));
        QCOMPARE(QDir(dir.filePath("cache/trova")).entryList({ "*.journal" }, QDir::Files), QStringList());
        QCOMPARE(QDir(dir.filePath("cache/trova")).entryList({ "*.kept" }, QDir::Files).size(), 1);
        qunsetenv("XDG_CACHE_HOME");
    }

    // What stands at an output's name before a fresh dive: korax replaces its own plan and
    // tissue file, or an empty file, and leaves anything else as it was (followed through a
    // link too, and a named pipe without waiting on it), with a problem naming the file.
    void replacesOnlyItsOwnOutputs_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("problem");
        const QByteArray notes = "Dear diary,\r\n";
        const QString foreignPlan = QStringLiteral("PlanFile: \"plan.out\": není to plán KORAX; soubor se nepřepíše");
        const QString foreignTissues
            = QStringLiteral("TissueFile: \"tissue.dat\": není to soubor se stavem tkání KORAX; soubor se nepřepíše");
        QTest::newRow("an earlier plan") << "plan.out" << QByteArray("KORAX 0.9 \x96 pl\xe1n ponoru\r\nx") << "";
        QTest::newRow("an empty plan file") << "plan.out" << QByteArray() << "";
        QTest::newRow("notes at the plan's name") << "plan.out" << notes << foreignPlan;
        QTest::newRow("a link to notes at the plan's name") << "plan.out" << QByteArray("->notes") << foreignPlan;
        QTest::newRow("a named pipe at the plan's name") << "plan.out" << QByteArray("fifo") << foreignPlan;
        QTest::newRow("a folder at the plan's name") << "plan.out" << QByteArray("folder") << foreignPlan;
        QTest::newRow("an earlier tissue file") << "tissue.dat" << QByteArray("KORAX tissues 1\r\nx") << "";
        QTest::newRow("notes at the tissue file's name") << "tissue.dat" << notes << foreignTissues;
        QTest::newRow("a link to notes at the tissue file's name")
            << "tissue.dat" << QByteArray("->notes") << foreignTissues;
    }
    void replacesOnlyItsOwnOutputs()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, before);
        QFETCH(QString, problem);
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        QVERIFY(writeBytes(dir.filePath("notes"), "Dear diary,\r\n"));
        if (before == "->notes")
            QVERIFY(QFile::link("notes", path));
        else if (before == "fifo")
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else if (before == "folder")
            QVERIFY(QDir(dir.path()).mkdir(name));
        else
            QVERIFY(writeBytes(path, before));
        const Finished run = runKorax(dir, dive, { "--json" });
        const QJsonDocument json = QJsonDocument::fromJson(run.out);
        QCOMPARE(json["problems"][0].toString(), problem);
        QCOMPARE(bytesOf(dir.filePath("notes")), QByteArray("Dear diary,\r\n"));
        if (problem.isEmpty()) {
            QCOMPARE(run.exitCode, 0);
            QVERIFY(bytesOf(path).startsWith(name == "plan.out" ? "KORAX 1.0 \x96 pl\xe1n" : "KORAX tissues 1\r\n"));
            return;
        }
        // A foreign plan file leaves nowhere to write the plan: the exit status says so.
        QCOMPARE(run.exitCode, name == "plan.out" ? 1 : 2);
        if (QFileInfo(path).isFile() && !QFileInfo(path).isSymLink())
            QCOMPARE(bytesOf(path), before);
        if (name == "tissue.dat") // the plan says why, with no table
            QVERIFY(!bytesOf(dir.filePath("plan.out")).contains("F\xe1ze"));
    }

    // An output name with a folder part is refused, whatever is there: a profile.dat from
    // elsewhere must not have korax write over a file outside its folder. The plan file has then
    // nowhere to go (status 1); a tissue file outside is a problem of the plan (status 2).
    void writesNothingOutsideItsFolder_data()
    {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<QString>("victim"); // in the folder above, written before the run
        QTest::addColumn<int>("status");
        QTest::newRow("plan file in the folder above") << "PlanFile: ../victim.txt"
                                                       << "victim.txt" << 1;
        QTest::newRow("plan file by absolute name") << "PlanFile: %1/victim.txt"
                                                    << "victim.txt" << 1;
        QTest::newRow("plan file in a subfolder, Windows style") << "PlanFile: sub\\..\\..\\x"
                                                                 << "" << 1;
        QTest::newRow("tissue file in the folder above") << "TissueFile: ../victim.dat"
                                                         << "victim.dat" << 2;
        QTest::newRow("tissue file by absolute name") << "TissueFile: %1/victim.dat"
                                                      << "" << 2;
        QTest::newRow("tissue file on a drive") << "TissueFile: c:tissue.dat"
                                                << "" << 2;
    }
    void writesNothingOutsideItsFolder()
    {
        QFETCH(QString, setting);
        QFETCH(QString, victim);
        QFETCH(int, status);
        QTemporaryDir above;
        QVERIFY(QDir(above.path()).mkdir("work"));
        // Each looks like korax's own output, which the first-line rule alone would replace.
        const QByteArray victimBytes
            = victim.endsWith(".txt") ? "KORAX 0.9 \x96 pl\xe1n ponoru\r\nx" : "KORAX tissues 1\r\nx";
        if (!victim.isEmpty())
            QVERIFY(writeBytes(above.filePath(victim), victimBytes));
        QTemporaryDir work(above.filePath("work/XXXXXX"));
        setting = setting.contains("%1") ? setting.arg(above.path()) : setting;
        const Finished run = runKorax(work, with(dive, { setting.toStdString() }), { "--json" });
        QCOMPARE(run.exitCode, status);
        const QString name = setting.section(": ", 1);
        QCOMPARE(QJsonDocument::fromJson(run.out)["problems"][0].toString(),
            setting.section(": ", 0, 0) + ": \"" + name + "\": název vede mimo pracovní složku; soubor se nepoužije");
        QCOMPARE(QDir(above.path()).entryList(QDir::Files), victim.isEmpty() ? QStringList() : QStringList(victim));
        if (!victim.isEmpty())
            QCOMPARE(bytesOf(above.filePath(victim)), victimBytes);
        const QStringList left = QDir(work.path()).entryList(QDir::Files | QDir::NoDotAndDotDot);
        QCOMPARE(left, status == 1 ? QStringList("profile.dat") : QStringList({ "plan.out", "profile.dat" }));
    }

    // korax waits on no named pipe: not as profile.dat, which ends the run with a word on
    // stderr, nor as the tissue file of a repetitive dive, which is a problem of the plan.
    void readsNoNamedPipe()
    {
        QTemporaryDir dir;
        QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath("profile.dat")).constData(), 0600), 0);
        const Finished pipe = runProgram(KORAX_PATH, {}, dir.path());
        QCOMPARE(pipe.exitCode, 1);
        QCOMPARE(QString::fromUtf8(pipe.err),
            "profile.dat není obyčejný soubor (je to složka, pojmenovaná roura nebo zařízení); korax jej neotevře.\n");
        QVERIFY(QFile::remove(dir.filePath("profile.dat")));
        QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath("tissue.dat")).constData(), 0600), 0);
        const Finished tissues = runKorax(dir, again, { "--json" });
        QCOMPARE(tissues.exitCode, 2);
        QCOMPARE(QJsonDocument::fromJson(tissues.out)["problems"][0].toString(),
            QStringLiteral("TissueFile: \"tissue.dat\": soubor nelze přečíst"));
    }

    // A plan that is not written says why, on the line that names the file.
    void saysWhyAnOutputIsNotWritten()
    {
        QTemporaryDir dir;
        const Finished run = runKorax(dir, with(dive, { "PlanFile: none/plan.out" }), {});
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.err,
            QByteArray("korax: the plan file none/plan.out is outside the working folder; nothing is written\n"));
    }
};

QTEST_APPLESS_MAIN(KoraxRunTest)
#include "test_korax_run.moc"
