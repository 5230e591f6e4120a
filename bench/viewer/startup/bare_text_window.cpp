// The yardstick for the viewer's start: a bare window with a read-only text view showing
// the same plan file, decoded the same way, at the same size.
#include "platform/Cp1250.h"

#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QPlainTextEdit>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QFile file(QApplication::arguments().value(1));
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    QPlainTextEdit text(cp1250::toUnicode(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))));
    text.setReadOnly(true);
    text.setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    text.resize(1000, 900);
    text.show();
    return QApplication::exec();
}
