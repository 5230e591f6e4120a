// T/ROVA in English: every text the main window, the save-changes dialog, their message boxes
// and the viewer show, walked widget by widget, holds no Czech letter and no Czech text that the
// translation has English for; and the window, the viewer and the planner started for real on
// desktops of several languages speak the language the rule gives.
#include "files/Cp1250Text.h"
#include "planformat/PlanTable.h"
#include "platform/Language.h"
#include "tests/support/Cases.h"
#include "tests/support/TestFiles.h"
#include "tests/support/WindowFixture.h"
#include "ui/Savechng.h"
#include "viewer/PlanDocument.h"
#include "viewer/PlanWindow.h"

#include <QChartView>
#include <QGroupBox>
#include <QLabel>
#include <QLegendMarker>
#include <QTabWidget>
#include <QTableWidget>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

// The Czech sources of the translation that have an English text of their own.
QSet<QString> czechSources()
{
    QFile file(QStringLiteral(TROVA_TRANSLATION));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read the translation");
    QSet<QString> sources;
    QXmlStreamReader xml(&file);
    QString source;
    while (!xml.atEnd()) {
        if (!xml.readNextStartElement())
            continue;
        if (xml.name() == QLatin1String("source"))
            source = xml.readElementText();
        else if (xml.name() == QLatin1String("translation") && xml.readElementText() != source)
            sources.insert(source);
    }
    return sources;
}

// Every text a window shows of its own: captions, labels, buttons, group and page titles,
// tooltips, table cells, and the chart's axes and legend; not the contents of its edits.
QStringList shownTexts(QWidget& window)
{
    QStringList texts { window.windowTitle() };
    QList<QWidget*> widgets = window.findChildren<QWidget*>();
    widgets.prepend(&window);
    for (QWidget* widget : widgets) {
        texts << widget->toolTip();
        if (auto* label = qobject_cast<QLabel*>(widget))
            texts << label->text();
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            texts << button->text();
        if (auto* group = qobject_cast<QGroupBox*>(widget))
            texts << group->title();
        if (auto* pages = qobject_cast<QTabWidget*>(widget)) {
            for (int page = 0; page < pages->count(); ++page)
                texts << pages->tabText(page);
        }
        if (auto* table = qobject_cast<QTableWidget*>(widget)) {
            for (int row = 0; row < table->rowCount(); ++row) {
                for (int column = 0; column < table->columnCount(); ++column)
                    texts << (table->item(row, column) ? table->item(row, column)->text() : QString());
            }
        }
        if (auto* view = qobject_cast<QChartView*>(widget)) {
            for (QAbstractAxis* axis : view->chart()->axes())
                texts << axis->titleText();
            for (QLegendMarker* marker : view->chart()->legend()->markers())
                texts << marker->label();
        }
    }
    texts.removeAll(QString());
    return texts;
}

// The labels and buttons whose one line of text is wider than the control: English must fit the
// rectangles the Czech was laid out in.
QStringList cutOff(QWidget& window)
{
    QStringList cut;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        auto* label = qobject_cast<QLabel*>(widget);
        auto* button = qobject_cast<QAbstractButton*>(widget);
        if ((label != nullptr && !label->wordWrap() && label->pixmap().isNull()) || button != nullptr) {
            if (widget->sizeHint().width() > widget->width())
                cut << QStringLiteral("%1 (%2 > %3)")
                           .arg(label ? label->text() : button->text())
                           .arg(widget->sizeHint().width())
                           .arg(widget->width());
        }
    }
    return cut;
}

// The texts still in Czech: with a Czech letter, or a Czech source the translation has English for.
QStringList czechOf(const QStringList& texts)
{
    static const QSet<QString> sources = czechSources();
    static const QRegularExpression letters(QStringLiteral("[áčďéěíňóřšťúůýžÁČĎÉĚÍŇÓŘŠŤÚŮÝŽ]"));
    QStringList czech;
    for (const QString& text : texts) {
        if (text.contains(letters) || sources.contains(text))
            czech << text;
    }
    return czech;
}

