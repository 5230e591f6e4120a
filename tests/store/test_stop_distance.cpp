// The one reading of the stop distance, shared by the window's check and the planner.
#include "profile/StopDistance.h"
#include "tests/support/CaseFile.h"

#include <QtTest>

class StopDistanceTest : public QObject {
    Q_OBJECT

private slots:
    void readsTheWindowsIntegerForms_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("value");
        for (const QByteArrayList& row : case_file::read(TROVA_TEST_DATA "/store/stop_distance.txt"))
            QTest::newRow(row[0]) << row[1] << row[2];
    }
    void readsTheWindowsIntegerForms()
    {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, value);
        const auto read = readStopDistance(text.toStdString());
        QCOMPARE(read ? QByteArray::number(*read) : QByteArray(), value);
    }
};

QTEST_APPLESS_MAIN(StopDistanceTest)
#include "test_stop_distance.moc"
