// The program's modal message boxes; each waits for its OK button.
#pragma once

class QString;
class QWidget;

namespace messages {

// A plain box: the text, the caption and an OK button, no icon.
void showMessage(QWidget* parent, const QString& caption, const QString& text);

// A failure report: the stop icon, the text, the caption and an OK button.
void showFailure(QWidget* parent, const QString& caption, const QString& text);

} // namespace messages
