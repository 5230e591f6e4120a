// The rate memos and the dive profile table against the lines of profile.dat: what a load
// shows and what a store leaves in the lines that Save writes out.
#include "profile/DiveProfileTransfer.h"
#include "profile/ProfileText.h"
#include "profile/RateListTransfer.h"

#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTextBlock>
#include <QtTest>

using Lines = std::vector<std::string>;
Q_DECLARE_METATYPE(Lines)
using Rows = QList<QStringList>;

constexpr std::string_view kDescent = "DescentRate:";

class ListTransferTest : public QObject {
    Q_OBJECT

private slots:
    void rateListShownAndWrittenBack_data()
    {
        QTest::addColumn<Lines>("file");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QString>("hint");
        QTest::addColumn<Lines>("saved");
        const Lines three { "# Sestup \x9e:", "# od-do", "DescentRate: 0-9, 20", "DescentRate: 10-30",
            "DescentRate: 30" };
        QTest::newRow("three descent lines, hint above the first")
            << three << QStringList { "0-9, 20", "10-30", "30" } << QStringLiteral("Sestup ž:\nod-do") << three;
        QTest::newRow("missing key shows 0, appended at the end")
            << Lines { "AscentRate: 9" } << QStringList { "0" } << "" << Lines { "AscentRate: 9", "DescentRate: 0" };
        QTest::newRow("value over 100 characters cut")
            << Lines { "DescentRate: " + std::string(100, 'r') + "XYZ" } << QStringList { QString(100, 'r') } << ""
            << Lines { "DescentRate: " + std::string(100, 'r') };
        QTest::newRow("a first 0 shown, a later 0 ends the list")
            << Lines { "DescentRate: 0", "DescentRate: 4-5, 6", "DescentRate: 0", "DescentRate: 7" }
            << QStringList { "0", "4-5, 6" } << "" << Lines { "DescentRate: 0", "DescentRate: 4-5, 6" };
    }
    void rateListShownAndWrittenBack()
    {
        QFETCH(Lines, file);
        QFETCH(QStringList, shown);
        QFETCH(QString, hint);
        QFETCH(Lines, saved);
        TProfile profile("profile.dat", profile_text::joinLines(file));
        QPlainTextEdit memo;
        LoadRateList(profile, memo, kDescent);
        QCOMPARE(memo.document()->toRawText().split(QChar::ParagraphSeparator), shown);
        QCOMPARE(memo.toolTip(), hint);

        profile.SetValues(kDescent, RateListLines(memo));
        QCOMPARE(profile.lines, saved);
    }

    // Entered into a memo shown on screen and too narrow for a long entry, so that it wraps.
    void rateListKeepsTheEnteredLines_data()
    {
        QTest::addColumn<QString>("entered");
        QTest::addColumn<bool>("severalScreenLines");
        QTest::addColumn<Lines>("saved");
        const QString longEntry = QStringLiteral("45-30, 9 metru za minutu, potom 30-21, 6 metru za minutu");
        QTest::newRow("leading blanks written")
            << QStringLiteral("   3 m\u00a0ž") << false << Lines { "x", "DescentRate:    3 m\xa0\x9e" };
        QTest::newRow("long entry stays one line")
            << longEntry << true << Lines { "x", "DescentRate: " + longEntry.toStdString() };
        QTest::newRow("blank lines skipped") << "1\n \t\n\n2\n"
                                             << false << Lines { "x", "DescentRate: 1", "DescentRate: 2" };
        QTest::newRow("Shift+Enter break is a line end") << QStringLiteral(
            "45-6, 9\u20286-0, 3") << true << Lines { "x", "DescentRate: 45-6, 9", "DescentRate: 6-0, 3" };
        QTest::newRow("empty memo removes every line of the key") << "" << false << Lines { "x" };
    }
    void rateListKeepsTheEnteredLines()
    {
        QFETCH(QString, entered);
        QFETCH(bool, severalScreenLines);
        QFETCH(Lines, saved);
        TProfile profile("profile.dat", "DescentRate: 9\r\nx\r\nDescentRate: 8\r\n");
        QPlainTextEdit memo;
        memo.setFixedSize(120, 200);
        memo.show();
        QVERIFY(QTest::qWaitForWindowExposed(&memo));
        memo.setPlainText(entered);
        QCOMPARE(memo.document()->begin().lineCount() > 1, severalScreenLines);
        profile.SetValues(kDescent, RateListLines(memo));
        QCOMPARE(profile.lines, saved);
    }

