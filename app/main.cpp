// T/ROVA: the Czech (or English) window in front of the decompression planner KORAX.
#include "app/AppShell.h"
#include "platform/Language.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    language::useDesktopLanguage();
    return runApplication();
}
