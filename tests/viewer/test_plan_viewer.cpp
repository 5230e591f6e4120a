// The viewer window offscreen: the chart of a plan our planner wrote, text without a chart,
// and the message for a file that cannot be read.
#include "platform/Cp1250Text.h"
#include "viewer/PlanChart.h"
#include "viewer/PlanWindow.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QScatterSeries>
#include <QValueAxis>
#include <QtTest>

#include <cstdio>

namespace {

constexpr int kPlannerTimeoutMs = 60000;

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

QByteArray windows1250(const char* utf8)
{
    return QByteArray::fromStdString(cp1250::utf8ToCp1250(utf8));
}

// As the planner prints its numbers, so chart values and JSON values meet in one text.
QString oneDecimal(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return QString::fromLatin1(text);
}

QString point(const QString& what, double runtime, double depth)
{
    return QStringLiteral("%1 %2 %3").arg(what, oneDecimal(runtime), oneDecimal(depth));
}

// The profile line by line as "gas runtime depth" for the end of every segment; a leg that
// does not start where the one before it ended shows as "gap". Then the marks.
QStringList chartPoints(QChart* chart)
{
    QStringList points;
    QPointF previous(0.0, 0.0);
    for (QAbstractSeries* series : chart->series()) {
        auto* line = qobject_cast<QLineSeries*>(series);
        if (line == nullptr)
            continue;
        const QList<QPointF> leg = line->points();
        if (leg.isEmpty() || leg.constFirst() != previous)
            points << QStringLiteral("gap");
        for (qsizetype i = 1; i < leg.size(); ++i)
            points << point(line->name(), leg[i].x(), leg[i].y());
        previous = leg.isEmpty() ? previous : leg.constLast();
    }
    for (QAbstractSeries* series : chart->series()) {
        if (auto* marks = qobject_cast<QScatterSeries*>(series)) {
            for (const QPointF& mark : marks->points())
                points << point(marks->name(), mark.x(), mark.y());
        }
    }
    return points;
}

// The same from the planner's JSON: every segment's end with its gas, then the start of
// every gas switch and every deep stop.
QStringList segmentPoints(const QJsonArray& segments)
{
    QStringList points;
    QStringList switches;
    QStringList deepStops;
    double runtime = 0.0;
    for (const QJsonValue& value : segments) {
        const QJsonObject segment = value.toObject();
        points << point(segment["gas"].toString(), segment["runtime"].toDouble(), segment["to"].toDouble());
        const QString start = oneDecimal(runtime) + ' ' + oneDecimal(segment["from"].toDouble());
        if (segment["phase"] == "gas_switch")
            switches << QStringLiteral("změna směsi ") + start;
        if (segment["phase"] == "deep_stop")
            deepStops << QStringLiteral("hloubková zastávka ") + start;
        runtime = segment["runtime"].toDouble();
    }
    return points + switches + deepStops;
}

const QByteArray kHeader = windows1250("Fáze                Hloubka    Úsek     Čas  Směs       PO2");
const QByteArray kUnitLine = windows1250("Jednotky hloubky: m, rychlosti v m/min\r\n");
const QByteArray kRows = windows1250("sestup                 30.0     1.5     1.5  32/0      1.28\r\n"
                                     "dno                    30.0    20.0    21.5  32/0      1.28\r\n"
                                     "výstup                  0.0     3.3    24.8  32/0      1.28\r\n");

} // namespace

