// The two windows and the message boxes under a real window manager (openbox on an Xvfb of the
// test's own), checked by what the window manager and the X server report about them.
#include "tests/support/XServer.h"
#include "tests/window/WindowFixture.h"
#include "ui/Koraxgui.h"
#include "ui/KoraxguiLook.h"

#include <QApplication>
#include <QtTest>

#include <functional>

// After Qt: Xlib's macros (None, Bool, Status...) would clash with Qt's own names.
#include <X11/Xlib.h>

namespace {

// What the window manager does comes when it comes; on a loaded machine this can take seconds.
constexpr int kSettleMs = 20000;
constexpr long kFromPager = 2; // the source of a request: a taskbar or a title bar, not the program
constexpr long kNow = 0; // X's CurrentTime

const QByteArray kProfile("StopDistance: 3\r\n");

// The atoms looked for in each list the window manager keeps, in the order they are reported.
const QMap<QString, QStringList> kAtomsAsked { { "_NET_WM_WINDOW_TYPE", { "NORMAL", "DIALOG" } },
    { "_NET_WM_STATE", { "SKIP_TASKBAR", "SKIP_PAGER", "MODAL" } },
    { "_NET_WM_ALLOWED_ACTIONS", { "MINIMIZE", "MAXIMIZE_HORZ", "MAXIMIZE_VERT", "RESIZE", "CLOSE" } } };

// Runs inspect on the next modal window, from inside its modal loop.
void onNextModal(QObject& context, std::function<void(QWidget&)> inspect)
{
    auto* timer = new QTimer(&context);
    QObject::connect(timer, &QTimer::timeout, &context, [timer, inspect = std::move(inspect)] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            inspect(*modal);
        }
    });
    timer->start(10);
}

} // namespace

class WindowManagerTest : public QObject {
    Q_OBJECT

private:
    Display* x = XOpenDisplay(nullptr);
    Window root = DefaultRootWindow(x);

    Atom atom(const char* name) { return XInternAtom(x, name, False); }

    // Any property of 32-bit items (atoms, windows, numbers), in order.
    QList<unsigned long> items(Window window, const char* property)
    {
        Atom type = None;
        int format = 0;
        unsigned long count = 0;
        unsigned long after = 0;
        unsigned char* value = nullptr;
        QList<unsigned long> result;
        if (XGetWindowProperty(
                x, window, atom(property), 0, 64, False, AnyPropertyType, &type, &format, &count, &after, &value)
                == Success
            && format == 32) {
            // Xlib hands 32-bit items over as longs.
            const auto* first = reinterpret_cast<const unsigned long*>(value);
            result = QList<unsigned long>(first, first + count);
        }
        XFree(value);
        return result;
    }

    // The client area in root coordinates, or grown by the frame the window manager reports.
    QRect geometry(Window window, bool withFrame)
    {
        int left = 0;
        int top = 0;
        Window child = None;
        XWindowAttributes size {};
        XGetWindowAttributes(x, window, &size);
        XTranslateCoordinates(x, window, root, 0, 0, &left, &top, &child);
        const QList<unsigned long> frame = withFrame ? items(window, "_NET_FRAME_EXTENTS") : QList<unsigned long>(4, 0);
        if (frame.size() != 4)
            return {};
        const auto side = [&](int i) { return static_cast<int>(frame[i]); }; // left, right, top, bottom
        return QRect(left, top, size.width, size.height).adjusted(-side(0), -side(2), side(1), side(3));
    }

