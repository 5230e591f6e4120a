#include "ui/KoraxguiLook.h"

#include "ui/Glyphs.h"
#include "ui/Koraxgui.h"
#include "ui/PixelFonts.h"
#include "ui/ProfileGrid.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QProxyStyle>
#include <QPushButton>
#include <QStyleFactory>
#include <QStyleOptionTab>
#include <QTabBar>
#include <QTabWidget>

#include <algorithm>

namespace {

const QColor kRed(0xff, 0x00, 0x00);
const QColor kNavy(0x00, 0x00, 0x80);
const QColor kBlack(0x00, 0x00, 0x00);

// Disabled controls keep the system's greyed text, as the window's toolkit draws them. Only the
// caption takes the colour: a check box draws its tick in the normal text colour.
void setTextColour(QWidget& control, const QColor& colour)
{
    QPalette palette = control.palette();
    for (QPalette::ColorGroup group : { QPalette::Active, QPalette::Inactive })
        palette.setColor(group, QPalette::WindowText, colour);
    control.setPalette(palette);
}

// Tabs that light up under the mouse, as hot-tracked tabs of the classic desktop do: the
// caption of the tab under the mouse in its hot-tracking colour, navy.
class HotTrackedTabs : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    void drawControl(
        ControlElement element, const QStyleOption* option, QPainter* painter, const QWidget* widget) const override
    {
        const auto* tab = qstyleoption_cast<const QStyleOptionTab*>(option);
        if (element == CE_TabBarTabLabel && tab != nullptr && (tab->state & State_MouseOver)
            && (tab->state & State_Enabled)) {
            QStyleOptionTab hot(*tab);
            hot.palette.setColor(QPalette::WindowText, kNavy);
            QProxyStyle::drawControl(element, &hot, painter, widget);
            return;
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }
};

void hotTrackTabs(QTabBar& tabs)
{
    auto* style = new HotTrackedTabs(QStyleFactory::create(QApplication::style()->name()));
    style->setParent(&tabs);
    tabs.setStyle(style);
    tabs.setAttribute(Qt::WA_Hover);
}

void setLook(QWidget& control, const QFont& font, const QColor& colour)
{
    control.setFont(font);
    setTextColour(control, colour);
}

// Labels size themselves to their text: a face wider than the one the window was drawn with
// widens a one-line label, about its centre when its text is centred.
void fitLabelsToFace(QWidget& root)
{
    for (QLabel* label : root.findChildren<QLabel*>()) {
        if (label->wordWrap() || label->text().isEmpty())
            continue;
        QRect box = label->geometry();
        const QSize needed = label->sizeHint();
        if (needed.width() > box.width()) {
            const int growth = needed.width() - box.width();
            if (label->alignment() & Qt::AlignHCenter)
                box.moveLeft(box.left() - growth / 2);
            box.setWidth(needed.width());
        }
        box.setHeight(std::max(box.height(), needed.height()));
        label->setGeometry(box);
    }
}

} // namespace

void useClassicStyle()
{
    if (QStyle* classic = QStyleFactory::create(QStringLiteral("Windows")))
        QApplication::setStyle(classic);
}

void applyKoraxguiLook(TfKoraxGUI& window)
{
    const QFont windowFont = pixelFont(11, true);
    const QFont pageFont = pixelFont(9, true);
    const QFont smallFont = pixelFont(9, false);

    window.setFont(windowFont);
    window.PageControl1->setFont(pageFont);
    hotTrackTabs(*window.PageControl1->tabBar());
    window.Button1->setFont(pageFont);
    window.BitBtn1->setFont(pageFont);
    for (QLabel* small : { window.Label1, window.Label3, window.Label21, window.Label16 })
        small->setFont(smallFont);

    setLook(*window.chbUpdateTissue, pageFont, kRed);
    // Its own face colour, so the frame line of its group stays hidden behind it.
    window.chbUpdateTissue->setBackgroundRole(QPalette::Button);
    setLook(*window.Label5, pixelFont(13, true), kBlack);
    setLook(*window.lblAbout, pixelFont(31, true), kRed);
    setLook(*window.lblAbout2, pixelFont(13, true), kNavy);
    setLook(*window.Label10, pageFont, kNavy);
    setLook(*window.Label20, smallFont, kBlack);
    window.GroupBox8->setFont(pixelFont(13, false));
    setLook(*window.Label19, smallFont, kBlack);

    window.Image1->setPixmap(glyphs::infoPicture());
    glyphs::putGlyph(*window.Button1, glyphs::Kind::Ok);
    glyphs::putGlyph(*window.BitBtn1, glyphs::Kind::Cancel);
    window.setWindowIcon(glyphs::programIcon());
    setUpProfileGrid(*window.sgDiveProfile);
    fitLabelsToFace(window);
}

void setHintHidePause(QWidget& root, int milliseconds)
{
    root.setToolTipDuration(milliseconds);
    for (QWidget* control : root.findChildren<QWidget*>())
        control->setToolTipDuration(milliseconds);
}
