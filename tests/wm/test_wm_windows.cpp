// The two windows and the message boxes under a real window manager (openbox on an Xvfb of the
// test's own), checked by what the window manager and the X server report about them; and input
// given while the planner runs, which the stand-in planner types into the window through XTest:
// Return and Escape would press "&Výpočet" again and close the window if they were replayed
// after the run.
#include "tests/support/WindowFixture.h"
#include "tests/support/XServer.h"
#include "ui/KoraxguiLook.h"

#include <QApplication>
#include <QtTest>

// After Qt: Xlib's macros (None, Bool, Status, Button1...) would clash with Qt's own names.
#include <X11/Xlib.h>

// What the window manager does comes when it comes; on a loaded machine this can take seconds.
constexpr int kSettleMs = 20000;
constexpr long kFromPager = 2; // the source of a request: a taskbar or a title bar, not the program
constexpr const char* kStacking = "_NET_CLIENT_LIST_STACKING"; // bottom to top

// The atoms looked for in each list the window manager keeps, in the order they are reported.
const QMap<QString, QStringList> kAtomsAsked { { "_NET_WM_WINDOW_TYPE", { "NORMAL", "DIALOG" } },
    { "_NET_WM_STATE", { "SKIP_TASKBAR", "SKIP_PAGER", "MODAL" } },
    { "_NET_WM_ALLOWED_ACTIONS", { "MINIMIZE", "MAXIMIZE_HORZ", "MAXIMIZE_VERT", "RESIZE", "CLOSE" } } };

class WindowManagerTest : public QObject {
    Q_OBJECT

private:
    Display* x = XOpenDisplay(nullptr);
    Window root = DefaultRootWindow(x);

    Atom atom(const QString& name) { return XInternAtom(x, qPrintable(name), False); }

    // A property of 32-bit items (atoms, windows, numbers), in order; Xlib hands them over as longs.
    QList<unsigned long> items(Window window, const QString& property)
    {
        Atom type = None;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* value = nullptr;
        XGetWindowProperty(
            x, window, atom(property), 0, 64, False, AnyPropertyType, &type, &format, &count, &after, &value);
        const auto* first = reinterpret_cast<const unsigned long*>(value);
        const QList<unsigned long> result(first, first + count);
        XFree(value);
        return result;
    }

    // The client area in root coordinates grown by the frame the window manager reports.
    QRect geometry(Window window)
    {
        QPoint at;
        Window child = None;
        XWindowAttributes size {};
        XGetWindowAttributes(x, window, &size);
        XTranslateCoordinates(x, window, root, 0, 0, &at.rx(), &at.ry(), &child);
        const QList<unsigned long> frame = items(window, "_NET_FRAME_EXTENTS");
        const auto side = [&](int i) { return static_cast<int>(frame.value(i)); }; // left, right, top, bottom
        return QRect(at, QSize(size.width, size.height)).adjusted(-side(0), -side(2), side(1), side(3));
    }

    // One reported fact about window as text: for a list of atoms, those asked that it holds.
    QString fact(Window window, const QString& key, Window mainWindow)
    {
        XWindowAttributes state {};
        XGetWindowAttributes(x, window, &state);
        if (state.map_state != IsViewable) // not yet framed and mapped: the toolkit's placement shows
            return QStringLiteral("not shown");
        const QList<unsigned long> listed = items(window, key);
        QStringList held;
        const QString prefix = key == "_NET_WM_ALLOWED_ACTIONS" ? QStringLiteral("_NET_WM_ACTION_") : key + '_';
        for (const QString& word : kAtomsAsked.value(key))
            if (listed.contains(atom(prefix + word)))
                held << word;
        if (kAtomsAsked.contains(key))
            return held.join(' ');
        const auto n = [&](int i) { return QString::number(listed.value(i)); };
        if (key == "WM_NORMAL_HINTS") // flags, 4 unused, min size, max size
            return "min " + n(5) + 'x' + n(6) + " max " + n(7) + 'x' + n(8);
        if (key == "WM_TRANSIENT_FOR")
            return listed.value(0) == mainWindow ? QStringLiteral("main window") : QStringLiteral("other");
        if (key == "_MOTIF_WM_HINTS") // decorations (third) count when flagged (2); 0x20 minimise box, 0x40 maximise
            return QString::number(listed.value(0) & 2 ? listed.value(2) & 0x60 : 0x60, 16);
        const qsizetype below = items(root, kStacking).indexOf(mainWindow);
        if (key == kStacking)
            return below >= 0 && items(root, kStacking).indexOf(window) > below ? "above" : "not above";
        const QRect box = geometry(window);
        const int dx = box.left() * 2 + box.width() - DisplayWidth(x, 0); // the centres' distance in half pixels
        const int dy = box.top() * 2 + box.height() - DisplayHeight(x, 0);
        if (key == "centre")
            return std::abs(dx) <= 2 && std::abs(dy) <= 2 ? "centred" : QStringLiteral("off by %1,%2").arg(dx).arg(dy);
        return QStringLiteral("%1x%2").arg(box.width()).arg(box.height());
    }

