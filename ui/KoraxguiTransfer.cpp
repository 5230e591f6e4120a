// LoadProfile and StoreProfile: every setting between profile.dat's lines and the main
// window, one row per key in the file's key order. Text crosses as Windows-1250 bytes.
#include "ui/Koraxgui.h"

#include "platform/Cp1250.h"
#include "platform/Hints.h"
#include "platform/MessageBoxes.h"
#include "platform/Texts.h"
#include "profile/OutputFileName.h"
#include "profile/ProfileKeys.h"
#include "profile/StopDistance.h"
#include "profile/TProfile.h"
#include "ui/RadioGroup.h"
#include "ui/transfer/DiveProfileTransfer.h"
#include "ui/transfer/RateListTransfer.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableWidget>

#include <string>

using namespace keys;

namespace {

constexpr std::string_view kYes = "y";
constexpr std::string_view kNo = "n";
constexpr int kFirstItem = 0;
constexpr int kSecondItem = 1;

void loadText(TProfile& profile, std::string_view key, QLineEdit& edit)
{
    edit.setText(cp1250::toUnicode(profile.GetValue(key)));
    hints::setHint(edit, profile.GetComment());
}

void loadFlag(TProfile& profile, std::string_view key, QCheckBox& box)
{
    box.setChecked(profile.GetBool(key));
    hints::setHint(box, profile.GetComment());
}

// A flag shown as the choice between the group's first item (true) and its second.
void loadChoice(TProfile& profile, std::string_view key, QGroupBox& group)
{
    radio_group::setItemIndex(group, profile.GetBool(key) ? kFirstItem : kSecondItem);
    hints::setHint(group, profile.GetComment());
}

std::string upperCaseLetters(std::string text)
{
    for (char& c : text) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

std::string textOf(const QLineEdit& edit)
{
    return cp1250::fromUnicode(edit.text());
}

void storeText(TProfile& profile, std::string_view key, const QLineEdit& edit)
{
    profile.SetValue(key, textOf(edit));
}

std::string_view flag(bool on)
{
    return on ? kYes : kNo;
}

void storeFlag(TProfile& profile, std::string_view key, const QCheckBox& box)
{
    profile.SetValue(key, flag(box.isChecked()));
}

void storeChoice(TProfile& profile, std::string_view key, const QGroupBox& group)
{
    profile.SetValue(key, flag(radio_group::itemIndex(group) == kFirstItem));
}

} // namespace

void TfKoraxGUI::LoadProfile(TProfile& p)
{
    loadFlag(p, kUpdateTissueFile, *chbUpdateTissue);
    loadFlag(p, kDeleteTemporaryOutput, *chDeleteFiles);
    loadChoice(p, kUseMetric, *rgUnits);
    loadFlag(p, kSaltWater, *chbSaltWater);
    loadChoice(p, kUseBValues, *rgAlgorithm);
    loadText(p, kAltitude, *edAltitude);
    loadText(p, kConservatism, *edConservatism);
    loadText(p, kPrecision, *edPrecision);
    loadText(p, kStopDistance, *edStopDistance);
    loadText(p, kLastStopDepth, *edLastStopDepth);
    loadFlag(p, kOxyNarc, *chbOxyNarc);

    const std::string deepStops = upperCaseLetters(p.GetValue(kDeepStops));
    hints::setHint(*chbDeepStops, p.GetComment());
    if (deepStops == "N") {
        chbDeepStops->setChecked(false);
    } else {
        chbDeepStops->setChecked(true);
        radio_group::setItemIndex(*rgDeepStops, deepStops == "W" ? kSecondItem : kFirstItem);
    }
    InvalidateDeepStops();

    loadText(p, kTissueFile, *edTissueFile);

    outputBaseName = p.GetValue(kPlanFile);
    edOutputFile->setText(cp1250::toUnicode(outputFileName(runCounter, outputBaseName)));
    hints::setHint(*edOutputFile, p.GetComment());

    loadText(p, kPyleStopTime, *edPyleStopTime);

    loadText(p, kSurfaceInterval, *edSurfaceInterval);
    chbRepetitiveDives->setChecked(textOf(*edSurfaceInterval) != kNoRepetitiveDive);
    InvalidateRepetitiveDives();

    loadText(p, kRmv, *edRmv);
    loadText(p, kDecoRmv, *edDecoRmv);
    loadText(p, kSlideRate, *edSlideRate);

    const bool useOcDeco = p.GetBool(kUseOCDeco);
    edOcDecoGas->setEnabled(useOcDeco);
    lOCDecoGas->setEnabled(useOcDeco);
    chbUseOCDeco->setChecked(useOcDeco);
    hints::setHint(*chbUseOCDeco, p.GetComment());

    loadText(p, kOcDecoGas, *edOcDecoGas);
    loadText(p, kOcDecoMaxPO2, *edOcDecoMaxPO2);
    loadText(p, kMaxEND, *edMaxEND);

    LoadRateList(p, *mDescentRates, kDescentRate);
    LoadRateList(p, *mAscentRates, kAscentRate);
    LoadDiveProfile(p, *sgDiveProfile);
    hints::setHint(*sgDiveProfile, p.GetComment());
}

int TfKoraxGUI::StoreProfile(TProfile& p)
{
    storeFlag(p, kUpdateTissueFile, *chbUpdateTissue);
    storeFlag(p, kDeleteTemporaryOutput, *chDeleteFiles);
    storeChoice(p, kUseMetric, *rgUnits);
    storeFlag(p, kSaltWater, *chbSaltWater);
    storeChoice(p, kUseBValues, *rgAlgorithm);
    storeText(p, kAltitude, *edAltitude);
    storeText(p, kConservatism, *edConservatism);
    storeText(p, kPrecision, *edPrecision);

    switch (checkStopDistance(textOf(*edStopDistance))) {
    case StopDistanceCheck::NotANumber:
        messages::showMessage(
            this, QString::fromUtf8(texts::kErrorCaption), QString::fromUtf8(texts::kStopDistanceNotANumber));
        return 0;
    case StopDistanceCheck::Zero:
        messages::showMessage(
            this, QString::fromUtf8(texts::kErrorCaption), QString::fromUtf8(texts::kStopDistanceZero));
        return 0;
    case StopDistanceCheck::Accepted:
        break;
    }

    storeText(p, kStopDistance, *edStopDistance);
    storeText(p, kLastStopDepth, *edLastStopDepth);
    storeFlag(p, kOxyNarc, *chbOxyNarc);
    const bool pyle = radio_group::itemIndex(*rgDeepStops) == kFirstItem;
    p.SetValue(kDeepStops, !chbDeepStops->isChecked() ? kNo : pyle ? "p" : "w");
    storeText(p, kTissueFile, *edTissueFile);
    storeText(p, kPlanFile, *edOutputFile);
    storeText(p, kPyleStopTime, *edPyleStopTime);
    p.SetValue(kSurfaceInterval,
        chbRepetitiveDives->isChecked() ? textOf(*edSurfaceInterval) : std::string(kNoRepetitiveDive));
    storeText(p, kRmv, *edRmv);
    storeText(p, kDecoRmv, *edDecoRmv);
    storeText(p, kSlideRate, *edSlideRate);
    storeFlag(p, kUseOCDeco, *chbUseOCDeco);
    storeText(p, kOcDecoGas, *edOcDecoGas);
    storeText(p, kOcDecoMaxPO2, *edOcDecoMaxPO2);
    storeText(p, kMaxEND, *edMaxEND);

    p.SetValues(kDescentRate, RateListLines(*mDescentRates));
    p.SetValues(kAscentRate, RateListLines(*mAscentRates));
    StoreDiveProfile(p, *sgDiveProfile);

    p.SetValue(kUseDecoSetpoint, kNo);
    return 1;
}
