// LoadProfile and StoreProfile: every setting between profile.dat's lines and the main
// window, walking one table in the file's key order. Text crosses as Windows-1250 bytes.
#include "ui/Koraxgui.h"

#include "platform/Cp1250.h"
#include "platform/Hints.h"
#include "platform/Language.h"
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

#include <array>
#include <string>

using namespace keys;

namespace {

// How a setting crosses between its key line and its control. Text, Flag and Choice are the
// plain ones; the others have rules of their own, written out in the transfers below.
enum class Kind {
    Text, // a line edit's text
    Flag, // a check box: "y" when ticked, "n" when not
    Choice, // a radio group: "y" for its first item, "n" for its second
    StopDistance, // text, which a store refuses when it is no distance
    DeepStops,
    PlanFile,
    SurfaceInterval,
    OcDeco,
    RateList,
    DiveProfile,
    DecoSetpoint,
};

struct Setting {
    std::string_view key;
    // The control's object name in the form.
    const char* control;
    Kind kind;
};

// The window's settings in the order of the file's keys; both transfers walk it in this order.
// A new plain setting is one row here (its key in profile/ProfileKeys.h, its control in the form).
constexpr std::array kSettings {
    Setting { kUpdateTissueFile, "chbUpdateTissue", Kind::Flag },
    Setting { kDeleteTemporaryOutput, "chDeleteFiles", Kind::Flag },
    Setting { kUseMetric, "rgUnits", Kind::Choice },
    Setting { kSaltWater, "chbSaltWater", Kind::Flag },
    Setting { kUseBValues, "rgAlgorithm", Kind::Choice },
    Setting { kAltitude, "edAltitude", Kind::Text },
    Setting { kConservatism, "edConservatism", Kind::Text },
    Setting { kPrecision, "edPrecision", Kind::Text },
    Setting { kStopDistance, "edStopDistance", Kind::StopDistance },
    Setting { kLastStopDepth, "edLastStopDepth", Kind::Text },
    Setting { kOxyNarc, "chbOxyNarc", Kind::Flag },
    Setting { kDeepStops, "chbDeepStops", Kind::DeepStops },
    Setting { kTissueFile, "edTissueFile", Kind::Text },
    Setting { kPlanFile, "edOutputFile", Kind::PlanFile },
    Setting { kPyleStopTime, "edPyleStopTime", Kind::Text },
    Setting { kSurfaceInterval, "edSurfaceInterval", Kind::SurfaceInterval },
    Setting { kRmv, "edRmv", Kind::Text },
    Setting { kDecoRmv, "edDecoRmv", Kind::Text },
    Setting { kSlideRate, "edSlideRate", Kind::Text },
    Setting { kUseOCDeco, "chbUseOCDeco", Kind::OcDeco },
    Setting { kOcDecoGas, "edOcDecoGas", Kind::Text },
    Setting { kOcDecoMaxPO2, "edOcDecoMaxPO2", Kind::Text },
    Setting { kMaxEND, "edMaxEND", Kind::Text },
    Setting { kDescentRate, "mDescentRates", Kind::RateList },
    Setting { kAscentRate, "mAscentRates", Kind::RateList },
    // The profile lines have no key.
    Setting { {}, "sgDiveProfile", Kind::DiveProfile },
    // Always written "n": the window has no control for it.
    Setting { kUseDecoSetpoint, "", Kind::DecoSetpoint },
};

template <class Control> Control& controlOf(const QWidget& window, const Setting& setting)
{
    return *window.findChild<Control*>(QLatin1String(setting.control));
}

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
    for (const Setting& setting : kSettings) {
        const std::string_view key = setting.key;
        switch (setting.kind) {
        case Kind::Text:
        case Kind::StopDistance:
            loadText(p, key, controlOf<QLineEdit>(*this, setting));
            break;
        case Kind::Flag:
            loadFlag(p, key, controlOf<QCheckBox>(*this, setting));
            break;
        case Kind::Choice:
            loadChoice(p, key, controlOf<QGroupBox>(*this, setting));
            break;
        case Kind::DeepStops: {
            const std::string deepStops = upperCaseLetters(p.GetValue(key));
            hints::setHint(*chbDeepStops, p.GetComment());
            if (deepStops == "N") {
                chbDeepStops->setChecked(false);
            } else {
                chbDeepStops->setChecked(true);
                radio_group::setItemIndex(*rgDeepStops, deepStops == "W" ? kSecondItem : kFirstItem);
            }
            InvalidateDeepStops();
            break;
        }
        case Kind::PlanFile:
            outputBaseName = p.GetValue(key);
            edOutputFile->setText(cp1250::toUnicode(outputFileName(runCounter, outputBaseName)));
            hints::setHint(*edOutputFile, p.GetComment());
            break;
        case Kind::SurfaceInterval:
            loadText(p, key, *edSurfaceInterval);
            chbRepetitiveDives->setChecked(textOf(*edSurfaceInterval) != kNoRepetitiveDive);
            InvalidateRepetitiveDives();
            break;
        case Kind::OcDeco: {
            const bool useOcDeco = p.GetBool(key);
            edOcDecoGas->setEnabled(useOcDeco);
            lOCDecoGas->setEnabled(useOcDeco);
            chbUseOCDeco->setChecked(useOcDeco);
            hints::setHint(*chbUseOCDeco, p.GetComment());
            break;
        }
        case Kind::RateList:
            LoadRateList(p, controlOf<QPlainTextEdit>(*this, setting), key);
            break;
        case Kind::DiveProfile:
            LoadDiveProfile(p, *sgDiveProfile);
            hints::setHint(*sgDiveProfile, p.GetComment());
            break;
        case Kind::DecoSetpoint:
            break;
        }
    }
}

