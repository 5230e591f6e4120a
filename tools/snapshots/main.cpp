// Review pictures of the windows: opens the main window on the profile.dat of a folder and
// writes one PNG per page and one of the save-changes dialog.
//   trova_snapshots <folder with profile.dat> <output folder>
#include "ui/Koraxgui.h"
#include "ui/KoraxguiLook.h"
#include "ui/Savechng.h"

#include <QApplication>
#include <QDir>
#include <QTabWidget>
#include <QTextStream>

#include <cstdio>

namespace {

bool savePicture(QWidget& window, const QString& path)
{
    if (window.grab().save(path))
        return true;
    QTextStream(stderr) << "Cannot write " << path << '\n';
    return false;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 3) {
        QTextStream(stderr) << "Usage: trova_snapshots <folder with profile.dat> <output folder>\n";
        return 2;
    }
    const QDir output(QDir(arguments[2]).absolutePath());
    if (!QDir().mkpath(output.path()) || !QDir::setCurrent(arguments[1])) {
        QTextStream(stderr) << "Cannot use the folders given\n";
        return 2;
    }
    useClassicStyle();
    try {
        TfSaveChanges dialog;
        TfKoraxGUI window(dialog);
        window.show();
        const QStringList pages
            = { QStringLiteral("1-dive.png"), QStringLiteral("2-gases.png"), QStringLiteral("3-info.png") };
        bool written = true;
        for (int page = 0; page < pages.size(); ++page) {
            window.PageControl1->setCurrentIndex(page);
            QApplication::processEvents();
            written = savePicture(window, output.filePath(pages[page])) && written;
        }
        dialog.show();
        QApplication::processEvents();
        written = savePicture(dialog, output.filePath(QStringLiteral("4-save-changes.png"))) && written;
        return written ? 0 : 1;
    } catch (const std::exception& failure) {
        QTextStream(stderr) << failure.what() << '\n';
        return 1;
    }
}
