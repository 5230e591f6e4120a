// The viewer window offscreen: the chart of plans our planner wrote, text without a chart, and
// the message for a file that cannot be read.
#include "platform/Cp1250Text.h"
#include "tests/support/Cases.h"
#include "tests/support/TestFiles.h"
#include "viewer/PlanChart.h"
#include "viewer/PlanWindow.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QScatterSeries>
#include <QValueAxis>
#include <QtTest>

#include <algorithm>
#include <cmath>

namespace {

QByteArray windows1250(const QByteArray& utf8)
{
    return QByteArray::fromStdString(cp1250::utf8ToCp1250(utf8.toStdString()));
}

// What the chart draws and what the planner planned, as (series or gas, runtime, depth).
using Points = QList<std::pair<QString, QPointF>>;

// The end of every leg's segments on its gas, "gap" where a leg does not start where the one
// before it ended; then the marks.
Points chartPoints(QChart* chart)
{
    Points ends;
    Points marks;
    QPointF previous;
    for (QAbstractSeries* series : chart->series()) {
        auto* xy = qobject_cast<QXYSeries*>(series);
        const QList<QPointF> points = xy != nullptr ? xy->points() : QList<QPointF>();
        if (qobject_cast<QScatterSeries*>(series) != nullptr) {
            for (const QPointF& mark : points)
                marks << std::pair(series->name(), mark);
            continue;
        }
        if (points.isEmpty() || points.constFirst() != previous)
            ends << std::pair(QStringLiteral("gap"), QPointF());
        for (qsizetype i = 1; i < points.size(); ++i)
            ends << std::pair(series->name(), points[i]);
        previous = points.isEmpty() ? previous : points.constLast();
    }
    return ends + marks;
}

// The same from the planner's JSON: every segment's end with its gas, then the start of
// every gas switch and every deep stop.
Points segmentPoints(const QJsonArray& segments)
{
    Points ends;
    Points switches;
    Points deepStops;
    double runtime = 0.0;
    for (const QJsonValue& value : segments) {
        const QJsonObject segment = value.toObject();
        ends << std::pair(segment["gas"].toString(), QPointF(segment["runtime"].toDouble(), segment["to"].toDouble()));
        const QPointF start(runtime, segment["from"].toDouble());
        if (segment["phase"] == "gas_switch")
            switches << std::pair(QStringLiteral("změna směsi"), start);
        if (segment["phase"] == "deep_stop")
            deepStops << std::pair(QStringLiteral("hloubková zastávka"), start);
        runtime = segment["runtime"].toDouble();
    }
    return ends + switches + deepStops;
}

// The plan table gives times and depths to 0.1, the JSON to 0.001: one in the last digit apart.
bool samePoints(const Points& charted, const Points& planned)
{
    return std::equal(charted.begin(), charted.end(), planned.begin(), planned.end(), [](const auto& a, const auto& b) {
        return a.first == b.first && std::abs(a.second.x() - b.second.x()) < 0.15
            && std::abs(a.second.y() - b.second.y()) < 0.15;
    });
}

QString text(const Points& points)
{
    QStringList text;
    for (const auto& [what, point] : points)
        text << QStringLiteral("%1 %2 %3").arg(what).arg(point.x()).arg(point.y());
    return text.join(", ");
}

} // namespace

class PlanViewerTest : public QObject {
    Q_OBJECT

private slots:
    // The chart draws every segment in order on its gas, unbroken from the surface, and marks
    // the switches and deep stops.
    void chartFollowsThePlannersSegments_data() { cases::addRows("viewer/charted_plans.txt"); }
    void chartFollowsThePlannersSegments()
    {
        const QString golden = TROVA_TEST_DATA "/planner/golden/" + QString::fromUtf8(QTest::currentDataTag());
        PlanWindow window(loadPlan(golden + ".plan"));
        window.show();
        auto* view = window.findChild<PlanChartView*>();
        QVERIFY(view != nullptr);
        const Points charted = chartPoints(view->chart());
        const Points planned = segmentPoints(QJsonDocument::fromJson(bytesOf(golden + ".json"))["segments"].toArray());
        QVERIFY2(!planned.isEmpty() && samePoints(charted, planned), qPrintable(text(charted) + "\n" + text(planned)));
        QCOMPARE(view->chart()->axes(Qt::Vertical).constFirst()->titleText(), cases::text("depthTitle"));
    }

    // Only the planner's table, read in full, gives a chart; anything else is text alone.
    void chartOnlyForAPlanTable_data() { cases::addRows("viewer/plan_tables.txt"); }
    void chartOnlyForAPlanTable()
    {
        const QByteArray bytes = windows1250(cases::cell("text"));
        QTemporaryDir folder;
        QVERIFY(writeBytes(folder.filePath("plan.out"), bytes));
        PlanWindow window(loadPlan(folder.filePath("plan.out")));
        window.show();
        QCOMPARE(window.findChild<PlanChartView*>() != nullptr, cases::yes("charted"));
        auto* text = window.findChild<QPlainTextEdit*>();
        QVERIFY(text != nullptr);
        QCOMPARE(text->toPlainText().remove('\r'),
            QString::fromStdString(cp1250::cp1250ToUtf8(bytes.toStdString())).remove('\r'));
        QVERIFY(window.findChild<QLabel*>("message") == nullptr);
    }

    void keysClose_data() { cases::addRows("viewer/close_keys.txt"); }
    void keysClose()
    {
        QTemporaryDir folder;
        QVERIFY(writeBytes(folder.filePath("plan.out"), "Pl\xe1n\r\n"));
        PlanWindow window(loadPlan(folder.filePath("plan.out")));
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::keySequence(window.findChild<QPlainTextEdit*>(), QKeySequence::fromString(cases::text("key")));
        QVERIFY(!window.isVisible());
    }

    void unreadableFileNamedInTheWindow_data() { cases::addRows("viewer/unreadable.txt"); }
    void unreadableFileNamedInTheWindow()
    {
        const QString name = cases::text("name");
        PlanWindow window(loadPlan(name));
        window.show();
        QCOMPARE(window.windowTitle(), name + QStringLiteral(" – plán ponoru"));
        auto* label = window.findChild<QLabel*>("message");
        QVERIFY(label != nullptr && label->isVisible());
        QCOMPARE(label->text(), cases::text("message"));
        QVERIFY(window.findChild<PlanChartView*>() == nullptr);
    }
};

QTEST_MAIN(PlanViewerTest)
#include "test_plan_viewer.moc"
