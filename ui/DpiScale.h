// The window's one size adaptation to the screen's pixel density, after its layout is loaded.
#pragma once

class QWidget;

// f = pixels per inch x (1/96), in single precision.
float dpiScaleFactor(int pixelsPerInch);

// Multiplies the window's outer width and height by factor, truncating; the window stays
// fixed in size.
void scaleOuterSize(QWidget& window, float factor);