class PlanViewerTest : public QObject {
    Q_OBJECT

private slots:
    // Our planner on the sample settings and on a variant: the chart draws every segment in
    // order on its gas, unbroken from the surface, and marks the switches and deep stops.
    void chartFollowsThePlannersSegments_data()
    {
        QTest::addColumn<QByteArrayList>("changes"); // line, its replacement, ...
        QTest::addColumn<QString>("depthTitle");
        QTest::newRow("sample settings") << QByteArrayList {} << "Hloubka (m)";
        QTest::newRow("feet, Pyle deep stops") << QByteArrayList { "UseMetric: y", "UseMetric: n", "DeepStops: n",
            "DeepStops: p", "45,25,21/35", "150,25,21/35", "40,5,21/35", "130,5,21/35", "30,3,21/35", "100,3,21/35" }
                                               << "Hloubka (ft)";
    }
    void chartFollowsThePlannersSegments()
    {
        QFETCH(QByteArrayList, changes);
        QFETCH(QString, depthTitle);
        QTemporaryDir folder;
        QByteArray profile = readFile(QStringLiteral(TROVA_DEMO_DATA "/profile.dat"));
        for (qsizetype i = 0; i + 1 < changes.size(); i += 2) {
            QVERIFY(profile.contains(changes[i]));
            profile.replace(changes[i], changes[i + 1]);
        }
        writeFile(folder.filePath("profile.dat"), profile);
        QProcess korax;
        korax.setWorkingDirectory(folder.path());
        korax.start(QStringLiteral(KORAX_BINARY), { QStringLiteral("--json") });
        QVERIFY(korax.waitForFinished(kPlannerTimeoutMs));
        QCOMPARE(korax.exitCode(), 0);
        const QJsonArray segments = QJsonDocument::fromJson(korax.readAllStandardOutput())["segments"].toArray();
        QVERIFY(!segments.isEmpty());

        PlanWindow window(loadPlan(folder.filePath("plan.out")));
        window.show();
        auto* view = window.findChild<PlanChartView*>();
        QVERIFY(view != nullptr);
        QCOMPARE(chartPoints(view->chart()), segmentPoints(segments));
        QCOMPARE(view->chart()->axes(Qt::Vertical).constFirst()->titleText(), depthTitle);
    }

    // Only the planner's table, read in full, gives a chart; anything else is text alone.
    void chartOnlyForAPlanTable_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("charted");
        QTest::newRow("header with trailing blanks, file ends after the rows")
            << kUnitLine + kHeader + "   \r\n" + kRows << true;
        QTest::newRow("another planner's output")
            << windows1250("Plán ponoru jiného programu\r\nDeco 6 m 3 min, 3 m 12 min\r\n") << false;
        QTest::newRow("unit line missing") << kHeader + "\r\n" + kRows << false;
        QTest::newRow("header with a changed column") << kUnitLine + kHeader.chopped(3) + "pO2\r\n" + kRows << false;
        QTest::newRow("a row out of its columns") << kUnitLine + kHeader + "\r\n" + kRows
                + windows1250("zastávka                6.0    3.0     27.8  32/0      0.82\r\n")
                                                  << false;
    }
    void chartOnlyForAPlanTable()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, charted);
        QTemporaryDir folder;
        writeFile(folder.filePath("plan.out"), bytes);
        PlanWindow window(loadPlan(folder.filePath("plan.out")));
        window.show();
        QCOMPARE(window.findChild<PlanChartView*>() != nullptr, charted);
        auto* text = window.findChild<QPlainTextEdit*>();
        QVERIFY(text != nullptr);
        QCOMPARE(text->toPlainText().remove('\r'),
            QString::fromStdString(cp1250::cp1250ToUtf8(bytes.toStdString())).remove('\r'));
        QVERIFY(window.findChild<QLabel*>("message") == nullptr);
    }

    void keysClose_data()
    {
        QTest::addColumn<QKeySequence>("key");
        QTest::newRow("Esc") << QKeySequence(Qt::Key_Escape);
        QTest::newRow("Ctrl+W") << QKeySequence(Qt::CTRL | Qt::Key_W);
    }
    void keysClose()
    {
        QFETCH(QKeySequence, key);
        QTemporaryDir folder;
        writeFile(folder.filePath("plan.out"), kUnitLine + kHeader + "\r\n" + kRows);
        PlanWindow window(loadPlan(folder.filePath("plan.out")));
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::keySequence(window.findChild<QPlainTextEdit*>(), key);
        QVERIFY(!window.isVisible());
    }

    void unreadableFileNamedInTheWindow_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing file") << QStringLiteral("chybí.out")
                                      << QStringLiteral("Soubor s plánem „chybí.out“ neexistuje.");
        QTest::newRow("a folder") << QStringLiteral(".") << QStringLiteral("Soubor s plánem „.“ nelze přečíst.");
        QTest::newRow("empty name") << QString()
                                    << QStringLiteral("Není zadán žádný soubor s plánem: jméno souboru je prázdné.");
    }
    void unreadableFileNamedInTheWindow()
    {
        QFETCH(QString, name);
        QFETCH(QString, message);
        PlanWindow window(loadPlan(name));
        window.show();
        QCOMPARE(window.windowTitle(), name + QStringLiteral(" – plán ponoru"));
        auto* label = window.findChild<QLabel*>("message");
        QVERIFY(label != nullptr && label->isVisible());
        QCOMPARE(label->text(), message);
        QVERIFY(window.findChild<PlanChartView*>() == nullptr);
    }
};

QTEST_MAIN(PlanViewerTest)
#include "test_plan_viewer.moc"
