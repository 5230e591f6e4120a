#include "app/CutSaveRecovery.h"

#include "files/SaveJournal.h"
#include "platform/Language.h"
#include "platform/MessageBoxes.h"
#include "platform/Texts.h"
#include "profile/TProfile.h"
#include "ui/ErrorReport.h"

#include <QString>

void offerToUndoCutSave(const char* fileName)
{
    const auto cut = platform::findCutSave(fileName);
    if (!cut)
        return;
    const QString title = QString::fromUtf8(texts::kApplicationTitle);
    if (messages::ask(nullptr, title, language::text(texts::kSaveWasCut), false) == messages::Answer::yes) {
        // The answer was given about the file as it was: one changed while the box was open
        // (another program, another window's answer) is not overwritten with the old bytes.
        if (!platform::isStillAsFound(*cut)) {
            messages::showMessage(nullptr, title, language::text(texts::kCutSaveChangedMeanwhile));
        } else {
            // A failed restore keeps the journal, so the next start asks again.
            if (const platform::ReplaceResult restored = platform::restoreCutSave(*cut); !restored)
                errors::report(nullptr, ProfileSaveError(fileName, restored));
            return;
        }
    }
    const std::string aside = platform::keepCutFile(*cut);
    messages::showMessage(nullptr, title,
        aside.empty() ? language::text(texts::kCutSaveNotSetAside)
                      : language::text(texts::kCutSaveSetAside).arg(QString::fromStdString(aside)));
}
