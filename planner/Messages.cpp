#include "planner/Messages.h"

#include "files/Cp1250Text.h"
#include "planner/Breathing.h"
#include "planner/Cylinders.h"
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

// A bound as the plan's Czech texts write it: a decimal comma.
std::string czech(double value)
{
    std::string text = number("%g", value);
    std::ranges::replace(text, '.', ',');
    return text;
}

// A cylinder pressure given in bar, in bar or, with feet, in psi.
std::string pressure(double bar, const LengthUnit& unit)
{
    return unit.metric() ? number("%.0f", bar) + " bar" : number("%.0f", bar * kPsiPerBar) + " psi";
}

std::string range(const PlannerKey& row)
{
    if (row.high == kUnitDepth)
        return "od " + czech(row.low) + " do hloubky " + czech(kMetres.maxDepth) + " " + kMetres.symbol;
    return "od " + czech(row.low) + " do " + czech(row.high)
        + (row.unit.empty() ? "" : " (" + std::string(row.unit) + ")");
}

// What a key's value must be, as the plan tells the diver; from the key's row.
std::string expected(std::string_view key)
{
    const PlannerKey* row = findPlannerKey(key);
    if (row == nullptr)
        return "hodnotu nelze použít";
    std::string text = "očekává se ";
    switch (row->kind) {
    case ValueKind::Number:
        text += "číslo " + range(*row);
        break;
    case ValueKind::NumberOrZero:
        text += "číslo 0 nebo " + range(*row);
        break;
    case ValueKind::Whole:
        text += "celé číslo " + range(*row);
        break;
    case ValueKind::Count:
        text += "celé číslo větší než " + czech(row->low);
        break;
    case ValueKind::Pattern:
        text += row->format;
        break;
    case ValueKind::RateLines:
        text += std::string(row->format) + " s rychlostí od " + number("%g", row->low) + " do "
            + number("%g", row->high) + " za minutu";
        break;
    case ValueKind::Flag:
    case ValueKind::Mixes:
    case ValueKind::Name:
        return "hodnotu nelze použít";
    }
    if (!row->onlyWith.empty())
        text += ", je-li " + std::string(row->onlyWith) + " y";
    return text;
}

// Where a segment's warning applies: "dno v 40.0 m (21/35)".
std::string where(const Warning& w, const LengthUnit& unit)
{
    return std::string(phaseName(w.phase)) + " v " + depth(w.depth, unit) + " (" + breathLabel(w.gas, w.setpoint) + ")";
}

} // namespace

std::string problemText(const Problem& p, const LengthUnit& unit)
{
    const std::string quoted = std::string(p.key) + " \"" + cp1250::cp1250ToUtf8(p.text) + "\": ";
    switch (p.kind) {
    case ProblemKind::BadValue:
        return quoted + expected(p.key);
    case ProblemKind::BadProfileLine:
        return "profil \"" + cp1250::cp1250ToUtf8(p.text) + "\": očekává se \"hloubka, čas, směs\" (hloubka nad 0 do "
            + number("%.0f", p.value) + ", čas 0 až " + number("%.0f", kMaxSegmentMinutes) + " min)";
    case ProblemKind::BadSetpoint:
        return "profil \"" + cp1250::cp1250ToUtf8(p.text) + "\": setpoint \"" + cp1250::cp1250ToUtf8(p.detail)
            + "\" za @: očekává se číslo od " + number("%g", kSetpoint.low) + " do " + number("%g", kSetpoint.high)
            + " (bar) s tečkou";
    case ProblemKind::SetpointDecimalComma:
        return "profil \"" + cp1250::cp1250ToUtf8(p.text) + "\": setpoint se píše s desetinnou tečkou, "
            + cp1250::cp1250ToUtf8(p.detail) + " (čárka odděluje pole řádku)";
    case ProblemKind::NoProfileLines:
        return "profil \"\": chybí řádky profilu ponoru";
    case ProblemKind::NotAMix:
        return quoted + cp1250::cp1250ToUtf8(p.detail) + " není směs";
    case ProblemKind::BadSwitchDepth:
        return quoted + cp1250::cp1250ToUtf8(p.detail) + ": očekává se směs a za ní hloubka výměny v " + unit.symbol
            + " (např. 50 21" + unit.symbol + ")";
    case ProblemKind::SwitchDepthUnit:
        return quoted + cp1250::cp1250ToUtf8(p.detail) + ": hloubka výměny se zadává v jednotkách ponoru ("
            + unit.symbol + ")";
    case ProblemKind::SwitchDepthTooDeep:
        return quoted + cp1250::cp1250ToUtf8(p.detail) + ": hloubka výměny " + depth(p.value, unit)
            + " je hlubší než hloubka výměny " + depth(p.limit, unit) + " podle OcDecoMaxPO2:";
    case ProblemKind::GfLowAboveHigh:
        return quoted + "GF low " + number("%.0f", p.value) + " % je vyšší než GF high " + number("%.0f", p.limit)
            + " % (" + std::string(keys::kConservatism) + ")";
    case ProblemKind::TissueFileNeeded:
        return quoted + "opakovaný ponor potřebuje soubor se stavem tkání";
    case ProblemKind::TissueFileUnreadable:
        return quoted + "soubor nelze přečíst";
    case ProblemKind::NotATissueFile:
        return quoted + "není to soubor se stavem tkání KORAX";
    case ProblemKind::ForeignOutput:
        return quoted + (p.key == keys::kPlanFile ? "není to plán KORAX" : "není to soubor se stavem tkání KORAX")
            + "; soubor se nepřepíše";
    case ProblemKind::OutsideFolder:
        return quoted + "název vede mimo pracovní složku; soubor se nepoužije";
    case ProblemKind::NoProfile:
        return "Chybí profil ponoru.";
    case ProblemKind::StopNeverClears:
        return "Zastávka v " + depth(p.value, unit) + " se neuvolní ani za 24 hodin.";
    case ProblemKind::DecoTooLong:
        return "Dekomprese by trvala déle než 24 hodin.";
    case ProblemKind::BadCylinder: {
        const CylinderLimits& l = unit.metric() ? kLitresAndBar : kCubicFeetAndPsi;
        const std::string size
            = unit.metric() ? " l (2x12 pro dvojče)" : " cuft při jmenovitém tlaku (80/3000, 2x80/3000)";
        const char* pressureUnit = unit.metric() ? " bar" : " psi";
        return quoted + "očekává se " + std::string(plannerKey(keys::kCylinder).format) + " s objemem "
            + czech(l.minSize) + " až " + czech(l.maxSize) + size + " a tlakem " + czech(l.minFill) + " až "
            + czech(l.maxFill) + pressureUnit;
    }
    }
    return {};
}

