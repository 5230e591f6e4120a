// The main window's fonts, colours and pictures, which its layout file cannot give in pixels.
#pragma once

class QWidget;
class TfKoraxGUI;

// The classic desktop style the windows are laid out for: captions on the frame lines, the
// raised and sunken bevels. Call once, before the first window is built.
void useClassicStyle();

void applyKoraxguiLook(TfKoraxGUI& window);

// How long a tooltip stays up, for root and every control on it.
void setHintHidePause(QWidget& root, int milliseconds);
