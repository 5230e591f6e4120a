// The line rules of profile.dat: how text becomes lines and lines become text again.
#include "profile/ProfileText.h"
#include "profile/TProfile.h"
#include "tests/support/Cases.h"

#include <QtTest>

using Lines = std::vector<std::string>;

class ProfileTextTest : public QObject {
    Q_OBJECT

private slots:
    void splitsAtEveryLineEndAndWritesCrLf_data() { cases::addRows("store/line_ends.txt"); }
    void splitsAtEveryLineEndAndWritesCrLf()
    {
        const TProfile profile("mem", cases::cell("text").toStdString());
        QCOMPARE(profile.lines, cases::lines("lines"));
        QCOMPARE(QByteArray::fromStdString(profile_text::joinLines(profile.lines)), cases::cell("written"));
    }

    void readsRepeatedValuesAndProfileLinesInFileOrder()
    {
        const Lines lines = TProfile("mem",
            "AscentRate: 45-6, 9\r\n30, 5, air\r\n# AscentRate: no\r\n#1\r\n"
            " AscentRate:  6-0, 3\r\nxAscentRate: 1\r\n20,1,air\r\n 10,1,air\r\n\r\n")
                                .lines;
        QCOMPARE(profile_text::valuesOf(lines, "AscentRate:"), (Lines { "45-6, 9", "6-0, 3" }));
        QCOMPARE(profile_text::profileLines(lines), (Lines { "30, 5, air", "20,1,air" }));
    }
};

QTEST_APPLESS_MAIN(ProfileTextTest)
#include "test_profile_text.moc"
