// profile.dat through the window: what the controls show (the missing-key values too), the
// hints, the stored keys and the stop-distance check, and what leaving the window writes.
#include "profile/TProfile.h"
#include "tests/window/WindowFixture.h"
#include "ui/Koraxgui.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QtTest>

namespace {

const QByteArray kProfile("# test\r\nAltitude: 0\r\nStopDistance: 3\r\nPlanFile: plan.out\r\n");
const QString kZero = QStringLiteral("Chyba|Vzálenost mezi zastávkami nesmí být nulová!|0");
const QString kCannotWrite = QStringLiteral("T/ROVA|Cannot create file profile.dat|3");

// Stores the window into a profile holding text: StoreProfile's result, then the lines.
QStringList stored(TfKoraxGUI& window, std::string_view text)
{
    TProfile profile("unused.dat", text);
    QStringList result { QString::number(window.StoreProfile(profile)) };
    for (const std::string& line : profile.lines)
        result << QString::fromStdString(line);
    return result;
}

} // namespace

class WindowFilesTest : public QObject {
    Q_OBJECT

private slots:
    void showsTheFile_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("sample") << readDemoProfile()
                                << QStringList { "edOcDecoGas=50, 100", "chDeleteFiles=on", "rgUnits=0",
                                       "rgAlgorithm=1", "chbDeepStops=off", "rgDeepStops=0 (greyed)",
                                       "edPyleStopTime=2 (greyed)", "edOutputFile=1plan.out", "chbRepetitiveDives=off",
                                       "Button1 (greyed)" };
        QTest::newRow("empty: the missing-key values")
            << QByteArray()
            << QStringList { "edAltitude=0", "chbSaltWater=off", "rgUnits=1", "rgAlgorithm=1", "chbDeepStops=on",
                   "rgDeepStops=0", "edPyleStopTime=0", "chbRepetitiveDives=on", "edSurfaceInterval=0",
                   "edOutputFile=10", "edOcDecoGas=0 (greyed)" };
        QTest::newRow("W is WKPP, 900:0 is no 900:00, Czech value")
            << QByteArray("DeepStops: W\r\nSurfaceInterval: 900:0\r\nTissueFile: tk\xe1n\xec-\x9e\x8a.dat\r\n")
            << QStringList { "rgDeepStops=1", "chbRepetitiveDives=on", "edTissueFile=tkáně-žŠ.dat" };
        QTest::newRow("no is not n, tissue update kept while greyed")
            << QByteArray("DeepStops: no\r\nSurfaceInterval: 900:00\r\nUpdateTissueFile: y\r\n")
            << QStringList { "chbDeepStops=on", "chbUpdateTissue=on (greyed)" };
    }
    void showsTheFile()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, expected);
        const OpenWindow open(file);
        QCOMPARE(shownStates(*open.window, expected), expected);
    }

    void setsHints_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("hint");
        QTest::newRow("Czech block") << QByteArray("# V\xfd\x9aka\r\n# m\r\nRmv: 2\r\n") << "edRmv"
                                     << "Výška\nm";
        QTest::newRow("markup, empty row") << QByteArray("#<b>\r\n#\r\n#b\r\nRmv: 2\r\n") << "edRmv"
                                           << "<b>\n\nb";
        QTest::newRow("missing key clears the design hint") << QByteArray() << "edAltitude"
                                                            << "";
    }
    void setsHints()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, control);
        QFETCH(QString, hint);
        const OpenWindow open(file);
        const QString tip = open.window->findChild<QWidget*>(control)->toolTip();
        QTextDocument asRead;
        asRead.setHtml(tip);
        QCOMPARE(Qt::mightBeRichText(tip) ? asRead.toPlainText() : tip, hint);
    }

    void appendsMissingKeysInTableOrder()
    {
        const OpenWindow open("StopDistance: 3\r\n");
        QCOMPARE(stored(*open.window, "StopDistance: 3\r\n").join(", "),
            "1, StopDistance: 3, UpdateTissueFile: n, DeleteTemporaryOutput: n, UseMetric: n, SaltWater: n, "
            "UseBValues: n, Altitude: 0, Conservatism: 0, Precision: 0, LastStopDepth: 0, OxyNarc: n, "
            "DeepStops: p, TissueFile: 0, PlanFile: 10, PyleStopTime: 0, SurfaceInterval: 0, Rmv: 0, DecoRmv: 0, "
            "SlideRate: 0, UseOCDeco: n, OcDecoGas: 0, OcDecoMaxPO2: 0, MaxEND: 0, DescentRate: 0, "
            "AscentRate: 0, UseDecoSetpoint: n");
    }

    // The result, the line now in the file, and the message shown.
    void checksTheStopDistance_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("outcome");
        const QString invalid = QStringLiteral("Chyba|Nesprávná vzdálenost mezi zastávkami!|0");
        for (const char* typed : { "0", "+0", "-0", "000" })
            QTest::addRow("zero: \"%s\"", typed) << typed << QStringList { "0", "StopDistance: 9", kZero };
        for (const char* typed : { "", "abc", "3 ", "3.5", "2147483648" })
            QTest::addRow("invalid: \"%s\"", typed) << typed << QStringList { "0", "StopDistance: 9", invalid };
        for (const QString typed : { " 3", "-3", "$1F", "0x10" })
            QTest::addRow("accepted: \"%s\"", qPrintable(typed))
                << typed << QStringList { "1", "StopDistance: " + typed };
    }
    void checksTheStopDistance()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, outcome);
        const OpenWindow open("");
        open.window->edStopDistance->setText(typed);
        ModalWatcher watcher;
        const QStringList lines = stored(*open.window, "StopDistance: 9\r\n");
        QCOMPARE(lines.mid(0, 2) + watcher.seen, outcome);
    }

    // The sample holds every key as the window writes it, so an unedited save changes no byte,
    // not even of a Czech value.
    void konecAnoLeavesTheSampleByteExact()
    {
        const QByteArray sample = readDemoProfile().replace("tissue.dat", "tk\xe1n\xec-\x9e\x8a.dat");
        OpenWindow open(sample);
        ModalWatcher watcher(answers::press("Button1"));
        open.window->BitBtn1->click();
        QVERIFY(!open.window->isVisible());
        QCOMPARE(open.folder.contents(), sample);
    }

    // Leaving after editing the altitude and unticking repetitive dives (written as 900:00). A
    // refused or failed save (trouble: its message) keeps the window, every edit and the output
    // name, and changes nothing on disk.
    void answersTheClosing_data()
    {
        QTest::addColumn<ModalWatcher::Answer>("answer");
        QTest::addColumn<QStringList>("trouble");
        QTest::addColumn<QString>("outcome");
        QTest::newRow("Ano saves and closes") << answers::press("Button1") << QStringList {} << "saved";
        QTest::newRow("Ne closes without saving") << answers::press("BitBtn1") << QStringList {} << "closed";
        QTest::newRow("Esc answers Ne") << answers::escape() << QStringList {} << "closed";
        QTest::newRow("Zpet keeps the window") << answers::press("BitBtn2") << QStringList {} << "kept";
        QTest::newRow("close box keeps the window") << answers::closeBox() << QStringList {} << "kept";
        QTest::newRow("Ano, zero stop distance") << answers::press("Button1") << QStringList { kZero } << "kept";
        QTest::newRow("Ano, read-only file") << answers::press("Button1") << QStringList { kCannotWrite } << "kept";
    }
    void answersTheClosing()
    {
        QFETCH(ModalWatcher::Answer, answer);
        QFETCH(QStringList, trouble);
        QFETCH(QString, outcome);
        OpenWindow open(kProfile);
        if (trouble.contains(kCannotWrite))
            open.folder.makeReadOnly();
        open.window->edAltitude->setText(QStringLiteral("123"));
        open.window->edStopDistance->setText(trouble.contains(kZero) ? QStringLiteral("0") : QStringLiteral("3"));
        open.window->chbRepetitiveDives->setChecked(false);
        ModalWatcher watcher(answer);
        open.window->close();
        QCOMPARE(watcher.seen, QStringList { "Save Changes||-1" } + trouble);
        QCOMPARE(open.window->isVisible(), outcome == "kept");
        QCOMPARE(open.window->edAltitude->text(), QStringLiteral("123"));
        if (outcome == "kept") // the next run is still numbered
            QCOMPARE(open.window->edOutputFile->text(), QStringLiteral("1plan.out"));
        const QByteArray file = open.folder.contents();
        const QByteArray edited("# test\r\nAltitude: 123\r\nStopDistance: 3\r\nPlanFile: plan.out\r\n");
        QVERIFY(outcome == "saved" ? file.startsWith(edited) && file.contains("\r\nSurfaceInterval: 900:00\r\n")
                                   : file == kProfile);
    }
};

QTEST_MAIN(WindowFilesTest)
#include "test_window_files.moc"
