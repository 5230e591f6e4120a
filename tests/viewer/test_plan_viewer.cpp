// The viewer window offscreen: the chart of plans our planner wrote, text without a chart, and
// the message for a file that cannot be read; and trova-plan --pdf as scripts run it, without a
// display, its PDF read back with poppler's pdftotext.
#include "files/Cp1250Text.h"
#include "platform/QtCzech.h"
#include "tests/support/Cases.h"
#include "tests/support/TestFiles.h"
#include "viewer/PlanChart.h"
#include "viewer/PlanWindow.h"

#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScatterSeries>
#include <QTextDocument>
#include <QValueAxis>
#include <QtTest>

namespace {

// A point of the chart or of the plan as "series or gas, runtime, depth", to the table's 0.1.
QString point(const QString& what, QPointF at)
{
    return QStringLiteral("%1 %2 %3").arg(what, QString::number(at.x(), 'f', 1), QString::number(at.y(), 'f', 1));
}

// The end of every leg's segments on its gas, "gap" where a leg does not start where the one
// before it ended; then the marks.
QStringList chartPoints(QChart* chart)
{
    QStringList ends;
    QStringList marks;
    QPointF previous;
    for (QAbstractSeries* series : chart->series()) {
        if (!series->objectName().isEmpty()) // the ceiling and the PO2
            continue;
        auto* xy = qobject_cast<QXYSeries*>(series);
        const QList<QPointF> points = xy != nullptr ? xy->points() : QList<QPointF>();
        if (qobject_cast<QScatterSeries*>(series) != nullptr) {
            for (const QPointF& mark : points)
                marks << point(series->name(), mark);
            continue;
        }
        if (points.isEmpty() || points.constFirst() != previous)
            ends << QStringLiteral("gap");
        for (qsizetype i = 1; i < points.size(); ++i)
            ends << point(series->name(), points[i]);
        previous = points.isEmpty() ? previous : points.constLast();
    }
    return ends + marks;
}

// The same from the planner's JSON: every segment's end with its gas, then the start of
// every gas switch and every deep stop.
QStringList segmentPoints(const QJsonArray& segments)
{
    QStringList ends;
    QStringList switches;
    QStringList deepStops;
    double runtime = 0.0;
    for (const QJsonValue& value : segments) {
        const QJsonObject segment = value.toObject();
        ends << point(breathName(segment["gas"].toString().toStdString()),
            QPointF(segment["runtime"].toDouble(), segment["to"].toDouble()));
        const QPointF start(runtime, segment["from"].toDouble());
        if (segment["phase"] == "gas_switch")
            switches << point(QStringLiteral("změna směsi"), start);
        if (segment["phase"] == "deep_stop")
            deepStops << point(QStringLiteral("hloubková zastávka"), start);
        runtime = segment["runtime"].toDouble();
    }
    return ends + switches + deepStops;
}

// trova-plan run without a display, as it needs none for a PDF.
Finished runViewer(const QStringList& arguments, const QString& folder)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.remove(QStringLiteral("DISPLAY"));
    return runProgram(VIEWER_BINARY, arguments, folder, environment);
}

// pdftotext ends every page with a form feed, one with no text too.
QStringList pagesOf(const QString& pdf, const QString& folder)
{
    QStringList pages = QString::fromUtf8(runProgram("pdftotext", { pdf, "-" }, folder).out).split('\f');
    pages.removeLast();
    return pages;
}

// A plan table whose rows, 3 m apart in depth and a minute each, are on the given mixes.
QByteArray planOnMixes(const QStringList& mixes)
{
    QString text = QStringLiteral("Jednotky hloubky: m, rychlosti v m/min\r\n"
                                  "Fáze                Hloubka    Úsek     Čas  Směs       PO2\r\n");
    for (qsizetype i = 0; i < mixes.size(); ++i)
        text += QString::asprintf("%-19s%8.1f%8.1f%8.1f  %-9s%5.2f\r\n", "dno", 3.0 * static_cast<double>(i + 1), 1.0,
            static_cast<double>(i + 1), qPrintable(mixes[i]), 1.2);
    return QByteArray::fromStdString(cp1250::utf8ToCp1250(text.toStdString()));
}

