// The program's modal message boxes; each waits for its answer.
#pragma once

class QString;
class QWidget;

namespace messages {

// A plain box: the text, the caption and an OK button, no icon.
void showMessage(QWidget* parent, const QString& caption, const QString& text);

// A failure report: the stop icon, the text, the caption and an OK button.
void showFailure(QWidget* parent, const QString& caption, const QString& text);

enum class Answer { yes, no, back };

// A question with "&Ano" (the default, Enter) and "&Ne". With back, also "Zpět", which Esc and
// the close box then answer, so that neither can drop anything; without it they answer "&Ne".
Answer ask(QWidget* parent, const QString& caption, const QString& text, bool withBack);

} // namespace messages
