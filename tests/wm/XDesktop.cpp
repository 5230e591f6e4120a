#include "tests/wm/XDesktop.h"

#include <QDeadlineTimer>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <poll.h>

XDesktop::XDesktop()
    : x(XOpenDisplay(nullptr))
    , root(x != nullptr ? DefaultRootWindow(x) : None)
{
    if (x == nullptr)
        qFatal("cannot open the test's X display");
    XSelectInput(x, root, PropertyChangeMask);
}

XDesktop::~XDesktop()
{
    XCloseDisplay(x);
}

QList<unsigned long> XDesktop::numbers(Window window, const char* property, const char* typeName)
{
    const Atom type = typeName != nullptr ? XInternAtom(x, typeName, False) : AnyPropertyType;
    Atom actual = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* value = nullptr;
    QList<unsigned long> result;
    if (XGetWindowProperty(
            x, window, XInternAtom(x, property, False), 0, 1024, False, type, &actual, &format, &count, &after, &value)
            == Success
        && format == 32) {
        // Xlib hands 32-bit items over as longs.
        const auto* items = reinterpret_cast<const unsigned long*>(value);
        result = QList<unsigned long>(items, items + count);
    }
    XFree(value);
    return result;
}

QStringList XDesktop::atoms(Window window, const char* property)
{
    QStringList names;
    for (unsigned long atom : numbers(window, property, "ATOM")) {
        char* name = XGetAtomName(x, atom);
        names << QString::fromLatin1(name);
        XFree(name);
    }
    return names;
}

QString XDesktop::utf8Text(Window window, const char* property)
{
    Atom actual = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* value = nullptr;
    QString text;
    if (XGetWindowProperty(x, window, XInternAtom(x, property, False), 0, 1024, False,
            XInternAtom(x, "UTF8_STRING", False), &actual, &format, &count, &after, &value)
            == Success
        && format == 8)
        text = QString::fromUtf8(reinterpret_cast<const char*>(value), static_cast<qsizetype>(count));
    XFree(value);
    return text;
}

Window XDesktop::transientFor(Window window)
{
    Window owner = None;
    return XGetTransientForHint(x, window, &owner) != 0 ? owner : None;
}

QString XDesktop::sizeLimits(Window window)
{
    XSizeHints hints {};
    long supplied = 0;
    if (XGetWMNormalHints(x, window, &hints, &supplied) == 0)
        return QStringLiteral("no size hints");
    QStringList parts;
    if (hints.flags & PMinSize)
        parts << QStringLiteral("min %1x%2").arg(hints.min_width).arg(hints.min_height);
    if (hints.flags & PMaxSize)
        parts << QStringLiteral("max %1x%2").arg(hints.max_width).arg(hints.max_height);
    return parts.join(' ');
}

QRect XDesktop::clientGeometry(Window window)
{
    Window parent = None;
    int left = 0;
    int top = 0;
    unsigned int width = 0;
    unsigned int height = 0;
    unsigned int border = 0;
    unsigned int depth = 0;
    if (XGetGeometry(x, window, &parent, &left, &top, &width, &height, &border, &depth) == 0)
        return {};
    Window child = None;
    XTranslateCoordinates(x, window, root, 0, 0, &left, &top, &child);
    return { left, top, static_cast<int>(width), static_cast<int>(height) };
}

QRect XDesktop::outerGeometry(Window window)
{
    const QList<unsigned long> extents = numbers(window, "_NET_FRAME_EXTENTS", "CARDINAL");
    if (extents.size() != 4)
        return {};
    // Left, right, top, bottom.
    return clientGeometry(window).adjusted(-static_cast<int>(extents[0]), -static_cast<int>(extents[2]),
        static_cast<int>(extents[1]), static_cast<int>(extents[3]));
}

QRect XDesktop::screen()
{
    return clientGeometry(root);
}

QList<unsigned long> XDesktop::stacking()
{
    return numbers(root, "_NET_CLIENT_LIST_STACKING", "WINDOW");
}

void XDesktop::ask(Window window, const char* message, long first, long second)
{
    // Restacks before the request are no answer to it.
    XSync(x, False);
    while (XPending(x) > 0) {
        XEvent stale;
        XNextEvent(x, &stale);
    }
    XEvent event {};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(x, message, False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = first;
    event.xclient.data.l[1] = second;
    XSendEvent(x, root, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XFlush(x);
}

bool XDesktop::waitForRestack(int milliseconds)
{
    const Atom stackingList = XInternAtom(x, "_NET_CLIENT_LIST_STACKING", False);
    const QDeadlineTimer deadline(milliseconds);
    for (;;) {
        while (XPending(x) > 0) {
            XEvent event;
            XNextEvent(x, &event);
            if (event.type == PropertyNotify && event.xproperty.atom == stackingList)
                return true;
        }
        pollfd connection { ConnectionNumber(x), POLLIN, 0 };
        if (deadline.hasExpired() || poll(&connection, 1, static_cast<int>(deadline.remainingTime())) <= 0)
            return false;
    }
}
