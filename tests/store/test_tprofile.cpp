// Lookups, hints and replacements of the profile store, on profiles held in memory.
#include "profile/ProfileText.h"
#include "profile/TProfile.h"
#include "tests/support/CaseFile.h"

#include <QtTest>

using Lines = std::vector<std::string>;
Q_DECLARE_METATYPE(Lines)

namespace {

TProfile profileOf(const Lines& lines)
{
    return TProfile("mem", profile_text::joinLines(lines));
}

} // namespace

class TProfileTest : public QObject {
    Q_OBJECT

private slots:
    void findsKeyLinesAndReadsTheirValues_data()
    {
        QTest::addColumn<Lines>("lines");
        QTest::addColumn<int>("index");
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<bool>("flag");
        for (const QByteArrayList& row : case_file::read(TROVA_TEST_DATA "/store/key_lines.txt"))
            QTest::newRow(row[0]) << case_file::lines(row[1]) << row[2].toInt() << row[3] << (row[4] == "y");
    }
    void findsKeyLinesAndReadsTheirValues()
    {
        QFETCH(Lines, lines);
        QFETCH(int, index);
        QFETCH(QByteArray, value);
        QFETCH(bool, flag);
        TProfile profile = profileOf(lines);
        QCOMPARE(profile.Find("Rmv:"), index);
        QCOMPARE(QByteArray::fromStdString(profile.GetValue("Rmv:")), value);
        QCOMPARE(profile.lastIndex, index);
        QCOMPARE(profile.GetBool("Rmv:"), flag);
    }

    void walksRepeatedKeys()
    {
        TProfile profile = profileOf({ "AscentRate: 45-6, 9", "Rmv: 1", "#AscentRate: 1", "AscentRate: 6-0, 3" });
        QCOMPARE(profile.GetValue("AscentRate:"), std::string("45-6, 9"));
        QCOMPARE(profile.GetNext(), std::string("6-0, 3"));
        QCOMPARE(profile.lastIndex, 3);
        QCOMPARE(profile.GetNext(), std::string("0"));
        QCOMPARE(profile.lastIndex, 3); // a miss leaves the cursor
        QCOMPARE(profile.GetNext(), std::string("0"));
        QCOMPARE(profile.GetValue("AscentRate:"), std::string("45-6, 9")); // restarts
    }

    void buildsHintsFromCommentBlocks_data()
    {
        QTest::addColumn<Lines>("lines");
        QTest::addColumn<QString>("hint");
        for (const QByteArrayList& row : case_file::read(TROVA_TEST_DATA "/store/hints.txt"))
            QTest::newRow(row[0]) << case_file::lines(row[1]) << QString::fromLatin1(row[2]);
    }
    void buildsHintsFromCommentBlocks()
    {
        QFETCH(Lines, lines);
        QFETCH(QString, hint);
        TProfile profile = profileOf(lines);
        profile.GetValue("Rmv:");
        QCOMPARE(QString::fromLatin1(profile.GetComment()), hint);
    }

    void setValueReplacesInPlaceOrAppends()
    {
        TProfile profile = profileOf({ "# c", "Rmv: 20", "x", "Rmv: 30" });
        profile.GetValue("Rmv:");
        QCOMPARE(profile.SetValue("Rmv:", " 25 "), 1);
        QCOMPARE(profile.SetValue("MaxEND:", "30"), 1);
        QCOMPARE(profile.lines, (Lines { "# c", "Rmv:  25 ", "x", "Rmv: 30", "MaxEND: 30" }));
        QCOMPARE(profile.lastIndex, 1);
        QCOMPARE(profile.currentKey, std::string("Rmv:"));
    }

    void setValuesPlacesTheList_data()
    {
        QTest::addColumn<Lines>("lines");
        QTest::addColumn<Lines>("list");
        QTest::addColumn<Lines>("result");
        for (const QByteArrayList& row : case_file::read(TROVA_TEST_DATA "/store/set_values.txt"))
            QTest::newRow(row[0]) << case_file::lines(row[1]) << case_file::lines(row[2]) << case_file::lines(row[3]);
    }
    void setValuesPlacesTheList()
    {
        QFETCH(Lines, lines);
        QFETCH(Lines, list);
        QFETCH(Lines, result);
        TProfile profile = profileOf(lines);
        QCOMPARE(profile.SetValues("R:", list), 1);
        QCOMPARE(profile.lines, result);
    }
};

QTEST_APPLESS_MAIN(TProfileTest)
#include "test_tprofile.moc"
