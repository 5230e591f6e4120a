// The interlocks: controls that matter only while an option is on are greyed out while it is
// off, and the compute button rests while the info page is shown.
#include "ui/Koraxgui.h"

#include "ui/RadioGroup.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

namespace {

constexpr int kPyleItem = 0;

} // namespace

void TfKoraxGUI::chbUseOCDecoClick()
{
    const bool on = chbUseOCDeco->isChecked();
    edOcDecoGas->setEnabled(on);
    lOCDecoGas->setEnabled(on);
}

void TfKoraxGUI::chbDeepStopsClick()
{
    InvalidateDeepStops();
}

void TfKoraxGUI::InvalidateDeepStops()
{
    if (!chbDeepStops->isChecked()) {
        edPyleStopTime->setEnabled(false);
        lPyleStopTime->setEnabled(false);
        rgDeepStops->setEnabled(false);
    } else {
        gbDeepStops->setEnabled(true);
        rgDeepStops->setEnabled(true);
        const bool pyle = radio_group::itemIndex(*rgDeepStops) == kPyleItem;
        edPyleStopTime->setEnabled(pyle);
        lPyleStopTime->setEnabled(pyle);
    }
    rgDeepStops->repaint();
}

void TfKoraxGUI::InvalidateRepetitiveDives()
{
    const bool on = chbRepetitiveDives->isChecked();
    edSurfaceInterval->setEnabled(on);
    chbUpdateTissue->setEnabled(on);
}

void TfKoraxGUI::chbRepetitiveDivesClick()
{
    InvalidateRepetitiveDives();
}

void TfKoraxGUI::PageControl1Change()
{
    Button1->setEnabled(PageControl1->currentWidget() != tsKorax);
}
