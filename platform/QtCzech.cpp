#include "platform/QtCzech.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

bool installQtCzech(QCoreApplication& application)
{
    auto* translator = new QTranslator(&application);
    if (!translator->load(QStringLiteral("qtbase_cs"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))
        || !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}
