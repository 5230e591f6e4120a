#include "tests/window/WindowFixture.h"

#include "ui/Koraxgui.h"
#include "ui/RadioGroup.h"
#include "ui/Savechng.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QRegularExpression>

ProfileFolder::ProfileFolder(const QByteArray& contents)
{
    QFile profile(file());
    if (!profile.open(QIODevice::WriteOnly) || profile.write(contents) != contents.size())
        qFatal("cannot write the test profile.dat");
    profile.close();
    QDir::setCurrent(dir.path());
}

QByteArray ProfileFolder::contents() const
{
    QFile profile(file());
    return profile.open(QIODevice::ReadOnly) ? profile.readAll() : QByteArray("<missing>");
}

OpenWindow::OpenWindow(const QByteArray& contents)
    : folder(contents)
    , dialog(std::make_unique<TfSaveChanges>())
    , window(std::make_unique<TfKoraxGUI>(*dialog))
{
    window->show();
}

OpenWindow::~OpenWindow() = default;

ModalWatcher::ModalWatcher(Answer dialogAnswer)
    : answer(std::move(dialogAnswer))
{
    connect(&timer, &QTimer::timeout, this, &ModalWatcher::look);
    timer.start(kLookIntervalMs);
}

void ModalWatcher::look()
{
    QWidget* modal = QApplication::activeModalWidget();
    const bool seenBefore = modal == handled;
    handled = modal;
    if (modal == nullptr || seenBefore)
        return;
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

QByteArray readDemoProfile()
{
    QFile file(QStringLiteral(TROVA_DEMO_DATA "/profile.dat"));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read the sample profile.dat");
    return file.readAll();
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
