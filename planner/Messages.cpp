#include "planner/Messages.h"

#include "files/Cp1250Text.h"
#include "planner/Breathing.h"
#include "planner/Cylinders.h"
#include "planner/English.h"
#include "planner/PlannerKeys.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <utility>

namespace korax {
namespace {

std::string number(const char* format, double value)
{
    char text[48];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// A setpoint's bounds, on a profile line as for DecoSetpoint:.
constexpr const PlannerKey& kSetpoint = plannerKey(keys::kDecoSetpoint);

std::string depth(double value, const LengthUnit& unit)
{
    return number("%.1f", value) + " " + unit.symbol;
}

// A bound as the plan's texts write it: a decimal comma in Czech, a point in English.
std::string decimal(double value, Language language)
{
    std::string text = number("%g", value);
    if (language == Language::Czech)
        std::ranges::replace(text, '.', ',');
    return text;
}

// A cylinder pressure given in bar, in bar or, with feet, in psi.
std::string pressure(double bar, const LengthUnit& unit)
{
    return unit.metric() ? number("%.0f", bar) + " bar" : number("%.0f", bar * kPsiPerBar) + " psi";
}

std::string range(const PlannerKey& row, Language language)
{
    if (row.high == kUnitDepth)
        return tr(language, "od ") + decimal(row.low, language) + tr(language, " do hloubky ")
            + decimal(kMetres.maxDepth, language) + " " + kMetres.symbol;
    return tr(language, "od ") + decimal(row.low, language) + tr(language, " do ") + decimal(row.high, language)
        + (row.unit.empty() ? "" : " (" + std::string(row.unit) + ")");
}

// What a key's value must be, as the plan tells the diver; from the key's row.
std::string expected(std::string_view key, Language language)
{
    const PlannerKey* row = findPlannerKey(key);
    if (row == nullptr)
        return tr(language, "hodnotu nelze použít");
    std::string text = tr(language, "očekává se ");
    switch (row->kind) {
    case ValueKind::Number:
        text += tr(language, "číslo ") + range(*row, language);
        break;
    case ValueKind::NumberOrZero:
        text += tr(language, "číslo 0 nebo ") + range(*row, language);
        break;
    case ValueKind::Whole:
        text += tr(language, "celé číslo ") + range(*row, language);
        break;
    case ValueKind::Count:
        text += tr(language, "celé číslo větší než ") + decimal(row->low, language);
        break;
    case ValueKind::Pattern:
        text += tr(language, std::string(row->format).c_str());
        break;
    case ValueKind::RateLines:
        text += tr(language, std::string(row->format).c_str()) + std::string(tr(language, " s rychlostí od "))
            + number("%g", row->low) + tr(language, " do ") + number("%g", row->high) + tr(language, " za minutu");
        break;
    case ValueKind::Flag:
    case ValueKind::Mixes:
    case ValueKind::Name:
        return tr(language, "hodnotu nelze použít");
    }
    if (!row->onlyWith.empty())
        text += tr(language, ", je-li ") + std::string(row->onlyWith) + " y";
    return text;
}

// Where a segment's warning applies: "dno v 40.0 m (21/35)".
std::string where(const Warning& w, const LengthUnit& unit, Language language)
{
    return std::string(phaseName(w.phase, language)) + tr(language, " v ") + depth(w.depth, unit) + " ("
        + breathLabel(w.gas, w.setpoint) + ")";
}

} // namespace

std::string problemText(const Problem& p, const LengthUnit& unit, Language language)
{
    const std::string quoted = std::string(p.key) + " \"" + cp1250::cp1250ToUtf8(p.text) + "\": ";
    switch (p.kind) {
    case ProblemKind::BadValue:
        return quoted + expected(p.key, language);
    case ProblemKind::BadProfileLine:
        return tr(language, "profil \"") + cp1250::cp1250ToUtf8(p.text)
            + tr(language, "\": očekává se \"hloubka, čas, směs\" (hloubka nad 0 do ") + number("%.0f", p.value)
            + tr(language, ", čas 0 až ") + number("%.0f", kMaxSegmentMinutes) + tr(language, " min)");
    case ProblemKind::BadSetpoint:
        return tr(language, "profil \"") + cp1250::cp1250ToUtf8(p.text) + tr(language, "\": setpoint \"")
            + cp1250::cp1250ToUtf8(p.detail) + tr(language, "\" za @: očekává se číslo od ")
            + number("%g", kSetpoint.low) + tr(language, " do ") + number("%g", kSetpoint.high)
            + tr(language, " (bar) s tečkou");
    case ProblemKind::SetpointDecimalComma:
        return tr(language, "profil \"") + cp1250::cp1250ToUtf8(p.text)
            + tr(language, "\": setpoint se píše s desetinnou tečkou, ") + cp1250::cp1250ToUtf8(p.detail)
            + tr(language, " (čárka odděluje pole řádku)");
    case ProblemKind::NoProfileLines:
        return tr(language, "profil \"\": chybí řádky profilu ponoru");
    case ProblemKind::NotAMix:
        return quoted + cp1250::cp1250ToUtf8(p.detail) + tr(language, " není směs");
    case ProblemKind::BadSwitchDepth:
        return quoted + cp1250::cp1250ToUtf8(p.detail) + tr(language, ": očekává se směs a za ní hloubka výměny v ")
            + unit.symbol + tr(language, " (např. 50 21") + unit.symbol + ")";
    case ProblemKind::SwitchDepthUnit:
        return quoted + cp1250::cp1250ToUtf8(p.detail)
            + tr(language, ": hloubka výměny se zadává v jednotkách ponoru (") + unit.symbol + ")";
    case ProblemKind::SwitchDepthTooDeep:
        return quoted + cp1250::cp1250ToUtf8(p.detail) + tr(language, ": hloubka výměny ") + depth(p.value, unit)
            + tr(language, " je hlubší než hloubka výměny ") + depth(p.limit, unit)
            + tr(language, " podle OcDecoMaxPO2:");
    case ProblemKind::GfLowAboveHigh:
        return quoted + "GF low " + number("%.0f", p.value) + tr(language, " % je vyšší než GF high ")
            + number("%.0f", p.limit) + " % (" + std::string(keys::kConservatism) + ")";
    case ProblemKind::TissueFileNeeded:
        return quoted + tr(language, "opakovaný ponor potřebuje soubor se stavem tkání");
    case ProblemKind::TissueFileUnreadable:
        return quoted + tr(language, "soubor nelze přečíst");
    case ProblemKind::NotATissueFile:
        return quoted + tr(language, "není to soubor se stavem tkání KORAX");
    case ProblemKind::ForeignOutput:
        return quoted
            + (p.key == keys::kPlanFile ? tr(language, "není to plán KORAX")
                                        : tr(language, "není to soubor se stavem tkání KORAX"))
            + tr(language, "; soubor se nepřepíše");
    case ProblemKind::OutsideFolder:
        return quoted + tr(language, "název vede mimo pracovní složku; soubor se nepoužije");
    case ProblemKind::NoProfile:
        return tr(language, "Chybí profil ponoru.");
    case ProblemKind::StopNeverClears:
        return tr(language, "Zastávka v ") + depth(p.value, unit) + tr(language, " se neuvolní ani za 24 hodin.");
    case ProblemKind::DecoTooLong:
        return tr(language, "Dekomprese by trvala déle než 24 hodin.");
    case ProblemKind::BadCylinder: {
        const CylinderLimits& l = unit.metric() ? kLitresAndBar : kCubicFeetAndPsi;
        const std::string size = unit.metric() ? tr(language, " l (2x12 pro dvojče)")
                                               : tr(language, " cuft při jmenovitém tlaku (80/3000, 2x80/3000)");
        const char* pressureUnit = unit.metric() ? " bar" : tr(language, " psi");
        return quoted + tr(language, "očekává se ")
            + tr(language, std::string(plannerKey(keys::kCylinder).format).c_str()) + tr(language, " s objemem ")
            + decimal(l.minSize, language) + tr(language, " až ") + decimal(l.maxSize, language) + size
            + tr(language, " a tlakem ") + decimal(l.minFill, language) + tr(language, " až ")
            + decimal(l.maxFill, language) + pressureUnit;
    }
    }
    return {};
}

std::string profileNotReadText(const std::string& fileName, platform::RegularRead cause, Language language)
{
    switch (cause) {
    case platform::RegularRead::NotRegular:
        return fileName
            + tr(
                language, " není obyčejný soubor (je to složka, pojmenovaná roura nebo zařízení); korax jej neotevře.");
    case platform::RegularRead::TooLarge:
        return tr(language, "Soubor ") + fileName + tr(language, " je větší než 64 MB; korax jej neotevře.");
    case platform::RegularRead::Read:
    case platform::RegularRead::Missing:
    case platform::RegularRead::Unreadable:
        break;
    }
    return tr(language, "Nenalezen soubor ") + fileName;
}

std::string warningText(const Warning& w, const LengthUnit& unit, Language language)
{
    const std::string rateUnit = std::string(" ") + unit.symbol + tr(language, "/min.");
    switch (w.kind) {
    case WarningKind::DecoGasUnused:
        return tr(language, "Dekompresní směs ") + gasLabel(w.gas)
            + tr(language, " nemá hloubku výměny nad poslední zastávkou; nepoužita.");
    case WarningKind::DefaultDescentRate:
        return tr(language, "Pro část sestupu není zadána rychlost; použito ") + number("%.0f", w.value) + rateUnit;
    case WarningKind::DefaultAscentRate:
        return tr(language, "Pro část výstupu není zadána rychlost; použito ") + number("%.0f", w.value) + rateUnit;
    case WarningKind::ProfileAboveCeiling:
        return tr(language, "Profil ponoru vystupuje nad strop dekomprese (") + depth(w.depth, unit) + ").";
    case WarningKind::PO2AboveLimit:
        return where(w, unit, language) + ": PO2 " + number("%.2f", w.value) + tr(language, " bar překračuje ")
            + number("%.2f", w.limit) + " bar.";
    case WarningKind::EndAboveMax:
        return where(w, unit, language) + ": END " + depth(w.value, unit) + tr(language, " překračuje MaxEND ")
            + depth(w.limit, unit) + ".";
    case WarningKind::CnsAbove100:
        return "CNS " + number("%.0f", w.value) + tr(language, " % překračuje 100 %.");
    case WarningKind::HypoxicAtStart:
        return tr(language, "Směs ") + breathLabel(w.gas, w.setpoint) + tr(language, " na začátku ponoru: PO2 ")
            + number("%.2f", w.value) + tr(language, " bar na hladině je pod 0.16 bar (hypoxie).");
    case WarningKind::HypoxicOnSurfacing:
        return tr(language, "Směs ") + breathLabel(w.gas, w.setpoint) + tr(language, " při vynoření: PO2 ")
            + number("%.2f", w.value) + tr(language, " bar na hladině je pod 0.16 bar (hypoxie).");
    case WarningKind::SurfacedAboveGfHigh:
        return tr(language, "Oddíl ") + std::to_string(w.compartment)
            + tr(language, " se vynoří s větším přesycením, než dovoluje GF high (tento oddíl GF low/high neomezuje).");
    case WarningKind::TissueFileRestored:
        return tr(
            language, "Zápis souboru se stavem tkání byl přerušen; plán vychází z jeho obnoveného předchozího obsahu.");
    case WarningKind::DensityAboveRecommended:
        return where(w, unit, language) + tr(language, ": hustota plynu ") + number("%.1f", w.value)
            + tr(language, " g/l překračuje doporučených ") + number("%.1f", w.limit) + " g/l.";
    case WarningKind::DensityAboveMaximum:
        return where(w, unit, language) + tr(language, ": hustota plynu ") + number("%.1f", w.value)
            + tr(language, " g/l překračuje nejvyšších ") + number("%.1f", w.limit) + " g/l.";
    case WarningKind::CounterDiffusion:
        return tr(language, "Změna z ") + breathLabel(w.gas, w.setpoint) + tr(language, " na ")
            + breathLabel(w.otherGas, w.otherSetpoint) + tr(language, " v ") + depth(w.depth, unit)
            + tr(language, ": riziko izobarické protidifuze (dusík přibývá o víc než pětinu úbytku helia).");
    case WarningKind::BailoutGasUnused:
        return tr(language, "Bailout směs ") + gasLabel(w.gas)
            + tr(language, " nemá hloubku výměny nad poslední zastávkou; nepoužita.");
    case WarningKind::EmergencyAscentNotPlanned:
        return tr(language, "Nouzový výstup nelze naplánovat: dekomprese by trvala déle než 24 hodin.");
    case WarningKind::GasReserve:
        return tr(language, "Lahev ") + w.label + tr(language, " skončí s ") + pressure(w.value, unit)
            + tr(language, ", pod svou rezervou ") + pressure(w.limit, unit) + ".";
    case WarningKind::GasMissing:
        return tr(language, "Směs ") + gasLabel(w.gas) + tr(language, " nemá žádnou lahev (Cylinder:).");
    case WarningKind::GasExhausted:
        return tr(language, "Plán spotřebuje ") + number("%.0f", w.value) + tr(language, " l směsi ") + gasLabel(w.gas)
            + (w.label.empty() ? "" : tr(language, " ze smyčky")) + tr(language, ", ale její lahve drží jen ")
            + number("%.0f", w.limit) + tr(language, " l.");
    }
    return {};
}

// The JSON names of the warning kinds, in the order of WarningKind.
constexpr std::array kWarningKindNames
    = { "deco_gas_unused", "default_descent_rate", "default_ascent_rate", "profile_above_ceiling", "po2", "end", "cns",
          "hypoxic_start", "hypoxic_surfacing", "above_gf_high", "tissue_file_restored", "density", "density_max",
          "icd", "emergency_ascent", "bailout_gas_unused", "gas_reserve", "gas_missing", "gas_exhausted" };
static_assert(kWarningKindNames.size() == static_cast<std::size_t>(WarningKind::GasExhausted) + 1);

const char* warningKindName(WarningKind kind)
{
    return kWarningKindNames[static_cast<std::size_t>(kind)];
}

} // namespace korax
