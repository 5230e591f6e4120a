#include "AppShell.h"

#include "Cp1250.h"
#include "ErrorReport.h"
#include "Glyphs.h"
#include "Koraxgui.h"
#include "KoraxguiLook.h"
#include "MessageBoxes.h"
#include "Savechng.h"
#include "TProfile.h"

#include <QApplication>

namespace {

constexpr int kExitProfileMissing = 1;

// The windows live exactly as long as the message loop.
struct WindowsInUse {
    WindowsInUse(TfKoraxGUI& main, TfSaveChanges& dialog)
    {
        fKoraxGUI = &main;
        fSaveChanges = &dialog;
    }
    ~WindowsInUse()
    {
        fSaveChanges = nullptr;
        fKoraxGUI = nullptr;
    }
    WindowsInUse(const WindowsInUse&) = delete;
    WindowsInUse& operator=(const WindowsInUse&) = delete;
};

} // namespace

int runApplication()
{
    const QString title = QString::fromLatin1(kApplicationTitle);
    try {
        QApplication::setApplicationName(title);
        // Window captions stand alone, as the program gives them ("Chyba", "Save Changes").
        QApplication::setApplicationDisplayName(QStringLiteral(""));
        QApplication::setWindowIcon(glyphs::programIcon());
        useClassicStyle();
        TfKoraxGUI mainWindow;
        TfSaveChanges saveChanges;
        const WindowsInUse inUse(mainWindow, saveChanges);
        mainWindow.show();
        QApplication::exec();
    } catch (const ProfileOpenError& failure) {
        messages::showMessage(nullptr, title, cp1250::toUnicode(failure.what()));
        return kExitProfileMissing;
    } catch (const std::exception& failure) {
        errors::report(nullptr, failure);
    }
    return 0;
}
