// Draws the program's icon for the desktop's icon theme: the scalable icon (packaging/icon/,
// drawn from the window's 32 px picture) rendered at every size the hicolor theme asks for,
// transparent around the shape.
//   trova_render_icon ICON.svg OUTPUT_FOLDER NAME   writes OUTPUT_FOLDER/<N>x<N>/apps/NAME.png
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

namespace {

constexpr int kSizes[] = { 16, 24, 32, 48, 64, 128, 256, 512 };

QImage drawnAt(QSvgRenderer& icon, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    icon.render(&painter, QRectF(0, 0, size, size));
    return image;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: trova_render_icon ICON.svg OUTPUT_FOLDER NAME\n");
        return 1;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QSvgRenderer icon(QString::fromLocal8Bit(argv[1]));
    if (!icon.isValid() || icon.defaultSize().width() != icon.defaultSize().height()) {
        std::fprintf(stderr, "%s: not a square SVG picture\n", argv[1]);
        return 1;
    }
    const QDir output(QString::fromLocal8Bit(argv[2]));
    for (const int size : kSizes) {
        const QString path = output.filePath(QStringLiteral("%1x%1/apps/%2.png").arg(size).arg(argv[3]));
        if (!QDir().mkpath(QFileInfo(path).path()) || !drawnAt(icon, size).save(path)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
