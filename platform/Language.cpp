#include "platform/Language.h"

#include "platform/QtCzech.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

namespace language {
namespace {

ui_language::Language chosenLanguage = ui_language::Language::Czech;

} // namespace

ui_language::Language useDesktopLanguage()
{
    const QLocale desktop = QLocale::system();
    const QString first = desktop.uiLanguages().value(0);
    const ui_language::Language chosen = ui_language::choose(
        qgetenv(ui_language::kOverrideVariable).toStdString(), desktop.name().toStdString(), first.toStdString());
    qputenv(ui_language::kOverrideVariable, ui_language::overrideValue(chosen));
    chosenLanguage = chosen;
    if (chosen == ui_language::Language::English) {
        // Lives as long as the program; our Czech texts are the source, so Czech needs none of
        // ours, and Qt's own dialogs are English without one.
        static QTranslator english;
        if (english.load(QStringLiteral(":/trova/i18n/trova_en.qm")))
            QCoreApplication::installTranslator(&english);
    } else {
        installQtCzech(*QCoreApplication::instance());
    }
    return chosen;
}

ui_language::Language current()
{
    return chosenLanguage;
}

QString text(const char* czech)
{
    return QCoreApplication::translate("texts", czech);
}

} // namespace language
