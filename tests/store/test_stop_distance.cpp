// The one reading of the stop distance, shared by the window's check and the planner.
#include "profile/StopDistance.h"

#include <QtTest>

class StopDistanceTest : public QObject {
    Q_OBJECT

private slots:
    void readsTheWindowsIntegerForms_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("readable");
        QTest::addColumn<int>("value");
        QTest::newRow("decimal") << QByteArray("3") << true << 3;
        QTest::newRow("leading blanks") << QByteArray("   10") << true << 10;
        QTest::newRow("signs") << QByteArray("-3") << true << -3;
        QTest::newRow("plus") << QByteArray("+7") << true << 7;
        QTest::newRow("$ upper-case digits") << QByteArray("$1F") << true << 31;
        QTest::newRow("x lower-case digits") << QByteArray("xff") << true << 255;
        QTest::newRow("X") << QByteArray("X10") << true << 16;
        QTest::newRow("0x") << QByteArray("0x0a") << true << 10;
        QTest::newRow("0X") << QByteArray("0XaB") << true << 171;
        QTest::newRow("largest") << QByteArray("2147483647") << true << 2147483647;
        QTest::newRow("smallest") << QByteArray("-2147483648") << true << -2147483647 - 1;
        QTest::newRow("largest hex") << QByteArray("$7FFFFFFF") << true << 2147483647;
        QTest::newRow("hex beyond the signed range") << QByteArray("$FFFFFFFF") << false << 0;
        QTest::newRow("decimal beyond the range") << QByteArray("2147483648") << false << 0;
        QTest::newRow("empty") << QByteArray("") << false << 0;
        QTest::newRow("blank after") << QByteArray("3 ") << false << 0;
        QTest::newRow("tab before") << QByteArray("\t3") << false << 0;
        QTest::newRow("decimal mark") << QByteArray("3.5") << false << 0;
        QTest::newRow("sign before hex") << QByteArray("-$10") << false << 0;
        QTest::newRow("two signs") << QByteArray("+-3") << false << 0;
        QTest::newRow("prefix alone") << QByteArray("0x") << false << 0;
        QTest::newRow("hex digit in decimal") << QByteArray("1f") << false << 0;
    }
    void readsTheWindowsIntegerForms()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, readable);
        QFETCH(int, value);
        const auto read = readStopDistance(text.toStdString());
        QCOMPARE(read.has_value(), readable);
        if (readable)
            QCOMPARE(*read, value);
    }
};

QTEST_APPLESS_MAIN(StopDistanceTest)
#include "test_stop_distance.moc"
