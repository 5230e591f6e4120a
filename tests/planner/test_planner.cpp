// The planner: Schreiner's equation against small Haldane steps, the oxygen limits, the ascent
// under the gradient-factor line, plans against published Bühlmann ZH-L16C figures, GF pairs
// against uniform plans, and variations and lost-gas plans against plans of their changed
// settings. Whatever only pins plan output is a golden plan of test_korax_run.
#include "planner/Alternatives.h"
#include "planner/Exposure.h"
#include "planner/Gas.h"
#include "planner/PlanText.h"
#include "planner/Tissues.h"
#include "tests/planner/PlannerTestSupport.h"

#include <QtTest>

using namespace korax;
using namespace planner_test;

class PlannerTest : public QObject {
    Q_OBJECT

private slots:
    void schreinerMatchesSmallHaldaneSteps_data()
    {
        QTest::addColumn<double>("fromDepth");
        QTest::addColumn<double>("toDepth");
        QTest::addColumn<QString>("mix");
        QTest::newRow("descent on trimix") << 0.0 << 100.0 << "10/70";
        QTest::newRow("ascent on trimix") << 79.0 << 33.0 << "15/45";
    }
    void schreinerMatchesSmallHaldaneSteps()
    {
        QFETCH(double, fromDepth);
        QFETCH(double, toDepth);
        QFETCH(QString, mix);
        const double minutes = 5.0;
        const Gas gas = *parseGas(mix.toStdString());
        StepLoader steps(settingsOf(profile({})));
        const Water& water = steps.water;
        // Start from a loaded state so that both directions of diffusion are exercised.
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

    // NOAA Diving Manual, oxygen single-exposure limits: the table's points and a value
    // interpolated between two of them.
    void cnsLimitsFollowTheNoaaTable_data()
    {
        QTest::addColumn<double>("po2");
        QTest::addColumn<double>("minutes");
        QTest::newRow("1.6 bar") << 1.6 << 45.0;
        QTest::newRow("1.5 bar") << 1.5 << 120.0;
        QTest::newRow("halfway 1.5 to 1.6") << 1.55 << 82.5;
        QTest::newRow("0.6 bar") << 0.6 << 720.0;
        QTest::newRow("above the table") << 1.8 << 45.0;
        QTest::newRow("0.5 bar does not count") << 0.5 << 0.0;
    }
    void cnsLimitsFollowTheNoaaTable()
    {
        QFETCH(double, po2);
        QFETCH(double, minutes);
        QVERIFY(std::fabs(cnsLimitMinutes(po2) - minutes) < 1e-9);
    }

    // Plans compared with published figures: run time within 1 % + 1 min, and the stops
    // ("depth:minutes ...") as far as the source gives them, the first stop's depth at least.
    void matchesPublishedPlans_data()
    {
        QTest::addColumn<Lines>("lines");
        QTest::addColumn<double>("publishedRuntime");
        QTest::addColumn<QString>("publishedStops");

        // 79 m for 30 min from leaving the surface (23 m/min down, so 26.57 min at depth) on
        // 15/45, 36 % and 100 % at PO2 1.6 (33 m and 6 m), GF 100/100, salt water 1.03 kg/l,
        // surface 1.01325 bar, ascent 9.144 m/min below 6 m and 3.048 m/min above, 3 m stops,
        // last stop 6 m: total run time 109 min (as quoted in issue 7). Ours: 108.95 min.
        QTest::newRow("79 m trimix, GF 100") << profile({ "LastStopDepth: 6", "UseOCDeco: y", "OcDecoGas: 36, 100",
            "DescentRate: 0-79, 23", "AscentRate: 79-6, 9.144", "AscentRate: 6-0, 3.048", "79, 26.565, 15/45" })
                                             << 109.0 << "";

        // Subsurface issue #3281, "Subsurface does not give the same results as DiveProMe+"
        // (OlivierV78, 2021, https://github.com/subsurface/subsurface/issues/3281): 50 m for
        // 20 min with 80 % O2 for decompression, ZH-L16C GF 79/80, 30 m/min down, 10 m/min up,
        // last stop 6 m; Subsurface and MultiDeco both give 43 min run time, first stop 12 m.
        // These are two planners' outputs, not a hand-worked table. Not stated there, so taken
        // as those planners' defaults: air as bottom gas, the 20 min counted from leaving the
        // surface (18.33 min at depth), salt water, 3 m stops, switch at 9 m. Ours: 43.0 min,
        // first stop 12 m (2 min at 12 m, then 80 % at 9 m).
        QTest::newRow("50 m air, 80 % deco, GF 79/80")
            << profile({ "Conservatism: 20", "GradientFactorLow: 79", "LastStopDepth: 6", "UseOCDeco: y",
                   "OcDecoGas: 80", "DescentRate: 0-50, 30", "AscentRate: 50-0, 10", "50, 18.333, air" })
            << 43.0 << "12:";

        // GasPlanner (jirkapok/GasPlanner, the Bühlmann algorithm tests in
        // projects/scuba-physics/src/lib/algorithm at commit af33686): 30 m for 25 min on air from leaving the
        // surface (20 m/min down, so 23.5 min at depth), 10 m/min up, GF 40/85, 3 m stops, last
        // at 3 m, salt water, sea level: stops 9 m 1 min, 6 m 3 min, 3 m 4 min, run time 36 min
        // without the 3-minute safety stop (39 min with it). Ours: the same stops, 36.0 min.
        QTest::newRow("30 m air, GF 40/85")
            << profile({ "Conservatism: 15", "GradientFactorLow: 40", "30, 23.5, air" }) << 36.0 << "9:1 6:3 3:4 ";
    }
    void matchesPublishedPlans()
    {
        QFETCH(Lines, lines);
        QFETCH(double, publishedRuntime);
        QFETCH(QString, publishedStops);
        const Plan plan = planOf(settingsOf(lines));
        QVERIFY2(std::fabs(plan.runtime - publishedRuntime) <= 0.01 * publishedRuntime + 1.0,
            qPrintable(QString::number(plan.runtime)));
        QString stops;
        for (const Stop& stop : plan.stops)
            stops += QString("%1:%2 ").arg(stop.depth).arg(stop.minutes);
        QVERIFY2(stops.startsWith(publishedStops), qPrintable(stops));
    }

    // Followed with the step loader, leaving every depth each compartment that the line limits
    // is at or under the line at the next depth; the line runs from GF high at the surface to GF
    // low at the GF low point (1 bar below the surface at least, or the GF-low ceiling as the
    // ascent begins). With GF low = GF high it is the uniform M-value line.
    void plansFollowTheirGfLine_data()
    {
        matchesPublishedPlans_data();
        const Lines deco = profile({ "UseOCDeco: y", "OcDecoGas: 50, 100" });
        QTest::newRow("60 m trimix, GF 30/30") << with(deco, { "Conservatism: 70", "60, 25, 18/45" }) << 0.0 << "";
        QTest::newRow("80 m trimix, Pyle stops, 20/85")
            << with(deco, { "Conservatism: 15", "GradientFactorLow: 20", "DeepStops: p", "80, 20, 15/55" }) << 0.0
            << "";
    }
    void plansFollowTheirGfLine()
    {
        QFETCH(Lines, lines);
        const Settings settings = settingsOf(lines);
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
    void equalGfPairIsTheUniformPlan_data()
    {
        QTest::addColumn<std::string>("gfLow");
        QTest::newRow("80 % of Conservatism: 20") << std::string("80");
        QTest::newRow("0") << std::string("0");
        QTest::newRow("empty") << std::string();
    }
    void equalGfPairIsTheUniformPlan()
    {
        QFETCH(std::string, gfLow);
        const Lines dive = profile({ "Conservatism: 20", "UseOCDeco: y", "OcDecoGas: 50, 100", "60, 25, 18/45" });
        const Settings pair = settingsOf(with(dive, { "GradientFactorLow: " + gfLow }));
        const Settings uniform = settingsOf(dive);
        const Plan plan = planOf(pair), expected = planOf(uniform);
        QCOMPARE(planFileText(pair, &plan, {}), planFileText(uniform, &expected, {}));
    }

    // Each variation and lost-gas plan is the plan of the settings changed by hand; index 0-3
    // are time +5, time -5, depth +3, depth -3, 4 and on the lost deco gases. A variation without
    // a plan (depth -3 from 3 m) is a golden plan.
    void alternativesArePlansOfTheirChangedSettings_data()
    {
        QTest::addColumn<Lines>("dive");
        QTest::addColumn<int>("index");
        QTest::addColumn<Lines>("changed");
        const Lines deco = profile({ "UseOCDeco: y", "OcDecoGas: 50, 100" });
        const Lines dive = with(deco, { "40, 10, 21/35", "30, 10, 21/35", "40, 5, 21/35" });
        QTest::newRow("time +5 on the first deepest line")
            << dive << 0 << with(deco, { "40, 15, 21/35", "30, 10, 21/35", "40, 5, 21/35" });
        QTest::newRow("time -5 stops at 0") << with(deco, { "40, 3, air" }) << 1 << with(deco, { "40, 0, air" });
        QTest::newRow("depth +3 on every deepest line")
            << dive << 2 << with(deco, { "43, 10, 21/35", "30, 10, 21/35", "43, 5, 21/35" });
        QTest::newRow("depth -3 on every line deeper")
            << with(deco, { "40, 10, 21/35", "38, 10, 21/35", "30, 5, 21/35" }) << 3
            << with(deco, { "37, 10, 21/35", "37, 10, 21/35", "30, 5, 21/35" });
        QTest::newRow("depth -10 ft")
            << with(deco, { "UseMetric: n", "StopDistance: 10", "LastStopDepth: 10", "130, 20, 21/35" }) << 3
            << with(deco, { "UseMetric: n", "StopDistance: 10", "LastStopDepth: 10", "120, 20, 21/35" });
        QTest::newRow("without 50 %") << dive << 4 << with(dive, { "OcDecoGas: 100" });
        QTest::newRow("without 100 %") << dive << 5 << with(dive, { "OcDecoGas: 50" });
    }
    void alternativesArePlansOfTheirChangedSettings()
    {
        QFETCH(Lines, dive);
        QFETCH(int, index);
        QFETCH(Lines, changed);
        const Settings settings = settingsOf(dive);
        const Plan plan = planWithAlternatives(settings, startingTissues(settings, nullptr));
        const Plan expected = planOf(settingsOf(changed));
        if (index < 4) {
            const Variation& v = plan.variations.at(static_cast<std::size_t>(index));
            QCOMPARE(v.runtime, std::optional(expected.runtime));
            QCOMPARE(v.decoMinutes, std::optional(expected.runtime - expected.ascentStart));
        } else {
            const LostGasPlan& lost = plan.lostGas.at(static_cast<std::size_t>(index - 4));
            QCOMPARE(lost.runtime, std::optional(expected.runtime));
            QCOMPARE(lost.firstStop, expected.firstStop);
        }
    }
};

QTEST_APPLESS_MAIN(PlannerTest)
#include "test_planner.moc"
