// The controls as the user meets them: the interlocks, Esc and Enter, the radio groups'
// keyboard, the tabs' and the tissue box's looks, the 120 dpi size factor.
#include "tests/window/WindowFixture.h"
#include "ui/DpiScale.h"
#include "ui/Koraxgui.h"
#include "ui/RadioGroup.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

namespace {

// What a region of a picture of widget shows: "red" text, text lit in "navy" (blue well over
// red and green), plain dark "black" text or "nothing".
QString inkIn(QWidget& widget, const QRect& region)
{
    const QImage picture = widget.grab().toImage();
    bool red = false;
    bool blue = false;
    bool dark = false;
    for (int y = region.top(); y <= region.bottom(); ++y) {
        for (int x = region.left(); x <= region.right(); ++x) {
            const QColor c = picture.pixelColor(x, y);
            red = red || (c.red() > 180 && c.green() < 80 && c.blue() < 80);
            blue = blue || (c.blue() > c.red() + 60 && c.blue() > c.green() + 60);
            dark = dark || (c.red() < 80 && c.green() < 80 && c.blue() < 80);
        }
    }
    return red ? "red" : blue ? "navy" : dark ? "black" : "nothing";
}

} // namespace

class WindowControlsTest : public QObject {
    Q_OBJECT

private slots:
    // Clicks on the named controls: "tabN" on a page's tab, gbDeepStops on an empty spot of it.
    void rulesFollowTheClicks_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("clicks");
        QTest::addColumn<QStringList>("expected");
        const QByteArray wkpp("DeepStops: w\r\n");
        QTest::newRow("WKPP, untick") << wkpp << "chbDeepStops"
                                      << QStringList { "rgDeepStops=1 (greyed)", "edPyleStopTime=0 (greyed)",
                                             "chbDeepStops=off" };
        QTest::newRow("WKPP, untick, tick")
            << wkpp << "chbDeepStops chbDeepStops" << QStringList { "rgDeepStops=1", "edPyleStopTime=0 (greyed)" };
        QTest::newRow("WKPP, choose Pyle")
            << wkpp << "rgDeepStopsItem0" << QStringList { "edPyleStopTime=0", "lPyleStopTime" };
        QTest::newRow("Pyle, untick") << QByteArray("DeepStops: p\r\n") << "chbDeepStops"
                                      << QStringList { "edPyleStopTime=0 (greyed)", "lPyleStopTime (greyed)" };
        QTest::newRow("Pyle, click the empty frame")
            << QByteArray("DeepStops: p\r\n") << "gbDeepStops"
            << QStringList { "chbDeepStops=on", "rgDeepStops=0", "edPyleStopTime=0" };
        QTest::newRow("repetitive dives off")
            << QByteArray("SurfaceInterval: 2:00\r\n") << "chbRepetitiveDives"
            << QStringList { "edSurfaceInterval=2:00 (greyed)", "chbUpdateTissue=off (greyed)", "Label12" };
        QTest::newRow("deco gases off") << QByteArray("UseOCDeco: y\r\n") << "chbUseOCDeco"
                                        << QStringList { "edOcDecoGas=0 (greyed)", "lOCDecoGas (greyed)",
                                               "edOcDecoMaxPO2=0", "edMaxEND=0" };
        QTest::newRow("deco gases off and on") << QByteArray("UseOCDeco: y\r\n") << "chbUseOCDeco chbUseOCDeco"
                                               << QStringList { "edOcDecoGas=0", "lOCDecoGas" };
        QTest::newRow("there and back") << QByteArray() << "tab0 tab2" << QStringList { "Button1 (greyed)" };
    }
    void rulesFollowTheClicks()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, clicks);
        QFETCH(QStringList, expected);
        const OpenWindow open(file);
        QTabBar* tabs = open.window->PageControl1->tabBar();
        for (const QString& name : clicks.split(' ')) {
            if (name.startsWith(QStringLiteral("tab")))
                QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(name.back().digitValue()).center());
            else
                QTest::mouseClick(open.window->findChild<QWidget*>(name), Qt::LeftButton, {},
                    name == "gbDeepStops" ? QPoint(250, 90) : QPoint());
        }
        QCOMPARE(shownStates(*open.window, expected), expected);
    }

    // Esc acts as Konec (the dialog answered Ne), Enter on a settings page as Vypocet.
    void keysActAsTheirButtons_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("outcome");
        QTest::newRow("Esc starts the closing") << int(Qt::Key_Escape) << "asked";
        QTest::newRow("Enter computes") << int(Qt::Key_Return) << "saved";
    }
    void keysActAsTheirButtons()
    {
        QFETCH(int, key);
        QFETCH(QString, outcome);
        OpenWindow open("StopDistance: 3\r\n");
        open.window->PageControl1->setCurrentIndex(0);
        open.window->edAltitude->setText(QStringLiteral("42"));
        ModalWatcher watcher(answers::press("BitBtn1"));
        QTest::keyClick(open.window->edAltitude, Qt::Key(key));
        const bool saved = open.folder.contents().contains("Altitude: 42");
        QCOMPARE(watcher.seen == QStringList { "Save Changes||-1" } ? "asked" : saved ? "saved" : "nothing", outcome);
    }

    // What profile.dat cannot hold cannot be typed: foreign characters, and line breaks in a
    // one-line field (they would split its key line).
    void refusesWhatTheFileCannotHold_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("edit, Czech kept") << "edTissueFile" << QString::fromUtf8("tkáně") << QString::fromUtf8("tkáně");
        QTest::newRow("edit, foreign dropped") << "edTissueFile" << QString::fromUtf8("a中b") << "ab";
        QTest::newRow("memo, foreign dropped") << "mDescentRates" << QString::fromUtf8("0-6中, 3") << "0-6, 3";
    }
    void refusesWhatTheFileCannotHold()
    {
        QFETCH(QString, control);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        const OpenWindow open(QByteArray {});
        auto* widget = open.window->findChild<QWidget*>(control);
        if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            edit->clear();
            edit->insert(QStringLiteral("3\nRmv: 1"));
        } else {
            qobject_cast<QPlainTextEdit*>(widget)->clear();
        }
        for (const QChar c : typed) { // QTest can type ASCII only
            QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(widget, &key);
        }
        const auto* edit = qobject_cast<QLineEdit*>(widget);
        QCOMPARE(edit ? edit->text() : qobject_cast<QPlainTextEdit*>(widget)->toPlainText(), shown);
    }

    // Keys pressed from the control before the group; none chosen in rgAlgorithm when cleared.
    void radioGroupsTakeTheKeys_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("cleared");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QStringList>("expected");
        // Without a key line, the file chooses ZHL16c and Feets.
        QTest::newRow("Tab lands on the chosen item")
            << QByteArray() << false << "chDeleteFiles"
            << "Tab" << QStringList { "focus rgAlgorithmItem1", "rgAlgorithm=1" };
        QTest::newRow("Tab with none chosen lands on the first item")
            << QByteArray() << true << "chDeleteFiles"
            << "Tab" << QStringList { "focus rgAlgorithmItem0", "rgAlgorithm=-1" };
        QTest::newRow("Tab leaves the group after its one stop")
            << QByteArray() << false << "chDeleteFiles"
            << "Tab Tab" << QStringList { "focus rgUnitsItem1", "rgAlgorithm=1", "rgUnits=1" };
        QTest::newRow("Up chooses the item above")
            << QByteArray() << false << "chDeleteFiles"
            << "Tab Up" << QStringList { "focus rgAlgorithmItem0", "rgAlgorithm=0" };
        QTest::newRow("Right goes round the group")
            << QByteArray() << false << "chDeleteFiles"
            << "Tab Right" << QStringList { "focus rgAlgorithmItem0", "rgAlgorithm=0" };
        QTest::newRow("Down to WKPP runs the deep-stop rule")
            << QByteArray("DeepStops: p\r\n") << false << "chbDeepStops"
            << "Tab Down" << QStringList { "focus rgDeepStopsItem1", "rgDeepStops=1", "edPyleStopTime=0 (greyed)" };
    }
    void radioGroupsTakeTheKeys()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, cleared);
        QFETCH(QString, from);
        QFETCH(QString, keys);
        QFETCH(QStringList, expected);
        const OpenWindow open(file);
        TfKoraxGUI& window = *open.window;
        if (cleared)
            radio_group::setItemIndex(*window.rgAlgorithm, -1);
        auto* start = window.findChild<QWidget*>(from);
        window.PageControl1->setCurrentWidget(window.tsDive->isAncestorOf(start) ? window.tsDive : window.tsGases);
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        start->setFocus(Qt::TabFocusReason);
        const QMap<QString, Qt::Key> named { { "Tab", Qt::Key_Tab }, { "Up", Qt::Key_Up }, { "Down", Qt::Key_Down },
            { "Right", Qt::Key_Right } };
        for (const QString& key : keys.split(' '))
            QTest::keyClick(QApplication::focusWidget(), named.value(key));
        const QWidget* focus = QApplication::focusWidget();
        const QString focused = QStringLiteral("focus ") + (focus ? focus->objectName() : QStringLiteral("none"));
        QCOMPARE(QStringList { focused } + shownStates(window, expected.mid(1)), expected);
    }

    void tabsLightUpUnderTheMouse_data()
    {
        QTest::addColumn<int>("looked");
        QTest::addColumn<QString>("expected");
        QTest::newRow("the tab under the mouse") << 0 << "navy";
        QTest::newRow("the tab beside it") << 1 << "black";
    }
    void tabsLightUpUnderTheMouse()
    {
        QFETCH(int, looked);
        QFETCH(QString, expected);
        const OpenWindow open(QByteArray {});
        QTabBar* tabs = open.window->PageControl1->tabBar();
        QTest::mouseMove(tabs, tabs->tabRect(0).center());
        QTRY_COMPARE(inkIn(*tabs, tabs->tabRect(looked)), expected);
    }

    // chbUpdateTissue: red caption, the tick in the normal colour.
    void tissueBoxIsRedButItsTick_data()
    {
        QTest::addColumn<bool>("tick");
        QTest::addColumn<QString>("expected");
        QTest::newRow("tick") << true << "black";
        QTest::newRow("caption") << false << "red";
    }
    void tissueBoxIsRedButItsTick()
    {
        QFETCH(bool, tick);
        QFETCH(QString, expected);
        const OpenWindow open("SurfaceInterval: 2:00\r\nUpdateTissueFile: y\r\n");
        QCheckBox& box = *open.window->chbUpdateTissue;
        QVERIFY(box.isChecked() && box.isEnabled());
        const int indicator = box.style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, &box);
        const QRect region = tick ? QRect(0, 0, indicator, box.height())
                                  : QRect(indicator + 2, 0, box.width() - indicator - 2, box.height());
        QCOMPARE(inkIn(box, region), expected);
    }

    void scalesTheOuterSizeAt120Dpi()
    {
        // As start-up finds the window: laid out, not yet shown.
        QWidget window;
        window.setFixedSize(550, 438);
        scaleOuterSize(window, dpiScaleFactor(120));
        QCOMPARE(window.frameGeometry().size(), QSize(687, 547));
        QCOMPARE(window.minimumSize(), window.maximumSize());
    }
};

QTEST_MAIN(WindowControlsTest)
#include "test_window_controls.moc"
