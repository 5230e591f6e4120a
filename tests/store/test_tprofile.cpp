// Lookups, hints and replacements of the profile store, on profiles held in memory.
#include "profile/ProfileText.h"
#include "profile/TProfile.h"

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
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("flag");
        QTest::newRow("start of line") << Lines { "x", "Rmv: 20" } << 1 << "20" << false;
        QTest::newRow("after a blank") << Lines { "  Rmv: 20" } << 0 << "20" << false;
        QTest::newRow("after a tab is no key line") << Lines { "\tRmv: 20" } << -1 << "0" << false;
        QTest::newRow("inside a word") << Lines { "DecoRmv: 16", "Rmv: 20" } << 1 << "20" << false;
        QTest::newRow("only the first occurrence counts") << Lines { "DecoRmv: Rmv: 20" } << -1 << "0" << false;
        QTest::newRow("in a comment") << Lines { "#Rmv: 20", "# Rmv: 20" } << -1 << "0" << false;
        QTest::newRow("indented hash is no comment") << Lines { " # Rmv: 1" } << 0 << "1" << false;
        QTest::newRow("a profile line is no key line") << Lines { "1 Rmv: 20", "0Rmv: 1" } << -1 << "0" << false;
        QTest::newRow("case sensitive") << Lines { "rmv: 20", "RMV: 20" } << -1 << "0" << false;
        QTest::newRow("no blank loses a character") << Lines { "Rmv:300" } << 0 << "00" << false;
        QTest::newRow("blanks trimmed") << Lines { "Rmv:    1 000  \t" } << 0 << "1 000" << false;
        QTest::newRow("controls 1-31 trimmed too") << Lines { "Rmv: \x01\x1f 5\x7f \x1f\x01" } << 0 << "5\x7f" << false;
        QTest::newRow("bytes above 127 kept") << Lines { "Rmv: \xa0"
                                                         "5\x9e" }
                                              << 0
                                              << QString::fromStdString("\xa0"
                                                                        "5\x9e")
                                              << false;
        QTest::newRow("key alone is empty") << Lines { "Rmv:" } << 0 << "" << false;
        QTest::newRow("cut at 100 before trimming")
            << Lines { "Rmv: " + std::string(99, 'a') + "  bbb" } << 0 << QString(99, 'a') << false;
        QTest::newRow("y") << Lines { "Rmv: y" } << 0 << "y" << true;
        QTest::newRow("Y") << Lines { "Rmv:  Y " } << 0 << "Y" << true;
        QTest::newRow("yes is no flag") << Lines { "Rmv: yes" } << 0 << "yes" << false;
        QTest::newRow("1 is no flag") << Lines { "Rmv: 1" } << 0 << "1" << false;
    }
    void findsKeyLinesAndReadsTheirValues()
    {
        QFETCH(Lines, lines);
        QFETCH(int, index);
        QFETCH(QString, value);
        QFETCH(bool, flag);
        TProfile profile = profileOf(lines);
        QCOMPARE(profile.Find("Rmv:"), index);
        QCOMPARE(QString::fromStdString(profile.GetValue("Rmv:")), value);
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
        QTest::newRow("block right above") << Lines { "# one", "#  two  ", "Rmv: 1" } << "one\ntwo";
        QTest::newRow("block above other keys") << Lines { "# gas", "", "DecoRmv: 1", "Other: 2", "Rmv: 1" } << "gas";
        QTest::newRow("only the nearest block") << Lines { "# a", "x", "# b", "Rmv: 1" } << "b";
        QTest::newRow("hash alone is an empty row") << Lines { "# a", "#", "# b", "Rmv: 1" } << "a\n\nb";
        QTest::newRow("indented hash ends the block") << Lines { "# a", " # b", "Rmv: 1" } << "a";
        QTest::newRow("no comment above") << Lines { "x", "Rmv: 1", "# below" } << "";
        QTest::newRow("key on the first line") << Lines { "Rmv: 1", "# below" } << "";
        QTest::newRow("piece cut at 100")
            << Lines { "#" + std::string(100, 'h') + "tail", "Rmv: 1" } << QString(100, 'h');
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
        QTest::newRow("consecutive lines replaced where the first stood") << Lines { "a", "R: 1", "R: 2",
            "b" } << Lines { "x", "y", "z" } << Lines { "a", "R: x", "R: y", "R: z", "b" };
        QTest::newRow("scattered lines go where the last stood")
            << Lines { "R: 1", "a", "R: 2", "b", "R: 3", "c" } << Lines { "x" } << Lines { "a", "b", "R: x", "c" };
        QTest::newRow("absent key appended") << Lines { "a" } << Lines { "x", "y" } << Lines { "a", "R: x", "R: y" };
        QTest::newRow("blank entries skipped, others as typed")
            << Lines { "R: 1" } << Lines { "", " \t", "  x ", "y" } << Lines { "R:   x ", "R: y" };
        QTest::newRow("empty list removes the key") << Lines { "a", "R: 1", "R: 2" } << Lines {} << Lines { "a" };
        QTest::newRow("profile lines stay")
            << Lines { "1 R: 1", "R: 2", "9R: 3" } << Lines { "x" } << Lines { "1 R: 1", "R: x", "9R: 3" };
        QTest::newRow("comments and other keys stay")
            << Lines { "# R: 0", "R: 1", "PR: 2", " R: 3" } << Lines { "x" } << Lines { "# R: 0", "PR: 2", "R: x" };
    }
    void setValuesPlacesTheList()
    {
        QFETCH(Lines, lines);
        QFETCH(Lines, list);
        QFETCH(Lines, result);
        TProfile profile = profileOf(lines);
        QCOMPARE(profile.SetValues("R:", list), 1);
        QCOMPARE(profile.lines, result);
        profile.SetValues("R:", list);
        QCOMPARE(profile.lines, result);
    }
};

QTEST_APPLESS_MAIN(TProfileTest)
#include "test_tprofile.moc"
