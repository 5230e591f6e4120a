// The planner: Schreiner's equation against small Haldane steps, the oxygen limits, the ascent
// under the gradient-factor line, plans against published Bühlmann ZH-L16C figures, GF pairs
// against uniform plans, and variations and lost-gas plans against plans of their changed
// settings. Whatever only pins plan output is a golden plan (portable_tests).
#include "planner/Alternatives.h"
#include "planner/Breathing.h"
#include "planner/Cylinders.h"
#include "planner/Exposure.h"
#include "planner/Gas.h"
#include "planner/Messages.h"
#include "planner/PlanText.h"
#include "planner/PlannerKeys.h"
#include "planner/RealGas.h"
#include "planner/Tissues.h"
#include "tests/planner/PlannerTestSupport.h"
#include "tests/support/Cases.h"

#include <QtTest>

using namespace korax;
using namespace planner_test;

class PlannerTest : public QObject {
    Q_OBJECT

private slots:
    void schreinerMatchesSmallHaldaneSteps_data() { cases::addRows("planner/schreiner.txt"); }
    void schreinerMatchesSmallHaldaneSteps()
    {
        const double fromDepth = cases::cell("fromDepth").toDouble();
        const double toDepth = cases::cell("toDepth").toDouble();
        const double minutes = 5.0;
        const Gas gas = *parseGas(cases::cell("mix").toStdString());
        StepLoader steps(settingsOf(profile({})));
        const Water& water = steps.water;
        Tissues tissues = saturatedWithAir(water.surfacePressure);
        loadTissues(tissues, coefficients(false), Gas { 0.18, 0.45 }, water.pressureAt(30.0), 0.0, 20.0);
        steps.step(30.0, Gas { 0.18, 0.45 }, 20.0);

        const double rate = (toDepth - fromDepth) / minutes;
        loadTissues(tissues, coefficients(false), gas, water.pressureAt(fromDepth), rate * water.barPerUnit, minutes);
        const double dt = 0.005;
        for (int i = 0; i < std::lround(minutes / dt); ++i)
            steps.step(fromDepth + rate * (i + 0.5) * dt, gas, dt);
        for (std::size_t i = 0; i < kCompartments; ++i)
            QVERIFY(std::fabs(tissues.n2[i] - steps.n2[i]) + std::fabs(tissues.he[i] - steps.he[i]) < 1e-5);
    }

    // On the loop the inspired inert pressures follow PO2 = min(P, max(SP, fO2·P)) with P the
    // ambient pressure less the vapour, the rest in the diluent's ratio: stepped here from the
    // definition, against the planner's pieces of Schreiner's equation.
    void loopLoadingMatchesSmallSteps_data() { cases::addRows("planner/loop_loading.txt"); }
    void loopLoadingMatchesSmallSteps()
    {
        const double from = cases::cell("fromDepth").toDouble(), to = cases::cell("toDepth").toDouble();
        const double sp0 = cases::cell("fromSetpoint").toDouble(), sp1 = cases::cell("toSetpoint").toDouble();
        const double minutes = cases::cell("minutes").toDouble();
        const Gas diluent = *parseGas(cases::cell("diluent").toStdString());
        StepLoader steps(settingsOf(profile({})));
        const Water& water = steps.water;
        Tissues tissues = saturatedWithAir(water.surfacePressure);
        loadTissues(tissues, coefficients(false), Gas { 0.18, 0.45 }, water.pressureAt(30.0), 0.0, 20.0);
        steps.step(30.0, Gas { 0.18, 0.45 }, 20.0);
        Decay decay;
        loadLoop(tissues, coefficients(false), diluent, water.pressureAt(from), water.pressureAt(to), sp0, sp1, minutes,
            decay);
        const int count = 20000;
        for (int i = 0; i < count; ++i) {
            const double u = (i + 0.5) / count;
            const double p = water.pressureAt(from + (to - from) * u) - 0.0627;
            const double po2 = std::min(p, std::max(sp0 + (sp1 - sp0) * u, diluent.o2 * p));
            const double inert = diluent.n2() + diluent.he;
            const double he = inert > 0 ? (p - po2) * diluent.he / inert : 0.0;
            // The step loader breathes a mix at a depth: the one whose fractions give these pressures.
            steps.step(from + (to - from) * u, Gas { po2 / p, he / p }, minutes / count);
        }
        for (std::size_t i = 0; i < kCompartments; ++i)
            QVERIFY2(std::fabs(tissues.n2[i] - steps.n2[i]) + std::fabs(tissues.he[i] - steps.he[i]) < 1e-6,
                qPrintable(QString("compartment %1").arg(i + 1)));
    }