    void diveProfileShownAndWrittenBack_data()
    {
        QTest::addColumn<Lines>("file");
        QTest::addColumn<Rows>("shown");
        QTest::addColumn<Lines>("saved");
        QTest::newRow("blanks after commas shown, written without; trailing blanks kept")
            << Lines { "45, 25, 21/35 " } << Rows { { "45", " 25", " 21/35 " } } << Lines { "45,25,21/35 " };
        QTest::newRow("indented digit line not shown, unchanged") << Lines { " 45,25,air",
            "30,5,air" } << Rows { { "30", "5", "air" } } << Lines { " 45,25,air", "30,5,air" };
        QTest::newRow("scattered lines shown in file order, written as one block where the last stood")
            << Lines { "45,25,21/35", "Rmv: 20", "30,3,vzduch \x9e", "x", "21,1" }
            << Rows { { "45", "25", "21/35" }, { "30", "3", QStringLiteral("vzduch ž") }, { "21", "1" } }
            << Lines { "Rmv: 20", "x", "45,25,21/35", "30,3,vzduch \x9e", "21,1," };
        QTest::newRow("fields beyond the third kept in the mix")
            << Lines { "45,25,21/35,x, y" } << Rows { { "45", "25", "21/35,x, y" } } << Lines { "45,25,21/35,x, y" };
        QTest::newRow("lines beyond the fifth replaced by the table")
            << Lines { "1", "2", "a", "3", "4", "5", "6", "b" } << Rows { { "1" }, { "2" }, { "3" }, { "4" }, { "5" } }
            << Lines { "a", "1,,", "2,,", "3,,", "4,,", "5,,", "b" };
    }
    void diveProfileShownAndWrittenBack()
    {
        QFETCH(Lines, file);
        QFETCH(Rows, shown);
        QFETCH(Lines, saved);
        TProfile profile("profile.dat", profile_text::joinLines(file));
        QTableWidget grid(6, 3);
        LoadDiveProfile(profile, grid);
        for (int row = 1; row < grid.rowCount(); ++row)
            for (int column = 0; column < grid.columnCount(); ++column)
                QCOMPARE(grid.item(row, column) ? grid.item(row, column)->text() : QString(),
                    shown.value(row - 1).value(column));
        StoreDiveProfile(profile, grid);
        QCOMPARE(profile.lines, saved);
    }

    void diveProfileWritesTheEditedRows_data()
    {
        QTest::addColumn<Lines>("file");
        QTest::addColumn<Rows>("edited");
        QTest::addColumn<Lines>("saved");
        QTest::newRow("cleared depth of row 2 ends the rows")
            << Lines { "1,1,a", "2,2,b" } << Rows { { "1", "1", "a" }, { "", "2", "b" }, { "3", "3", "c" } }
            << Lines { "1,1,a" };
        QTest::newRow("non-digit depth skipped, the block stays adjacent")
            << Lines { "x", "1,1,a", "y" } << Rows { { "1", "1", "a" }, { "hloubka", "2", "b" }, { "3", "3", "c" } }
            << Lines { "x", "1,1,a", "3,3,c", "y" };
        QTest::newRow("no profile line: rows appended at the end")
            << Lines { "a", "b" } << Rows { { "9", "9", "air" } } << Lines { "a", "b", "9,9,air" };
        QTest::newRow("a line break pasted into a cell stays in its row")
            << Lines { "z" } << Rows { { "30", "3", "21/35\n40,5,air" } } << Lines { "z", "30,3,21/35 40,5,air" };
    }
    void diveProfileWritesTheEditedRows()
    {
        QFETCH(Lines, file);
        QFETCH(Rows, edited);
        QFETCH(Lines, saved);
        TProfile profile("profile.dat", profile_text::joinLines(file));
        QTableWidget grid(6, 3);
        LoadDiveProfile(profile, grid);
        for (int row = 1; row < grid.rowCount(); ++row) // the table owns the items
            for (int column = 0; column < grid.columnCount(); ++column)
                grid.setItem(row, column, new QTableWidgetItem(edited.value(row - 1).value(column)));
        StoreDiveProfile(profile, grid);
        QCOMPARE(profile.lines, saved);
    }
};

QTEST_MAIN(ListTransferTest)
#include "test_list_transfer.moc"
