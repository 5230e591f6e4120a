// Storing the window into profile.dat's lines: the key order, the stop-distance check and its
// messages, and the sample file surviving a load and save.
#include "Koraxgui.h"
#include "ProfileKeys.h"
#include "StopDistance.h"
#include "TProfile.h"
#include "WindowFixture.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

namespace {

const QString kInvalid = QStringLiteral("Nesprávná vzdálenost mezi zastávkami!");
const QString kZero = QStringLiteral("Vzálenost mezi zastávkami nesmí být nulová!");

// Stores the window into a profile over text; the watcher answers any message box.
std::vector<std::string> storedLines(TfKoraxGUI& window, std::string_view text, int& result)
{
    TProfile profile("unused.dat", text);
    result = window.StoreProfile(profile);
    return profile.lines;
}

// The lines of the scalar keys (the rate lists and the table are stored by their own steps).
QStringList scalarLines(const std::vector<std::string>& lines)
{
    const std::vector<std::string_view> scalarKeys = {
        keys::kUpdateTissueFile, keys::kDeleteTemporaryOutput, keys::kUseMetric, keys::kSaltWater,
        keys::kUseBValues, keys::kAltitude, keys::kConservatism, keys::kPrecision, keys::kStopDistance,
        keys::kLastStopDepth, keys::kOxyNarc, keys::kDeepStops, keys::kTissueFile, keys::kPlanFile,
        keys::kPyleStopTime, keys::kSurfaceInterval, keys::kRmv, keys::kDecoRmv, keys::kSlideRate,
        keys::kUseOCDeco, keys::kOcDecoGas, keys::kOcDecoMaxPO2, keys::kMaxEND, keys::kUseDecoSetpoint};
    QStringList result;
    for (const std::string& line : lines) {
        for (std::string_view key : scalarKeys) {
            if (line.starts_with(key))
                result << QString::fromStdString(line);
        }
    }
    return result;
}

}  // namespace

class WindowStoreTest : public QObject {
    Q_OBJECT

private slots:
    void appendsMissingKeysInTableOrder()
    {
        OpenWindow open("StopDistance: 3\r\n");
        int result = -1;
        const auto lines = storedLines(*open.window, "StopDistance: 3\r\n", result);
        QCOMPARE(result, 1);
        QCOMPARE(QString::fromStdString(lines.front()), QStringLiteral("StopDistance: 3"));
        const QStringList expected = {
            "StopDistance: 3", "UpdateTissueFile: n", "DeleteTemporaryOutput: n", "UseMetric: n", "SaltWater: n",
            "UseBValues: n", "Altitude: 0", "Conservatism: 0", "Precision: 0", "LastStopDepth: 0",
            "OxyNarc: n", "DeepStops: p", "TissueFile: 0", "PlanFile: 10", "PyleStopTime: 0",
            "SurfaceInterval: 0", "Rmv: 0", "DecoRmv: 0", "SlideRate: 0", "UseOCDeco: n", "OcDecoGas: 0",
            "OcDecoMaxPO2: 0", "MaxEND: 0", "UseDecoSetpoint: n"};
        QCOMPARE(scalarLines(lines), expected);
        QCOMPARE(QString::fromStdString(lines.back()), QStringLiteral("UseDecoSetpoint: n"));
    }

    void refusesAnEmptyFileForItsZeroStopDistance()
    {
        OpenWindow open("");
        ModalWatcher watcher;
        int result = -1;
        const auto lines = storedLines(*open.window, "", result);
        QCOMPARE(result, 0);
        QCOMPARE(watcher.seen.size(), 1);
        QCOMPARE(watcher.seen[0].text, kZero);
        // Rows before the check are already in the lines; nothing after it.
        QCOMPARE(lines.size(), std::size_t(8));
        QCOMPARE(QString::fromStdString(lines.back()), QStringLiteral("Precision: 0"));
    }

