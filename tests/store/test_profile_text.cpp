// The line rules of profile.dat: how text becomes lines and lines become text again.
#include "ProfileText.h"
#include "TProfile.h"

#include <QtTest>

using Lines = std::vector<std::string>;
Q_DECLARE_METATYPE(Lines)
Q_DECLARE_METATYPE(std::string)

namespace {

std::string bytes(const QByteArray& data)
{
    return {data.constData(), static_cast<std::size_t>(data.size())};
}

}  // namespace

class ProfileTextTest : public QObject {
    Q_OBJECT

private slots:
    void splitsAtEveryLineEnd_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<Lines>("lines");
        QTest::newRow("empty file") << QByteArray() << Lines{};
        QTest::newRow("one line without end") << QByteArray("a") << Lines{"a"};
        QTest::newRow("final CR LF adds no line") << QByteArray("a\r\nb\r\n") << Lines{"a", "b"};
        QTest::newRow("lone LF") << QByteArray("a\nb") << Lines{"a", "b"};
        QTest::newRow("lone CR") << QByteArray("a\rb\r") << Lines{"a", "b"};
        QTest::newRow("LF CR is two ends") << QByteArray("a\n\rb") << Lines{"a", "", "b"};
        QTest::newRow("blank lines kept") << QByteArray("\r\n\r\nx") << Lines{"", "", "x"};
        QTest::newRow("NUL ends the text") << QByteArray("a\r\nb\0c\r\nd", 10) << Lines{"a", "b"};
        QTest::newRow("NUL first") << QByteArray("\0abc", 4) << Lines{};
        QTest::newRow("high bytes untouched") << QByteArray("\x8a\xe8\xf8\x81\xff") << Lines{"\x8a\xe8\xf8\x81\xff"};
        QTest::newRow("tabs and blanks kept") << QByteArray(" \tKey: v \t") << Lines{" \tKey: v \t"};
    }
    void splitsAtEveryLineEnd()
    {
        QFETCH(QByteArray, text);
        QFETCH(Lines, lines);
        QCOMPARE(TProfile("mem", bytes(text)).lines, lines);
    }

    void writesCrLfAfterEveryLine_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("empty") << QByteArray() << QByteArray();
        QTest::newRow("last line gets its end") << QByteArray("a") << QByteArray("a\r\n");
        QTest::newRow("mixed ends") << QByteArray("a\nb\rc\r\nd") << QByteArray("a\r\nb\r\nc\r\nd\r\n");
        QTest::newRow("empty line alone") << QByteArray("\n") << QByteArray("\r\n");
    }
    void writesCrLfAfterEveryLine()
    {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, written);
        QCOMPARE(profile_text::joinLines(TProfile("mem", bytes(text)).lines), bytes(written));
    }

    void profileLinesStartWithADigit_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<bool>("isProfile");
        QTest::newRow("digit") << QByteArray("45, 25, 21/35") << true;
        QTest::newRow("zero") << QByteArray("0") << true;
        QTest::newRow("nine") << QByteArray("9x") << true;
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("indented digit") << QByteArray(" 45, 25, air") << false;
        QTest::newRow("comment") << QByteArray("#45") << false;
        QTest::newRow("key") << QByteArray("Altitude: 0") << false;
    }
    void profileLinesStartWithADigit()
    {
        QFETCH(QByteArray, line);
        QFETCH(bool, isProfile);
        QCOMPARE(profile_text::isProfileLine(bytes(line)), isProfile);
    }

    void readsRepeatedValuesAndProfileLinesInFileOrder()
    {
        const Lines lines = TProfile("mem", "AscentRate: 45-6, 9\r\n30, 5, air\r\n# AscentRate: no\r\n"
                                           " AscentRate:  6-0, 3\r\nxAscentRate: 1\r\n20,1,air\r\n 10,1,air")
                                .lines;
        QCOMPARE(profile_text::valuesOf(lines, "AscentRate:"), (Lines{"45-6, 9", "6-0, 3"}));
        QCOMPARE(profile_text::profileLines(lines), (Lines{"30, 5, air", "20,1,air"}));
    }
};

QTEST_APPLESS_MAIN(ProfileTextTest)
#include "test_profile_text.moc"
