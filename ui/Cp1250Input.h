// Keeps typed text within what profile.dat can hold: a character that Windows-1250 has no
// byte for cannot be entered, so every setting reaches the file exactly as shown.
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
