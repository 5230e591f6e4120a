// The program's typeface at the pixel heights the windows are drawn for.
#pragma once

#include <QFont>

// "MS Sans Serif" where it exists, a plain sans-serif face of the same pixel height elsewhere.
QFont pixelFont(int pixels, bool bold);
