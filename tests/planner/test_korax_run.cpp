// The korax executable as T/ROVA runs it: a child process in a folder with profile.dat.
#include "platform/Cp1250Text.h"
#include "tests/planner/PlannerTestSupport.h"

#include <QtTest>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
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

Lines dive(const Lines& changes = {})
{
    return with(profile({ "UseOCDeco: y", "OcDecoGas: 50, 100", "45, 25, 21/35" }), changes);
}

} // namespace

class KoraxRunTest : public QObject {
    Q_OBJECT

private slots:
    void writesThePlanInWindows1250WithCrLfAndAsJson()
    {
        QTemporaryDir dir;
        const Run run = runKorax(dir, dive({ "PlanFile: 1plan.out" }), { "--json" });
        QCOMPARE(run.exitCode, 0);
        const QByteArray text = readFile(dir.filePath("1plan.out"));
        // "Fáze" with á as 0xE1 and no UTF-8 lead bytes; every line ends in CR LF.
        QVERIFY(text.contains("F\xE1ze") && !text.contains("\xC3"));
        QVERIFY(text.endsWith("\r\n"));
        QVERIFY(text.count('\n') == text.count("\r\n") && text.count('\r') == text.count("\r\n"));
        const QJsonObject plan = QJsonDocument::fromJson(run.out).object();
        QVERIFY(std::fabs(plan["runtime_min"].toDouble() - planOf(dive()).runtime) < 0.051);
        QCOMPARE(plan["first_stop"].toDouble(), *planOf(dive()).firstStop);
        const QJsonValue lastStop = plan["stops"].toArray().last();
        QVERIFY(lastStop["depth"].toDouble() == 3.0 && lastStop["gas"].toString() == "100/0");
        QVERIFY(plan["segments"].toArray().size() > plan["stops"].toArray().size());
        QVERIFY(plan["gas_use_l"].toObject()["21/35"].toDouble() > 1000.0);
        QVERIFY(plan["cns_pct"].toDouble() > 0.0 && plan["otu"].toDouble() > 0.0);
        QVERIFY(plan["warnings"].isArray() && plan["problems"].toArray().isEmpty());
    }

    // Each row: the plan file replaces a stale one and names the key and text, --json lists it.
    void reportsEveryInvalidSetting_data()
    {
        QTest::addColumn<Lines>("lines");
        QTest::addColumn<QString>("expected");
        const Lines again = dive({ "SurfaceInterval: 2:00" });
        QTest::newRow("altitude not a number") << dive({ "Altitude: high" }) << "Altitude: \"high\"";
        QTest::newRow("conservatism 100") << dive({ "Conservatism: 100" }) << "Conservatism: \"100\"";
        QTest::newRow("stop distance zero") << dive({ "StopDistance: 0" }) << "StopDistance: \"0\"";
        QTest::newRow("deep stops unknown") << dive({ "DeepStops: q" }) << "DeepStops: \"q\"";
        QTest::newRow("interval minutes 75") << dive({ "SurfaceInterval: 1:75" }) << "SurfaceInterval: \"1:75\"";
        QTest::newRow("repetitive without tissue file") << again << "TissueFile: \"0\"";
        QTest::newRow("tissue file missing") << with(again, { "TissueFile: no.dat" }) << "TissueFile: \"no.dat\"";
        QTest::newRow("tissue file malformed") << with(again, { "TissueFile: bad.dat" }) << "TissueFile: \"bad.dat\"";
        QTest::newRow("deco gas over 100 %") << dive({ "OcDecoGas: 50/60" }) << "OcDecoGas: \"50/60\"";
        QTest::newRow("ascent rate zero") << dive({ "AscentRate: 6-0, 0" }) << "AscentRate: \"6-0, 0\"";
        QTest::newRow("profile mix without oxygen") << profile({ "45, 25, 0/50" }) << "\"45, 25, 0/50\"";
        QTest::newRow("no profile lines") << profile({}) << "profil";
        QTest::newRow("GF 1 % never clears") << profile({ "Conservatism: 99", "90, 240, 10/50" }) << "24 hodin";
    }
    void reportsEveryInvalidSetting()
    {
        QFETCH(Lines, lines);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        writeFile(dir.filePath("plan.out"), "old plan of an earlier run");
        writeFile(dir.filePath("bad.dat"), "KORAX tissues 1\r\n1 0.75 0.0\r\n");
        const Run run = runKorax(dir, lines, { "--json" });
        QCOMPARE(run.exitCode, 2);
        const QByteArray plan = readFile(dir.filePath("plan.out"));
        QVERIFY2(!plan.contains("old plan") && plan.contains(cp1250::utf8ToCp1250(expected.toStdString()).c_str()),
            plan.constData());
        const QJsonArray problems = QJsonDocument::fromJson(run.out).object()["problems"].toArray();
        QVERIFY(!problems.isEmpty() && problems.first().toString().contains(expected));
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
        const Run first = runKorax(dir, dive({ "TissueFile: tissue.dat" }), { "--json" });
        QCOMPARE(first.exitCode, 0);
        const QByteArray afterFirst = readFile(dir.filePath("tissue.dat"));
        QVERIFY(afterFirst.startsWith("KORAX tissues 1\r\n"));
        const Run again
            = runKorax(dir, dive({ "TissueFile: tissue.dat", "SurfaceInterval: 1:00" }), arguments << "--json");
        const auto runtimeOf = [](const Run& r) { return QJsonDocument::fromJson(r.out)["runtime_min"].toDouble(); };
        QVERIFY(again.exitCode == 0 && runtimeOf(again) > runtimeOf(first));
        QCOMPARE(readFile(dir.filePath("tissue.dat")) != afterFirst, updated);
    }
};

QTEST_APPLESS_MAIN(KoraxRunTest)
#include "test_korax_run.moc"
