// Draws the program's icon for the desktop's icon theme: the 32 px picture of the window
// (ui/images/icon.xpm) at every size the hicolor theme asks for.
//   trova_render_icon ICON.xpm OUTPUT_FOLDER NAME   writes OUTPUT_FOLDER/<N>x<N>/apps/NAME.png
#include <QDir>
#include <QFileInfo>
#include <QImage>

#include <cstdio>

namespace {

constexpr int kSizes[] = { 16, 24, 32, 48, 64, 128, 256 };

// Enlarged by whole pixels first, so that the drawing stays sharp; only what is left of the
// step is smoothed.
QImage drawnAt(const QImage& picture, int size)
{
    const int whole = (size + picture.width() - 1) / picture.width();
    const QImage blocks = picture.scaled(picture.size() * whole, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    return blocks.width() == size ? blocks : blocks.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: trova_render_icon ICON.xpm OUTPUT_FOLDER NAME\n");
        return 1;
    }
    const QImage picture(QString::fromLocal8Bit(argv[1]));
    if (picture.isNull() || picture.width() != picture.height()) {
        std::fprintf(stderr, "%s: not a square picture\n", argv[1]);
        return 1;
    }
    const QDir output(QString::fromLocal8Bit(argv[2]));
    for (const int size : kSizes) {
        const QString path = output.filePath(QStringLiteral("%1x%1/apps/%2.png").arg(size).arg(argv[3]));
        if (!QDir().mkpath(QFileInfo(path).path()) || !drawnAt(picture, size).save(path)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
