#include "platform/Hints.h"

#include "platform/Cp1250.h"

#include <QTextDocument>
#include <QWidget>

namespace hints {

void setHint(QWidget& control, std::string_view cp1250Text)
{
    const QString text = cp1250::toUnicode(cp1250Text);
    if (text.isEmpty() || !Qt::mightBeRichText(text)) {
        control.setToolTip(text);
        return;
    }
    // Qt would render it as markup: escape it and keep the line breaks.
    control.setToolTip(QStringLiteral("<p style=\"white-space:pre\">") + text.toHtmlEscaped() + QStringLiteral("</p>"));
}

} // namespace hints
