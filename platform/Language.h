// The language of the window and the viewer, chosen once at the start by the rule in
// files/UiLanguage.h from Qt's view of the desktop, and the texts of platform/Texts.h in it.
#pragma once

#include "files/UiLanguage.h"

#include <QString>

namespace language {

// Loads the English translation when the rule asks for it, else Qt's own Czech (platform/QtCzech.h),
// and sets TROVA_LANG to the language chosen, so that the planner and the viewer the window starts speak the same one.
// Call once, after the application object exists and before any window is built.
ui_language::Language useDesktopLanguage();

// The language chosen (Czech until useDesktopLanguage is called).
ui_language::Language current();

// A text of platform/Texts.h in the language chosen.
QString text(const char* czech);

} // namespace language
