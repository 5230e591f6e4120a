// The dive profile table against real profile files: what a load shows, what a store writes.
#include "DiveProfileTransfer.h"
#include "ListFixture.h"

using Rows = QList<QStringList>;

namespace {

// Rows 1 to 5 as shown; a cell without an item reads as empty.
Rows shownRows(const QTableWidget& grid)
{
    Rows rows;
    for (int row = 1; row < grid.rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < grid.columnCount(); ++column) {
            const QTableWidgetItem* item = grid.item(row, column);
            cells.append(item ? item->text() : QString());
        }
        rows.append(cells);
    }
    return rows;
}

// Rows 1 onward as the user left them; cells a row does not name have no item at all.
void typeRows(QTableWidget& grid, const Rows& rows)
{
    for (int row = 1; row < grid.rowCount(); ++row) {
        for (int column = 0; column < grid.columnCount(); ++column)
            grid.setItem(row, column, nullptr);
    }
    for (int row = 0; row < rows.size(); ++row) {
        for (int column = 0; column < rows[row].size(); ++column)
            grid.setItem(row + 1, column, new QTableWidgetItem(rows[row][column])); // the table owns it
    }
}

Rows padded(Rows rows)
{
    for (QStringList& cells : rows) {
        while (cells.size() < 3)
            cells.append(QString());
    }
    while (rows.size() < 5)
        rows.append(QStringList { QString(), QString(), QString() });
    return rows;
}

} // namespace

class DiveProfileTest : public QObject {
    Q_OBJECT

private slots:
    void loadShowsTheProfileLines_data()
    {
        QTest::addColumn<Lines>("file");
        QTest::addColumn<Rows>("shown");
        QTest::addColumn<QString>("hint");
        QTest::newRow("blanks after commas shown")
            << Lines { "# Profil", "45, 25, 21/35" } << Rows { { "45", " 25", " 21/35" } } << "Profil";
        QTest::newRow("a depth alone") << Lines { "45" } << Rows { { "45" } } << "";
        QTest::newRow("indented digit line not shown")
            << Lines { " 45,25,air", "30,5,air" } << Rows { { "30", "5", "air" } } << "";
        QTest::newRow("scattered lines in file order, hint above the first")
            << Lines { "# prvni", "45,25,21/35", "Rmv: 20", "# druhy", "30,3,50", "x", "21,1" }
            << Rows { { "45", "25", "21/35" }, { "30", "3", "50" }, { "21", "1" } } << "prvni";
        QTest::newRow("fields beyond the third stay in the mix")
            << Lines { "45,25,21/35,extra, more" } << Rows { { "45", "25", "21/35,extra, more" } } << "";
        QTest::newRow("empty cells between commas")
            << Lines { "45,,", "30,,air" } << Rows { { "45", "", "" }, { "30", "", "air" } } << "";
        QTest::newRow("only the first five lines")
            << Lines { "1,1,a", "2,2,b", "3,3,c", "4,4,d", "5,5,e", "6,6,f", "7,7,g" }
            << Rows { { "1", "1", "a" }, { "2", "2", "b" }, { "3", "3", "c" }, { "4", "4", "d" }, { "5", "5", "e" } }
            << "";
        QTest::newRow("no profile line: header only, no hint")
            << Lines { "# komentar", "Rmv: 20", " 5,5" } << Rows {} << "";
        QTest::newRow("Czech mix") << Lines { "30,3,vzduch \x9e" } << Rows { { "30", "3", QStringLiteral("vzduch ž") } }
                                   << "";
    }
    void loadShowsTheProfileLines()
    {
        QFETCH(Lines, file);
        QFETCH(Rows, shown);
        QFETCH(QString, hint);
        ProfileFile profileFile;
        profileFile.writeLines(file);
        TProfile profile = profileFile.open();
        profile.GetValue("Rmv:");
        auto grid = makeDiveProfileGrid();

        LoadDiveProfile(profile, *grid);

        QCOMPARE(shownRows(*grid), padded(shown));
        QCOMPARE(QString::fromStdString(profile.GetComment()), hint.toUtf8());
        QCOMPARE(grid->rowCount(), 6);
        QCOMPARE(grid->columnCount(), 3);
    }

