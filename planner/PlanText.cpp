#include "planner/PlanText.h"

#include "files/Cp1250Text.h"
#include "planformat/PlanFormat.h"
#include "planner/Breathing.h"
#include "planner/English.h"
#include "planner/Exposure.h"
#include "planner/Messages.h"
#include "planner/Planner.h"

#include <algorithm>
#include <cstdio>

namespace korax {
namespace {

template <typename Number> std::string format(const char* pattern, Number value)
{
    char text[64];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

std::string gasList(const std::vector<Gas>& gases)
{
    std::string text;
    for (const Gas& gas : gases)
        text += (text.empty() ? "" : ", ") + gasLabel(gas);
    return text;
}

// The gases of OcDecoGas:, each with the switch depth the diver gave: "21/35 (36 m), 50/0".
std::string gasList(const std::vector<DecoGas>& gases, const std::string& unit)
{
    std::string text;
    for (const DecoGas& gas : gases) {
        text += (text.empty() ? "" : ", ") + gasLabel(gas.gas);
        if (gas.switchDepth)
            text += " (" + format("%g", *gas.switchDepth) + " " + unit + ")";
    }
    return text;
}

// What a table shows where a variation or lost-gas plan could not be made.
constexpr const char* kNone = "—";

// Characters, not bytes: the line is converted to one byte per character.
std::size_t characters(const std::string& utf8)
{
    std::size_t count = 0;
    for (const char c : utf8)
        count += (static_cast<unsigned char>(c) & 0xC0u) != 0x80u ? 1u : 0u;
    return count;
}

std::string padRight(const std::string& utf8, std::size_t width)
{
    const std::size_t count = characters(utf8);
    return utf8 + std::string(count < width ? width - count : 0, ' ');
}

// A right-aligned cell of a short table, always two blanks apart from the one before.
std::string cell(const std::string& utf8)
{
    const std::size_t count = characters(utf8);
    return "  " + std::string(count < 12 ? 12 - count : 0, ' ') + utf8;
}

std::string minutes(const std::optional<double>& value)
{
    return value ? format("%.1f", *value) : kNone;
}

static_assert(plan_format::kDepthColumn.width == 8 && plan_format::kMinutesColumn.width == 8
        && plan_format::kRuntimeColumn.width == 8 && plan_format::kPo2Column.width == 5
        && plan_format::kCeilingColumn.width == 7,
    "the patterns below write these widths");

// A number of the segment table in its 8 characters with a blank before it, also past
// 99999.9 minutes, so that the columns never run together.
std::string column(double value)
{
    for (const char* pattern : { "%8.1f", "%8.0f", "%8.1e" }) {
        const std::string text = format(pattern, value);
        if (text.size() == 8 && text.front() == ' ')
            return text;
    }
    return format("%8.1e", value);
}

class Writer {
public:
    Writer(const Settings& settings, Language language)
        : s_(settings)
        , unit_(settings.unit.symbol)
        , language_(language)
        , words_(plan_format::tableWords(language))
    {
    }

    void heading()
    {
        line(std::string("KORAX ") + kVersion + tr(" – plán ponoru s ")
            + (s_.closedCircuit() ? tr("uzavřeným") : tr("otevřeným")) + tr(" okruhem"));
        const std::string model
            = std::string("Model: Bühlmann ZH-L16") + (s_.useBValues ? "B" : "C") + tr(" s heliem, ");
        if (s_.gfPair())
            line(model + "GF " + format("%d", s_.gfLowPercent) + "/" + format("%g", s_.gradientFactor() * 100.0)
                + tr(" (GF low z GradientFactorLow:, GF high = 100 % minus konzervatismus ")
                + format("%g", s_.conservatism) + " %)");
        else
            line(model + tr("gradientový faktor ") + format("%.0f", s_.gradientFactor() * 100.0)
                + tr(" % (konzervatismus ") + format("%g", s_.conservatism) + " %)");
        const Water water = waterOf(s_);
        line(tr("Hladina: nadmořská výška ") + format("%g", s_.altitude) + tr(" m, tlak ")
            + format("%.5f", water.surfacePressure) + tr(" bar; ")
            + (s_.saltWater ? tr("slaná voda 1.030 kg/l") : tr("sladká voda 1.000 kg/l")));
        line(std::string(words_.unitLine) + unit_ + tr(", rychlosti v ") + unit_ + "/min");
        line(tr("Zastávky: po ") + format("%g", s_.stopDistance) + " " + unit_ + tr(", poslední v ")
            + format("%g", s_.lastStopDepth) + " " + unit_ + tr(", délka násobkem ") + format("%g", s_.precision)
            + " min");
        switch (s_.deepStops) {
        case DeepStopMethod::None:
            line(tr("Hloubkové zastávky: žádné"));
            break;
        case DeepStopMethod::Pyle:
            line(tr("Hloubkové zastávky: podle Pylea, ") + format("%g", s_.pyleStopTime) + " min");
            break;
        case DeepStopMethod::Wkpp:
            line(tr("Hloubkové zastávky: WKPP, po 1 min"));
            break;
        }
        if (s_.useOcDeco && !s_.decoGases.empty())
            line(std::string(s_.closedCircuit() ? tr("Bailout směsi: ") : tr("Dekompresní směsi: "))
                + gasList(s_.decoGases, unit_) + tr(" (PO2 nejvýše ") + format("%.2f", s_.decoMaxPO2) + " bar)");
        else
            line(tr("Dekompresní směsi: žádné"));
        if (s_.repetitive)
            line(tr("Opakovaný ponor: povrchový interval ") + format("%.0f", s_.surfaceInterval)
                + tr(" min, stav tkání ze souboru ") + cp1250::cp1250ToUtf8(s_.tissueFile));
        else
            line(tr("Opakovaný ponor: ne (tkáně nasycené vzduchem na hladině)"));
        line(tr("Spotřeba: ") + format("%g", s_.rmv) + tr(" l/min na dně a při sestupu, ") + format("%g", s_.decoRmv)
            + tr(" l/min při výstupu a na zastávkách"));
        line("MaxEND: " + (s_.maxEnd > 0.0 ? format("%g", s_.maxEnd) + " " + unit_ : std::string(tr("bez omezení")))
            + (s_.oxyNarc ? tr(" (kyslík se počítá jako narkotický)") : ""));
        if (usesLoop())
            line(tr("Uzavřený okruh: setpoint se mění ")
                + (s_.slideRate > 0.0 ? tr("rychlostí ") + format("%g", s_.slideRate) + " bar/min"
                                      : std::string(tr("okamžitě")))
                + "; " + ascentCircuit());
        else
            line(tr("SlideRate: a UseDecoSetpoint: se týkají uzavřeného okruhu; plánovač je nepoužívá."));
        line("");
    }

    // The segment table: the header, one row per segment and the empty line that ends it.
    void segmentTable(const std::vector<Segment>& segments)
    {
        using namespace plan_format;
        // A loop gas longer than the gas column widens it (PO2 follows).
        std::size_t gasWidth = kGasColumn.width;
        for (const Segment& segment : segments)
            gasWidth = std::max(gasWidth, characters(breathLabel(segment.gas, segment.setpoint)));
        std::string header(words_.header);
        header.insert(header.size() - words_.headerAfterGas.size(), gasWidth - kGasColumn.width, ' ');
        line(header);
        for (const Segment& segment : segments) {
            const double po2 = highestPO2(segment, waterOf(s_));
            const std::string gas = padRight(breathLabel(segment.gas, segment.setpoint), gasWidth);
            // A mix label of all 9 characters and a PO2 of 10 bar or more would touch.
            const bool touching = gas.back() != ' ' && po2 >= 9.995;
            line(padRight(phaseName(segment.phase, language_), kPhaseColumn.width) + column(segment.endDepth)
                + column(segment.minutes) + column(segment.runtime) + std::string(kGapColumn.width, ' ') + gas
                + format(touching ? "%5.1f" : "%5.2f", po2) + format("%7.1f", segment.ceiling));
        }
        line("");
    }

    void table(const Plan& plan)
    {
        segmentTable(plan.segments);
        line(tr("Celkový čas ponoru: ") + format("%.1f", plan.runtime) + " min");
        line(tr("První zastávka: ")
            + (plan.firstStop ? format("%.1f", *plan.firstStop) + " " + unit_ : std::string(tr("žádná"))));
        if (plan.gfLowPoint)
            line(tr("Bod GF low: ") + format("%.2f", *plan.gfLowPoint) + " " + unit_);
        line(tr("Spotřeba plynu (litry na hladině):"));
        for (const GasUse& use : plan.gasUse)
            line("  " + padRight(gasLabel(use.gas), 10) + format("%8.0f", use.litres) + " l");
        if (usesLoop())
            line(std::ranges::any_of(s_.cylinders, &Cylinder::loop)
                    ? tr("  plyn smyčky uzavřeného okruhu: v tabulce Lahve")
                    : tr("  plyn smyčky uzavřeného okruhu se nepočítá"));
        if (s_.repetitive)
            line(tr("CNS na začátku ponoru: ") + format("%.1f", plan.cnsStartPercent) + " %");
        line("CNS: " + format("%.1f", plan.cnsPercent) + " %");
        line("OTU: " + format("%.1f", plan.otu));
        if (!plan.variations.empty())
            alternatives(plan);
        if (!plan.cylinders.empty())
            cylinders(plan.cylinders);
        list(words_.warningsHeading, plan.warnings);
    }

    // The variations and lost-gas plans, made only when the plan has no problem.
    void alternatives(const Plan& plan)
    {
        line(tr("Varianty plánu:"));
        line("  " + padRight(tr("Varianta"), 16) + cell(tr("Čas ponoru")) + cell(tr("Dekomprese")));
        for (const Variation& v : plan.variations)
            line("  " + padRight(variationName(v.kind), 16) + cell(minutes(v.runtime)) + cell(minutes(v.decoMinutes)));
        // A closed-circuit dive decompresses on the loop: a lost gas changes its bailout plan.
        const bool bailout = s_.closedCircuit();
        line(bailout ? tr("Ztráta bailout směsi (bailout bez ní):") : tr("Ztráta dekompresní směsi:"));
        if (plan.lostGas.empty())
            line(tr("  žádné"));
        else
            line("  " + padRight(tr("Bez směsi"), 10) + cell(tr("Čas ponoru")) + cell(tr("1. zastávka"))
                + (bailout ? tr("  Litry na hladině") : tr("  Zbývající směsi")));
        for (const LostGasPlan& lost : plan.lostGas) {
            std::string firstStop = kNone;
            if (lost.runtime)
                firstStop = lost.firstStop ? format("%.1f", *lost.firstStop) + " " + unit_ : tr("žádná");
            std::string rest = lost.gasesLeft.empty() ? std::string(tr("žádné")) : gasList(lost.gasesLeft);
            if (bailout)
                rest = lost.runtime ? litresList(lost.bailoutGases) : kNone;
            line(
                "  " + padRight(gasLabel(lost.lost), 10) + cell(minutes(lost.runtime)) + cell(firstStop) + "  " + rest);
        }
        emergency(plan.emergency);
    }

    // Minimum gas of an open-circuit dive, the bailout plan of a closed-circuit one.
    void emergency(const std::optional<EmergencyPlan>& plan)
    {
        const std::string how = format("%g", s_.problemSolvingMinutes) + tr(" min řešení problému, ")
            + format("%g", s_.stressRmv) + " l/min";
        if (s_.closedCircuit())
            line(tr("Bailout (výstup na otevřeném okruhu po ") + how + "):");
        else
            line(tr("Minimální zásoba plynu (výstup po ") + how + tr(", poslední směs pro dva):"));
        if (!plan) {
            line(std::string("  ") + kNone);
            return;
        }
        if (s_.closedCircuit()) {
            line(tr("  Čas ponoru: ") + format("%.1f", plan->runtime) + " min");
            line(tr("  První zastávka: ")
                + (plan->firstStop ? format("%.1f", *plan->firstStop) + " " + unit_ : std::string(tr("žádná"))));
        }
        for (const GasUse& use : plan->gases)
            line("  " + padRight(gasLabel(use.gas), 10) + format("%8.0f", use.litres) + " l");
        line(std::string(words_.emergencyHeading));
        segmentTable(plan->segments);
    }

    // Per cylinder what the plan uses, leaves and keeps, in bar (psi with feet) at 20 °C.
    void cylinders(const std::vector<CylinderUse>& uses)
    {
        const bool metric = s_.unit.metric();
        const double scale = metric ? 1.0 : kPsiPerBar;
        const auto pressure
            = [&](const std::optional<double>& bar) { return bar ? format("%.0f", *bar * scale) : std::string(kNone); };
        line(std::string(tr("Lahve (tlak v ")) + (metric ? "bar" : "psi")
            + tr("; obrat: tlak na konci posledního řádku profilu, spotřeba zbytku plánu a rezerva):"));
        std::vector<std::string> sizes;
        std::size_t width = 16;
        for (std::size_t i = 0; i < uses.size(); ++i) {
            const Cylinder& c = uses[i].cylinder;
            sizes.push_back(std::to_string(i + 1) + " " + cylinderLabel(c, s_.unit) + (c.loop ? tr(" smyčka") : ""));
            // Two blanks at least before the mix.
            width = std::max(width, characters(sizes.back()) + 2);
        }
        line("  " + padRight(tr("Lahev"), width) + padRight(tr("Směs"), 10) + cell(tr("Plnění")) + cell(tr("Spotřeba"))
            + cell(tr("Zbývá")) + cell(tr("Rezerva")) + cell(tr("Obrat")));
        for (std::size_t i = 0; i < uses.size(); ++i) {
            const CylinderUse& use = uses[i];
            line("  " + padRight(sizes[i], width) + padRight(gasLabel(use.cylinder.gas), 10)
                + cell(pressure(use.cylinder.fillBar)) + cell(pressure(use.usedBar)) + cell(pressure(use.leftBar))
                + cell(pressure(use.reserveBar)) + cell(pressure(use.turnBar)));
        }
    }

    // A closed-circuit dive decompresses on the loop; its open-circuit gases are for bailout.
    std::string ascentCircuit() const
    {
        if (!s_.closedCircuit())
            return tr("výstup na otevřeném okruhu");
        const double setpoint = s_.decoSetpoint.value_or(*s_.profile.back().setpoint);
        const std::string onLoop = tr("dekomprese na smyčce se setpointem ") + format("%.2f", setpoint) + " bar"
            + (s_.decoSetpoint ? " (DecoSetpoint:)" : tr(" (posledního řádku)"));
        return onLoop + tr("; bailout na otevřeném okruhu na ředidle")
            + (s_.decoGases.empty() ? std::string() : tr(", od hloubky výměny na ") + gasList(s_.decoGases, unit_));
    }

    std::string litresList(const std::vector<GasUse>& uses) const
    {
        std::string text;
        for (const GasUse& use : uses)
            text += (text.empty() ? "" : ", ") + gasLabel(use.gas) + " " + format("%.0f", use.litres) + " l";
        return text;
    }

    bool usesLoop() const
    {
        return std::ranges::any_of(s_.profile, [](const ProfileSegment& line) { return line.setpoint.has_value(); });
    }

    std::string variationName(VariationKind kind) const
    {
        if (changesDepth(kind))
            return std::string(tr("hloubka ")) + signOf(kind) + format("%g", s_.unit.variationDepth) + " " + unit_;
        return std::string(tr("čas ")) + signOf(kind) + "5 min";
    }

    template <typename Finding> void list(std::string_view title, const std::vector<Finding>& items)
    {
        using namespace plan_format;
        line(std::string(title));
        if (items.empty())
            line(std::string(kListIndent) + std::string(words_.noEntries));
        for (const Finding& item : items)
            line(std::string(kListIndent) + text(item));
    }

    std::string out;

private:
    void line(const std::string& utf8) { out += cp1250::utf8ToCp1250(utf8) + "\r\n"; }
    std::string tr(const char* czech) const { return korax::tr(language_, czech); }
    std::string text(const Warning& warning) const { return warningText(warning, s_.unit, language_); }
    std::string text(const Problem& problem) const { return problemText(problem, s_.unit, language_); }

    const Settings& s_;
    std::string unit_;
    Language language_;
    const plan_format::TableWords& words_;
};

} // namespace

bool isPlanFileText(std::string_view bytes)
{
    const std::string_view firstLine = bytes.substr(0, bytes.find('\n'));
    // In either language: the title's words as Czech plans write them, or as English ones do.
    return firstLine.starts_with("KORAX ")
        && (firstLine.find(cp1250::utf8ToCp1250(" – plán ponoru")) != std::string_view::npos
            || firstLine.find(cp1250::utf8ToCp1250(" – dive plan")) != std::string_view::npos);
}

std::string planFileText(
    const Settings& settings, const Plan* plan, const std::vector<Problem>& problems, Language language)
{
    Writer writer(settings, language);
    const plan_format::TableWords& words = plan_format::tableWords(language);
    writer.heading();
    if (plan)
        writer.table(*plan);
    else
        writer.list(words.warningsHeading, std::vector<Warning> {});
    writer.list(words.problemsHeading, problems);
    return writer.out;
}

} // namespace korax
