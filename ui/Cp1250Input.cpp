#include "ui/Cp1250Input.h"

#include "platform/Cp1250.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QValidator>

namespace {

class Cp1250Validator : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int& /*position*/) const override
    {
        const bool oneLine = !input.contains(QLatin1Char('\n')) && !input.contains(QLatin1Char('\r'));
        return oneLine && !input.contains(QChar::Null) && cp1250::canEncode(input) ? Acceptable : Invalid;
    }
};

// Paragraph breaks inside the memo are line breaks in the file.
bool memoCanHold(const QString& text)
{
    QString plain = text;
    plain.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return !plain.contains(QChar::Null) && cp1250::canEncode(plain);
}

// Pasted text may end its lines with CR LF or CR; in the memo every line ends with a break.
QString withMemoLineBreaks(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace

void Cp1250PlainTextEdit::keyPressEvent(QKeyEvent* event)
{
    if (!memoCanHold(event->text())) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void Cp1250PlainTextEdit::inputMethodEvent(QInputMethodEvent* event)
{
    if (!memoCanHold(event->commitString())) {
        QInputMethodEvent withoutCommit(event->preeditString(), event->attributes());
        QPlainTextEdit::inputMethodEvent(&withoutCommit);
        return;
    }
    QPlainTextEdit::inputMethodEvent(event);
}

bool Cp1250PlainTextEdit::canInsertFromMimeData(const QMimeData* source) const
{
    return source->hasText() && memoCanHold(withMemoLineBreaks(source->text()));
}

void Cp1250PlainTextEdit::insertFromMimeData(const QMimeData* source)
{
    if (!canInsertFromMimeData(source))
        return;
    // Plain text only: formatting could not reach the file anyway.
    insertPlainText(withMemoLineBreaks(source->text()));
}

void restrictToCp1250(QLineEdit& edit)
{
    edit.setValidator(new Cp1250Validator(&edit));
}

void restrictToCp1250(QWidget& root)
{
    for (QLineEdit* edit : root.findChildren<QLineEdit*>())
        restrictToCp1250(*edit);
}
