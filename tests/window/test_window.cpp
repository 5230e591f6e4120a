// The main window offscreen. profile.dat through it: what the controls show (the missing-key
// values too), the hints, the stored keys and the stop-distance check, and what leaving the
// window writes; the rate memos and the dive profile table, loaded and stored on their own. The
// controls as the user meets them: the interlocks, the radio groups' keyboard, what can be
// typed, the caption colours, the 120 dpi size factor.
#include "profile/TProfile.h"
#include "tests/support/CaseTable.h"
#include "tests/support/WindowFixture.h"
#include "ui/DpiScale.h"
#include "ui/ErrorReport.h"
#include "ui/RadioGroup.h"
#include "ui/transfer/DiveProfileTransfer.h"
#include "ui/transfer/RateListTransfer.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTabBar>
#include <QTableWidget>
#include <QTextBlock>
#include <QTextDocument>
#include <QtTest>

namespace {

const QByteArray kSample = bytesOf(TROVA_DEMO_DATA "/profile.dat");

// One start, "&Konec", "&Ano"; what the file holds afterwards, nothing when the window stays.
QByteArray afterKonecAno(const QByteArray& contents)
{
    OpenWindow open(contents);
    ModalWatcher watcher(pressing(QStringLiteral("Button1")));
    open.control<QPushButton>("BitBtn1").click();
    return open.window->isVisible() ? QByteArray() : bytesOf("profile.dat");
}

// The ink in a region of a picture of widget: "red", text lit in "navy" (blue well over red and
// green), plain dark "black", or "nothing".
QString inkIn(QWidget& widget, const QRect& region)
{
    const QImage picture = widget.grab().toImage();
    bool red = false, blue = false, dark = false;
    for (int y = region.top(); y <= region.bottom(); ++y) {
        for (int x = region.left(); x <= region.right(); ++x) {
            const QColor c = picture.pixelColor(x, y);
            red = red || (c.red() > 180 && c.green() < 80 && c.blue() < 80);
            blue = blue || (c.blue() > c.red() + 60 && c.blue() > c.green() + 60);
            dark = dark || (c.red() < 80 && c.green() < 80 && c.blue() < 80);
        }
    }
    return red ? "red" : blue ? "navy" : dark ? "black" : "nothing";
}

using Rows = QList<QStringList>;

constexpr std::string_view kDescent = "DescentRate:";

// A table's rows in a column: ";" between rows, "~" between cells.
Rows rowsOf(const char* column)
{
    Rows rows;
    for (const QString& row : cases::cell(column).isEmpty() ? QStringList() : cases::text(column).split(';'))
        rows << row.split('~');
    return rows;
}

} // namespace

class WindowTest : public QObject {
    Q_OBJECT

private slots:
    // The store's failures in the window's words: the cause under the program's own first line,
    // then where the old bytes are, the journal's path as the file system gives it.
    void composesTheStoreFailures_data() { cases::addRows("window/save_failures.txt"); }
    void composesTheStoreFailures()
    {
        platform::ReplaceResult noSpace;
        noSpace.failure = platform::SaveFailure::noSpace;
        noSpace.keptJournal = cases::cell("journal").toStdString();
        QCOMPARE(errors::textOf(ProfileSaveError("profile.dat", noSpace)), cases::text("expected"));
        QCOMPARE(errors::textOf(ProfileOpenError("profil\xe8.dat")), QString::fromUtf8("Nenalezen soubor profilč.dat"));
    }

    void showsTheFile_data() { cases::addRows("window/shown.txt"); }
    void showsTheFile()
    {
        const OpenWindow open(cases::cell("file") == "sample" ? kSample : cases::cell("file"));
        const QStringList expected = cases::text("expected").split(';');
        QCOMPARE(shownStates(*open.window, expected), expected);
    }

    void setsHints_data() { cases::addRows("window/hints.txt"); }
    void setsHints()
    {
        const OpenWindow open(cases::cell("file") == "sample" ? kSample : cases::cell("file"));
        const QString tip = open.window->findChild<QWidget*>(cases::text("control"))->toolTip();
        QTextDocument asRead;
        asRead.setHtml(tip);
        QCOMPARE(Qt::mightBeRichText(tip) ? asRead.toPlainText() : tip, cases::text("hint"));
    }