QByteArray englishDemo()
{
    QFile demo(QStringLiteral(TROVA_DEMO_DATA "/profile.en.dat"));
    return demo.open(QIODevice::ReadOnly) ? demo.readAll() : QByteArray();
}

// An environment without any of the desktop's language, then the case's.
QProcessEnvironment desktop()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : { "TROVA_LANG", "LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG" })
        environment.remove(name);
    for (const char* name : { "TROVA_LANG", "LANG", "LANGUAGE" }) {
        if (!cases::text(name).isEmpty())
            environment.insert(name, cases::text(name));
    }
    return environment;
}

// korax run on a golden profile.dat (with the tissue files beside it) in the language given.
Finished planIn(const QString& language, const QString& golden, const QTemporaryDir& folder)
{
    const QDir goldens(QStringLiteral(TROVA_TEST_DATA "/planner/golden"));
    QFile::remove(folder.filePath("profile.dat"));
    QFile::copy(goldens.filePath(golden), folder.filePath("profile.dat"));
    for (const QString& tissues : goldens.entryList({ "*.tissues" })) {
        QFile::remove(folder.filePath(tissues));
        QFile::copy(goldens.filePath(tissues), folder.filePath(tissues));
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("TROVA_LANG", language);
    return runProgram(KORAX_PATH, { "--json" }, folder.path(), environment);
}

// A plan table as one line a row; "no table" when the file has none.
QStringList rowsOf(const QByteArray& plan)
{
    const std::optional<plan_table::PlanTable> table = plan_table::readPlanTable(plan.toStdString());
    if (!table)
        return { "no table" };
    QStringList rows { QString::fromStdString(table->unit) };
    for (const plan_table::Row& row : table->rows)
        rows << QStringLiteral("%1 %2 %3 %4 %5")
                    .arg(int(row.phase))
                    .arg(row.depth)
                    .arg(row.minutes)
                    .arg(row.runtime)
                    .arg(QString::fromStdString(row.gas));
    return rows;
}

} // namespace

class EnglishTest : public QObject {
    Q_OBJECT

private slots:
    // The children the window starts inherit the language through TROVA_LANG.
    void initTestCase()
    {
        qputenv("TROVA_LANG", "en");
        QCOMPARE(language::useDesktopLanguage(), ui_language::Language::English);
        QCOMPARE(qgetenv("TROVA_LANG"), QByteArray("en"));
        QVERIFY(!englishDemo().isEmpty());
    }

    // Both pages, the info page and the dive table's header, with the English demo's tooltips;
    // the save-changes dialog keeps its English caption.
    void windowAndDialog()
    {
        OpenWindow fixture(englishDemo());
        const QStringList texts = shownTexts(*fixture.window);
        QVERIFY(texts.contains("&Compute") && texts.contains("Depth") && texts.contains("Important warning!"));
        QCOMPARE(czechOf(texts), QStringList());
        QCOMPARE(cutOff(*fixture.window), QStringList());
        QCOMPARE(cutOff(*fixture.dialog), QStringList());
        const QStringList dialog = shownTexts(*fixture.dialog);
        QVERIFY(dialog.contains("Save Changes") && dialog.contains("&Yes"));
        QCOMPARE(czechOf(dialog), QStringList());
    }

    // A failure (a run without a planner), then a question with three answers: closing after the
    // run finds profile.dat changed by another program.
    void messageBoxes()
    {
        OpenWindow fixture(englishDemo());
        QStringList texts;
        ModalWatcher watcher([&texts](QWidget& modal) {
            texts << shownTexts(modal);
            pressing("Esc")(modal);
        });
        fixture.compute();
        QVERIFY(writeBytes("profile.dat", englishDemo() + "# edited elsewhere\r\n"));
        fixture.window->close();
        QTRY_COMPARE(watcher.seen.size(), 2);
        QCOMPARE(watcher.seen.first(), "Error|The planner korax.exe was not found; the plan 1plan.out was not made.|0");
        QVERIFY(texts.contains("&No") && texts.contains("Cancel"));
        QCOMPARE(czechOf(watcher.seen + texts), QStringList());
    }

