#include "ui/ErrorReport.h"

#include "platform/Cp1250.h"
#include "platform/MessageBoxes.h"
#include "platform/Texts.h"
#include "profile/TProfile.h"

#include <QString>

namespace errors {

void report(QWidget* parent, const std::exception& failure)
{
    // Failure texts carry file names, which are Windows-1250 bytes like everything in profile.dat.
    messages::showFailure(parent, QString::fromUtf8(texts::kApplicationTitle), cp1250::toUnicode(failure.what()));
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
