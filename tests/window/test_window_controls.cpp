// The controls as the user meets them: the interlocks, Esc and Enter, the 120 dpi size factor.
#include "tests/window/WindowFixture.h"
#include "ui/DpiScale.h"
#include "ui/Koraxgui.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

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
