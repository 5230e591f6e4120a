// T/ROVA: the Czech-language window in front of the decompression planner KORAX.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("T/ROVA"));
    QWidget window;
    window.setWindowTitle(QStringLiteral("T/ROVA"));
    window.show();
    return QApplication::exec();
}
