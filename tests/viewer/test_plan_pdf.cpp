// trova-plan --pdf as scripts run it, without a display: the PDF of a plan our planner wrote,
// read back with poppler's pdfinfo and pdftotext.
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

namespace {

constexpr int kProcessTimeoutMs = 60000;

struct Run {
    int exitCode;
    QString out;
    QString err;
};

Run run(const QString& program, const QStringList& arguments, const QString& folder)
{
    QProcess process;
    process.setWorkingDirectory(folder);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM")); // the viewer needs no display for a PDF
    environment.remove(QStringLiteral("DISPLAY"));
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(kProcessTimeoutMs) || process.exitStatus() != QProcess::NormalExit)
        return { -1, {}, {} };
    return { process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
        QString::fromUtf8(process.readAllStandardError()) };
}

int pageCount(const QString& pdf, const QString& folder)
{
    const QRegularExpressionMatch pages = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                                              .match(run(QStringLiteral("pdfinfo"), { pdf }, folder).out);
    return pages.hasMatch() ? pages.captured(1).toInt() : 0;
}

QString pageText(const QString& pdf, int page, const QString& folder)
{
    const QString number = QString::number(page);
    return run(QStringLiteral("pdftotext"),
        { QStringLiteral("-f"), number, QStringLiteral("-l"), number, pdf, QStringLiteral("-") }, folder)
        .out;
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
        QFile other(folder.filePath("jiný.txt"));
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.write("Pl\xe1n jin\xe9ho programu: \x9elu\x9dou\xe8k\xfd k\xf9\xf2\r\n"); // Windows-1250
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
        const Run viewer = run(QStringLiteral(VIEWER_BINARY),
            { QStringLiteral("--pdf"), QStringLiteral("out.pdf"), input }, folder.path());
        QCOMPARE(viewer.exitCode, 0);
        QCOMPARE(pageCount(QStringLiteral("out.pdf"), folder.path()), pages);
        const QString first = pageText(QStringLiteral("out.pdf"), 1, folder.path());
        QVERIFY2(first.contains(firstPage), qPrintable(first));
        QCOMPARE(first.contains(QStringLiteral("Hloubka (m)")) && first.contains(QStringLiteral("Čas ponoru (min)")),
            pages == 2);
        const QString last = pageText(QStringLiteral("out.pdf"), pages, folder.path());
        QVERIFY2(last.contains(lastPage), qPrintable(last));
    }

    void missingFileFailsWithItsName()
    {
        const Run viewer = run(QStringLiteral(VIEWER_BINARY),
            { QStringLiteral("--pdf"), QStringLiteral("missing.pdf"), QStringLiteral("chybí.out") }, folder.path());
        QCOMPARE(viewer.exitCode, 1);
        QVERIFY2(
            viewer.err.contains(QStringLiteral("Soubor s plánem „chybí.out“ neexistuje.")), qPrintable(viewer.err));
        QVERIFY(!QFile::exists(folder.filePath("missing.pdf")));
    }
};

QTEST_GUILESS_MAIN(PlanPdfTest)
#include "test_plan_pdf.moc"
