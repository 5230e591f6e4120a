// The rate memos against real profile files: what a load shows and what a store writes.
#include "Cp1250.h"
#include "ListFixture.h"
#include "RateListTransfer.h"

#include <QTextBlock>
#include <QTextLayout>

namespace {

constexpr std::string_view kDescent = "DescentRate:";
constexpr std::string_view kAscent = "AscentRate:";

QStringList memoLines(const QPlainTextEdit& memo)
{
    QStringList lines;
    for (QTextBlock block = memo.document()->begin(); block.isValid(); block = block.next())
        lines.append(block.text());
    return lines;
}

QString hundredAnd(const QString& tail)
{
    return QString(100, 'r') + tail;
}

} // namespace

class RateListsTest : public QObject {
    Q_OBJECT

private slots:
    void loadShowsTheEntriesOfTheKey_data()
    {
        QTest::addColumn<Lines>("file");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QString>("hint");
        QTest::newRow("three descent lines, hint above the first")
            << Lines { "# Sestup:", "# od-do, rychlost", "DescentRate: 0-10, 20", "# jiny", "DescentRate: 10-30, 15",
                   "DescentRate: 30-45, 10" }
            << QStringList { "0-10, 20", "10-30, 15", "30-45, 10" } << "Sestup:\nod-do, rychlost";
        QTest::newRow("missing key shows 0 and no hint")
            << Lines { "# x", "AscentRate: 9" } << QStringList { "0" } << "";
        QTest::newRow("value over 100 characters is cut")
            << Lines { "DescentRate: " + hundredAnd("XYZ").toStdString() } << QStringList { QString(100, 'r') } << "";
        QTest::newRow("a later 0 ends the list")
            << Lines { "DescentRate: 1-2, 3", "DescentRate: 0", "DescentRate: 4-5, 6" } << QStringList { "1-2, 3" }
            << "";
        QTest::newRow("a first 0 is shown and the list goes on")
            << Lines { "DescentRate: 0", "DescentRate: 4-5, 6" } << QStringList { "0", "4-5, 6" } << "";
        QTest::newRow("an empty first value stays its own line")
            << Lines { "DescentRate:", "DescentRate: 4-5, 6" } << QStringList { "", "4-5, 6" } << "";
        QTest::newRow("only blank values show the 0 of a missing key")
            << Lines { "# Sestup", "DescentRate:", "DescentRate:  \t" } << QStringList { "0" } << "Sestup";
        QTest::newRow("a value of 00 does not end the list")
            << Lines { "DescentRate: 1", "DescentRate: 00", "DescentRate: 2" } << QStringList { "1", "00", "2" } << "";
        QTest::newRow("Czech text and a no-break space")
            << Lines { "# Rychlosti sestupu \x9e", "DescentRate: 0-6\xa0m, rychl\xe1" }
            << QStringList { QStringLiteral("0-6\u00a0m, rychlá") } << QStringLiteral("Rychlosti sestupu ž");
    }
    void loadShowsTheEntriesOfTheKey()
    {
        QFETCH(Lines, file);
        QFETCH(QStringList, shown);
        QFETCH(QString, hint);
        ProfileFile profileFile;
        profileFile.writeLines(file);
        TProfile profile = profileFile.open();
        auto memo = makeRateMemo();
        memo->setPlainText(QStringLiteral("left from before"));

        LoadRateList(profile, *memo, kDescent);

        QCOMPARE(memoLines(*memo), shown);
        QCOMPARE(memo->toolTip(), hint);
    }

    void storeWritesTheTypedLines_data()
    {
        QTest::addColumn<Lines>("file");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<Lines>("saved");
        QTest::newRow("leading and trailing blanks kept")
            << Lines { "AscentRate: 9", "x" } << "  6-0, 3 " << Lines { "AscentRate:   6-0, 3 ", "x" };
        QTest::newRow("blank lines skipped") << Lines { "AscentRate: 9" } << "1\n \t\n\n2\n"
                                             << Lines { "AscentRate: 1", "AscentRate: 2" };
        QTest::newRow("empty memo removes every line of the key")
            << Lines { "a", "AscentRate: 1", "b", "AscentRate: 2" } << "" << Lines { "a", "b" };
        QTest::newRow("scattered lines become one block where the last stood") << Lines { "AscentRate: 1", "a",
            "AscentRate: 2", "b" } << "1\n2" << Lines { "a", "AscentRate: 1", "AscentRate: 2", "b" };
        QTest::newRow("missing key appended at the end")
            << Lines { "a", "b" } << "0" << Lines { "a", "b", "AscentRate: 0" };
        QTest::newRow("Shift+Enter break is a line end") << Lines {} << QStringLiteral("45-6, 9\u20286-0, 3")
                                                         << Lines { "AscentRate: 45-6, 9", "AscentRate: 6-0, 3" };
        QTest::newRow("no-break space kept")
            << Lines {} << QStringLiteral("6\u00a0m") << Lines { "AscentRate: 6\xa0m" };
    }
    void storeWritesTheTypedLines()
    {
        QFETCH(Lines, file);
        QFETCH(QString, typed);
        QFETCH(Lines, saved);
        ProfileFile profileFile;
        profileFile.writeLines(file);
        TProfile profile = profileFile.open();
        auto memo = makeRateMemo();
        memo->setPlainText(typed);

        profile.SetValues(kAscent, RateListLines(*memo));
        profile.Save();

        QCOMPARE(profileFile.savedLines(), saved);
    }

    // Typed through the keyboard into a memo too narrow for the entry, shown on screen.
    void typedEntriesSurviveTheNextStart_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("savedLine");
        QTest::addColumn<QString>("shownNextStart");
        QTest::addColumn<bool>("wraps");
        QTest::newRow("leading blanks written, not shown") << "   6-0, 3"
                                                           << "AscentRate:    6-0, 3"
                                                           << "6-0, 3" << false;
        const QString longEntry
            = QStringLiteral("45-30, 9 metru za minutu, potom 30-21, 6 metru za minutu az k prvni zastavce");
        QTest::newRow("long entry stays one line") << longEntry << "AscentRate: " + longEntry << longEntry << true;
    }
    void typedEntriesSurviveTheNextStart()
    {
        QFETCH(QString, typed);
        QFETCH(QString, savedLine);
        QFETCH(QString, shownNextStart);
        QFETCH(bool, wraps);
        ProfileFile profileFile;
        profileFile.writeLines({ "AscentRate: 9" });
        TProfile profile = profileFile.open();
        auto memo = makeRateMemo();
        memo->setFixedSize(120, 200);
        memo->show();
        QVERIFY(QTest::qWaitForWindowExposed(memo.get()));
        LoadRateList(profile, *memo, kAscent);
        memo->selectAll();
        QTest::keyClick(memo.get(), Qt::Key_Delete);
        QTest::keyClicks(memo.get(), typed);
        QCOMPARE(memo->document()->begin().layout()->lineCount() > 1, wraps);

        profile.SetValues(kAscent, RateListLines(*memo));
        profile.Save();

        QCOMPARE(profileFile.savedLines(), Lines { savedLine.toStdString() });
        TProfile nextStart = profileFile.open();
        auto nextMemo = makeRateMemo();
        LoadRateList(nextStart, *nextMemo, kAscent);
        QCOMPARE(memoLines(*nextMemo), QStringList { shownNextStart });
    }
};

QTEST_MAIN(RateListsTest)
#include "test_rate_lists.moc"
