// The korax executable as T/ROVA runs it: a child process in a folder with profile.dat.
//
// tests/data/planner/golden holds profile.dat files (NAME.dat) with the plan file (NAME.plan)
// and the --json output (NAME.json) korax gave for them; a stale plan file stands in the folder
// and the *.tissues files beside them are copied in. Run with KORAX_GOLDEN_WRITE=1 to
// write the outputs of new NAME.dat files (then read the diff before committing it).
#include "tests/planner/PlannerTestSupport.h"

#include <QtTest>

#include <QDir>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>

using namespace planner_test;

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct Run {
    int exitCode;
    QByteArray out;
};

// Writes profile.dat (none when the lines are empty) and runs korax in the folder.
Run runKorax(const QTemporaryDir& dir, const Lines& lines, const QStringList& arguments = {})
{
    if (!lines.empty())
        writeFile(dir.filePath("profile.dat"), QByteArray::fromStdString(profile_text::joinLines(lines)));
    QProcess process;
    process.setWorkingDirectory(dir.path());
    process.start(KORAX_PATH, arguments);
    process.waitForFinished(60000);
    return { process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, process.readAllStandardOutput() };
}

Lines dive(const Lines& changes)
{
    return with(profile({ "45, 25, 21/35", "TissueFile: tissue.dat" }), changes);
}

} // namespace

class KoraxRunTest : public QObject {
    Q_OBJECT

private slots:
    void reproducesTheGoldenPlans_data()
    {
        QTest::addColumn<QString>("name");
        const QDir golden(TROVA_TEST_DATA "/planner/golden");
        for (const QString& file : golden.entryList({ "*.dat" }, QDir::Files, QDir::Name))
            QTest::newRow(qPrintable(file)) << golden.filePath(file.chopped(4));
        QVERIFY2(golden.entryList({ "*.dat" }).size() >= 30, "the golden plans are missing");
    }
    void reproducesTheGoldenPlans()
    {
        QFETCH(QString, name);
        QTemporaryDir dir;
        writeFile(dir.filePath("profile.dat"), readFile(name + ".dat"));
        writeFile(dir.filePath("plan.out"), "old plan of an earlier run");
        const QDir golden(QFileInfo(name).path());
        for (const QString& tissues : golden.entryList({ "*.tissues" }))
            writeFile(dir.filePath(tissues), readFile(golden.filePath(tissues)));
        const Run run = runKorax(dir, {}, { "--json" });
        const QByteArray plan = readFile(dir.filePath("plan.out"));
        if (qEnvironmentVariableIsSet("KORAX_GOLDEN_WRITE")) {
            writeFile(name + ".plan", plan);
            writeFile(name + ".json", run.out);
            return;
        }
        QCOMPARE(run.exitCode, readFile(name + ".json").contains("\"problems\":[]") ? 0 : 2);
        QCOMPARE(plan, readFile(name + ".plan"));
        QCOMPARE(run.out, readFile(name + ".json"));
    }

    void repetitiveDiveFollowsTheTissueFile_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("updated");
        QTest::newRow("without -s the file stays") << QStringList {} << false;
        QTest::newRow("-s writes the end state") << QStringList { "-s" } << true;
    }
    void repetitiveDiveFollowsTheTissueFile()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, updated);
        QTemporaryDir dir;
        const Run first = runKorax(dir, dive({}), { "--json" });
        QCOMPARE(first.exitCode, 0);
        const QByteArray afterFirst = readFile(dir.filePath("tissue.dat"));
        QVERIFY(afterFirst.startsWith("KORAX tissues 1\r\n"));
        const Run again = runKorax(dir, dive({ "SurfaceInterval: 1:00" }), arguments << "--json");
        const auto runtimeOf = [](const Run& r) { return QJsonDocument::fromJson(r.out)["runtime_min"].toDouble(); };
        QVERIFY(again.exitCode == 0 && runtimeOf(again) > runtimeOf(first));
        QCOMPARE(readFile(dir.filePath("tissue.dat")) != afterFirst, updated);
    }
};

QTEST_APPLESS_MAIN(KoraxRunTest)
#include "test_korax_run.moc"
