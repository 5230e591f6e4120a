#include "ui/ErrorReport.h"

#include "platform/Cp1250.h"
#include "platform/Language.h"
#include "platform/MessageBoxes.h"
#include "platform/Texts.h"
#include "profile/TProfile.h"

#include <QString>

namespace errors {
namespace {

QString causeOf(const platform::ReplaceResult& failure)
{
    switch (failure.failure) {
    case platform::SaveFailure::noSpace:
        return language::text(texts::kSaveNoSpace);
    case platform::SaveFailure::overQuota:
        return language::text(texts::kSaveOverQuota);
    case platform::SaveFailure::readOnly:
        return language::text(texts::kSaveReadOnly);
    case platform::SaveFailure::noPermission:
        return language::text(texts::kSaveNoPermission);
    case platform::SaveFailure::tooLarge:
        return language::text(texts::kSaveTooLarge);
    case platform::SaveFailure::untrustedLink:
        return language::text(texts::kSaveUntrustedLink).arg(QString::fromStdString(failure.link));
    case platform::SaveFailure::none:
    case platform::SaveFailure::other:
        break;
    }
    return QString::fromStdString(failure.systemText);
}

} // namespace

// File names from profile.dat are Windows-1250 bytes; the system's words and the journal's path
// are UTF-8, as the file layer gives them.
QString textOf(const std::exception& failure)
{
    if (const auto* open = dynamic_cast<const ProfileOpenError*>(&failure)) {
        const QString name = cp1250::toUnicode(open->fileName());
        switch (open->cause()) {
        case platform::RegularRead::NotRegular:
            return language::text(texts::kProfileNotRegular).arg(name);
        case platform::RegularRead::TooLarge:
            return language::text(texts::kProfileTooLarge).arg(name);
        case platform::RegularRead::Read:
        case platform::RegularRead::Missing:
        case platform::RegularRead::Unreadable:
            break;
        }
        return language::text(texts::kProfileNotFound) + name;
    }
    if (const auto* save = dynamic_cast<const ProfileSaveError*>(&failure)) {
        const platform::ReplaceResult& result = save->failure();
        QString text = QString::fromUtf8(texts::kCannotCreateFile) + cp1250::toUnicode(save->fileName()) + "\n"
            + causeOf(result);
        if (!result.keptJournal.empty())
            text += language::text(texts::kOldContentsKeptIn) + QString::fromStdString(result.keptJournal);
        return text;
    }
    return cp1250::toUnicode(failure.what());
}

void report(QWidget* parent, const std::exception& failure)
{
    messages::showFailure(parent, QString::fromUtf8(texts::kApplicationTitle), textOf(failure));
}

bool runReported(QWidget* parent, const std::function<void()>& handler)
{
    try {
        handler();
        return true;
    } catch (const ProfileOpenError&) {
        throw;
    } catch (const std::exception& failure) {
        report(parent, failure);
        return false;
    }
}

} // namespace errors
