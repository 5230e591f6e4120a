// The line rules of profile.dat: how text becomes lines and lines become text again.
#include "profile/ProfileText.h"
#include "profile/TProfile.h"
#include "tests/support/CaseFile.h"

#include <QtTest>

using Lines = std::vector<std::string>;
Q_DECLARE_METATYPE(Lines)

class ProfileTextTest : public QObject {
    Q_OBJECT

private slots:
    void splitsAtEveryLineEndAndWritesCrLf_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<Lines>("lines");
        QTest::addColumn<QByteArray>("written");
        for (const QByteArrayList& row : case_file::read(TROVA_TEST_DATA "/store/line_ends.txt"))
            QTest::newRow(row[0]) << row[1] << case_file::lines(row[2]) << row[3];
    }
    void splitsAtEveryLineEndAndWritesCrLf()
    {
        QFETCH(QByteArray, text);
        QFETCH(Lines, lines);
        QFETCH(QByteArray, written);
        const TProfile profile("mem", text.toStdString());
        QCOMPARE(profile.lines, lines);
        QCOMPARE(QByteArray::fromStdString(profile_text::joinLines(profile.lines)), written);
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
