// The rate memos and the dive profile table against the lines of profile.dat: what a load
// shows and what a store leaves in the lines that Save writes out.
#include "profile/DiveProfileTransfer.h"
#include "profile/ProfileText.h"
#include "profile/RateListTransfer.h"
#include "tests/support/CaseFile.h"

#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTextBlock>
#include <QtTest>

using Lines = std::vector<std::string>;
Q_DECLARE_METATYPE(Lines)
using Rows = QList<QStringList>;

constexpr std::string_view kDescent = "DescentRate:";

namespace {

QList<QByteArrayList> cases(const char* name)
{
    return case_file::read(QStringLiteral(TROVA_TEST_DATA "/lists/") + name);
}

Rows rowsOf(const QByteArray& field)
{
    Rows rows;
    for (const QString& row : field.isEmpty() ? QStringList() : QString::fromUtf8(field).split(';'))
        rows << row.split('~');
    return rows;
}

} // namespace

class ListTransferTest : public QObject {
    Q_OBJECT

private slots:
    void rateListShownAndWrittenBack_data()
    {
        QTest::addColumn<Lines>("file");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QString>("hint");
        QTest::addColumn<Lines>("saved");
        for (const QByteArrayList& row : cases("rate_lists.txt"))
            QTest::newRow(row[0]) << case_file::lines(row[1]) << QString::fromUtf8(row[2]).split('\n')
                                  << QString::fromUtf8(row[3]) << case_file::lines(row[4]);
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
        for (const QByteArrayList& row : cases("entered_rates.txt"))
            QTest::newRow(row[0]) << QString::fromUtf8(row[1]) << (row[2] == "y") << case_file::lines(row[3]);
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
        QTest::addColumn<Rows>("edited");
        QTest::addColumn<Lines>("saved");
        for (const QByteArrayList& row : cases("dive_profiles.txt"))
            QTest::newRow(row[0]) << case_file::lines(row[1]) << rowsOf(row[2]) << rowsOf(row[3])
                                  << case_file::lines(row[4]);
    }
    void diveProfileShownAndWrittenBack()
    {
        QFETCH(Lines, file);
        QFETCH(Rows, shown);
        QFETCH(Rows, edited);
        QFETCH(Lines, saved);
        TProfile profile("profile.dat", profile_text::joinLines(file));
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
        QCOMPARE(profile.lines, saved);
    }
};

QTEST_MAIN(ListTransferTest)
#include "test_list_transfer.moc"
