// Shared by the window tests: a profile.dat in a temporary working folder, the main window on
// it, and a watcher that answers modal boxes for real as they come up.
#pragma once

#include <QDir>
#include <QFile>
#include <QObject>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

class TfKoraxGUI;
class TfSaveChanges;

// A temporary folder made the working directory, holding profile.dat.
class ProfileFolder {
public:
    explicit ProfileFolder(const QByteArray& contents);
    ~ProfileFolder() { QDir::setCurrent(previous); }

    QByteArray contents() const;
    QString path() const { return dir.path(); }
    void makeReadOnly() const { QFile::setPermissions(file(), QFile::ReadOwner | QFile::ReadGroup); }

private:
    QString file() const { return dir.filePath(QStringLiteral("profile.dat")); }

    QTemporaryDir dir;
    QString previous = QDir::currentPath();
};

// The main window and the save-changes dialog, as start-up creates them.
class OpenWindow {
public:
    explicit OpenWindow(const QByteArray& contents);
    ~OpenWindow();

    ProfileFolder folder;
    std::unique_ptr<TfSaveChanges> dialog;
    std::unique_ptr<TfKoraxGUI> window;
};

// Watches for modal windows; records each one and answers it (message boxes with an OK button
// with OK, others with the given action, or by closing them when no answer is given).
class ModalWatcher : public QObject {
public:
    using Answer = std::function<void(QWidget&)>;
    explicit ModalWatcher(Answer dialogAnswer = {});

    // Each window seen, as "title|text|icon" (text empty and icon -1 for a dialog).
    QStringList seen;

private:
    static constexpr int kLookIntervalMs = 10;

    void look();

    Answer answer;
    QTimer timer;
    QWidget* handled = nullptr;
};

// Answers for the save-changes dialog.
namespace answers {
inline ModalWatcher::Answer press(const char* buttonName)
{
    return [buttonName](QWidget& modal) { modal.findChild<QPushButton*>(QString::fromLatin1(buttonName))->click(); };
}
// A button found by its caption, as on the question boxes.
inline ModalWatcher::Answer pressCaption(const QString& caption)
{
    return [caption](QWidget& modal) {
        for (QPushButton* button : modal.findChildren<QPushButton*>()) {
            if (button->text() == caption)
                button->click();
        }
    };
}
inline ModalWatcher::Answer escape()
{
    return [](QWidget& modal) { QTest::keyClick(&modal, Qt::Key_Escape); };
}
inline ModalWatcher::Answer closeBox()
{
    return [](QWidget& modal) { modal.close(); };
}
} // namespace answers

QByteArray readDemoProfile();

// Each named control as the user sees it: "name=value" for an edit (its text), a check box
// (on/off) or a radio group (the item index), the bare name for others; " (greyed)" added when
// disabled. The names are read up to "=" or a blank, so the expected states can be passed in.
QStringList shownStates(const TfKoraxGUI& window, const QStringList& names);
