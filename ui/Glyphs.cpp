#include "ui/Glyphs.h"

#include <QImage>
#include <QPushButton>

namespace glyphs {
namespace {

constexpr int kGlyphSide = 18;
constexpr QRgb kTransparentOlive = qRgb(0x80, 0x80, 0x00);

QImage withoutOlive(const QString& resource)
{
    QImage image = QImage(resource).convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == (kTransparentOlive | 0xff000000u))
                image.setPixel(x, y, qRgba(0, 0, 0, 0));
        }
    }
    return image;
}

QString glyphResource(Kind kind)
{
    return kind == Kind::Ok ? QStringLiteral(":/trova/tick.xpm") : QStringLiteral(":/trova/cross.xpm");
}

} // namespace

void putGlyph(QPushButton& button, Kind kind)
{
    const QImage both = withoutOlive(glyphResource(kind));
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(both.copy(0, 0, kGlyphSide, kGlyphSide)), QIcon::Normal);
    icon.addPixmap(QPixmap::fromImage(both.copy(kGlyphSide, 0, kGlyphSide, kGlyphSide)), QIcon::Disabled);
    button.setIcon(icon);
    button.setIconSize(QSize(kGlyphSide, kGlyphSide));
}

QIcon programIcon()
{
    return QIcon(QPixmap::fromImage(withoutOlive(QStringLiteral(":/trova/icon.xpm"))));
}

QPixmap infoPicture()
{
    return QPixmap(QStringLiteral(":/trova/picture.png"));
}

} // namespace glyphs
