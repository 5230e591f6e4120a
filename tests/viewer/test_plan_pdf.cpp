// trova-plan --pdf as scripts run it, without a display: the PDF of a plan our planner wrote,
// read back with poppler's pdftotext.
#include "tests/support/TestFiles.h"

#include <QtTest>

namespace {

// The viewer needs no display for a PDF.
Finished run(const QString& program, const QStringList& arguments, const QString& folder)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.remove(QStringLiteral("DISPLAY"));
    return runProgram(program, arguments, folder, environment);
}

// pdftotext ends every page with a form feed, one with no text too.
QStringList pagesOf(const QString& pdf, const QString& folder)
{
    QStringList pages = QString::fromUtf8(runProgram("pdftotext", { pdf, "-" }, folder).out).split('\f');
    pages.removeLast();
    return pages;
}

} // namespace

class PlanPdfTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder;

private slots:
    void initTestCase()
    {
        QVERIFY(QFile::copy(QStringLiteral(TROVA_DEMO_DATA "/profile.dat"), folder.filePath("profile.dat")));
        QCOMPARE(run(QStringLiteral(KORAX_BINARY), {}, folder.path()).exitCode, 0);
        QVERIFY(writeBytes(folder.filePath("jiný.txt"), // Windows-1250
            "Pl\xe1n jin\xe9ho programu: \x9elu\x9dou\xe8k\xfd k\xf9\xf2\r\n"));
    }

    // A plan gives a chart page with its title and axes, then the text with its Czech heading;
    // a text without a table gives the text alone.
    void writesThePlanAndItsChart_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<int>("pages");
        QTest::addColumn<QString>("firstPage");
        QTest::addColumn<QString>("lastPage");
        QTest::newRow("our planner's plan") << "plan.out" << 2 << QStringLiteral("plan.out – plán ponoru")
                                            << QStringLiteral("KORAX 1.0 – plán ponoru s otevřeným okruhem");
        QTest::newRow("text without a plan table")
            << QStringLiteral("jiný.txt") << 1 << QStringLiteral("Plán jiného programu: žluťoučký kůň")
            << QStringLiteral("Plán jiného programu: žluťoučký kůň");
    }
    void writesThePlanAndItsChart()
    {
        QFETCH(QString, input);
        QFETCH(int, pages);
        QFETCH(QString, firstPage);
        QFETCH(QString, lastPage);
        const Finished viewer = run(QStringLiteral(VIEWER_BINARY),
            { QStringLiteral("--pdf"), QStringLiteral("out.pdf"), input }, folder.path());
        QCOMPARE(viewer.exitCode, 0);
        const QStringList text = pagesOf(QStringLiteral("out.pdf"), folder.path());
        QCOMPARE(text.size(), pages);
        QVERIFY2(text.constFirst().contains(firstPage), qPrintable(text.constFirst()));
        QCOMPARE(text.constFirst().contains(QStringLiteral("Hloubka (m)"))
                && text.constFirst().contains(QStringLiteral("Čas ponoru (min)")),
            pages == 2);
        QVERIFY2(text.constLast().contains(lastPage), qPrintable(text.constLast()));
    }

    void missingFileFailsWithItsName()
    {
        const Finished viewer = run(QStringLiteral(VIEWER_BINARY),
            { QStringLiteral("--pdf"), QStringLiteral("missing.pdf"), QStringLiteral("chybí.out") }, folder.path());
        QCOMPARE(viewer.exitCode, 1);
        QVERIFY2(QString::fromUtf8(viewer.err).contains(QStringLiteral("Soubor s plánem „chybí.out“ neexistuje.")),
            qPrintable(viewer.err));
        QVERIFY(!QFile::exists(folder.filePath("missing.pdf")));
    }
};

QTEST_GUILESS_MAIN(PlanPdfTest)
#include "test_plan_pdf.moc"
