#include "app/AppShell.h"

#include "app/CutSaveRecovery.h"
#include "platform/MessageBoxes.h"
#include "platform/Texts.h"
#include "profile/ProfileKeys.h"
#include "profile/TProfile.h"
#include "ui/ErrorReport.h"
#include "ui/Glyphs.h"
#include "ui/Koraxgui.h"
#include "ui/KoraxguiLook.h"
#include "ui/Savechng.h"

#include <QApplication>

namespace {

constexpr int kExitProfileMissing = 1;

} // namespace

int runApplication()
{
    const QString title = QString::fromUtf8(texts::kApplicationTitle);
    try {
        QApplication::setApplicationName(title);
        // Window captions stand alone, as the program gives them ("Chyba", "Save Changes").
        QApplication::setApplicationDisplayName(QStringLiteral(""));
        QApplication::setWindowIcon(glyphs::programIcon());
        useClassicStyle();
        offerToUndoCutSave(keys::kProfileFileName);
        // The dialog first: the main window asks through it when it closes.
        TfSaveChanges saveChanges;
        TfKoraxGUI mainWindow(saveChanges);
        mainWindow.show();
        QApplication::exec();
    } catch (const ProfileOpenError& failure) {
        messages::showMessage(nullptr, title, errors::textOf(failure));
        return kExitProfileMissing;
    } catch (const std::exception& failure) {
        errors::report(nullptr, failure);
    }
    return 0;
}