    void cnsLimitsFollowTheNoaaTable_data() { cases::addRows("planner/cns_limits.txt"); }
    void cnsLimitsFollowTheNoaaTable()
    {
        QVERIFY(std::fabs(cnsLimitMinutes(cases::cell("po2").toDouble()) - cases::cell("minutes").toDouble()) < 1e-9);
    }

    void matchesPublishedPlans_data() { cases::addRows("planner/published_plans.txt"); }
    void matchesPublishedPlans()
    {
        const Plan plan = planOf(settingsOf(profile(cases::lines("changes"))));
        const double publishedRuntime = cases::cell("runtime").toDouble();
        QVERIFY2(std::fabs(plan.runtime - publishedRuntime) <= 0.01 * publishedRuntime + 1.0,
            qPrintable(QString::number(plan.runtime)));
        QString stops;
        for (const Stop& stop : plan.stops)
            stops += QString("%1:%2 ").arg(stop.depth).arg(stop.minutes);
        QVERIFY2(stops.startsWith(cases::text("stops")), qPrintable(stops));
    }

    // Followed with the step loader, leaving every depth each compartment that the line limits
    // is at or under the line at the next depth; the line runs from GF high at the surface to GF
    // low at the GF low point (1 bar below the surface at least, or the GF-low ceiling as the
    // ascent begins). With GF low = GF high it is the uniform M-value line.
    void plansFollowTheirGfLine_data() { cases::addRows("planner/gf_lines.txt"); }
    void plansFollowTheirGfLine()
    {
        const Settings settings = settingsOf(profile(cases::lines("changes")));
        const Plan plan = planOf(settings);
        QVERIFY(plan.complete && !plan.stops.empty());
        StepLoader loader(settings);
        const double p0 = loader.water.surfacePressure;
        double a0 = 0.0;
        for (const Segment& s : plan.segments) {
            if (s.decompression && a0 == 0.0)
                a0 = std::max(loader.ceilingPressure(settings.gfLow()), p0 + 1.0);
            const int steps = std::max(1, static_cast<int>(std::lround(s.minutes / 0.01)));
            for (int i = 0; i < steps; ++i)
                loader.step(s.startDepth + (s.endDepth - s.startDepth) * (i + 0.5) / steps, s.gas, s.minutes / steps);
            if (s.phase != Phase::Ascent || !s.decompression)
                continue;
            const double a = std::max(a0, loader.ceilingPressure(settings.gfLow()));
            const double p = loader.water.pressureAt(s.endDepth);
            for (std::size_t c = 0; c < kCompartments && p < a; ++c) {
                const auto [inert, ka, kb] = loader.loading(c);
                const double h = p0 + settings.gradientFactor() * (ka + p0 / kb - p0);
                const double w = a + settings.gfLow() * (ka + a / kb - a);
                QVERIFY2(h >= w || inert <= h + (w - h) * (p - p0) / (a - p0) + 0.002,
                    qPrintable(QString("compartment %1 at %2").arg(c + 1).arg(s.endDepth)));
            }
        }
    }

    // GF low equal to GF high, given or left out, plans exactly the uniform plan.
    void equalGfPairIsTheUniformPlan_data() { cases::addRows("planner/equal_gf.txt"); }
    void equalGfPairIsTheUniformPlan()
    {
        const Lines dive = profile({ "Conservatism: 20", "UseOCDeco: y", "OcDecoGas: 50, 100", "60, 25, 18/45" });
        const auto pair = readingOf(with(dive, { "GradientFactorLow: " + cases::cell("gfLow").toStdString() }));
        const auto uniform = readingOf(dive);
        const Plan plan = planOf(pair.settings), expected = planOf(uniform.settings);
        // With the problems read: an equal pair is allowed, not refused and left out.
        QCOMPARE(planFileText(pair.settings, &plan, pair.problems),
            planFileText(uniform.settings, &expected, uniform.problems));
    }

    // A rebreather diver decompresses on the loop; the open-circuit gases serve the bailout.
    void closedCircuitDecompressesOnTheLoop_data() { cases::addRows("planner/loop_deco.txt"); }
    void closedCircuitDecompressesOnTheLoop()
    {
        const Settings settings = settingsOf(profile(cases::lines("dive")));
        const Plan plan = planWithAlternatives(settings, startingTissues(settings, nullptr));
        QVERIFY(plan.problems.empty() && plan.emergency);
        for (const Segment& s : plan.segments)
            QVERIFY2(s.setpoint, qPrintable(QString("%1 at %2").arg(phaseName(s.phase)).arg(s.endDepth)));
        QStringList bailout;
        for (const GasUse& use : plan.emergency->gases)
            bailout << QString::fromStdString(gasLabel(use.gas));
        QCOMPARE(bailout.join(", "), cases::text("bailout"));
    }

