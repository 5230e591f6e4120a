// Both windows open centred on the screen, measured with the frame the window manager gives them.
#pragma once

#include <QMargins>
#include <QSize>

class QWidget;

// The frame around window, known before its first show where a window manager can tell.
QMargins frameOf(QWidget& window);

// Places window with its frame centred on its screen; clientSize is the size inside the frame.
void centreOnScreen(QWidget& window, const QSize& clientSize, const QMargins& frame);
