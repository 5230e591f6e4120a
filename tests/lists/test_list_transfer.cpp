// The rate memos and the dive profile table against the lines of profile.dat: what a load
// shows and what a store leaves in the lines that Save writes out.
#include "profile/DiveProfileTransfer.h"
#include "profile/ProfileText.h"
#include "profile/RateListTransfer.h"
#include "tests/support/Cases.h"

#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTextBlock>
#include <QtTest>

using Rows = QList<QStringList>;

constexpr std::string_view kDescent = "DescentRate:";

namespace {

// A table's rows in a column: ";" between rows, "~" between cells.
Rows rowsOf(const char* column)
{
    Rows rows;
    for (const QString& row : cases::cell(column).isEmpty() ? QStringList() : cases::text(column).split(';'))
        rows << row.split('~');
    return rows;
}

} // namespace

class ListTransferTest : public QObject {
    Q_OBJECT

private slots:
    void rateListShownAndWrittenBack_data() { cases::addRows("lists/rate_lists.txt"); }
    void rateListShownAndWrittenBack()
    {
        TProfile profile("profile.dat", profile_text::joinLines(cases::lines("file")));
        QPlainTextEdit memo;
        LoadRateList(profile, memo, kDescent);
        QCOMPARE(memo.document()->toRawText().split(QChar::ParagraphSeparator), cases::text("shown").split('\n'));
        QCOMPARE(memo.toolTip(), cases::text("hint"));

        profile.SetValues(kDescent, RateListLines(memo));
        QCOMPARE(profile.lines, cases::lines("saved"));
    }

    // Entered into a memo shown on screen and too narrow for a long entry, so that it wraps.
    void rateListKeepsTheEnteredLines_data() { cases::addRows("lists/entered_rates.txt"); }
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
        QCOMPARE(profile.lines, cases::lines("saved"));
    }

    void diveProfileShownAndWrittenBack_data() { cases::addRows("lists/dive_profiles.txt"); }
    void diveProfileShownAndWrittenBack()
    {
        const Rows shown = rowsOf("shown");
        const Rows edited = rowsOf("edited");
        TProfile profile("profile.dat", profile_text::joinLines(cases::lines("file")));
        QTableWidget grid(6, 3);
        LoadDiveProfile(profile, grid);
        for (int row = 1; row < grid.rowCount(); ++row) {
            for (int column = 0; column < grid.columnCount(); ++column) {
                QCOMPARE(grid.item(row, column) ? grid.item(row, column)->text() : QString(),
                    shown.value(row - 1).value(column));
                if (!edited.isEmpty()) // the table owns the items
                    grid.setItem(row, column, new QTableWidgetItem(edited.value(row - 1).value(column)));
            }
        }
        StoreDiveProfile(profile, grid);
        QCOMPARE(profile.lines, cases::lines("saved"));
    }
};

QTEST_MAIN(ListTransferTest)
#include "test_list_transfer.moc"
