#include "planner/PlanText.h"

#include "planner/Messages.h"
#include "planner/Planner.h"
#include "platform/Cp1250Text.h"

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

// Padding by characters, not bytes: the line is converted to one byte per character.
std::string padRight(const std::string& utf8, std::size_t width)
{
    std::size_t characters = 0;
    for (const char c : utf8)
        characters += (static_cast<unsigned char>(c) & 0xC0u) != 0x80u ? 1u : 0u;
    return utf8 + std::string(characters < width ? width - characters : 0, ' ');
}

class Writer {
public:
    Writer(const Settings& settings)
        : s_(settings)
        , unit_(settings.unit.symbol)
    {
    }

    void heading()
    {
        line(std::string("KORAX ") + kVersion + " – plán ponoru s otevřeným okruhem");
        const std::string model = std::string("Model: Bühlmann ZH-L16") + (s_.useBValues ? "B" : "C") + " s heliem, ";
        if (s_.gfPair())
            line(model + "GF " + format("%d", s_.gfLowPercent) + "/" + format("%g", s_.gradientFactor() * 100.0)
                + " (GF low z GradientFactorLow:, GF high = 100 % minus konzervatismus " + format("%g", s_.conservatism)
                + " %)");
        else
            line(model + "gradientový faktor " + format("%.0f", s_.gradientFactor() * 100.0) + " % (konzervatismus "
                + format("%g", s_.conservatism) + " %)");
        const Water water = waterOf(s_);
        line("Hladina: nadmořská výška " + format("%g", s_.altitude) + " m, tlak "
            + format("%.5f", water.surfacePressure) + " bar; "
            + (s_.saltWater ? "slaná voda 1.030 kg/l" : "sladká voda 1.000 kg/l"));
        line("Jednotky hloubky: " + unit_ + ", rychlosti v " + unit_ + "/min");
        line("Zastávky: po " + format("%g", s_.stopDistance) + " " + unit_ + ", poslední v "
            + format("%g", s_.lastStopDepth) + " " + unit_ + ", délka násobkem " + format("%g", s_.precision) + " min");
        switch (s_.deepStops) {
        case DeepStopMethod::None:
            line("Hloubkové zastávky: žádné");
            break;
        case DeepStopMethod::Pyle:
            line("Hloubkové zastávky: podle Pylea, " + format("%g", s_.pyleStopTime) + " min");
            break;
        case DeepStopMethod::Wkpp:
            line("Hloubkové zastávky: WKPP, po 1 min");
            break;
        }
        if (s_.useOcDeco && !s_.decoGases.empty())
            line("Dekompresní směsi: " + gasList(s_.decoGases) + " (PO2 nejvýše " + format("%.2f", s_.decoMaxPO2)
                + " bar)");
        else
            line("Dekompresní směsi: žádné");
        if (s_.repetitive)
            line("Opakovaný ponor: povrchový interval " + format("%.0f", s_.surfaceInterval)
                + " min, stav tkání ze souboru " + cp1250::cp1250ToUtf8(s_.tissueFile));
        else
            line("Opakovaný ponor: ne (tkáně nasycené vzduchem na hladině)");
        line("Spotřeba: " + format("%g", s_.rmv) + " l/min na dně a při sestupu, " + format("%g", s_.decoRmv)
            + " l/min při výstupu a na zastávkách");
        line("MaxEND: " + format("%g", s_.maxEnd) + " " + unit_
            + (s_.oxyNarc ? " (kyslík se počítá jako narkotický)" : ""));
        line("SlideRate: a UseDecoSetpoint: se týkají uzavřeného okruhu; plánovač je nepoužívá.");
        line("");
    }

    void table(const Plan& plan)
    {
        // Fixed columns (see README): phase 1-19, depth 20-27, segment 28-35, run time 36-43,
        // gas 46-54, PO2 55-59.
        line(padRight("Fáze", 19) + " Hloubka    Úsek     Čas  " + padRight("Směs", 9) + "  PO2");
        for (const Segment& segment : plan.segments) {
            char numbers[64];
            std::snprintf(
                numbers, sizeof numbers, "%8.1f%8.1f%8.1f  ", segment.endDepth, segment.minutes, segment.runtime);
            const double deepest = std::max(segment.startDepth, segment.endDepth);
            line(padRight(phaseName(segment.phase), 19) + numbers + padRight(gasLabel(segment.gas), 9)
                + format("%5.2f", segment.gas.o2 * waterOf(s_).pressureAt(deepest)));
        }
        line("");
        line("Celkový čas ponoru: " + format("%.1f", plan.runtime) + " min");
        line("První zastávka: "
            + (plan.firstStop ? format("%.1f", *plan.firstStop) + " " + unit_ : std::string("žádná")));
        if (plan.gfLowPoint)
            line("Bod GF low: " + format("%.2f", *plan.gfLowPoint) + " " + unit_);
        line("Spotřeba plynu (litry na hladině):");
        for (const GasUse& use : plan.gasUse)
            line("  " + padRight(gasLabel(use.gas), 10) + format("%8.0f", use.litres) + " l");
        line("CNS: " + format("%.1f", plan.cnsPercent) + " %");
        line("OTU: " + format("%.1f", plan.otu));
        list("Varování:", plan.warnings);
    }

    template <typename Finding> void list(const char* title, const std::vector<Finding>& items)
    {
        line(title);
        if (items.empty())
            line("  žádné");
        for (const Finding& item : items)
            line("  " + text(item));
    }

    std::string out;

private:
    void line(const std::string& utf8) { out += cp1250::utf8ToCp1250(utf8) + "\r\n"; }
    std::string text(const Warning& warning) const { return warningText(warning, s_.unit); }
    std::string text(const Problem& problem) const { return problemText(problem, s_.unit); }

    const Settings& s_;
    std::string unit_;
};

} // namespace

std::string planFileText(const Settings& settings, const Plan* plan, const std::vector<Problem>& problems)
{
    Writer writer(settings);
    writer.heading();
    if (plan)
        writer.table(*plan);
    else
        writer.list("Varování:", std::vector<Warning> {});
    writer.list("Problémy:", problems);
    return writer.out;
}

} // namespace korax