    void switchDepthIsTheShallowestLimit_data() { cases::addRows("planner/switch_depths.txt"); }
    void switchDepthIsTheShallowestLimit()
    {
        const auto reading = readingOf(profile(with(cases::lines("dive"), { "UseOCDeco: y", "StopDistance: 1" })));
        QVERIFY(reading.problems.empty());
        const Plan plan = planOf(reading.settings);
        const auto isSwitch = [](const Segment& s) { return s.phase == Phase::GasSwitch; };
        const auto switched = std::ranges::find_if(plan.segments,
            [&](const Segment& s) { return isSwitch(s) && gasLabel(s.gas) == cases::cell("gas").toStdString(); });
        QVERIFY(switched != plan.segments.end());
        QCOMPARE(switched->endDepth, cases::cell("depth").toDouble());
        const bool warned = std::ranges::any_of(plan.warnings, [](const Warning& w) {
            return w.phase == Phase::GasSwitch
                && (w.kind == WarningKind::EndAboveMax || w.kind == WarningKind::DensityAboveRecommended
                    || w.kind == WarningKind::DensityAboveMaximum);
        });
        QCOMPARE(warned, cases::yes("warned"));
    }

    void settingProblemsNameWhatToChange_data() { cases::addRows("planner/setting_problems.txt"); }
    void settingProblemsNameWhatToChange()
    {
        const auto reading = readingOf(profile(with(cases::lines("changes"), { "45, 25, 21/35" })));
        QStringList texts;
        for (const Problem& problem : reading.problems)
            texts << QString::fromStdString(problemText(problem, reading.settings.unit));
        QCOMPARE(texts, QStringList { cases::text("problem") });
    }

    void counterDiffusionNeedsARealChange_data() { cases::addRows("planner/counter_diffusion.txt"); }
    void counterDiffusionNeedsARealChange()
    {
        const Plan plan = planOf(settingsOf(profile(cases::lines("changes"))));
        const bool warned = std::ranges::any_of(
            plan.warnings, [](const Warning& w) { return w.kind == WarningKind::CounterDiffusion; });
        QCOMPARE(warned, cases::yes("warns"));
    }

    void alternativesArePlansOfTheirChangedSettings_data() { cases::addRows("planner/alternatives.txt"); }
    void alternativesArePlansOfTheirChangedSettings()
    {
        const Lines deco = profile({ "UseOCDeco: y", "OcDecoGas: 50, 100" });
        const Settings settings = settingsOf(with(deco, cases::lines("dive")));
        const Plan plan = planWithAlternatives(settings, startingTissues(settings, nullptr));
        const Plan expected = planOf(settingsOf(with(deco, cases::lines("changed"))));
        const QByteArrayList compared { "time +5", "time -5", "depth +3", "depth -3", "lost 50", "lost 100",
            "emergency" };
        const auto index = static_cast<std::size_t>(compared.indexOf(cases::cell("plan")));
        if (index == 6) {
            QCOMPARE(plan.emergency->runtime, expected.runtime);
            QCOMPARE(plan.emergency->firstStop, expected.firstStop);
        } else if (index < 4) {
            const Variation& v = plan.variations.at(index);
            QCOMPARE(v.runtime, std::optional(expected.runtime));
            QCOMPARE(v.decoMinutes, std::optional(expected.runtime - expected.ascentStart));
        } else if (settings.closedCircuit()) {
            // The main plan stays on the loop: a lost bailout gas is the bailout plan without it.
            const Settings changed = settingsOf(with(deco, cases::lines("changed")));
            const auto bailout = planWithAlternatives(changed, startingTissues(changed, nullptr)).emergency;
            const LostGasPlan& lost = plan.lostGas.at(index - 4);
            QCOMPARE(lost.runtime, std::optional(bailout->runtime));
            QCOMPARE(lost.firstStop, bailout->firstStop);
        } else {
            const LostGasPlan& lost = plan.lostGas.at(index - 4);
            QCOMPARE(lost.runtime, std::optional(expected.runtime));
            QCOMPARE(lost.firstStop, expected.firstStop);
        }
    }

