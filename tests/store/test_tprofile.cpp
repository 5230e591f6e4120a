// Lookups, hints and replacements of the profile store, on profiles held in memory.
#include "ProfileText.h"
#include "TProfile.h"

#include <QtTest>

using Lines = std::vector<std::string>;
Q_DECLARE_METATYPE(Lines)

namespace {

TProfile profileOf(const Lines& lines)
{
    return TProfile("mem", profile_text::joinLines(lines));
}

std::string str(const QString& text)
{
    return text.toStdString();
}

} // namespace

class TProfileTest : public QObject {
    Q_OBJECT

private slots:
    void findsKeyLines_data()
    {
        QTest::addColumn<Lines>("lines");
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("index");
        QTest::newRow("start of line") << Lines { "x", "Rmv: 20" } << "Rmv:" << 1;
        QTest::newRow("after a blank") << Lines { "  Rmv: 20" } << "Rmv:" << 0;
        QTest::newRow("after a tab is no key line") << Lines { "\tRmv: 20" } << "Rmv:" << -1;
        QTest::newRow("inside a word") << Lines { "DecoRmv: 16", "Rmv: 20" } << "Rmv:" << 1;
        QTest::newRow("only the first occurrence counts") << Lines { "DecoRmv: Rmv: 20" } << "Rmv:" << -1;
        QTest::newRow("in a comment") << Lines { "#Rmv: 20", "# Rmv: 20" } << "Rmv:" << -1;
        QTest::newRow("indented hash then blank") << Lines { " # Rmv: 1" } << "Rmv:" << 0;
        QTest::newRow("case sensitive") << Lines { "rmv: 20", "RMV: 20" } << "Rmv:" << -1;
    }
    void findsKeyLines()
    {
        QFETCH(Lines, lines);
        QFETCH(QString, key);
        QFETCH(int, index);
        QCOMPARE(profileOf(lines).Find(str(key)), index);
    }

    void readsValuesFromTheirPlace_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("value");
        QTest::newRow("one blank") << "Altitude: 300"
                                   << "300";
        QTest::newRow("no blank loses a character") << "Altitude:300"
                                                    << "00";
        QTest::newRow("blanks trimmed") << "Altitude:    300  \t"
                                        << "300";
        QTest::newRow("key alone") << "Altitude:"
                                   << "";
        QTest::newRow("indented key reads its value") << "  Altitude: 300"
                                                      << "300";
        QTest::newRow("cut at 100 before trimming") << "Altitude: " + QString(99, 'a') + "  bbb" << QString(99, 'a');
    }
    void readsValuesFromTheirPlace()
    {
        QFETCH(QString, line);
        QFETCH(QString, value);
        TProfile profile = profileOf({ "# x", str(line) });
        QCOMPARE(QString::fromStdString(profile.GetValue("Altitude:")), value);
        QCOMPARE(profile.lastIndex, 1);
    }

    void missingKeyReadsAsZero()
    {
        TProfile profile = profileOf({ "Rmv: 20" });
        QCOMPARE(profile.GetValue("Altitude:"), std::string("0"));
        QCOMPARE(profile.lastIndex, -1);
        QCOMPARE(profile.currentKey, std::string("Altitude:"));
        QCOMPARE(profile.GetComment(), std::string());
    }

    void readsFlags_data()
    {
        QTest::addColumn<Lines>("lines");
        QTest::addColumn<bool>("flag");
        QTest::newRow("y") << Lines { "SaltWater: y" } << true;
        QTest::newRow("Y") << Lines { "SaltWater: Y" } << true;
        QTest::newRow("yes") << Lines { "SaltWater: yes" } << false;
        QTest::newRow("1") << Lines { "SaltWater: 1" } << false;
        QTest::newRow("missing") << Lines {} << false;
    }
    void readsFlags()
    {
        QFETCH(Lines, lines);
        QFETCH(bool, flag);
        QCOMPARE(profileOf(lines).GetBool("SaltWater:"), flag);
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
