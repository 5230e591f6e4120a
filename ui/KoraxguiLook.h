// The main window's fonts, colours and pictures, which its layout file cannot give in pixels.
#pragma once

class QWidget;

// The classic desktop style the windows are laid out for: captions on the frame lines, the
// raised and sunken bevels. Call once, before the first window is built.
void useClassicStyle();

// The main window's look, its controls found by their names in the form.
void applyKoraxguiLook(QWidget& window);

// How long a tooltip stays up, for root and every control on it.
void setHintHidePause(QWidget& root, int milliseconds);
