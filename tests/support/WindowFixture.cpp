#include "tests/support/WindowFixture.h"

#include "ui/RadioGroup.h"
#include "ui/Savechng.h"

#include <QApplication>
#include <QMessageBox>
#include <QRegularExpression>

OpenWindow::OpenWindow(const QByteArray& contents)
{
    if (!QDir::setCurrent(folder.path()) || !writeBytes(QStringLiteral("profile.dat"), contents))
        qFatal("cannot write the test profile.dat");
    dialog = std::make_unique<TfSaveChanges>();
    window = std::make_unique<TfKoraxGUI>(*dialog);
    window->show();
}

OpenWindow::~OpenWindow()
{
    window.reset();
    QDir::setCurrent(previous);
}

void OpenWindow::compute() const
{
    control<QTabWidget>("PageControl1").setCurrentIndex(0);
    control<QPushButton>("Button1").click();
}

QStringList callsOf(const QString& name)
{
    QFile log(name + ".log");
    return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()).split('\n', Qt::SkipEmptyParts)
                                         : QStringList();
}

ModalWatcher::ModalWatcher(Answer dialogAnswer)
    : answer(std::move(dialogAnswer))
{
    connect(&timer, &QTimer::timeout, this, &ModalWatcher::look);
    timer.start(10);
}

void ModalWatcher::look()
{
    QWidget* modal = QApplication::activeModalWidget();
    const bool seenBefore = modal == handled;
    handled = modal;
    if (modal == nullptr || seenBefore)
        return;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window != modal && window->isVisible())
            behind << window->metaObject()->className();
    }
    auto* box = qobject_cast<QMessageBox*>(modal);
    seen << QStringLiteral("%1|%2|%3")
                .arg(modal->windowTitle(), box ? box->text() : QString())
                .arg(box ? int(box->icon()) : -1);
    if (box && box->button(QMessageBox::Ok))
        box->button(QMessageBox::Ok)->click();
    else if (answer)
        answer(*modal);
    else
        modal->close();
}

ModalWatcher::Answer pressing(const QString& button)
{
    return [button](QWidget& modal) {
        if (button == "Esc")
            QTest::keyClick(&modal, Qt::Key_Escape);
        for (QPushButton* each : modal.findChildren<QPushButton*>()) {
            if (each->objectName() == button || each->text() == button)
                each->click();
        }
        if (button == "close box")
            modal.close();
    };
}

QStringList shownStates(const TfKoraxGUI& window, const QStringList& names)
{
    QStringList result;
    for (const QString& entry : names) {
        const QString name = entry.section(QRegularExpression(QStringLiteral("[= ]")), 0, 0);
        QWidget* control = window.findChild<QWidget*>(name);
        if (control == nullptr)
            return { name + QStringLiteral(": no such control") };
        QString value;
        if (auto* group = qobject_cast<QGroupBox*>(control))
            value = QStringLiteral("=%1").arg(radio_group::itemIndex(*group));
        else if (auto* box = qobject_cast<QCheckBox*>(control))
            value = box->isChecked() ? QStringLiteral("=on") : QStringLiteral("=off");
        else if (auto* edit = qobject_cast<QLineEdit*>(control))
            value = '=' + edit->text();
        result << name + value + (control->isEnabled() ? "" : " (greyed)");
    }
    return result;
}
