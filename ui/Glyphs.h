// The drawn pictures of the program: button glyphs, the program icon, the info picture.
#pragma once

#include <QIcon>
#include <QPixmap>

class QPushButton;

namespace glyphs {

enum class Kind { Ok, Cancel };

// Puts the kind's two-state glyph on the button: the left half while enabled, the greyed
// right half while disabled, the olive background transparent.
void putGlyph(QPushButton& button, Kind kind);

// The 32 x 32 program icon, a diving mask with a snorkel.
QIcon programIcon();

// The 174 x 127 picture of the info page.
QPixmap infoPicture();

} // namespace glyphs
