// Input given while the planner runs, on a real X server: the stand-in planner types Return and
// Escape into the window through XTest, which would press "&Výpočet" again and close the window
// if they were replayed after the run.
#include "tests/support/XServer.h"
#include "tests/window/WindowFixture.h"
#include "ui/Koraxgui.h"

#include <QApplication>
#include <QtTest>

class WindowInputTest : public QObject {
    Q_OBJECT

private slots:
    void inputDuringTheRunIsDropped()
    {
        const OpenWindow open("StopDistance: 3\r\nPlanFile: plan.out\r\nUseOCDeco: n\r\nDeepStops: n\r\n");
        QVERIFY(QFile::copy(TROVA_STANDIN, "korax.exe") && QFile::copy(TROVA_STANDIN, "notepad.exe"));
        qputenv("STANDIN_PLANNER", "keys");
        TfKoraxGUI& window = *open.window;
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.PageControl1->setCurrentIndex(1);
        const QStringList controls { "edOcDecoGas", "rgDeepStops", "edPyleStopTime", "Button1", "edTissueFile" };
        const QStringList before = shownStates(window, controls);
        ModalWatcher watcher;

        window.Button1->click();
        QApplication::sync(); // whatever input is still queued arrives now

        QCOMPARE(callsOf("korax.exe").size(), 1);
        QVERIFY(QFile::exists("keys.sent"));
        QVERIFY(window.isVisible());
        QVERIFY(watcher.seen.isEmpty());
        QCOMPARE(shownStates(window, controls), before);
    }
};

// The window must get its input from the X server: the test starts its own and runs on it.
int main(int argc, char* argv[])
{
    const XServer server(XServer::Manager::None);
    if (!server.failure().empty())
        qFatal("%s", server.failure().c_str());
    qputenv("DISPLAY", QByteArray::fromStdString(server.display()));
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    WindowInputTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_window_input.moc"
