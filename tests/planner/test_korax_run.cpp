// The korax executable as T/ROVA runs it: a child process in a folder with profile.dat.
#include "Cp1250Text.h"
#include "PlannerTestSupport.h"

#include <QtTest>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

using namespace planner_test;

namespace {

QByteArray bytesOf(const Lines& lines)
{
    return QByteArray::fromStdString(profile_text::joinLines(lines));
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct Run {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

Run runKorax(const QString& folder, const QStringList& arguments = {})
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(KORAX_PATH, arguments);
    process.waitForFinished(60000);
    return { process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, process.readAllStandardOutput(),
        process.readAllStandardError() };
}

Lines dive()
{
    return plus(with(with(baseProfile(), "UseOCDeco:", "y"), "OcDecoGas:", "50, 100"), { "45, 25, 21/35" });
}

// The run time the plan file gives in its summary line.
double planRuntime(const QByteArray& plan)
{
    const QByteArray marker = QByteArray::fromStdString(cp1250::utf8ToCp1250("Celkový čas ponoru: "));
    const qsizetype at = plan.indexOf(marker);
    return at < 0 ? -1.0 : plan.mid(at + marker.size()).split(' ').front().toDouble();
}

} // namespace

class KoraxRunTest : public QObject {
    Q_OBJECT

private slots:
    void writesThePlanInWindows1250WithCrLf()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath("profile.dat"), bytesOf(with(dive(), "PlanFile:", "1plan.out")));
        QCOMPARE(runKorax(dir.path()).exitCode, 0);
        const QByteArray plan = readFile(dir.filePath("1plan.out"));
        QVERIFY(!plan.isEmpty());
        QVERIFY(plan.contains("F\xE1ze")); // "Fáze" with á as 0xE1
        QVERIFY(plan.contains("zast\xE1vka")); // a stop
        QVERIFY(!plan.contains("\xC3")); // no UTF-8 lead bytes
        QVERIFY(plan.endsWith("\r\n"));
        QCOMPARE(plan.count("\n"), plan.count("\r\n"));
        QCOMPARE(plan.count("\r"), plan.count("\r\n"));
    }

    void rewritesAStalePlanEvenWithProblems()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath("plan.out"), "old plan of an earlier run");
        writeFile(dir.filePath("profile.dat"), bytesOf(with(dive(), "Conservatism:", "150")));
        QCOMPARE(runKorax(dir.path()).exitCode, 2);
        const QByteArray plan = readFile(dir.filePath("plan.out"));
        QVERIFY(!plan.contains("old plan"));
        QVERIFY(plan.contains("Conservatism: \"150\""));
    }

    void reportsEveryInvalidSetting_data()
    {
        QTest::addColumn<Lines>("lines");
        QTest::addColumn<QString>("expected");
        const Lines d = dive();
        QTest::newRow("altitude not a number") << with(d, "Altitude:", "high") << "Altitude: \"high\"";
        QTest::newRow("conservatism 100") << with(d, "Conservatism:", "100") << "Conservatism: \"100\"";
        QTest::newRow("negative precision") << with(d, "Precision:", "-1") << "Precision: \"-1\"";
        QTest::newRow("stop distance zero") << with(d, "StopDistance:", "0") << "StopDistance: \"0\"";
        QTest::newRow("stop distance decimal") << with(d, "StopDistance:", "3.5") << "StopDistance: \"3.5\"";
        QTest::newRow("stop distance negative") << with(d, "StopDistance:", "-3") << "StopDistance: \"-3\"";
        QTest::newRow("last stop text") << with(d, "LastStopDepth:", "x") << "LastStopDepth: \"x\"";
        QTest::newRow("deep stops unknown") << with(d, "DeepStops:", "q") << "DeepStops: \"q\"";
        QTest::newRow("deep stops missing") << withAll(d, "DeepStops:", {}) << "DeepStops: \"0\"";
        QTest::newRow("Pyle stop of no time")
            << with(with(d, "DeepStops:", "p"), "PyleStopTime:", "0") << "PyleStopTime: \"0\"";
        QTest::newRow("interval minutes 75")
            << with(with(d, "SurfaceInterval:", "1:75"), "TissueFile:", "t.dat") << "SurfaceInterval: \"1:75\"";
        QTest::newRow("repetitive without tissue file") << with(d, "SurfaceInterval:", "2:00") << "TissueFile: \"0\"";
        QTest::newRow("repetitive, tissue file missing")
            << with(with(d, "SurfaceInterval:", "2:00"), "TissueFile:", "none.dat") << "TissueFile: \"none.dat\"";
        QTest::newRow("negative rmv") << with(d, "Rmv:", "-5") << "Rmv: \"-5\"";
        QTest::newRow("deco rmv text") << with(d, "DecoRmv:", "lots") << "DecoRmv: \"lots\"";
        QTest::newRow("deco gas over 100 %") << with(d, "OcDecoGas:", "50/60") << "OcDecoGas: \"50/60\"";
        QTest::newRow("deco PO2 3 bar") << with(d, "OcDecoMaxPO2:", "3") << "OcDecoMaxPO2: \"3\"";
        QTest::newRow("max END text") << with(d, "MaxEND:", "deep") << "MaxEND: \"deep\"";
        QTest::newRow("descent rate without comma")
            << withAll(d, "DescentRate:", { "0-45 20" }) << "DescentRate: \"0-45 20\"";
        QTest::newRow("ascent rate zero")
            << withAll(d, "AscentRate:", { "45-6, 9", "6-0, 0" }) << "AscentRate: \"6-0, 0\"";
        QTest::newRow("profile time text") << plus(baseProfile(), { "45, long, 21/35" }) << "\"45, long, 21/35\"";
        QTest::newRow("profile mix without oxygen") << plus(baseProfile(), { "45, 25, 0/50" }) << "\"45, 25, 0/50\"";
        QTest::newRow("profile depth only") << plus(baseProfile(), { "45,," }) << "\"45,,\"";
        QTest::newRow("no profile lines") << baseProfile() << "profil";
        QTest::newRow("GF 1 % never clears")
            << plus(with(d, "Conservatism:", "99"), { "90, 240, 10/50" }) << "24 hodin";
    }
    void reportsEveryInvalidSetting()
    {
        QFETCH(Lines, lines);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        writeFile(dir.filePath("profile.dat"), bytesOf(lines));
        const Run run = runKorax(dir.path(), { "--json" });
        QCOMPARE(run.exitCode, 2);
        const QByteArray plan = readFile(dir.filePath("plan.out"));
        QVERIFY2(
            plan.contains(QByteArray::fromStdString(cp1250::utf8ToCp1250(expected.toStdString()))), plan.constData());
        const QJsonArray problems = QJsonDocument::fromJson(run.out).object()["problems"].toArray();
        QVERIFY(!problems.isEmpty());
        QVERIFY(problems.first().toString().contains(expected));
    }

    void failsOnInputOutput_data()
    {
        QTest::addColumn<bool>("withProfile");
        QTest::addColumn<QString>("planFile");
        QTest::newRow("no profile.dat") << false << "plan.out";
        QTest::newRow("plan folder missing") << true << "missing/plan.out";
        QTest::newRow("empty plan name") << true << "";
    }
    void failsOnInputOutput()
    {
        QFETCH(bool, withProfile);
        QFETCH(QString, planFile);
        QTemporaryDir dir;
        if (withProfile)
            writeFile(dir.filePath("profile.dat"), bytesOf(with(dive(), "PlanFile:", planFile.toStdString())));
        const Run run = runKorax(dir.path());
        QCOMPARE(run.exitCode, 1);
        QVERIFY(!run.err.isEmpty());
    }

    void printsThePlanAsJson()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath("profile.dat"), bytesOf(dive()));
        const Run run = runKorax(dir.path(), { "--json" });
        QCOMPARE(run.exitCode, 0);
        QJsonParseError error;
        const QJsonObject plan = QJsonDocument::fromJson(run.out, &error).object();
        QCOMPARE(error.error, QJsonParseError::NoError);
        QVERIFY(std::fabs(plan["runtime_min"].toDouble() - planRuntime(readFile(dir.filePath("plan.out")))) < 0.051);
        QVERIFY(plan["first_stop"].isDouble());
        const QJsonArray stops = plan["stops"].toArray();
        QVERIFY(!stops.isEmpty());
        QCOMPARE(stops.last().toObject()["depth"].toDouble(), 3.0);
        QCOMPARE(stops.last().toObject()["gas"].toString(), QString("100/0"));
        QVERIFY(plan["segments"].toArray().size() > stops.size());
        QVERIFY(plan["gas_use_l"].toObject()["21/35"].toDouble() > 1000.0);
        QVERIFY(plan["cns_pct"].toDouble() > 0.0);
        QVERIFY(plan["otu"].toDouble() > 0.0);
        QVERIFY(plan["warnings"].isArray());
        QVERIFY(plan["problems"].toArray().isEmpty());
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
        const Lines first = with(dive(), "TissueFile:", "tissue.dat");
        writeFile(dir.filePath("profile.dat"), bytesOf(first));
        QCOMPARE(runKorax(dir.path()).exitCode, 0);
        const QByteArray afterFirst = readFile(dir.filePath("tissue.dat"));
        QVERIFY(afterFirst.startsWith("KORAX tissues 1\r\n"));
        const double fresh = planRuntime(readFile(dir.filePath("plan.out")));

        writeFile(dir.filePath("profile.dat"), bytesOf(with(first, "SurfaceInterval:", "1:00")));
        QCOMPARE(runKorax(dir.path(), arguments).exitCode, 0);
        QVERIFY(planRuntime(readFile(dir.filePath("plan.out"))) > fresh);
        QCOMPARE(readFile(dir.filePath("tissue.dat")) != afterFirst, updated);
    }

    void rejectsAMalformedTissueFile()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath("tissue.dat"), "KORAX tissues 1\r\n1 0.75 0.0\r\n");
        writeFile(dir.filePath("profile.dat"),
            bytesOf(with(with(dive(), "TissueFile:", "tissue.dat"), "SurfaceInterval:", "1:00")));
        QCOMPARE(runKorax(dir.path()).exitCode, 2);
        QVERIFY(readFile(dir.filePath("plan.out")).contains("TissueFile: \"tissue.dat\""));
    }

    void answersHelpAndVersion_data()
    {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("output");
        QTest::newRow("help") << "--help" << 0 << "Usage: korax";
        QTest::newRow("version") << "--version" << 0 << "korax 1.0";
        QTest::newRow("unknown argument") << "--bogus" << 1 << "";
    }
    void answersHelpAndVersion()
    {
        QFETCH(QString, argument);
        QFETCH(int, exitCode);
        QFETCH(QString, output);
        QTemporaryDir dir;
        const Run run = runKorax(dir.path(), { argument });
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY(QString::fromUtf8(run.out).contains(output));
        QVERIFY(!QFile::exists(dir.filePath("plan.out")));
    }

    void plansTheSampleSettings()
    {
        QTemporaryDir dir;
        QVERIFY(QFile::copy(TROVA_DEMO_DATA "/profile.dat", dir.filePath("profile.dat")));
        const Run run = runKorax(dir.path());
        QCOMPARE(run.exitCode, 0);
        QVERIFY(planRuntime(readFile(dir.filePath("plan.out"))) > 30.0);
    }
};

QTEST_APPLESS_MAIN(KoraxRunTest)
#include "test_korax_run.moc"