    // Every golden plan in English: no Czech word, the same JSON, and the same table read back
    // from it as from the Czech plan.
    void goldenPlans_data()
    {
        QTest::addColumn<QString>("golden");
        for (const QString& golden : QDir(TROVA_TEST_DATA "/planner/golden").entryList({ "*.dat" }))
            QTest::newRow(golden.toUtf8()) << golden;
    }
    void goldenPlans()
    {
        QFETCH(QString, golden);
        QTemporaryDir folder;
        const Finished english = planIn("en", golden, folder);
        const QByteArray plan = bytesOf(folder.filePath("plan.out"));
        const QString base = QStringLiteral(TROVA_TEST_DATA "/planner/golden/") + golden.chopped(4);
        QCOMPARE(english.out, bytesOf(base + ".json"));
        QCOMPARE(czechOf({ QString::fromStdString(cp1250::cp1250ToUtf8(plan.toStdString())) }), QStringList());
        QCOMPARE(rowsOf(plan), rowsOf(bytesOf(base + ".plan")));
    }

    // The viewer on a plan in English, with its chart, and on a file it cannot show.
    void viewer_data()
    {
        QTest::addColumn<bool>("plan");
        QTest::newRow("a plan in English") << true;
        QTest::newRow("a missing file") << false;
    }
    void viewer()
    {
        QFETCH(bool, plan);
        QTemporaryDir folder;
        QCOMPARE(planIn("en", "trimix-100m-25min-three-deco-gases.dat", folder).exitCode, 0);
        PlanWindow window(loadPlan(folder.filePath(plan ? "plan.out" : "no such plan.out")));
        window.show();
        QCOMPARE(window.findChild<QChartView*>() != nullptr, plan);
        const QStringList texts = shownTexts(window);
        QVERIFY(texts.contains("Save PDF…") && texts.contains("Print…"));
        QCOMPARE(czechOf(texts), QStringList());
    }

    // The viewer and the planner started for real speak the language of the desktop they run
    // on: the viewer's message for a missing plan file, the first line of the planner's plan.
    void programsFollowTheDesktop_data() { cases::addRows("language/desktops.txt"); }
    void programsFollowTheDesktop()
    {
        const bool english = cases::text("language") == "en";
        QTemporaryDir folder;
        const Finished viewer
            = runProgram(VIEWER_BINARY, { "--pdf", "out.pdf", "missing.out" }, folder.path(), desktop());
        QCOMPARE(viewer.exitCode, 1);
        QCOMPARE(QString::fromUtf8(viewer.err).trimmed().section('\n', -1),
            english ? "The plan file “missing.out” does not exist." : "Soubor s plánem „missing.out“ neexistuje.");
        QVERIFY(writeBytes(folder.filePath("profile.dat"), englishDemo()));
        // Twice: the second run knows the first one's plan as its own and replaces it.
        for (int run = 0; run < 2; ++run)
            QCOMPARE(runProgram(KORAX_PATH, {}, folder.path(), desktop()).exitCode, 0);
        const QByteArray plan = bytesOf(folder.filePath("plan.out"));
        const std::string first = cp1250::cp1250ToUtf8(plan.left(plan.indexOf('\r')).toStdString());
        QCOMPARE(QString::fromStdString(first),
            english ? "KORAX 1.0 – dive plan on open circuit" : "KORAX 1.0 – plán ponoru s otevřeným okruhem");
    }
};

QTEST_MAIN(EnglishTest)
#include "test_english.moc"
