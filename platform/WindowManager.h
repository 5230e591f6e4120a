// What T/ROVA tells the desktop's window manager about its windows, beyond what the toolkit says.
#pragma once

#include <QMargins>

class QWindow;

namespace window_manager {

// The frame the window manager draws around window. Asked of the window manager before the
// window is first mapped, so that the window can be sized and centred with its real frame on
// its first show; without a window manager the margins the toolkit knows (none offscreen).
QMargins frameMargins(QWindow& window);

// The toolkit gives a window its owner (WM_TRANSIENT_FOR) only when it types it a dialog; this
// keeps such a window an ordinary one for the window manager, with every box of its frame.
// Call after the native window exists and before it is mapped.
void markAsNormalWindow(QWindow& window);

} // namespace window_manager
