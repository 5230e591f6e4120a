#include "ui/DpiScale.h"

#include <QWidget>

float dpiScaleFactor(int pixelsPerInch)
{
    constexpr long double kDesignInverse = 1.0L / 96;
    return static_cast<float>(pixelsPerInch * kDesignInverse);
}

void scaleOuterSize(QWidget& window, float factor)
{
    const QSize outer = window.frameGeometry().size();
    const QSize frame = outer - window.size();
    const QSize scaled(static_cast<int>(static_cast<float>(outer.width()) * factor),
        static_cast<int>(static_cast<float>(outer.height()) * factor));
    window.setFixedSize(scaled - frame);
}