    // A request to the window manager, as a taskbar or a title bar sends it.
    void ask(Window window, const char* message, long first, long second)
    {
        XEvent event {};
        event.xclient = { ClientMessage, 0, False, x, window, atom(message), 32, { .l = { first, second, 0, 0, 0 } } };
        XSendEvent(x, root, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
        XFlush(x);
    }

    bool isManaged(Window window)
    {
        return QTest::qWaitFor([&] { return items(root, kStacking).contains(window); }, kSettleMs);
    }

    // As a taskbar raises the main window; then where window stands.
    QString stackingAfterRaise(Window window, Window mainWindow)
    {
        if (!isManaged(window))
            return QStringLiteral("never managed");
        XSync(x, True); // the answer is the first rewrite of the stacking list after the request
        ask(mainWindow, "_NET_ACTIVE_WINDOW", kFromPager, CurrentTime);
        XEvent event {};
        const bool restacked = QTest::qWaitFor(
            [&] { return XCheckTypedEvent(x, PropertyNotify, &event) && event.xproperty.atom == atom(kStacking); },
            kSettleMs);
        return restacked ? fact(window, kStacking, mainWindow) : QStringLiteral("no restack");
    }

private slots:
    void initTestCase() { XSelectInput(x, root, PropertyChangeMask); }

    void windowsAreReportedAsADesktopUserExpects_data() { cases::addRows("wm/windows.txt"); }
    void windowsAreReportedAsADesktopUserExpects()
    {
        const QString window = cases::text("window");
        const QString key = cases::text("key");
        const QString expected = cases::text("expected");
        const OpenWindow open(
            window == "Chyba" ? QByteArray("StopDistance: 0\r\n") : QByteArray("StopDistance: 3\r\n"));
        if (window == "T/ROVA")
            QVERIFY(QFile::setPermissions("profile.dat", QFile::ReadOwner));
        const Window mainWindow = open.window->winId();
        const auto look = [&](QWidget& shown) {
            const Window id = shown.winId();
            if (key == "after raise")
                return stackingAfterRaise(id, mainWindow);
            if (key == "close box") {
                ask(id, "_NET_CLOSE_WINDOW", CurrentTime, kFromPager);
                static_cast<void>(QTest::qWaitFor([&] { return !shown.isVisible(); }, kSettleMs));
                return QStringLiteral("answered %1").arg(static_cast<QDialog&>(shown).result());
            }
            // The reading that ended the wait: read again, it may catch the window manager mid-frame.
            QString seen;
            static_cast<void>(
                QTest::qWaitFor([&] { return (seen = fact(id, key, mainWindow)) == expected; }, kSettleMs));
            return seen;
        };
        QString observed = window == "main" ? look(*open.window) : QStringLiteral("no %1").arg(window);
        // Looked at from inside the modal loop of the first modal window.
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&] {
            if (QWidget* shown = QApplication::activeModalWidget()) {
                poll.stop();
                if (shown->windowTitle() == window)
                    observed = look(*shown);
                shown->close();
            }
        });
        poll.start(10);
        if (window == "Save Changes" && isManaged(mainWindow))
            ask(mainWindow, "_NET_CLOSE_WINDOW", CurrentTime, kFromPager);
        open.control<QTabWidget>("PageControl1").setCurrentIndex(0);
        if (window == "Chyba" || window == "T/ROVA")
            open.window->findChild<QPushButton*>("Button1")->click();
        QTRY_COMPARE_WITH_TIMEOUT(observed, expected, kSettleMs);
    }

    void inputDuringTheRunIsDropped()
    {
        const OpenWindow open("StopDistance: 3\r\nPlanFile: plan.out\r\nUseOCDeco: n\r\nDeepStops: n\r\n");
        QVERIFY(QFile::copy(TROVA_STANDIN, "korax.exe") && QFile::copy(TROVA_STANDIN, "notepad.exe"));
        qputenv("STANDIN_PLANNER", "keys");
        TfKoraxGUI& window = *open.window;
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        open.control<QTabWidget>("PageControl1").setCurrentIndex(1);
        const QStringList controls { "edOcDecoGas", "rgDeepStops", "edPyleStopTime", "Button1", "edTissueFile" };
        const QStringList before = shownStates(window, controls);
        ModalWatcher watcher;

        window.findChild<QPushButton*>("Button1")->click();
        QApplication::sync(); // whatever input is still queued arrives now

        QCOMPARE(callsOf("korax.exe").size(), 1);
        QVERIFY(QFile::exists("keys.sent"));
        QVERIFY(window.isVisible());
        QVERIFY(watcher.seen.isEmpty());
        QCOMPARE(shownStates(window, controls), before);
    }
};

int main(int argc, char* argv[])
{
    const XServer server;
    if (!server.failure().empty())
        qFatal("%s", server.failure().c_str());
    qputenv("DISPLAY", QByteArray::fromStdString(server.display()));
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication application(argc, argv);
    useClassicStyle();
    WindowManagerTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_wm_windows.moc"
