#include "ui/KoraxguiLook.h"

#include "ui/Glyphs.h"
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
#include <QTableWidget>

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

template <class Control> Control& named(const QWidget& window, const char* name)
{
    return *window.findChild<Control*>(QLatin1String(name));
}

} // namespace

void useClassicStyle()
{
    if (QStyle* classic = QStyleFactory::create(QStringLiteral("Windows")))
        QApplication::setStyle(classic);
}

void applyKoraxguiLook(QWidget& window)
{
    const QFont windowFont = pixelFont(11, true);
    const QFont pageFont = pixelFont(9, true);
    const QFont smallFont = pixelFont(9, false);

    window.setFont(windowFont);
    auto& pages = named<QTabWidget>(window, "PageControl1");
    pages.setFont(pageFont);
    hotTrackTabs(*pages.tabBar());
    auto& compute = named<QPushButton>(window, "Button1");
    auto& exit = named<QPushButton>(window, "BitBtn1");
    compute.setFont(pageFont);
    exit.setFont(pageFont);
    for (const char* small : { "Label1", "Label3", "Label21", "Label16" })
        named<QLabel>(window, small).setFont(smallFont);

    auto& updateTissue = named<QCheckBox>(window, "chbUpdateTissue");
    setLook(updateTissue, pageFont, kRed);
    // Its own face colour, so the frame line of its group stays hidden behind it.
    updateTissue.setBackgroundRole(QPalette::Button);
    setLook(named<QLabel>(window, "Label5"), pixelFont(13, true), kBlack);
    setLook(named<QLabel>(window, "lblAbout"), pixelFont(31, true), kRed);
    setLook(named<QLabel>(window, "lblAbout2"), pixelFont(13, true), kNavy);
    setLook(named<QLabel>(window, "Label10"), pageFont, kNavy);
    setLook(named<QLabel>(window, "Label20"), smallFont, kBlack);
    named<QGroupBox>(window, "GroupBox8").setFont(pixelFont(13, false));
    setLook(named<QLabel>(window, "Label19"), smallFont, kBlack);

    named<QLabel>(window, "Image1").setPixmap(glyphs::infoPicture());
    glyphs::putGlyph(compute, glyphs::Kind::Ok);
    glyphs::putGlyph(exit, glyphs::Kind::Cancel);
    window.setWindowIcon(glyphs::programIcon());
    setUpProfileGrid(named<QTableWidget>(window, "sgDiveProfile"));
    fitLabelsToFace(window);
}

void setHintHidePause(QWidget& root, int milliseconds)
{
    root.setToolTipDuration(milliseconds);
    for (QWidget* control : root.findChildren<QWidget*>())
        control->setToolTipDuration(milliseconds);
}