    void loadWritesTheHeaderRow()
    {
        ProfileFile profileFile;
        profileFile.writeLines({ "45,25,air" });
        TProfile profile = profileFile.open();
        auto grid = makeDiveProfileGrid();
        LoadDiveProfile(profile, *grid);
        const QStringList header { grid->item(0, 0)->text(), grid->item(0, 1)->text(), grid->item(0, 2)->text() };
        QCOMPARE(header, (QStringList { "Hloubka", QStringLiteral("Čas"), QStringLiteral("Směs O2/He") }));
        QVERIFY(!(grid->item(0, 1)->flags() & Qt::ItemIsEditable));
        QVERIFY(grid->item(1, 1)->flags() & Qt::ItemIsEditable);
    }

    void storeWritesTheTable_data()
    {
        QTest::addColumn<Lines>("file");
        QTest::addColumn<Rows>("typed");
        QTest::addColumn<Lines>("saved");
        QTest::newRow("blanks after commas dropped, trailing blanks kept") << Lines { "a", "45, 25, 21/35",
            "b" } << Rows { { "45", " 25", "  21/35 " } } << Lines { "a", "45,25,21/35 ", "b" };
        QTest::newRow("a depth alone gets two commas") << Lines { "45" } << Rows { { "45" } } << Lines { "45,," };
        QTest::newRow("indented digit line unchanged")
            << Lines { " 45,25,air", "30,5,air" } << Rows { { "30", "5", "air" } }
            << Lines { " 45,25,air", "30,5,air" };
        QTest::newRow("scattered lines become one block where the last stood")
            << Lines { "45,25,a", "Rmv: 20", "30,3,b", "x", "21,1,c", "y" }
            << Rows { { "45", "25", "a" }, { "30", "3", "b" }, { "21", "1", "c" } }
            << Lines { "Rmv: 20", "x", "45,25,a", "30,3,b", "21,1,c", "y" };
        QTest::newRow("cleared depth of row 2 writes only row 1")
            << Lines { "1,1,a", "2,2,b", "3,3,c" }
            << Rows { { "1", "1", "a" }, { "", "2", "b" }, { "3", "3", "c" }, { "4", "4", "d" } } << Lines { "1,1,a" };
        QTest::newRow("blank depth counts as cleared")
            << Lines { "1,1,a", "z" } << Rows { { " \t", "1", "a" } } << Lines { "z" };
        QTest::newRow("non-digit depth skipped, the block stays adjacent")
            << Lines { "x", "1,1,a", "y" } << Rows { { "1", "1", "a" }, { "hloubka", "2", "b" }, { "3", "3", "c" } }
            << Lines { "x", "1,1,a", "3,3,c", "y" };
        QTest::newRow("non-digit depths at the end insert nothing past it")
            << Lines { "1,1,a" } << Rows { { "m", "1" }, { "n", "2" }, { "5", "5" } } << Lines { "5,5," };
        QTest::newRow("extra fields in the mix written back whole")
            << Lines { "45,25,21/35,extra, more" } << Rows { { "45", "25", "21/35,extra, more" } }
            << Lines { "45,25,21/35,extra, more" };
        QTest::newRow("no profile line: rows appended at the end")
            << Lines { "a", "b" } << Rows { { "9", "9", "air" } } << Lines { "a", "b", "9,9,air" };
        QTest::newRow("a line break pasted into a cell stays in its row")
            << Lines { "z" } << Rows { { "30", "3", "21/35\n40,5,air" } } << Lines { "z", "30,3,21/35 40,5,air" };
        QTest::newRow("more than five file lines replaced by the table") << Lines { "1,1", "2,2", "a", "3,3", "4,4",
            "5,5", "6,6", "b" } << Rows { { "1", "1" }, { "2", "2" } } << Lines { "a", "1,1,", "2,2,", "b" };
    }
    void storeWritesTheTable()
    {
        QFETCH(Lines, file);
        QFETCH(Rows, typed);
        QFETCH(Lines, saved);
        ProfileFile profileFile;
        profileFile.writeLines(file);
        TProfile profile = profileFile.open();
        auto grid = makeDiveProfileGrid();
        LoadDiveProfile(profile, *grid);
        typeRows(*grid, typed);

        StoreDiveProfile(profile, *grid);
        profile.Save();

        QCOMPARE(profileFile.savedLines(), saved);
    }
};

QTEST_MAIN(DiveProfileTest)
#include "test_dive_profile.moc"