    // Every number a key's problem text names as its range ("od 0,1 do 60") is what the reader
    // takes: both bounds pass, a hundredth beyond either is a problem of that key.
    void everyKeyTakesTheRangeItsProblemNames()
    {
        const QRegularExpression bounds("od (-?[0-9,]+) do (?:hloubky )?(-?[0-9,]+)");
        int checked = 0;
        for (const PlannerKey& row : kPlannerKeys) {
            if (row.kind != ValueKind::Number && row.kind != ValueKind::NumberOrZero)
                continue;
            const std::string key(row.key);
            Problem bad { .kind = ProblemKind::BadValue, .key = row.key };
            const auto match = bounds.match(QString::fromStdString(problemText(bad, kMetres)));
            QVERIFY2(match.hasMatch(), key.c_str());
            const double low = match.captured(1).replace(',', '.').toDouble();
            const double high = match.captured(2).replace(',', '.').toDouble();
            for (const auto& [value, valid] :
                { std::pair { low, true }, { high, true }, { low - 0.01, false }, { high + 0.01, false } }) {
                Lines changes { "UseMetric: y", "DeepStops: p", "UseDecoSetpoint: y" };
                if (key != keys::kDecoSetpoint)
                    changes.push_back("DecoSetpoint: 1.2");
                changes.push_back(key + " " + QString::number(value).toStdString());
                const auto problems = readingOf(profile(changes)).problems;
                const bool refused = std::ranges::any_of(problems, [&](const Problem& p) { return p.key == row.key; });
                QVERIFY2(refused != valid, (key + " " + QString::number(value).toStdString()).c_str());
            }
            ++checked;
        }
        QCOMPARE(checked, 15);
    }

    // Z at 20 °C within the stated accuracy of reference values, and the pressure found back
    // from the litres a cylinder holds.
    void compressibilityMatchesReferenceValues_data() { cases::addRows("planner/real_gas.txt"); }
    void compressibilityMatchesReferenceValues()
    {
        const Gas gas = cases::cell("gas") == "helium" ? Gas { 0.0, 1.0 } : *parseGas(cases::cell("gas").toStdString());
        const double bar = cases::cell("bar").toDouble();
        const double z = compressibility(gas, bar), reference = cases::cell("z").toDouble();
        QVERIFY2(std::fabs(z / reference - 1.0) <= cases::cell("within").toDouble(), qPrintable(QString::number(z)));
        const double litres = freeLitres(gas, 12.0, bar);
        QVERIFY(std::fabs(litres - 12.0 * bar / (z * 1.01325)) < 1e-6 * litres);
        QVERIFY(std::fabs(pressureHolding(gas, 12.0, litres) - bar) < 1e-6 * bar);
    }

    void cylinderLinesAreRead_data() { cases::addRows("planner/cylinder_lines.txt"); }
    void cylinderLinesAreRead()
    {
        const auto cylinder
            = parseCylinder(cases::cell("text").toStdString(), cases::cell("unit") == "m" ? kMetres : kFeet);
        QCOMPARE(cylinder.has_value(), !cases::cell("water").isEmpty());
        if (!cylinder)
            return;
        QVERIFY2(std::fabs(cylinder->waterLitres - cases::cell("water").toDouble()) < 0.01,
            qPrintable(QString::number(cylinder->waterLitres)));
        QVERIFY(std::fabs(cylinder->fillBar - cases::cell("fill").toDouble()) < 0.01);
        QCOMPARE(cylinder->loop, cases::cell("loop") == "y");
    }

    // The loop's two numbers: missing, empty and "0" give the defaults, a value in range is taken.
    void loopNumbersDefaultWhenMissing()
    {
        for (const auto& [changes, oxygen, volume] :
            { std::tuple { Lines {}, 1.0, 7.0 }, std::tuple { Lines { "O2Metabolic: 0", "LoopVolume: 0" }, 1.0, 7.0 },
                std::tuple { Lines { "O2Metabolic:", "LoopVolume:" }, 1.0, 7.0 },
                std::tuple { Lines { "O2Metabolic: 0,8", "LoopVolume: 5.5" }, 0.8, 5.5 } }) {
            const SettingsReading reading = readingOf(with(profile(changes), { "45, 25, 21/35" }));
            QVERIFY(reading.problems.empty());
            QCOMPARE(reading.settings.o2Metabolic, oxygen);
            QCOMPARE(reading.settings.loopVolume, volume);
        }
    }

