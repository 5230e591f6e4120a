#include "WindowFixture.h"

#include "Koraxgui.h"
#include "Savechng.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

namespace {

constexpr int kLookIntervalMs = 10;

}  // namespace

ProfileFolder::ProfileFolder(const QByteArray& contents)
    : previous(QDir::currentPath())
{
    QFile file(dir.filePath(QStringLiteral("profile.dat")));
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size())
        qFatal("cannot write the test profile.dat");
    file.close();
    QDir::setCurrent(dir.path());
}

ProfileFolder::~ProfileFolder()
{
    QDir::setCurrent(previous);
}

QByteArray ProfileFolder::contents() const
{
    QFile file(dir.filePath(QStringLiteral("profile.dat")));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QString ProfileFolder::path() const
{
    return dir.path();
}

void ProfileFolder::makeReadOnly() const
{
    QFile::setPermissions(dir.filePath(QStringLiteral("profile.dat")), QFile::ReadOwner | QFile::ReadGroup);
}

OpenWindow::OpenWindow(const QByteArray& contents)
    : folder(contents)
    , window(std::make_unique<TfKoraxGUI>())
    , dialog(std::make_unique<TfSaveChanges>())
{
    fKoraxGUI = window.get();
    fSaveChanges = dialog.get();
    window->show();
}

OpenWindow::~OpenWindow()
{
    fSaveChanges = nullptr;
    fKoraxGUI = nullptr;
}

ModalWatcher::ModalWatcher(Answer dialogAnswer)
    : answer(std::move(dialogAnswer))
{
    connect(&timer, &QTimer::timeout, this, &ModalWatcher::look);
    timer.start(kLookIntervalMs);
}

void ModalWatcher::look()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || modal == handled) {
        handled = modal;
        return;
    }
    handled = modal;
    SeenModal entry{QString::fromLatin1(modal->metaObject()->className()), modal->windowTitle(), {}, -1};
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        entry.text = box->text();
        entry.icon = box->icon();
        seen.append(entry);
        box->button(QMessageBox::Ok)->click();
        return;
    }
    seen.append(entry);
    if (answer)
        answer(*modal);
    else
        modal->close();
}

namespace answers {

ModalWatcher::Answer press(const char* buttonName)
{
    return [buttonName](QWidget& modal) {
        auto* button = modal.findChild<QPushButton*>(QString::fromLatin1(buttonName));
        QVERIFY(button != nullptr);
        button->click();
    };
}

ModalWatcher::Answer escape()
{
    return [](QWidget& modal) { QTest::keyClick(&modal, Qt::Key_Escape); };
}

ModalWatcher::Answer closeBox()
{
    return [](QWidget& modal) { modal.close(); };
}

}  // namespace answers

QByteArray readDemoProfile()
{
    QFile file(QStringLiteral(TROVA_DEMO_DATA "/profile.dat"));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read the sample profile.dat");
    return file.readAll();
}