    // One reported fact about window as text: for a list of atoms, those asked that it holds.
    QString fact(Window window, const QString& key, Window mainWindow)
    {
        const QList<unsigned long> listed = items(window, key.toLatin1().constData());
        if (kAtomsAsked.contains(key)) {
            QStringList held;
            for (const QString& word : kAtomsAsked[key]) {
                for (unsigned long item : listed) {
                    char* name = XGetAtomName(x, item);
                    if (QString::fromLatin1(name).endsWith('_' + word))
                        held << word;
                    XFree(name);
                }
            }
            return held.join(' ');
        }
        if (key == "WM_NORMAL_HINTS") // flags, 4 unused, min size, max size; 16 and 32 flag the sizes
            return listed.size() > 8 && (listed[0] & 48) == 48
                ? QStringLiteral("min %1x%2 max %3x%4").arg(listed[5]).arg(listed[6]).arg(listed[7]).arg(listed[8])
                : QStringLiteral("no size limits");
        if (key == "WM_TRANSIENT_FOR")
            return listed.value(0) == mainWindow ? QStringLiteral("main window") : QStringLiteral("other");
        if (key == "_NET_CLIENT_LIST_STACKING") {
            const QList<unsigned long> order = items(root, "_NET_CLIENT_LIST_STACKING");
            return order.contains(mainWindow) && order.indexOf(window) > order.indexOf(mainWindow)
                ? QStringLiteral("above the main window")
                : QStringLiteral("not above the main window");
        }
        const QRect box = geometry(window, key != "client size");
        if (key == "centre") { // the frame's centre against the screen's, in half pixels
            const int dx = box.left() * 2 + box.width() - DisplayWidth(x, 0);
            const int dy = box.top() * 2 + box.height() - DisplayHeight(x, 0);
            return box.isValid() && std::abs(dx) <= 2 && std::abs(dy) <= 2
                ? QStringLiteral("centred")
                : QStringLiteral("off by %1,%2").arg(dx).arg(dy);
        }
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

    // As a taskbar raises the main window; then where window stands.
    QString stackingAfterRaise(Window window, Window mainWindow)
    {
        const QString above = QStringLiteral("above the main window");
        if (!QTest::qWaitFor([&] { return fact(window, "_NET_CLIENT_LIST_STACKING", mainWindow) == above; }, kSettleMs))
            return QStringLiteral("not above before the raise");
        // The answer is the first rewrite of the stacking list after the request.
        XSync(x, True);
        ask(mainWindow, "_NET_ACTIVE_WINDOW", kFromPager, kNow);
        XEvent event {};
        const auto isRestack
            = [&] { return event.type == PropertyNotify && event.xproperty.atom == atom("_NET_CLIENT_LIST_STACKING"); };
        const bool restacked = QTest::qWaitFor(
            [&] {
                while (XPending(x) > 0 && !isRestack())
                    XNextEvent(x, &event);
                return isRestack();
            },
            kSettleMs);
        return restacked ? fact(window, "_NET_CLIENT_LIST_STACKING", mainWindow) : QStringLiteral("no restack");
    }

private slots:
    void initTestCase() { XSelectInput(x, root, PropertyChangeMask); }

    // Each window as the window manager shows it: the main window, the dialog "&Konec" brings up,
    // and the message boxes a wrong value ("Chyba") or a read-only file (the error report) bring up.
    void windowsAreReportedAsADesktopUserExpects_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, QString window, QString key, QString expected) {
            QTest::newRow(name) << window << key << expected;
        };
        row("main: type normal", "main", "_NET_WM_WINDOW_TYPE", "NORMAL");
        row("main: in the taskbar and the pager, not modal", "main", "_NET_WM_STATE", "");
        row("main: not resizable", "main", "WM_NORMAL_HINTS", "min 550x438 max 550x438");
        // Openbox keeps the minimise action of every normal window; the box is not drawn.
        row("main: no resize, no maximise", "main", "_NET_WM_ALLOWED_ACTIONS", "MINIMIZE CLOSE");
        row("main: client area", "main", "client size", "550x438");
        row("main: centred with the frame", "main", "centre", "centred");
        row("dialog: type normal", "Save Changes", "_NET_WM_WINDOW_TYPE", "NORMAL");
        row("dialog: modal", "Save Changes", "_NET_WM_STATE", "MODAL");
        row("dialog: all boxes, sizeable", "Save Changes", "_NET_WM_ALLOWED_ACTIONS",
            "MINIMIZE MAXIMIZE_HORZ MAXIMIZE_VERT RESIZE CLOSE");
        row("dialog: transient for the main window", "Save Changes", "WM_TRANSIENT_FOR", "main window");
        row("dialog: outer size on first show", "Save Changes", "outer size", "355x117");
        row("dialog: centred with the frame", "Save Changes", "centre", "centred");
        row("dialog: above the main window", "Save Changes", "_NET_CLIENT_LIST_STACKING", "above the main window");
        row("dialog: above after the main window is raised", "Save Changes", "after raise", "above the main window");
        for (const char* box : { "Chyba", "T/ROVA" }) {
            row(qPrintable(box + QStringLiteral(": transient for the main window")), box, "WM_TRANSIENT_FOR",
                "main window");
            row(qPrintable(box + QStringLiteral(": above after the main window is raised")), box, "after raise",
                "above the main window");
        }
    }
    void windowsAreReportedAsADesktopUserExpects()
    {
        QFETCH(QString, window);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        const OpenWindow open(window == "Chyba" ? QByteArray("StopDistance: 0\r\n") : kProfile);
        if (window == "T/ROVA")
            open.folder.makeReadOnly();
        const Window mainWindow = open.window->winId();
        const auto look = [&](Window shown) {
            if (key == "after raise")
                return stackingAfterRaise(shown, mainWindow);
            // What is there after the wait is compared, whether it came or not.
            static_cast<void>(QTest::qWaitFor([&] { return fact(shown, key, mainWindow) == expected; }, kSettleMs));
            return fact(shown, key, mainWindow);
        };
        QString observed = window == "main" ? look(mainWindow) : QStringLiteral("no %1").arg(window);
        QObject scope; // no look left waiting for the next test's windows
        onNextModal(scope, [&](QWidget& shown) {
            if (shown.windowTitle() == window)
                observed = look(shown.winId());
            shown.close();
        });
        if (window == "Save Changes" || window == "main")
            open.window->close();
        else { // Xlib has a macro Button1
            open.window->PageControl1->setCurrentIndex(0);
            open.window->findChild<QPushButton*>("Button1")->click();
        }
        QCOMPARE(observed, expected);
    }

    // The main window's close box closes as "&Konec" does (the dialog asks); the dialog's close
    // box answers Cancel, so the window stays open and nothing is written.
    void closeBoxesAnswerAsTheirButtons()
    {
        const OpenWindow open(kProfile);
        const Window mainWindow = open.window->winId();
        QTRY_VERIFY_WITH_TIMEOUT(items(root, "_NET_CLIENT_LIST_STACKING").contains(mainWindow), kSettleMs);
        QString asked;
        onNextModal(*this, [&](QWidget& dialog) {
            asked = dialog.windowTitle();
            if (QTest::qWaitFor(
                    [&] { return items(root, "_NET_CLIENT_LIST_STACKING").contains(dialog.winId()); }, kSettleMs))
                ask(dialog.winId(), "_NET_CLOSE_WINDOW", kNow, kFromPager);
            else
                dialog.close();
        });
        ask(mainWindow, "_NET_CLOSE_WINDOW", kNow, kFromPager);
        QTRY_VERIFY_WITH_TIMEOUT(!asked.isEmpty() && QApplication::activeModalWidget() == nullptr, kSettleMs);
        QCOMPARE(asked, QStringLiteral("Save Changes"));
        QVERIFY(open.window->isVisible());
        QCOMPARE(open.folder.contents(), kProfile);
    }
};

int main(int argc, char* argv[])
{
    const XServer server(XServer::Manager::Openbox);
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