std::string profileNotReadText(const std::string& fileName, platform::RegularRead cause)
{
    switch (cause) {
    case platform::RegularRead::NotRegular:
        return fileName + " není obyčejný soubor (je to složka, pojmenovaná roura nebo zařízení); korax jej neotevře.";
    case platform::RegularRead::TooLarge:
        return "Soubor " + fileName + " je větší než 64 MB; korax jej neotevře.";
    case platform::RegularRead::Read:
    case platform::RegularRead::Missing:
    case platform::RegularRead::Unreadable:
        break;
    }
    return "Nenalezen soubor " + fileName;
}

std::string warningText(const Warning& w, const LengthUnit& unit)
{
    const std::string rateUnit = std::string(" ") + unit.symbol + "/min.";
    switch (w.kind) {
    case WarningKind::DecoGasUnused:
        return "Dekompresní směs " + gasLabel(w.gas) + " nemá hloubku výměny nad poslední zastávkou; nepoužita.";
    case WarningKind::DefaultDescentRate:
        return "Pro část sestupu není zadána rychlost; použito " + number("%.0f", w.value) + rateUnit;
    case WarningKind::DefaultAscentRate:
        return "Pro část výstupu není zadána rychlost; použito " + number("%.0f", w.value) + rateUnit;
    case WarningKind::ProfileAboveCeiling:
        return "Profil ponoru vystupuje nad strop dekomprese (" + depth(w.depth, unit) + ").";
    case WarningKind::PO2AboveLimit:
        return where(w, unit) + ": PO2 " + number("%.2f", w.value) + " bar překračuje " + number("%.2f", w.limit)
            + " bar.";
    case WarningKind::EndAboveMax:
        return where(w, unit) + ": END " + depth(w.value, unit) + " překračuje MaxEND " + depth(w.limit, unit) + ".";
    case WarningKind::CnsAbove100:
        return "CNS " + number("%.0f", w.value) + " % překračuje 100 %.";
    case WarningKind::HypoxicAtStart:
        return "Směs " + breathLabel(w.gas, w.setpoint) + " na začátku ponoru: PO2 " + number("%.2f", w.value)
            + " bar na hladině je pod 0.16 bar (hypoxie).";
    case WarningKind::HypoxicOnSurfacing:
        return "Směs " + breathLabel(w.gas, w.setpoint) + " při vynoření: PO2 " + number("%.2f", w.value)
            + " bar na hladině je pod 0.16 bar (hypoxie).";
    case WarningKind::SurfacedAboveGfHigh:
        return "Oddíl " + std::to_string(w.compartment)
            + " se vynoří s větším přesycením, než dovoluje GF high (tento oddíl GF low/high neomezuje).";
    case WarningKind::TissueFileRestored:
        return "Zápis souboru se stavem tkání byl přerušen; plán vychází z jeho obnoveného předchozího obsahu.";
    case WarningKind::DensityAboveRecommended:
        return where(w, unit) + ": hustota plynu " + number("%.1f", w.value) + " g/l překračuje doporučených "
            + number("%.1f", w.limit) + " g/l.";
    case WarningKind::DensityAboveMaximum:
        return where(w, unit) + ": hustota plynu " + number("%.1f", w.value) + " g/l překračuje nejvyšších "
            + number("%.1f", w.limit) + " g/l.";
    case WarningKind::CounterDiffusion:
        return "Změna z " + breathLabel(w.gas, w.setpoint) + " na " + breathLabel(w.otherGas, w.otherSetpoint) + " v "
            + depth(w.depth, unit) + ": riziko izobarické protidifuze (dusík přibývá o víc než pětinu úbytku helia).";
    case WarningKind::BailoutGasUnused:
        return "Bailout směs " + gasLabel(w.gas) + " nemá hloubku výměny nad poslední zastávkou; nepoužita.";
    case WarningKind::EmergencyAscentNotPlanned:
        return "Nouzový výstup nelze naplánovat: dekomprese by trvala déle než 24 hodin.";
    case WarningKind::GasReserve:
        return "Lahev " + w.label + " skončí s " + pressure(w.value, unit) + ", pod svou rezervou "
            + pressure(w.limit, unit) + ".";
    case WarningKind::GasMissing:
        return "Směs " + gasLabel(w.gas) + " nemá žádnou lahev (Cylinder:).";
    case WarningKind::GasExhausted:
        return "Plán spotřebuje " + number("%.0f", w.value) + " l směsi " + gasLabel(w.gas)
            + (w.label.empty() ? "" : " ze smyčky") + ", ale její lahve drží jen " + number("%.0f", w.limit) + " l.";
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
