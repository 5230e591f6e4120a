#include "platform/MessageBoxes.h"
#include "platform/Language.h"

#include "platform/Texts.h"

#include <QMessageBox>
#include <QPushButton>

namespace messages {
namespace {

void showBox(QWidget* parent, QMessageBox::Icon icon, const QString& caption, const QString& text)
{
    // Owned by the window, not the control that failed, so the window manager keeps the box
    // above that window.
    QMessageBox box(icon, caption, text, QMessageBox::Ok, parent != nullptr ? parent->window() : nullptr);
    // Texts come from files and failures: never let them be read as markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace

void showMessage(QWidget* parent, const QString& caption, const QString& text)
{
    showBox(parent, QMessageBox::NoIcon, caption, text);
}

void showFailure(QWidget* parent, const QString& caption, const QString& text)
{
    showBox(parent, QMessageBox::Critical, caption, text);
}

Answer ask(QWidget* parent, const QString& caption, const QString& text, bool withBack)
{
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::NoButton, parent);
    box.setTextFormat(Qt::PlainText);
    QPushButton* yes = box.addButton(language::text(texts::kYesButton), QMessageBox::YesRole);
    QPushButton* no = box.addButton(language::text(texts::kNoButton), QMessageBox::NoRole);
    QPushButton* back = withBack ? box.addButton(language::text(texts::kBackButton), QMessageBox::RejectRole) : nullptr;
    box.setDefaultButton(yes);
    box.setEscapeButton(withBack ? back : no);
    box.exec();
    if (box.clickedButton() == yes)
        return Answer::yes;
    return box.clickedButton() == no ? Answer::no : Answer::back;
}

} // namespace messages
