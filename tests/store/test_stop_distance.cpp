// The one reading of the stop distance, shared by the window's check and the planner.
#include "profile/StopDistance.h"
#include "tests/support/Cases.h"

#include <QtTest>

class StopDistanceTest : public QObject {
    Q_OBJECT

private slots:
    void readsTheWindowsIntegerForms_data() { cases::addRows("store/stop_distance.txt"); }
    void readsTheWindowsIntegerForms()
    {
        const auto read = readStopDistance(cases::cell("text").toStdString());
        QCOMPARE(read ? QByteArray::number(*read) : QByteArray(), cases::cell("value"));
    }
};

QTEST_APPLESS_MAIN(StopDistanceTest)
#include "test_stop_distance.moc"