    // Cylinders of one mix drain by the same fraction of their free gas, and together give what
    // the plan breathes of it; the loop's oxygen gives O2Metabolic: for every minute on the loop.
    void cylindersGiveWhatThePlanBreathes()
    {
        const Settings oc = settingsOf(profile({ "UseOCDeco: y", "OcDecoGas: 50", "Cylinder: 2x12, 232, 21/35",
            "Cylinder: 10, 200, 21/35", "Cylinder: 11.1, 207, 50", "Cylinder: 7, 200, 100", "45, 25, 21/35" }));
        const Plan plan = planWithAlternatives(oc, startingTissues(oc, nullptr));
        QCOMPARE(plan.cylinders.size(), std::size_t { 4 });
        // A cylinder the plan never breathes keeps its fill to the last digit.
        QCOMPARE(plan.cylinders.back().usedBar, 0.0);
        QCOMPARE(plan.cylinders.back().leftBar, 200.0);
        std::vector<double> drawn;
        for (const CylinderUse& use : plan.cylinders) {
            const Cylinder& c = use.cylinder;
            const double full = freeLitres(c.gas, c.waterLitres, c.fillBar);
            const double left = freeLitres(c.gas, c.waterLitres, use.leftBar);
            drawn.push_back(full - left);
            QVERIFY(std::fabs(use.usedBar + use.leftBar - c.fillBar) < 1e-9);
        }
        const double twinsetFull = freeLitres(Gas { 0.21, 0.35 }, 24.0, 232.0);
        const double singleFull = freeLitres(Gas { 0.21, 0.35 }, 10.0, 200.0);
        QVERIFY(std::fabs(drawn[0] / twinsetFull - drawn[1] / singleFull) < 1e-9);
        for (const GasUse& use : plan.gasUse) {
            const double fromCylinders = use.gas == Gas { 0.5, 0.0 } ? drawn[2] : drawn[0] + drawn[1];
            QVERIFY2(std::fabs(fromCylinders - use.litres) < 1e-6 * use.litres, qPrintable(gasLabel(use.gas).c_str()));
        }
        // At altitude the plan's litres at the surface pressure are fewer litres at 1.01325 bar.
        const Settings high = settingsOf(
            with(profile({ "Cylinder: 2x12, 232, 21/35", "45, 25, 21/35" }), { "Altitude: 2000", "UseOCDeco: n" }));
        const Plan atAltitude = planWithAlternatives(high, startingTissues(high, nullptr));
        const Cylinder& twinset = atAltitude.cylinders.at(0).cylinder;
        const double highDrawn
            = freeLitres(twinset.gas, 24.0, 232.0) - freeLitres(twinset.gas, 24.0, atAltitude.cylinders.at(0).leftBar);
        const double surface = waterOf(high).surfacePressure;
        QVERIFY2(std::fabs(highDrawn - atAltitude.gasUse.at(0).litres * surface / 1.01325) < 1e-6 * highDrawn,
            qPrintable(QString::number(highDrawn)));

        // Only the bailout's diluent may be kept in a loop cylinder: its oxygen bailout is missing.
        const Settings cc
            = settingsOf(profile({ "UseOCDeco: y", "OcDecoGas: 100", "O2Metabolic: 1.5", "Cylinder: 3, 200, 100, loop",
                "Cylinder: 3, 200, 18/45, loop", "Cylinder: 11.1, 207, 18/45", "45, 25, 18/45@1.3" }));
        const Plan loop = planWithAlternatives(cc, startingTissues(cc, nullptr));
        const CylinderUse& oxygen = loop.cylinders.at(0);
        const double used
            = freeLitres(Gas { 1.0, 0.0 }, 3.0, 200.0) - freeLitres(Gas { 1.0, 0.0 }, 3.0, oxygen.leftBar);
        double loopMinutes = 0.0;
        for (const Segment& segment : loop.segments)
            loopMinutes += segment.setpoint ? segment.minutes : 0.0;
        QVERIFY2(std::fabs(used - 1.5 * loopMinutes) < 1e-6 * used, qPrintable(QString::number(used)));
        QVERIFY(!loop.cylinders.at(2).turnBar && loop.cylinders.at(2).reserveBar > 0.0);
        QCOMPARE(oxygen.reserveBar, std::optional(0.0));
        QVERIFY(std::ranges::any_of(loop.warnings, [](const Warning& w) {
            return w.kind == WarningKind::GasMissing && w.gas == Gas { 1.0, 0.0 };
        }));
    }
};

QTEST_APPLESS_MAIN(PlannerTest)
#include "test_planner.moc"
