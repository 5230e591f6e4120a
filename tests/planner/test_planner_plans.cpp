// Whole plans: safety along the ascent, how settings move a plan, where stops and gas
// switches fall, and plans compared with published Bühlmann ZH-L16C figures.
#include "planner/PlanText.h"
#include "planner/StopGrid.h"
#include "tests/planner/PlannerTestSupport.h"

#include <QtTest>

using namespace korax;
using namespace planner_test;

namespace {

// Follows the plan with the step loader; empty when the plan surfaces after its stops, the
// depth is never shallower than the ceiling at a whole minute of run time and the surface
// is allowed at the end, else what failed.
QString ceilingViolation(const Settings& settings, const Plan& plan)
{
    if (!plan.complete || plan.stops.empty() || plan.segments.back().endDepth != 0.0)
        return "no decompression plan to the surface";
    StepLoader loader(settings);
    // 0.002 bar (2 cm) allows for the step error of the loader.
    const auto aboveCeiling = [&](double d) { return loader.water.pressureAt(d) + 0.002 < loader.ceilingPressure(); };
    double nextCheck = 1.0;
    for (const Segment& s : plan.segments) {
        const int steps = std::max(1, static_cast<int>(std::lround(s.minutes / 0.01)));
        for (int i = 1; i <= steps; ++i) {
            const auto depthAt = [&](double step) { return s.startDepth + (s.endDepth - s.startDepth) * step / steps; };
            loader.step(depthAt(i - 0.5), s.gas, s.minutes / steps);
            const double t = s.runtime - s.minutes * (steps - i) / steps;
            if (t + 1e-9 < nextCheck)
                continue;
            nextCheck += 1.0;
            if (aboveCeiling(depthAt(i)))
                return QString("%1 min at %2").arg(t).arg(depthAt(i));
        }
    }
    return aboveCeiling(0.0) ? "surfacing not allowed at the end" : "";
}

// The depths of the plan's segments in the phase; one not lasting the minutes shows as -1.
QList<double> depthsOf(const Plan& plan, Phase phase, double minutes)
{
    QList<double> depths;
    for (const Segment& s : plan.segments) {
        if (s.phase == phase)
            depths << (s.minutes == minutes ? s.endDepth : -1.0);
    }
    return depths;
}

} // namespace

class PlannerPlansTest : public QObject {
    Q_OBJECT

private slots:
    // At every gradient factor the ascent keeps below the ceiling, a lower factor never
    // shortens the plan, and planning twice gives the same plan file.
    void trimixPlanIsSafeMonotonicAndRepeatable()
    {
        const Lines dive = profile({ "UseOCDeco: y", "OcDecoGas: 50, 100", "60, 25, 18/45" });
        double previous = 0.0;
        for (const char* conservatism : { "0", "10", "20", "30", "40", "50", "60", "70" }) {
            const Settings settings = settingsOf(with(dive, { std::string("Conservatism: ") + conservatism }));
            const Plan plan = planOf(settings);
            const Plan again = planOf(settings);
            QCOMPARE(ceilingViolation(settings, plan), QString());
            QVERIFY2(plan.runtime + 1e-9 >= previous, conservatism);
            QCOMPARE(planFileText(settings, &plan, {}), planFileText(settings, &again, {}));
            previous = plan.runtime;
        }
    }

    // 150 ft on 10 ft stops with the last at 20 ft is 45.72 m on 3.048 m stops, last 6.096 m;
    // 50 % by its 73 ft or 22 m switches at 70 ft, 21.336 m, either way.
    void feetGiveTheSamePlanAsMetres()
    {
        const Plan inFeet
            = planOf(profile({ "UseMetric: n", "StopDistance: 10", "LastStopDepth: 20", "UseOCDeco: y", "OcDecoGas: 50",
                "DescentRate: 0-150, 60", "AscentRate: 150-20, 30", "AscentRate: 20-0, 10", "150, 30, 21/35" }));
        Settings metric = settingsOf(
            profile({ "LastStopDepth: 6.096", "UseOCDeco: y", "OcDecoGas: 50", "DescentRate: 0-45.72, 18.288",
                "AscentRate: 45.72-6.096, 9.144", "AscentRate: 6.096-0, 3.048", "45.72, 30, 21/35" }));
        metric.stopDistance = 3.048;
        const Plan inMetres = planOf(metric);
        QVERIFY(!inFeet.stops.empty() && inFeet.stops.size() == inMetres.stops.size());
        for (std::size_t i = 0; i < inFeet.stops.size(); ++i)
            QVERIFY(std::fabs(inFeet.stops[i].depth * 0.3048 - inMetres.stops[i].depth) < 1e-6
                && inFeet.stops[i].minutes == inMetres.stops[i].minutes);
        QVERIFY(std::fabs(inFeet.runtime - inMetres.runtime) < 1e-6);
    }

