// The two windows and the message boxes under a real window manager (openbox on an Xvfb of the
// test's own), checked by what the window manager and the X server report about them.
#include "tests/support/XServer.h"
#include "tests/window/WindowFixture.h"
#include "tests/wm/XDesktop.h"
#include "ui/Koraxgui.h"
#include "ui/KoraxguiLook.h"

#include <QApplication>
#include <QTabWidget>
#include <QtTest>

#include <cstdio>
#include <cstring>
#include <functional>

namespace {

// What the window manager does comes when it comes; on a loaded machine this can take seconds.
constexpr int kSettleMs = 20000;
constexpr long kFromPager = 2; // the source of a request: a taskbar or a title bar, not the program
constexpr long kNow = 0; // X's CurrentTime

const QByteArray kProfile("StopDistance: 3\r\n");

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

QString settled(const std::function<QString()>& fact, const QString& expected)
{
    // What is there after the wait is compared by the caller, whether it came or not.
    static_cast<void>(QTest::qWaitFor([&] { return fact() == expected; }, kSettleMs));
    return fact();
}

} // namespace

class WindowManagerTest : public QObject {
    Q_OBJECT

private:
    XDesktop desktop;

    // One reported fact about window, named by key, as text.
    QString fact(Window window, const QString& key, Window mainWindow)
    {
        if (key == "type")
            return desktop.atoms(window, "_NET_WM_WINDOW_TYPE").value(0);
        if (key == "state") {
            QStringList shown;
            for (const QString& state : desktop.atoms(window, "_NET_WM_STATE")) {
                if (state.contains("SKIP") || state.endsWith("MODAL"))
                    shown << state.mid(int(strlen("_NET_WM_STATE_"))).toLower();
            }
            return shown.join(' ');
        }
        if (key == "size limits")
            return desktop.sizeLimits(window);
        if (key == "actions") {
            const QStringList allowed = desktop.atoms(window, "_NET_WM_ALLOWED_ACTIONS");
            QStringList boxes;
            for (const char* action : { "MINIMIZE", "MAXIMIZE_HORZ", "MAXIMIZE_VERT", "RESIZE", "CLOSE" }) {
                if (allowed.contains(QStringLiteral("_NET_WM_ACTION_") + action))
                    boxes << QString::fromLatin1(action).toLower();
            }
            return boxes.join(' ');
        }
        if (key == "boxes asked") {
            // The Motif hints: flags, functions, decorations; 0x20 the minimise box, 0x40 maximise.
            const QList<unsigned long> motif = desktop.numbers(window, "_MOTIF_WM_HINTS", nullptr);
            if (motif.size() < 3 || !(motif[0] & 2))
                return QStringLiteral("all");
            QStringList boxes;
            if (motif[2] & 0x20)
                boxes << "minimise";
            if (motif[2] & 0x40)
                boxes << "maximise";
            return boxes.isEmpty() ? QStringLiteral("none") : boxes.join(' ');
        }
        if (key == "title")
            return desktop.utf8Text(window, "_NET_WM_NAME");
        if (key == "client size" || key == "outer size") {
            const QRect box = key == "client size" ? desktop.clientGeometry(window) : desktop.outerGeometry(window);
            return QStringLiteral("%1x%2").arg(box.width()).arg(box.height());
        }
        if (key == "place") {
            // The frame's centre against the screen's, in half pixels.
            const QRect outer = desktop.outerGeometry(window);
            const QRect screen = desktop.screen();
            const int dx = outer.left() * 2 + outer.width() - screen.width();
            const int dy = outer.top() * 2 + outer.height() - screen.height();
            return outer.isValid() && std::abs(dx) <= 2 && std::abs(dy) <= 2
                ? QStringLiteral("centred")
                : QStringLiteral("off centre by %1,%2 half pixels").arg(dx).arg(dy);
        }
        if (key == "owner") {
            const Window owner = desktop.transientFor(window);
            return owner == mainWindow ? QStringLiteral("main window") : QStringLiteral("0x%1").arg(owner, 0, 16);
        }
        if (key == "stacking") {
            const QList<unsigned long> order = desktop.stacking();
            if (!order.contains(window) || !order.contains(mainWindow))
                return QStringLiteral("not listed");
            return order.indexOf(window) > order.indexOf(mainWindow) ? QStringLiteral("above the main window")
                                                                     : QStringLiteral("below the main window");
        }
        return QStringLiteral("no such fact");
    }

    bool isManaged(Window window)
    {
        return desktop.stacking().contains(window) && desktop.outerGeometry(window).isValid();
    }
    bool managedInTime(Window window)
    {
        return QTest::qWaitFor([&] { return isManaged(window); }, kSettleMs);
    }

