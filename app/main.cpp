// T/ROVA: the Czech-language window in front of the decompression planner KORAX.
#include "app/AppShell.h"
#include "platform/QtCzech.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    installQtCzech(application);
    return runApplication();
}