    // The longest bottom time at 18 m on air that needs no stop, found with the step
    // loader (20 m/min down, 10 m/min up): the planner has no stop there and a stop one minute later.
    void shortShallowAirDiveStopsAtTheNoDecoLimit()
    {
        Settings settings = settingsOf(profile({ "18, 1, air" }));
        int limit = 0;
        for (int minutes = 1; minutes < 200; ++minutes) {
            StepLoader loader(settings);
            for (int i = 0; i < 90; ++i)
                loader.step(18.0 * (i + 0.5) / 90, kAir, 0.01);
            loader.step(18.0, kAir, minutes);
            for (int i = 0; i < 180; ++i)
                loader.step(18.0 - 18.0 * (i + 0.5) / 180, kAir, 0.01);
            if (loader.ceilingPressure() > loader.water.surfacePressure)
                break;
            limit = minutes;
        }
        QVERIFY(limit > 30 && limit < 120);
        settings.profile.front().minutes = limit;
        QVERIFY(planOf(settings).stops.empty() && !planOf(settings).firstStop);
        settings.profile.front().minutes = limit + 1;
        QVERIFY(!planOf(settings).stops.empty());
    }

    void gasSwitchesAtTheirDepths_data()
    {
        QTest::addColumn<Lines>("lines");
        QTest::addColumn<QList<double>>("depths");
        const Lines deco = profile({ "UseOCDeco: y", "OcDecoGas: 36;100 50" });
        QTest::newRow("36, 50 and 100 %") << with(deco, { "70, 25, 15/55" }) << QList<double> { 33, 21, 6 };
        QTest::newRow("deco gases off") << with(deco, { "UseOCDeco: n", "50, 30, air" }) << QList<double> {};
    }
    void gasSwitchesAtTheirDepths()
    {
        QFETCH(Lines, lines);
        QFETCH(QList<double>, depths);
        QCOMPARE(depthsOf(planOf(lines), Phase::GasSwitch, 1.0), depths);
    }

    // Pyle stops halve the way to the first stop and keep below the ceiling; WKPP stops
    // every grid depth from half the bottom.
    void deepStopsFallWherePyleAndWkppPlaceThem()
    {
        const Lines dive = profile({ "80, 20, 15/55" });
        const Plan plain = planOf(dive);
        const Settings pyleSettings = settingsOf(with(dive, { "DeepStops: p" }));
        const Plan pyle = planOf(pyleSettings);
        QCOMPARE(ceilingViolation(pyleSettings, pyle), QString());
        const QList<double> pyleStops = depthsOf(pyle, Phase::DeepStop, 2.0);
        QVERIFY(!pyleStops.isEmpty());
        QCOMPARE(pyleStops.front(), StopGrid(3, 3).nearest((80.0 + *plain.firstStop) / 2.0));
        QVERIFY(std::is_sorted(pyleStops.rbegin(), pyleStops.rend()) && !pyleStops.contains(-1.0));
        // The last deep stop stands within one stop distance of the next required stop, or
        // the halving would have gone on.
        const auto nextRequired = std::ranges::find(pyle.segments, Phase::Stop, &Segment::phase);
        QVERIFY(nextRequired != pyle.segments.end() && pyleStops.back() - nextRequired->endDepth <= 2 * 3.0 + 1e-9);
        QList<double> wkppStops;
        for (double depth = 39.0; depth > *plain.firstStop; depth -= 3.0)
            wkppStops << depth;
        QVERIFY(!wkppStops.isEmpty());
        QCOMPARE(depthsOf(planOf(with(dive, { "DeepStops: w" })), Phase::DeepStop, 1.0), wkppStops);
    }

