// The test's own look at the X server: what the window manager and the server report about a
// window, and the requests a user's window manager actions send.
#pragma once

#include <QList>
#include <QRect>
#include <QStringList>

// Xlib's own names stay out: its macros clash with Qt's.
struct _XDisplay;
using Window = unsigned long;

class XDesktop {
public:
    // The display named by DISPLAY.
    XDesktop();
    ~XDesktop();
    XDesktop(const XDesktop&) = delete;
    XDesktop& operator=(const XDesktop&) = delete;

    // The atom names a property holds, in its order.
    QStringList atoms(Window window, const char* property);
    // A property of 32-bit numbers of the named type (CARDINAL, WINDOW; null for any), in order.
    QList<unsigned long> numbers(Window window, const char* property, const char* type);
    QString utf8Text(Window window, const char* property);
    Window transientFor(Window window);
    // "min WxH max WxH" from WM_NORMAL_HINTS, or the part of it that is set.
    QString sizeLimits(Window window);
    // The client area in root coordinates, and the same grown by _NET_FRAME_EXTENTS.
    QRect clientGeometry(Window window);
    QRect outerGeometry(Window window);
    QRect screen();
    // Bottom to top.
    QList<unsigned long> stacking();

    // A request to the window manager, as a taskbar or a title bar sends it.
    void ask(Window window, const char* message, long first = 0, long second = 0);
    // Waits (bounded) until the window manager next rewrites its stacking list.
    bool waitForRestack(int milliseconds);

private:
    _XDisplay* x;
    Window root;
};
