// Shared by the window tests: a profile.dat in a temporary working folder, the main window on
// it, and a watcher that answers modal boxes for real as they come up.
#pragma once

#include <QObject>
#include <QString>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <memory>

class TfKoraxGUI;
class TfSaveChanges;
class QWidget;

// A temporary folder made the working directory, holding profile.dat.
class ProfileFolder {
public:
    explicit ProfileFolder(const QByteArray& contents);
    ~ProfileFolder();
    ProfileFolder(const ProfileFolder&) = delete;
    ProfileFolder& operator=(const ProfileFolder&) = delete;

    QByteArray contents() const;
    QString path() const;
    void makeReadOnly() const;

private:
    QTemporaryDir dir;
    QString previous;
};

// The main window and the save-changes dialog, as start-up creates them.
class OpenWindow {
public:
    explicit OpenWindow(const QByteArray& contents);
    ~OpenWindow();
    OpenWindow(const OpenWindow&) = delete;
    OpenWindow& operator=(const OpenWindow&) = delete;

    ProfileFolder folder;
    std::unique_ptr<TfKoraxGUI> window;
    std::unique_ptr<TfSaveChanges> dialog;
};

// What a modal box showed.
struct SeenModal {
    QString className;
    QString title;
    QString text;
    int icon = -1;
};

// Watches for modal windows; records each one and answers it with the given action (message
// boxes with OK unless an answer is given for them too).
class ModalWatcher : public QObject {
public:
    using Answer = std::function<void(QWidget&)>;
    explicit ModalWatcher(Answer dialogAnswer = {});

    QList<SeenModal> seen;

private:
    void look();

    Answer answer;
    QTimer timer;
    QWidget* handled = nullptr;
};

// Answers for the save-changes dialog.
namespace answers {
ModalWatcher::Answer press(const char* buttonName);
ModalWatcher::Answer escape();
ModalWatcher::Answer closeBox();
}  // namespace answers

QByteArray readDemoProfile();