    // Altitude 2000 m lengthens the plan and fresh water shortens it; a repetitive dive starts
    // from the last dive's end state after the interval on air, so it takes longer.
    void surfaceWaterAndIntervalMoveTheAirPlan()
    {
        const Lines dive = profile({ "40, 30, air" });
        const double runtime = planOf(dive).runtime;
        QVERIFY(planOf(with(dive, { "Altitude: 2000" })).runtime > runtime);
        QVERIFY(planOf(with(dive, { "SaltWater: n" })).runtime < runtime);
        const Settings settings = settingsOf(with(dive, { "SurfaceInterval: 1:30", "TissueFile: tissue.dat" }));
        Tissues previous;
        previous.n2.fill(2.0);
        previous.he.fill(0.5);
        const Tissues start = startingTissues(settings, &previous);
        const double airN2 = (waterOf(settings).surfacePressure - 0.0627) * 0.79;
        for (std::size_t i = 0; i < kCompartments; ++i) {
            const Compartment& c = coefficients(false)[i];
            QVERIFY(std::fabs(start.n2[i] - (airN2 + (2.0 - airN2) * std::exp2(-90.0 / c.n2HalfTime))) < 1e-9);
            QVERIFY(std::fabs(start.he[i] - 0.5 * std::exp2(-90.0 / c.heHalfTime)) < 1e-9);
        }
        QVERIFY(planDive(settings, start).runtime > runtime);
    }

    // Plans compared with published figures; run time within 1 % + 1 min, first stop exact
    // where the source gives it (0 where it does not).
    void matchesPublishedPlans_data()
    {
        QTest::addColumn<Lines>("lines");
        QTest::addColumn<double>("publishedRuntime");
        QTest::addColumn<double>("publishedFirstStop");

        // 79 m for 30 min from leaving the surface (23 m/min down, so 26.57 min at depth) on
        // 15/45, 36 % and 100 % at PO2 1.6 (33 m and 6 m), GF 100/100, salt water 1.03 kg/l,
        // surface 1.01325 bar, ascent 9.144 m/min below 6 m and 3.048 m/min above, 3 m stops,
        // last stop 6 m: total run time 109 min (as quoted in issue 7). Ours: 108.95 min.
        QTest::newRow("79 m trimix, GF 100") << profile({ "LastStopDepth: 6", "UseOCDeco: y", "OcDecoGas: 36, 100",
            "DescentRate: 0-79, 23", "AscentRate: 79-6, 9.144", "AscentRate: 6-0, 3.048", "79, 26.565, 15/45" })
                                             << 109.0 << 0.0;

        // Subsurface issue #3281, "Subsurface does not give the same results as DiveProMe+"
        // (OlivierV78, 2021, https://github.com/subsurface/subsurface/issues/3281): 50 m for
        // 20 min with 80 % O2 for decompression, ZH-L16C GF 79/80, 30 m/min down, 10 m/min up,
        // last stop 6 m; Subsurface and MultiDeco both give 43 min run time, first stop 12 m.
        // These are two planners' outputs, not a hand-worked table. Not stated there, so taken
        // as those planners' defaults: air as bottom gas, the 20 min counted from leaving the
        // surface (18.33 min at depth), salt water, 3 m stops, switch at 9 m. A GF sliding from
        // 79 to 80 % lies between the uniform 79 % and 80 % plans, so both rows must match.
        // Ours: 43.0 min, first stop 12 m, for both (2 min at 12 m, then 80 % at 9 m).
        const Lines air = profile({ "LastStopDepth: 6", "UseOCDeco: y", "OcDecoGas: 80", "DescentRate: 0-50, 30",
            "AscentRate: 50-0, 10", "50, 18.333, air" });
        QTest::newRow("50 m air, 80 % deco, GF 80") << with(air, { "Conservatism: 20" }) << 43.0 << 12.0;
        QTest::newRow("50 m air, 80 % deco, GF 79") << with(air, { "Conservatism: 21" }) << 43.0 << 12.0;
    }
    void matchesPublishedPlans()
    {
        QFETCH(Lines, lines);
        QFETCH(double, publishedRuntime);
        QFETCH(double, publishedFirstStop);
        const Settings settings = settingsOf(lines);
        const Plan plan = planOf(settings);
        QCOMPARE(ceilingViolation(settings, plan), QString());
        QVERIFY2(std::fabs(plan.runtime - publishedRuntime) <= 0.01 * publishedRuntime + 1.0,
            qPrintable(QString::number(plan.runtime)));
        if (publishedFirstStop > 0.0)
            QCOMPARE(plan.firstStop.value_or(0.0), publishedFirstStop);
    }
};

QTEST_APPLESS_MAIN(PlannerPlansTest)
#include "test_planner_plans.moc"
