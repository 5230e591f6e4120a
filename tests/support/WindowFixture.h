// Shared by the window and run tests: a profile.dat in a temporary working folder, the main
// window on it, and a watcher that answers modal boxes for real as they come up.
#pragma once

#include "tests/support/Cases.h"
#include "tests/support/TestFiles.h"
#include "ui/Koraxgui.h"

#include <QDir>
#include <QFile>
#include <QObject>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

class TfSaveChanges;

// The main window and the save-changes dialog, as start-up creates them, on a profile.dat of
// contents in a temporary folder made the working directory.
class OpenWindow {
public:
    explicit OpenWindow(const QByteArray& contents);
    ~OpenWindow();

    // Presses "&Výpočet" on the dive page (the button is off on the page the window opens on).
    void compute() const;

    // A control of the window by its object name; a name the form lacks ends the test.
    template <class Control> Control& control(const char* name) const
    {
        auto* found = window->findChild<Control*>(QLatin1String(name));
        if (found == nullptr)
            qFatal("the window has no control %s", name);
        return *found;
    }

    QTemporaryDir folder;
    const QString previous = QDir::currentPath();
    std::unique_ptr<TfSaveChanges> dialog;
    std::unique_ptr<TfKoraxGUI> window;
};

// The starts of the stand-in copied in as name (korax.exe, notepad.exe), one "argc=N|arg|arg" each.
QStringList callsOf(const QString& name);

// Watches for modal windows; records each one and answers it (message boxes with an OK button
// with OK, others with the given action, or by closing them when no answer is given).
class ModalWatcher : public QObject {
public:
    using Answer = std::function<void(QWidget&)>;
    explicit ModalWatcher(Answer dialogAnswer = {});

    // Each window seen, as "title|text|icon" (text empty and icon -1 for a dialog).
    QStringList seen;
    // The other windows visible as each one came up, by class.
    QStringList behind;

private:
    void look();

    Answer answer;
    QTimer timer;
    // Guarded: a box that follows a deleted one may take its address.
    QPointer<QWidget> handled;
};

// An answer by a button's object name or caption ("Esc" for the key, "close box" to close).
ModalWatcher::Answer pressing(const QString& button);

// Each named control as the user sees it: "name=value" for an edit (its text), a check box
// (on/off) or a radio group (the item index), the bare name for others; " (greyed)" added when
// disabled. The names are read up to "=" or a blank, so the expected states can be passed in.
QStringList shownStates(const TfKoraxGUI& window, const QStringList& names);
