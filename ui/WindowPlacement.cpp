#include "ui/WindowPlacement.h"

#include "platform/WindowManager.h"

#include <QScreen>
#include <QWidget>
#include <QWindow>

QMargins frameOf(QWidget& window)
{
    QWindow* handle = window.windowHandle();
    return handle != nullptr ? window_manager::frameMargins(*handle) : QMargins();
}

void centreOnScreen(QWidget& window, const QSize& clientSize, const QMargins& frame)
{
    const QRect screen = window.screen()->geometry();
    const QSize outer = clientSize.grownBy(frame);
    const QPoint frameCorner(
        screen.x() + (screen.width() - outer.width()) / 2, screen.y() + (screen.height() - outer.height()) / 2);
    window.setGeometry(QRect(frameCorner + QPoint(frame.left(), frame.top()), clientSize));
}