    // Closing with "Ano": a stop distance the check accepts is written as typed, the keys the
    // file lacks after its lines in the order of the table; else its message shows, and the
    // window stays with the file unchanged.
    void checksTheStopDistance_data() { cases::addRows("window/stop-distance.txt"); }
    void checksTheStopDistance()
    {
        const OpenWindow open("StopDistance: 9\r\n");
        open.control<QLineEdit>("edStopDistance").setText(cases::text("typed"));
        ModalWatcher watcher(pressing("Button1"));
        open.window->close();
        const bool accepted = cases::cell("box").isEmpty();
        QCOMPARE(watcher.seen,
            QStringList("Save Changes||-1")
                + (accepted ? QStringList() : QStringList("Chyba|" + cases::text("box") + "|0")));
        QCOMPARE(open.window->isVisible(), !accepted);
        const QByteArray written
            = bytesOf(TROVA_TEST_DATA "/window/missing-keys.dat").replace(": 9", ": " + cases::cell("typed"));
        QCOMPARE(bytesOf("profile.dat"), accepted ? written : "StopDistance: 9\r\n");
    }

    // The sample holds every key as the window writes it, so an unedited save changes no byte,
    // not even of a Czech value.
    void konecAnoLeavesTheSampleByteExact()
    {
        const QByteArray sample = QByteArray(kSample).replace("tissue.dat", "tk\xe1n\xec-\x9e\x8a.dat");
        QCOMPARE(afterKonecAno(sample), sample);
    }

    // Any file settles after one round of "&Konec" and "&Ano": a second round changes no byte.
    void konecAnoRoundsSettle_data()
    {
        QTest::addColumn<QByteArray>("contents");
        const QDir folder(QStringLiteral(TROVA_TEST_DATA "/window/settling"));
        for (const QString& name : folder.entryList(QDir::Files, QDir::Name))
            QTest::newRow(qPrintable(name)) << bytesOf(folder.filePath(name));
    }
    void konecAnoRoundsSettle()
    {
        QFETCH(QByteArray, contents);
        const QByteArray first = afterKonecAno(contents);
        QVERIFY(!first.isEmpty());
        QCOMPARE(afterKonecAno(first), first);
    }

    // A file with more profile lines than the table's five rows: each gets a row (the scroll
    // bar reaches them) and "&Konec", "&Ano" writes every one back, byte for byte.
    void keepsEveryProfileLine()
    {
        const QByteArray seven = QByteArray(kSample).replace(
            "30,3,21/35\r\n", "30,3,21/35\r\n21,2,50\r\n9,3,50\r\n6,4,100\r\n3,5,100\r\n");
        {
            const OpenWindow open(seven);
            const QTableWidget& grid = open.control<QTableWidget>("sgDiveProfile");
            QCOMPARE(grid.rowCount(), 8);
            QCOMPARE(grid.item(7, 0)->text() + grid.item(7, 2)->text(), QStringLiteral("3100"));
            open.control<QTabWidget>("PageControl1").setCurrentIndex(0);
            QTRY_VERIFY(grid.verticalScrollBar()->maximum() > 0);
        }
        QCOMPARE(afterKonecAno(seven), seven);
    }