    void checksTheStopDistance_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("written");
        const QString none;
        QTest::newRow("0") << "0" << kZero << none;
        QTest::newRow("+0") << "+0" << kZero << none;
        QTest::newRow("-0") << "-0" << kZero << none;
        QTest::newRow("000") << "000" << kZero << none;
        QTest::newRow("$0") << "$0" << kZero << none;
        QTest::newRow("empty") << "" << kInvalid << none;
        QTest::newRow("abc") << "abc" << kInvalid << none;
        QTest::newRow("trailing blank") << "3 " << kInvalid << none;
        QTest::newRow("decimal point") << "3.5" << kInvalid << none;
        QTest::newRow("two signs") << "+-3" << kInvalid << none;
        QTest::newRow("sign before hex") << "-$1F" << kInvalid << none;
        QTest::newRow("prefix alone") << "0x" << kInvalid << none;
        QTest::newRow("above 32 bits") << "2147483648" << kInvalid << none;
        QTest::newRow("hex above 32 bits") << "$80000000" << kInvalid << none;
        QTest::newRow("leading blank") << " 3" << none << "StopDistance:  3";
        QTest::newRow("negative") << "-3" << none << "StopDistance: -3";
        QTest::newRow("lowest 32-bit") << "-2147483648" << none << "StopDistance: -2147483648";
        QTest::newRow("dollar hex") << "$1F" << none << "StopDistance: $1F";
        QTest::newRow("0x hex") << "0x10" << none << "StopDistance: 0x10";
        QTest::newRow("X hex") << "Xff" << none << "StopDistance: Xff";
    }
    void checksTheStopDistance()
    {
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QFETCH(QString, written);
        OpenWindow open("StopDistance: 3\r\n");
        open.window->edStopDistance->setText(typed);
        ModalWatcher watcher;
        int result = -1;
        const auto lines = storedLines(*open.window, "StopDistance: 9\r\n", result);
        if (message.isEmpty()) {
            QCOMPARE(result, 1);
            QVERIFY(watcher.seen.isEmpty());
            QCOMPARE(QString::fromStdString(lines.front()), written);
            return;
        }
        QCOMPARE(result, 0);
        QCOMPARE(watcher.seen.size(), 1);
        QCOMPARE(watcher.seen[0].title, QStringLiteral("Chyba"));
        QCOMPARE(watcher.seen[0].text, message);
        QCOMPARE(watcher.seen[0].icon, int(QMessageBox::NoIcon));
        QCOMPARE(QString::fromStdString(lines.front()), QStringLiteral("StopDistance: 9"));
    }

    void writesTheSurfaceIntervalByTheRepetitiveTick_data()
    {
        QTest::addColumn<bool>("repetitive");
        QTest::addColumn<QString>("expected");
        QTest::newRow("ticked writes the text") << true << "SurfaceInterval: 2:30";
        QTest::newRow("unticked writes 900:00") << false << "SurfaceInterval: 900:00";
    }
    void writesTheSurfaceIntervalByTheRepetitiveTick()
    {
        QFETCH(bool, repetitive);
        QFETCH(QString, expected);
        OpenWindow open("StopDistance: 3\r\nSurfaceInterval: 2:30\r\n");
        open.window->chbRepetitiveDives->setChecked(repetitive);
        int result = -1;
        const auto lines = storedLines(*open.window, "SurfaceInterval: 1:00\r\n", result);
        QCOMPARE(QString::fromStdString(lines.front()), expected);
    }

    // The sample holds every key as the window writes it, so an unedited save changes nothing.
    void leavesTheSampleFileUnchanged()
    {
        const QByteArray sample = readDemoProfile();
        OpenWindow open(sample);
        ModalWatcher watcher(answers::press("Button1"));
        open.window->BitBtn1->click();
        QVERIFY(!open.window->isVisible());
        QCOMPARE(open.folder.contents(), sample);
    }
};

QTEST_MAIN(WindowStoreTest)
#include "test_window_store.moc"
