// Keeps typed text within what profile.dat can hold, so every setting reaches the file exactly
// as shown: a character that Windows-1250 has no byte for cannot be entered, nor a NUL (it
// would end the file for the next reader), nor a line break inside a one-line value (it would
// split the key line in two).
#pragma once

#include <QPlainTextEdit>

class QLineEdit;
class QWidget;

// A memo that refuses such characters whether typed, pasted, dropped or composed.
class Cp1250PlainTextEdit : public QPlainTextEdit {
    Q_OBJECT

public:
    using QPlainTextEdit::QPlainTextEdit;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
};

void restrictToCp1250(QLineEdit& edit);

// Restricts every single-line edit under root (the memos restrict themselves).
void restrictToCp1250(QWidget& root);
