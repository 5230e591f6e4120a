// Qt's own Czech translations (qtbase_cs from the Qt installation), so that the file, print and
// message-box dialogs Qt draws speak Czech like the rest of the program.
#pragma once

class QCoreApplication;

// Installs them into the application; false when they are not installed on the system (the
// dialogs then stay in English).
bool installQtCzech(QCoreApplication& application);
