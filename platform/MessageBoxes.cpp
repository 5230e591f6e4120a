#include "platform/MessageBoxes.h"

#include <QMessageBox>

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

} // namespace messages
