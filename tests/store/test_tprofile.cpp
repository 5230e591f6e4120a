// Lookups, hints and replacements of the profile store, on profiles held in memory.
#include "profile/ProfileText.h"
#include "profile/TProfile.h"
#include "tests/support/Cases.h"

#include <QtTest>

using Lines = std::vector<std::string>;

namespace {

TProfile profileOf(const Lines& lines)
{
    return TProfile("mem", profile_text::joinLines(lines));
}

} // namespace

class TProfileTest : public QObject {
    Q_OBJECT

private slots:
    void findsKeyLinesAndReadsTheirValues_data() { cases::addRows("store/key_lines.txt"); }
    void findsKeyLinesAndReadsTheirValues()
    {
        TProfile profile = profileOf(cases::lines("lines"));
        const int index = cases::cell("index").toInt();
        QCOMPARE(profile.Find("Rmv:"), index);
        QCOMPARE(QByteArray::fromStdString(profile.GetValue("Rmv:")), cases::cell("value"));
        QCOMPARE(profile.lastIndex, index);
        QCOMPARE(profile.GetBool("Rmv:"), cases::yes("flag"));
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

    void buildsHintsFromCommentBlocks_data() { cases::addRows("store/hints.txt"); }
    void buildsHintsFromCommentBlocks()
    {
        TProfile profile = profileOf(cases::lines("lines"));
        profile.GetValue("Rmv:");
        QCOMPARE(QByteArray::fromStdString(profile.GetComment()), cases::cell("hint"));
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

    void setValuesPlacesTheList_data() { cases::addRows("store/set_values.txt"); }
    void setValuesPlacesTheList()
    {
        TProfile profile = profileOf(cases::lines("lines"));
        QCOMPARE(profile.SetValues("R:", cases::lines("list")), 1);
        QCOMPARE(profile.lines, cases::lines("result"));
    }
};

QTEST_APPLESS_MAIN(TProfileTest)
#include "test_tprofile.moc"