// The viewer window on a plan.out of bytes; the plan is read whole, so its folder can go.
std::unique_ptr<PlanWindow> shownPlan(const QByteArray& bytes)
{
    QTemporaryDir folder;
    if (!writeBytes(folder.filePath("plan.out"), bytes))
        qFatal("cannot write the test plan.out");
    auto window = std::make_unique<PlanWindow>(loadPlan(folder.filePath("plan.out")));
    window->show();
    return window;
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
        const QStringList planned
            = segmentPoints(QJsonDocument::fromJson(bytesOf(golden + ".json"))["segments"].toArray());
        QVERIFY(!planned.isEmpty());
        QCOMPARE(chartPoints(view->chart()), planned);
        QCOMPARE(view->chart()->axes(Qt::Vertical).constFirst()->titleText(), cases::text("depthTitle"));
    }

    // Only the planner's table, read in full, gives a chart; anything else is text alone.
    void chartOnlyForAPlanTable_data() { cases::addRows("viewer/plan_tables.txt"); }
    void chartOnlyForAPlanTable()
    {
        const auto window
            = shownPlan(QByteArray::fromStdString(cp1250::utf8ToCp1250(cases::cell("text").toStdString())));
        QCOMPARE(window->findChild<PlanChartView*>() != nullptr, cases::yes("charted"));
        auto* text = window->findChild<QPlainTextEdit*>();
        QVERIFY(text != nullptr);
        QCOMPARE(text->toPlainText().remove('\r'), cases::text("text").remove('\r'));
        QVERIFY(window->findChild<QLabel*>("message") == nullptr);
    }

    // A gas keeps its colour and its one legend entry when the dive comes back to it; past a
    // dozen gases the rest share one entry.
    void chartLegendOneEntryPerGas_data() { cases::addRows("viewer/chart_gases.txt"); }
    void chartLegendOneEntryPerGas()
    {
        const auto window = shownPlan(planOnMixes(cases::text("rows").split(", ")));
        auto* view = window->findChild<PlanChartView*>();
        QVERIFY(view != nullptr);
        QStringList legend;
        for (QLegendMarker* marker : view->chart()->legend()->markers()) {
            if (marker->isVisible() && qobject_cast<QLineSeries*>(marker->series()) != nullptr
                && marker->series()->objectName().isEmpty())
                legend << marker->label();
        }
        QCOMPARE(legend.join(", "), cases::text("legend"));
        QSet<QString> gases, gasColours, colours; // one colour per gas, its own
        for (QAbstractSeries* series : view->chart()->series()) {
            auto* line = qobject_cast<QLineSeries*>(series);
            if (line != nullptr && line->objectName().isEmpty()) {
                gases << line->name();
                colours << line->pen().color().name(QColor::HexArgb);
                gasColours << line->name() + ' ' + line->pen().color().name(QColor::HexArgb);
            }
        }
        QCOMPARE(QList({ gases.size(), gasColours.size(), colours.size() }), QList<qsizetype>(3, legend.size()));
    }

    // The ceiling column is read and drawn under the profile, the PO2 as steps on its own axis.
    void chartDrawsTheCeilingAndPo2_data() { cases::addRows("viewer/ceilings.txt"); }
    void chartDrawsTheCeilingAndPo2()
    {
        const auto window
            = shownPlan(QByteArray::fromStdString(cp1250::utf8ToCp1250(cases::text("text").toStdString())));
        auto* view = window->findChild<PlanChartView*>();
        QVERIFY(view != nullptr);
        QStringList ceiling;
        QStringList po2;
        for (QAbstractSeries* series : view->chart()->series()) {
            QStringList* into = series->objectName() == "ceiling" ? &ceiling
                : series->objectName() == "po2"                   ? &po2
                                                                  : nullptr;
            for (const QPointF& at : into != nullptr ? qobject_cast<QXYSeries*>(series)->points() : QList<QPointF>())
                into->append(point(series->name(), at));
        }
        QCOMPARE(ceiling.join(", "), cases::text("ceiling"));
        QCOMPARE(po2.join(", "), cases::text("po2"));
        QCOMPARE(view->chart()->axes(Qt::Vertical).constLast()->titleText(), QStringLiteral("PO2 (bar)"));
    }

    // The emergency ascent is drawn dashed from the end of the last profile line to the surface,
    // ending at the run time the plan gives it.
    void emergencyAscentDashed_data() { cases::addRows("viewer/emergency.txt"); }
    void emergencyAscentDashed()
    {
        const QString golden = TROVA_TEST_DATA "/planner/golden/" + QString::fromUtf8(QTest::currentDataTag());
        PlanWindow window(loadPlan(golden + ".plan"));
        window.show();
        auto* view = window.findChild<PlanChartView*>();
        QVERIFY(view != nullptr);
        auto* dashed = view->chart()->findChild<QLineSeries*>("emergency");
        QVERIFY(dashed != nullptr);
        QCOMPARE(dashed->name(), cases::text("name"));
        QCOMPARE(dashed->pen().style(), Qt::DashLine);
        const QJsonObject json = QJsonDocument::fromJson(bytesOf(golden + ".json")).object();
        const QJsonArray segments = json["segments"].toArray();
        const QJsonObject lastLine = segments[cases::cell("lastLineRow").toInt()].toObject();
        QCOMPARE(point("", dashed->points().constFirst()),
            point("", QPointF(lastLine["runtime"].toDouble(), lastLine["to"].toDouble())));
        QCOMPARE(dashed->points().constLast().y(), 0.0);
        if (json["bailout"].isObject())
            QCOMPARE(point("", dashed->points().constLast()),
                point("", QPointF(json["bailout"]["runtime_min"].toDouble(), 0.0)));
    }

    // What the plan lists comes first: the count in the title, the entries in the band.
    void warningsAndProblemsFirst_data() { cases::addRows("viewer/findings.txt"); }
    void warningsAndProblemsFirst()
    {
        const QString golden = TROVA_TEST_DATA "/planner/golden/" + QString::fromUtf8(QTest::currentDataTag());
        PlanWindow window(loadPlan(golden + ".plan"));
        window.show();
        const QString counts = cases::text("counts");
        QCOMPARE(window.windowTitle(), golden + ".plan – plán ponoru" + (counts.isEmpty() ? counts : " – " + counts));
        auto* band = window.findChild<QLabel*>("findings");
        QVERIFY(band != nullptr && band->isVisible());
        QTextDocument shown;
        shown.setHtml(band->text());
        QCOMPARE(shown.toPlainText().section('\n', 0, 1), cases::text("band"));
    }

    // Past the size the viewer shows, a plan shows its beginning and says how much is left out,
    // in the window and at the end of the PDF, instead of taking gigabytes or never painting.
    void aLongPlanShowsItsBeginning()
    {
        QTemporaryDir folder;
        QByteArray plan = "Jednotky hloubky: m, rychlosti v m/min\r\n";
        while (plan.size() < 9'000'000)
            plan += "Tento radek je jen vypln dlouheho planu.\r\n";
        QVERIFY(writeBytes(folder.filePath("plan.out"), plan));
        const auto megabytes = [](qsizetype bytes) {
            return QString::number(static_cast<double>(bytes) / 1e6, 'f', 1).replace('.', ',') + " MB";
        };
        const qsizetype shown = plan.lastIndexOf('\n', 4 * 1024 * 1024 - 1) + 1;
        const QString note
            = QStringLiteral("Soubor má %1; zobrazen je jen jeho začátek (%2), zbývajících %3 vynecháno.")
                  .arg(megabytes(plan.size()), megabytes(shown), megabytes(plan.size() - shown));
        PlanWindow window(loadPlan(folder.filePath("plan.out")));
        window.show();
        auto* band = window.findChild<QLabel*>("findings");
        QVERIFY(band != nullptr);
        QVERIFY2(band->text().contains(note), qPrintable(band->text()));
        auto* text = window.findChild<QPlainTextEdit*>();
        QVERIFY(text->toPlainText().size() <= 4 * 1024 * 1024);
        QVERIFY(text->toPlainText().trimmed().endsWith("planu."));
        QCOMPARE(runViewer({ "--pdf", "out.pdf", "plan.out" }, folder.path()).exitCode, 0);
        QVERIFY(pagesOf("out.pdf", folder.path()).constLast().simplified().endsWith(note));
    }

    // A long line of words is wrapped between them: every word reaches the PDF whole, in order.
    void pdfWrapsAtWordBoundaries()
    {
        QTemporaryDir folder;
        QStringList words;
        for (int i = 0; i < 400; ++i)
            words << QStringLiteral("poslední%1").arg(i);
        QVERIFY(writeBytes(folder.filePath("plan.out"),
            QByteArray::fromStdString(cp1250::utf8ToCp1250(words.join(' ').toStdString())) + "\r\n"));
        QCOMPARE(runViewer({ "--pdf", "out.pdf", "plan.out" }, folder.path()).exitCode, 0);
        const QStringList lines = pagesOf("out.pdf", folder.path()).join(QString()).split('\n', Qt::SkipEmptyParts);
        QVERIFY(lines.size() > 5);
        QCOMPARE(lines.join(' ').simplified(), words.join(' '));
    }

    // A line of millions of characters, drawn unwrapped, ran out of the text layout's range: the
    // window must still show its end where the cursor goes.
    void windowShowsTheEndOfAVeryLongLine()
    {
        const auto window = shownPlan(QByteArray(4'100'000, 'x') + "KONEC");
        auto* text = window->findChild<QPlainTextEdit*>();
        QVERIFY(text != nullptr);
        text->moveCursor(QTextCursor::End);
        text->ensureCursorVisible();
        QVERIFY(text->viewport()->rect().contains(text->cursorRect()));
        QVERIFY(text->toPlainText().endsWith("xKONEC"));
    }

    void keysClose_data() { cases::addRows("viewer/close_keys.txt"); }
    void keysClose()
    {
        const auto window = shownPlan("Pl\xe1n\r\n");
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QTest::keySequence(window->findChild<QPlainTextEdit*>(), QKeySequence::fromString(cases::text("key")));
        QVERIFY(!window->isVisible());
    }

    void unreadableFileNamed_data() { cases::addRows("viewer/unreadable.txt"); }
    void unreadableFileNamed()
    {
        QTemporaryDir folder;
        QCOMPARE(runProgram("mkfifo", { "pipe.out" }, folder.path()).exitCode, 0);
        const QString name = cases::text("name");
        const Finished viewer = runViewer({ "--pdf", "out.pdf", name }, folder.path());
        QCOMPARE(viewer.exitCode, 1);
        QVERIFY2(QString::fromUtf8(viewer.err).contains(cases::text("message")), viewer.err);
        QVERIFY(!QFile::exists(folder.filePath("out.pdf")));

        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(folder.path()));
        PlanWindow window(loadPlan(name));
        QDir::setCurrent(previous);
        window.show();
        QCOMPARE(window.windowTitle(), name + QStringLiteral(" – plán ponoru"));
        auto* label = window.findChild<QLabel*>("message");
        QVERIFY(label != nullptr && label->isVisible());
        QCOMPARE(label->text(), cases::text("message"));
        QVERIFY(window.findChild<PlanChartView*>() == nullptr);
    }

    void pdfHoldsThePlanAndItsChart_data() { cases::addRows("viewer/pdfs.txt"); }
    void pdfHoldsThePlanAndItsChart()
    {
        QTemporaryDir folder;
        QVERIFY(QFile::copy(TROVA_TEST_DATA "/" + cases::text("source"), folder.filePath(cases::text("name"))));
        QCOMPARE(runViewer({ "--pdf", "out.pdf", cases::text("name") }, folder.path()).exitCode, 0);
        const QStringList text = pagesOf("out.pdf", folder.path());
        const bool charted = cases::cell("pages") == "2";
        QCOMPARE(text.size(), cases::cell("pages").toInt());
        QVERIFY2(text.constFirst().contains(cases::text("firstPage")), qPrintable(text.constFirst()));
        QCOMPARE(text.constFirst().contains("Hloubka (m)") && text.constFirst().contains("Čas ponoru (min)"), charted);
        QVERIFY2(text.constLast().contains(cases::text("lastPage")), qPrintable(text.constLast()));
    }

    // One 2 MB line without line ends: every character reaches the PDF's pages, in order (the
    // text was laid out whole, which took minutes here and left empty pages for 38 MB plans).
    void pdfHoldsTheWholeOfALongLine()
    {
        QTemporaryDir folder;
        QByteArray line;
        for (int i = 0; line.size() < 2'000'000; ++i)
            line += QByteArray::number(i) + ';';
        QVERIFY(writeBytes(folder.filePath("plan.out"), line));
        QCOMPARE(runViewer({ "--pdf", "out.pdf", "plan.out" }, folder.path()).exitCode, 0);
        QCOMPARE(pagesOf("out.pdf", folder.path()).join(QString()).remove('\n').toLatin1(), line);
    }

    // Qt's own dialogs (the PDF's file dialog, the print dialog, message boxes) speak Czech with
    // the translations both programs load at start. Last: the translator stays installed.
    void qtDialogsSpeakCzech()
    {
        QVERIFY(installQtCzech(*QCoreApplication::instance()));
        QMessageBox box(QMessageBox::Question, "T/ROVA", "?", QMessageBox::Save | QMessageBox::Cancel);
        QCOMPARE(box.button(QMessageBox::Save)->text().remove('&'), QStringLiteral("Uložit"));
        QCOMPARE(box.button(QMessageBox::Cancel)->text().remove('&'), QStringLiteral("Zrušit"));
    }
};

QTEST_MAIN(PlanViewerTest)
#include "test_plan_viewer.moc"
