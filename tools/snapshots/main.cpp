// Review pictures of the windows: opens the main window on the profile.dat of a folder and
// writes one PNG per page and one of the save-changes dialog. Under a window manager (the xcb
// platform) the pictures are taken from the screen, with the frame the window manager draws.
//   trova_snapshots <folder with profile.dat> <output folder>
#include "ui/Koraxgui.h"
#include "ui/KoraxguiLook.h"
#include "ui/Savechng.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QScreen>
#include <QTabWidget>
#include <QTextStream>

#include <cstdio>

namespace {

constexpr int kFrameWaitMs = 5000;
constexpr int kPaintWaitMs = 300;

// The window as it stands on the screen: once the window manager has framed it and both have
// painted (a window manager answers in its own time, so it gets a moment).
QPixmap screenPicture(QWidget& window)
{
    const QDeadlineTimer framed(kFrameWaitMs);
    while (window.frameGeometry() == window.geometry() && !framed.hasExpired())
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    const QDeadlineTimer painted(kPaintWaitMs);
    while (!painted.hasExpired())
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    const QRect frame = window.frameGeometry();
    return window.screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
}

bool savePicture(QWidget& window, const QString& path)
{
    const bool onScreen = QGuiApplication::platformName() == QStringLiteral("xcb");
    if ((onScreen ? screenPicture(window) : window.grab()).save(path))
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
            window.findChild<QTabWidget*>(QStringLiteral("PageControl1"))->setCurrentIndex(page);
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