    // As a taskbar raises the main window; then where window stands.
    QString stackingAfterRaise(Window window, Window mainWindow)
    {
        desktop.ask(mainWindow, "_NET_ACTIVE_WINDOW", kFromPager, kNow);
        if (!desktop.waitForRestack(kSettleMs))
            return QStringLiteral("no restack");
        return fact(window, "stacking", mainWindow);
    }

private slots:
    void mainWindowIsAnOrdinaryFixedWindow_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        QTest::newRow("type normal") << "type"
                                     << "_NET_WM_WINDOW_TYPE_NORMAL";
        QTest::newRow("in the taskbar and the pager, not modal") << "state"
                                                                 << "";
        QTest::newRow("not resizable") << "size limits"
                                       << "min 550x438 max 550x438";
        // Openbox keeps the minimise action of every normal window; the box is not drawn.
        QTest::newRow("no resize, no maximise, close") << "actions"
                                                       << "minimize close";
        QTest::newRow("neither minimise nor maximise box") << "boxes asked"
                                                           << "none";
        QTest::newRow("title") << "title"
                               << "T/ROVA";
        QTest::newRow("client area") << "client size"
                                     << "550x438";
        QTest::newRow("centred with the frame") << "place"
                                                << "centred";
    }
    void mainWindowIsAnOrdinaryFixedWindow()
    {
        QFETCH(QString, key);
        QFETCH(QString, expected);
        const OpenWindow open(kProfile);
        const Window window = open.window->winId();
        QCOMPARE(settled([&] { return fact(window, key, window); }, expected), expected);
    }

    void saveChangesStaysAboveTheMainWindow_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        QTest::newRow("type normal") << "type"
                                     << "_NET_WM_WINDOW_TYPE_NORMAL";
        QTest::newRow("modal") << "state"
                               << "modal";
        QTest::newRow("transient for the main window") << "owner"
                                                       << "main window";
        QTest::newRow("all boxes asked") << "boxes asked"
                                         << "minimise maximise";
        QTest::newRow("title") << "title"
                               << "Save Changes";
        QTest::newRow("outer size on first show") << "outer size"
                                                  << "355x117";
        QTest::newRow("centred with the frame") << "place"
                                                << "centred";
        QTest::newRow("above the main window") << "stacking"
                                               << "above the main window";
        QTest::newRow("above after the main window is raised") << "after raise"
                                                               << "above the main window";
    }
    void saveChangesStaysAboveTheMainWindow()
    {
        QFETCH(QString, key);
        QFETCH(QString, expected);
        const OpenWindow open(kProfile);
        const Window mainWindow = open.window->winId();
        QString observed;
        onNextModal(*this, [&](QWidget& dialog) {
            const Window window = dialog.winId();
            if (key == "after raise") {
                observed
                    = managedInTime(window) ? stackingAfterRaise(window, mainWindow) : QStringLiteral("never managed");
            } else {
                observed = settled([&] { return fact(window, key, mainWindow); }, expected);
            }
            dialog.close();
        });
        open.window->close();
        QCOMPARE(observed, expected);
    }

    // Each box comes up over the main window, raised or not.
    void messageBoxesStayAboveTheMainWindow_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<QString>("expected");
        QTest::newRow("Chyba") << QByteArray("StopDistance: 0\r\n") << false
                               << "Chyba: main window, above the main window";
        QTest::newRow("error report") << kProfile << true << "T/ROVA: main window, above the main window";
    }
    void messageBoxesStayAboveTheMainWindow()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, readOnly);
        QFETCH(QString, expected);
        const OpenWindow open(file);
        if (readOnly)
            open.folder.makeReadOnly();
        const Window mainWindow = open.window->winId();
        QString observed = QStringLiteral("no box");
        onNextModal(*this, [&](QWidget& box) {
            const Window window = box.winId();
            if (!managedInTime(window))
                observed = QStringLiteral("never managed");
            else
                observed = QStringLiteral("%1: %2, %3")
                               .arg(box.windowTitle(), fact(window, "owner", mainWindow),
                                   stackingAfterRaise(window, mainWindow));
            box.close();
        });
        open.window->PageControl1->setCurrentIndex(0);
        open.window->Button1->click();
        QCOMPARE(observed, expected);
    }

    // The main window's close box closes as "&Konec" does (the dialog asks); the dialog's close
    // box answers Cancel, so the window stays open and nothing is written.
    void closeBoxesAnswerAsTheirButtons()
    {
        const OpenWindow open(kProfile);
        const Window mainWindow = open.window->winId();
        QTRY_VERIFY_WITH_TIMEOUT(isManaged(mainWindow), kSettleMs);
        QString asked;
        onNextModal(*this, [&](QWidget& dialog) {
            asked = dialog.windowTitle();
            const Window window = dialog.winId();
            if (managedInTime(window))
                desktop.ask(window, "_NET_CLOSE_WINDOW", kNow, kFromPager);
            else
                dialog.close();
        });
        desktop.ask(mainWindow, "_NET_CLOSE_WINDOW", kNow, kFromPager);
        QTRY_VERIFY_WITH_TIMEOUT(!asked.isEmpty() && QApplication::activeModalWidget() == nullptr, kSettleMs);
        QCOMPARE(asked, QStringLiteral("Save Changes"));
        QVERIFY(open.window->isVisible());
        QCOMPARE(open.folder.contents(), kProfile);
    }
};

int main(int argc, char* argv[])
{
    const XServer server(XServer::Manager::Openbox);
    if (!server.failure().empty()) {
        std::fprintf(stderr, "%s\n", server.failure().c_str());
        return 1;
    }
    qputenv("DISPLAY", QByteArray::fromStdString(server.display()));
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication application(argc, argv);
    useClassicStyle();
    WindowManagerTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_wm_windows.moc"