int TfKoraxGUI::StoreProfile(TProfile& p)
{
    for (const Setting& setting : kSettings) {
        const std::string_view key = setting.key;
        switch (setting.kind) {
        case Kind::StopDistance:
            switch (checkStopDistance(textOf(controlOf<QLineEdit>(*this, setting)))) {
            case StopDistanceCheck::NotANumber:
                messages::showMessage(
                    this, language::text(texts::kErrorCaption), language::text(texts::kStopDistanceNotANumber));
                return 0;
            case StopDistanceCheck::Zero:
                messages::showMessage(
                    this, language::text(texts::kErrorCaption), language::text(texts::kStopDistanceZero));
                return 0;
            case StopDistanceCheck::Accepted:
                break;
            }
            [[fallthrough]];
        case Kind::Text:
        case Kind::PlanFile:
            storeText(p, key, controlOf<QLineEdit>(*this, setting));
            break;
        case Kind::Flag:
        case Kind::OcDeco:
            storeFlag(p, key, controlOf<QCheckBox>(*this, setting));
            break;
        case Kind::Choice:
            storeChoice(p, key, controlOf<QGroupBox>(*this, setting));
            break;
        case Kind::DeepStops: {
            const bool pyle = radio_group::itemIndex(*rgDeepStops) == kFirstItem;
            p.SetValue(key, !chbDeepStops->isChecked() ? kNo : pyle ? "p" : "w");
            break;
        }
        case Kind::SurfaceInterval:
            p.SetValue(
                key, chbRepetitiveDives->isChecked() ? textOf(*edSurfaceInterval) : std::string(kNoRepetitiveDive));
            break;
        case Kind::RateList:
            p.SetValues(key, RateListLines(controlOf<QPlainTextEdit>(*this, setting)));
            break;
        case Kind::DiveProfile:
            if (const auto refused = StoreDiveProfile(p, *sgDiveProfile)) {
                messages::showMessage(this, language::text(texts::kErrorCaption),
                    language::text(texts::kProfileRowRefused).arg(refused->row).arg(cp1250::toUnicode(refused->line)));
                return 0;
            }
            break;
        case Kind::DecoSetpoint:
            p.SetValue(key, kNo);
            break;
        }
    }
    return 1;
}