    // A depth not beginning with a digit, typed into a row below the fifth, stops "&Výpočet" and
    // the close alike: the box names the row, profile.dat keeps every byte, the row stays as
    // typed, and no planner is started (there is none to start: its box would show).
    void refusesARowWithoutADepth_data() { cases::addRows("window/depthless_rows.txt"); }
    void refusesARowWithoutADepth()
    {
        const bool closing = cases::yes("closing");
        const QByteArray profile
            = QByteArray(kSample).replace("30,3,21/35\r\n", "30,3,21/35\r\n21,2,50\r\n9,3,50\r\n6,4,100\r\n");
        const OpenWindow open(profile);
        QTableWidget& grid = open.control<QTableWidget>("sgDiveProfile");
        open.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(open.window.get()));
        open.control<QTabWidget>("PageControl1").setCurrentIndex(0);
        grid.setFocus();
        grid.setCurrentCell(6, 0);
        QTest::keyClick(&grid, Qt::Key_A); // opens the cell's editor, which stays open
        QTest::keyClicks(QApplication::focusWidget(), "bc");
        ModalWatcher watcher(pressing(QStringLiteral("Button1")));
        if (closing)
            open.window->close();
        else
            open.compute();
        const QString box
            = QStringLiteral("Chyba|Řádek 6 profilu ponoru (abc,4,100) nelze uložit: hloubka musí začínat číslicí.|0");
        QCOMPARE(watcher.seen, (closing ? QStringList("Save Changes||-1") : QStringList()) + QStringList(box));
        QVERIFY(open.window->isVisible());
        QCOMPARE(grid.item(6, 0)->text(), QStringLiteral("abc"));
        QCOMPARE(bytesOf("profile.dat"), profile);
    }

    // Delete empties the selected cells; the header row, which is no profile line, cannot be
    // edited and is left alone.
    void deleteClearsTheSelectedCells()
    {
        const OpenWindow open(kSample);
        QTableWidget& grid = open.control<QTableWidget>("sgDiveProfile");
        open.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(open.window.get()));
        open.control<QTabWidget>("PageControl1").setCurrentIndex(0);
        grid.setFocus();
        grid.clearSelection();
        grid.setRangeSelected(QTableWidgetSelectionRange(0, 1, 2, 2), true);
        QTest::keyClick(&grid, Qt::Key_Delete);
        QStringList cells;
        for (int row = 0; row < 4; ++row)
            cells << grid.item(row, 0)->text() + '~' + grid.item(row, 1)->text() + '~' + grid.item(row, 2)->text();
        QCOMPARE(cells.join(';'), QStringLiteral("Hloubka~Čas~Směs O2/He;45~~;40~~;30~3~21/35"));
        QVERIFY(!(grid.item(0, 1)->flags() & Qt::ItemIsEditable));
    }

    // Esc, after editing the altitude and unticking repetitive dives (written as 900:00), and
    // the answer to the save-changes dialog. A window kept keeps every edit and the output name,
    // and changes nothing on disk.
    void answersTheClosing_data() { cases::addRows("window/closing.txt"); }
    void answersTheClosing()
    {
        const QByteArray profile("# test\r\nAltitude: 0\r\nStopDistance: 3\r\nPlanFile: plan.out\r\n");
        const OpenWindow open(profile);
        open.control<QLineEdit>("edAltitude").setText(QStringLiteral("123"));
        open.control<QCheckBox>("chbRepetitiveDives").setChecked(false);
        ModalWatcher watcher(pressing(cases::text("answer")));
        QTest::keyClick(&open.control<QLineEdit>("edAltitude"), Qt::Key_Escape);
        QCOMPARE(watcher.seen, QStringList("Save Changes||-1"));
        QCOMPARE(open.window->isVisible(), cases::cell("outcome") == "kept");
        QCOMPARE(open.control<QLineEdit>("edAltitude").text(), QStringLiteral("123"));
        if (cases::cell("outcome") == "kept") // the next run is still numbered
            QCOMPARE(open.control<QLineEdit>("edOutputFile").text(), QStringLiteral("1plan.out"));
        const QByteArray file = bytesOf("profile.dat");
        QVERIFY(cases::cell("outcome") == "saved" ? file.startsWith(QByteArray(profile).replace(": 0", ": 123"))
                    && file.contains("\r\nSurfaceInterval: 900:00\r\n")
                                                  : file == profile);
    }

    // The input, in order: "tabN" clicks a page's tab, "@name" gives a control the focus,
    // "none" leaves rgAlgorithm with no item chosen, a capitalised key name (Tab, Up) types the
    // key, any other name clicks that control (gbDeepStops on an empty spot). An expected
    // "focus name" comes first.
    void rulesFollowTheInput_data() { cases::addRows("window/controls.txt"); }
    void rulesFollowTheInput()
    {
        const OpenWindow open(cases::cell("file"));
        TfKoraxGUI& window = *open.window;
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTabWidget& pages = open.control<QTabWidget>("PageControl1");
        QWidget& divePage = open.control<QWidget>("tsDive");
        QTabBar& tabs = *pages.tabBar();
        for (const QString& step : cases::text("input").split(' ')) {
            auto* control = window.findChild<QWidget*>(step.mid(step.startsWith('@') ? 1 : 0));
            if (step.startsWith(QStringLiteral("tab")))
                QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.tabRect(step.back().digitValue()).center());
            else if (step == "none")
                radio_group::setItemIndex(open.control<QGroupBox>("rgAlgorithm"), -1);
            else if (step.front().isUpper())
                QTest::keyClick(QApplication::focusWidget(), QKeySequence(step)[0].key());
            else if (step.startsWith('@')) {
                pages.setCurrentWidget(divePage.isAncestorOf(control) ? &divePage : &open.control<QWidget>("tsGases"));
                control->setFocus(Qt::TabFocusReason);
            } else
                QTest::mouseClick(control, Qt::LeftButton, {}, step == "gbDeepStops" ? QPoint(250, 90) : QPoint());
        }
        const QStringList expected = cases::text("expected").split(';');
        const bool focusToo = expected.front().startsWith(QStringLiteral("focus "));
        const QWidget* focus = QApplication::focusWidget();
        const QStringList focused { "focus " + (focus ? focus->objectName() : QStringLiteral("none")) };
        QCOMPARE((focusToo ? focused : QStringList()) + shownStates(window, expected.mid(focusToo ? 1 : 0)), expected);
    }

    // What profile.dat cannot hold cannot be typed: foreign characters, and line breaks in a
    // one-line field (they would split its key line).
    void refusesWhatTheFileCannotHold_data() { cases::addRows("window/typing.txt"); }
    void refusesWhatTheFileCannotHold()
    {
        const OpenWindow open(QByteArray {});
        auto* widget = open.window->findChild<QWidget*>(cases::text("control"));
        auto* edit = qobject_cast<QLineEdit*>(widget);
        if (edit) {
            edit->clear();
            edit->insert(QStringLiteral("3\nRmv: 1"));
            edit->insert(QStringLiteral("3\rRmv: 1"));
        } else {
            qobject_cast<QPlainTextEdit*>(widget)->clear();
        }
        for (const QChar c : cases::text("typed")) { // QTest can type ASCII only
            QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(widget, &key);
        }
        QCOMPARE(edit ? edit->text() : qobject_cast<QPlainTextEdit*>(widget)->toPlainText(), cases::text("shown"));
    }

    // The tab under the mouse lights up; chbUpdateTissue has a red caption but a normal tick.
    void captionsHaveTheirColours_data() { cases::addRows("window/captions.txt"); }
    void captionsHaveTheirColours()
    {
        const QString part = cases::text("part");
        const QString expected = cases::text("ink");
        const OpenWindow open("SurfaceInterval: 2:00\r\nUpdateTissueFile: y\r\n");
        QTabBar& tabs = *open.control<QTabWidget>("PageControl1").tabBar();
        QCheckBox& box = open.control<QCheckBox>("chbUpdateTissue");
        const int indicator = box.style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, &box);
        if (part.startsWith(QStringLiteral("tab"))) {
            QTest::mouseMove(&tabs, tabs.tabRect(0).center());
            QTRY_COMPARE(inkIn(tabs, tabs.tabRect(part.back().digitValue())), expected);
        } else {
            QCOMPARE(inkIn(box,
                         part == "tick" ? QRect(0, 0, indicator, box.height())
                                        : QRect(indicator + 2, 0, box.width() - indicator - 2, box.height())),
                expected);
        }
    }

    void scalesTheOuterSizeAt120Dpi()
    {
        // As start-up finds the window: laid out, not yet shown.
        QWidget window;
        window.setFixedSize(550, 438);
        scaleOuterSize(window, dpiScaleFactor(120));
        QCOMPARE(window.frameGeometry().size(), QSize(687, 547));
        QCOMPARE(window.minimumSize(), window.maximumSize());
    }

    void rateListShownAndWrittenBack_data() { cases::addRows("window/rate_lists.txt"); }
    void rateListShownAndWrittenBack()
    {
        TProfile profile("profile.dat", cases::joinLines(cases::lines("file")));
        QPlainTextEdit memo;
        LoadRateList(profile, memo, kDescent);
        QCOMPARE(memo.document()->toRawText().split(QChar::ParagraphSeparator), cases::text("shown").split('\n'));
        QCOMPARE(memo.toolTip(), cases::text("hint"));

        profile.SetValues(kDescent, RateListLines(memo));
        QCOMPARE(profile.Lines(), cases::lines("saved"));
    }

    // Entered into a memo shown on screen and too narrow for a long entry, so that it wraps.
    void rateListKeepsTheEnteredLines_data() { cases::addRows("window/entered_rates.txt"); }
    void rateListKeepsTheEnteredLines()
    {
        TProfile profile("profile.dat", "DescentRate: 9\r\nx\r\nDescentRate: 8\r\n");
        QPlainTextEdit memo;
        memo.setFixedSize(120, 200);
        memo.show();
        QVERIFY(QTest::qWaitForWindowExposed(&memo));
        memo.setPlainText(cases::text("entered"));
        QCOMPARE(memo.document()->begin().lineCount() > 1, cases::yes("wraps"));
        profile.SetValues(kDescent, RateListLines(memo));
        QCOMPARE(profile.Lines(), cases::lines("saved"));
    }

    void diveProfileShownAndWrittenBack_data() { cases::addRows("window/dive_profiles.txt"); }
    void diveProfileShownAndWrittenBack()
    {
        const Rows shown = rowsOf("shown");
        const Rows edited = rowsOf("edited");
        TProfile profile("profile.dat", cases::joinLines(cases::lines("file")));
        QTableWidget grid(6, 3);
        LoadDiveProfile(profile, grid);
        QCOMPARE(grid.rowCount(), std::max(6, int(shown.size()) + 1));
        for (int row = 1; row < grid.rowCount(); ++row) {
            for (int column = 0; column < grid.columnCount(); ++column) {
                QCOMPARE(grid.item(row, column) ? grid.item(row, column)->text() : QString(),
                    shown.value(row - 1).value(column));
                if (!edited.isEmpty()) // the table owns the items
                    grid.setItem(row, column, new QTableWidgetItem(edited.value(row - 1).value(column)));
            }
        }
        const auto refused = StoreDiveProfile(profile, grid);
        QCOMPARE(refused ? QString::number(refused->row) + ' ' + QString::fromStdString(refused->line) : QString(),
            cases::text("refused"));
        QCOMPARE(profile.Lines(), cases::lines("saved"));
    }
};

QTEST_MAIN(WindowTest)
#include "test_window.moc"
