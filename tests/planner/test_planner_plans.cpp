// Whole plans: safety along the ascent, how settings move a plan, where stops and gas
// switches fall, and plans compared with published Bühlmann ZH-L16C figures.
#include "PlannerTestSupport.h"
#include "StopGrid.h"

#include <QtTest>

using namespace korax;
using namespace planner_test;

namespace {

Lines trimixDive(const std::string& conservatism = "0")
{
    return plus(
        with(with(with(baseProfile(), "Conservatism:", conservatism), "UseOCDeco:", "y"), "OcDecoGas:", "50, 100"),
        { "60, 25, 18/45" });
}

// The depth of the plan at a run time, from its segments.
double depthAt(const Plan& plan, double runtime)
{
    double start = 0.0;
    for (const Segment& s : plan.segments) {
        if (runtime <= s.runtime)
            return s.startDepth + (s.endDepth - s.startDepth) * (runtime - start) / s.minutes;
        start = s.runtime;
    }
    return 0.0;
}

struct Followed {
    StepLoader end;
    QString violation; // the first whole minute shallower than the ceiling
};

// Follows the plan with the step loader and checks the depth against the ceiling at
// every whole minute of run time.
Followed followPlan(const Settings& settings, const Plan& plan)
{
    const Water water = waterOf(settings);
    Followed followed { StepLoader(settings, water), {} };
    const double dt = 0.01;
    double start = 0.0;
    double nextCheck = 1.0;
    for (const Segment& s : plan.segments) {
        const int steps = std::max(1, static_cast<int>(std::lround(s.minutes / dt)));
        for (int i = 0; i < steps; ++i) {
            const double t = start + s.minutes * (i + 1.0) / steps;
            followed.end.step(s.startDepth + (s.endDepth - s.startDepth) * (i + 0.5) / steps, s.gas, s.minutes / steps);
            if (t + 1e-9 < nextCheck)
                continue;
            nextCheck += 1.0;
            const double depth = depthAt(plan, t);
            // 0.002 bar (2 cm) allows for the step error of the loader.
            if (followed.violation.isEmpty() && water.pressureAt(depth) + 0.002 < followed.end.ceilingPressure())
                followed.violation = QString("%1 min at %2").arg(t).arg(depth);
        }
        start = s.runtime;
    }
    return followed;
}

} // namespace

class PlannerPlansTest : public QObject {
    Q_OBJECT

private slots:
    void ascentNeverRisesAboveTheCeiling_data()
    {
        QTest::addColumn<Lines>("lines");
        QTest::newRow("trimix with deco gases") << trimixDive();
        QTest::newRow("trimix GF 70 %") << trimixDive("30");
        QTest::newRow("air, 2 min precision") << plus(with(baseProfile(), "Precision:", "2"), { "40, 30, air" });
        QTest::newRow("deep trimix, Pyle stops")
            << plus(with(with(with(baseProfile(), "DeepStops:", "p"), "UseOCDeco:", "y"), "OcDecoGas:", "21/35 50 100"),
                   { "100, 25, 10/70" });
        QTest::newRow("multilevel, 6 m last stop")
            << plus(with(baseProfile(), "LastStopDepth:", "6"), { "50, 10, 18/45", "30, 15, 18/45", "21, 10, 32" });
    }
    void ascentNeverRisesAboveTheCeiling()
    {
        QFETCH(Lines, lines);
        const Settings settings = read(lines).settings;
        const Plan plan = planOf(settings);
        QVERIFY(plan.complete);
        QVERIFY(!plan.stops.empty());
        const Followed followed = followPlan(settings, plan);
        QVERIFY2(followed.violation.isEmpty(), qPrintable(followed.violation));
        // Surfacing is allowed at the end of the plan.
        QVERIFY(followed.end.ceilingPressure() <= waterOf(settings).surfacePressure + 0.002);
        QCOMPARE(plan.segments.back().endDepth, 0.0);
    }

    void lowerGradientFactorNeverShortensThePlan()
    {
        double previous = 0.0;
        for (const char* conservatism : { "0", "10", "20", "30", "40", "50", "60", "70" }) {
            const Plan plan = planOf(trimixDive(conservatism));
            QVERIFY2(plan.runtime + 1e-9 >= previous, conservatism);
            previous = plan.runtime;
        }
    }

    void surfaceAndWaterMoveThePlan_data()
    {
        QTest::addColumn<Lines>("changed");
        QTest::addColumn<bool>("longer");
        const Lines dive = plus(baseProfile(), { "40, 30, air" });
        QTest::newRow("altitude 2000 m lengthens") << with(dive, "Altitude:", "2000") << true;
        QTest::newRow("fresh water at sea level shortens") << with(dive, "SaltWater:", "n") << false;
    }
    void surfaceAndWaterMoveThePlan()
    {
        QFETCH(Lines, changed);
        QFETCH(bool, longer);
        const Plan reference = planOf(plus(baseProfile(), { "40, 30, air" }));
        const Plan plan = planOf(changed);
        if (longer)
            QVERIFY(decoMinutes(plan) > decoMinutes(reference));
        else
            QVERIFY(decoMinutes(plan) < decoMinutes(reference));
    }

    // 150 ft on 10 ft stops with the last at 20 ft is 45.72 m on 3.048 m stops, last 6.096 m.
    void feetGiveTheSamePlanAsMetres()
    {
        Lines feet = with(with(with(baseProfile(), "UseMetric:", "n"), "StopDistance:", "10"), "LastStopDepth:", "20");
        feet = withAll(withAll(feet, "DescentRate:", { "0-150, 60" }), "AscentRate:", { "150-20, 30", "20-0, 10" });
        feet = plus(feet, { "150, 30, 21/35" });
        const Settings inFeet = read(feet).settings;

        Settings inMetres = inFeet;
        const double m = 0.3048;
        inMetres.metric = true;
        inMetres.stopDistance *= m;
        inMetres.lastStopDepth *= m;
        inMetres.maxEnd *= m;
        for (RateEntry& e : inMetres.descentRates)
            e = { e.from * m, e.to * m, e.rate * m };
        for (RateEntry& e : inMetres.ascentRates)
            e = { e.from * m, e.to * m, e.rate * m };
        inMetres.profile.front().depth *= m;

        const Plan a = planOf(inFeet);
        const Plan b = planOf(inMetres);
        QVERIFY(!a.stops.empty());
        QCOMPARE(a.stops.size(), b.stops.size());
        for (std::size_t i = 0; i < a.stops.size(); ++i) {
            QVERIFY(std::fabs(a.stops[i].depth * m - b.stops[i].depth) < 1e-6);
            QCOMPARE(a.stops[i].minutes, b.stops[i].minutes);
        }
        QVERIFY(std::fabs(a.runtime - b.runtime) < 1e-6);
    }

    // The longest bottom time at 18 m on air that needs no stop, found with the step
    // loader: the planner has no stop there and a stop one minute later.
    void shortShallowAirDiveStopsAtTheNoDecoLimit()
    {
        const Settings settings = read(plus(baseProfile(), { "18, 1, air" })).settings;
        const Water water = waterOf(settings);
        int limit = 0;
        for (int minutes = 1; minutes < 200; ++minutes) {
            StepLoader loader(settings, water);
            for (int i = 0; i < 90; ++i)
                loader.step(18.0 * (i + 0.5) / 90, kAir, 0.9 / 90);
            loader.step(18.0, kAir, minutes);
            for (int i = 0; i < 180; ++i)
                loader.step(18.0 - 18.0 * (i + 0.5) / 180, kAir, 1.8 / 180);
            if (loader.ceilingPressure() > water.surfacePressure)
                break;
            limit = minutes;
        }
        QVERIFY(limit > 30 && limit < 120);
        Settings at = settings;
        at.profile.front().minutes = limit;
        QVERIFY(planOf(at).stops.empty());
        QVERIFY(!planOf(at).firstStop);
        at.profile.front().minutes = limit + 1;
        QVERIFY(!planOf(at).stops.empty());
    }

    void gasSwitchesAtTheirDepths_data()
    {
        QTest::addColumn<Lines>("lines");
        QTest::addColumn<QList<double>>("depths");
        QTest::addColumn<QStringList>("gases");
        const Lines deco = with(with(baseProfile(), "UseOCDeco:", "y"), "OcDecoGas:", "36;100 50");
        QTest::newRow("36, 50 and 100 % on 3 m stops") << plus(deco, { "70, 25, 15/55" }) << QList<double> { 33, 21, 6 }
                                                       << QStringList { "36/0", "50/0", "100/0" };
        QTest::newRow("oxygen only on 4 m stops")
            << plus(with(with(deco, "OcDecoGas:", "100"), "StopDistance:", "4"), { "50, 30, air" })
            << QList<double> { 4 } << QStringList { "100/0" };
        QTest::newRow("deco gases off") << plus(with(deco, "UseOCDeco:", "n"), { "50, 30, air" }) << QList<double> {}
                                        << QStringList {};
        Lines feet
            = withAll(withAll(with(with(with(deco, "UseMetric:", "n"), "StopDistance:", "10"), "LastStopDepth:", "10"),
                          "DescentRate:", { "0-1000, 60" }),
                "AscentRate:", { "1000-0, 30" });
        QTest::newRow("50 and 100 % in feet") << plus(with(feet, "OcDecoGas:", "50 100"), { "160, 30, 21/35" })
                                              << QList<double> { 70, 20 } << QStringList { "50/0", "100/0" };
    }
    void gasSwitchesAtTheirDepths()
    {
        QFETCH(Lines, lines);
        QFETCH(QList<double>, depths);
        QFETCH(QStringList, gases);
        const Plan plan = planOf(lines);
        QList<double> switchDepths;
        QStringList switchGases;
        for (const Segment& s : plan.segments) {
            if (s.phase == Phase::GasSwitch) {
                switchDepths << s.endDepth;
                switchGases << QString::fromStdString(gasLabel(s.gas));
                QCOMPARE(s.minutes, 1.0);
            }
        }
        QCOMPARE(switchDepths, depths);
        QCOMPARE(switchGases, gases);
    }

    void pyleStopsHalveTheWayToTheFirstStop()
    {
        const Lines dive = plus(with(baseProfile(), "PyleStopTime:", "2"), { "60, 25, 18/45" });
        const Plan plain = planOf(dive);
        const Plan pyle = planOf(with(dive, "DeepStops:", "p"));
        const double first = *plain.firstStop;
        const StopGrid grid(3, 3);
        QList<double> deepStops;
        for (const Segment& s : pyle.segments) {
            if (s.phase == Phase::DeepStop) {
                deepStops << s.endDepth;
                QCOMPARE(s.minutes, 2.0);
            }
        }
        QVERIFY(!deepStops.isEmpty());
        QCOMPARE(deepStops.front(), grid.nearest((60.0 + first) / 2.0));
        for (qsizetype i = 1; i < deepStops.size(); ++i)
            QVERIFY(deepStops[i] < deepStops[i - 1]);
        // The last deep stop stands within one stop distance of the next required stop, or
        // the halving would have gone on.
        double nextRequired = 0.0;
        for (const Segment& s : pyle.segments) {
            if (s.phase == Phase::Stop) {
                nextRequired = s.endDepth;
                break;
            }
        }
        QVERIFY(deepStops.back() - nextRequired <= 2 * 3.0 + 1e-9);
        QVERIFY(pyle.runtime >= plain.runtime);
    }

    void wkppStopsEveryGridDepthFromHalfTheBottom()
    {
        const Lines dive = plus(baseProfile(), { "80, 20, 15/55" });
        const double first = *planOf(dive).firstStop;
        const Plan wkpp = planOf(with(dive, "DeepStops:", "w"));
        QList<double> expected;
        for (double depth = 39.0; depth > first; depth -= 3.0)
            expected << depth;
        QList<double> deepStops;
        for (const Segment& s : wkpp.segments) {
            if (s.phase == Phase::DeepStop) {
                deepStops << s.endDepth;
                QCOMPARE(s.minutes, 1.0);
            }
        }
        QVERIFY(!expected.isEmpty());
        QCOMPARE(deepStops, expected);
    }

    void repetitiveDiveStartsFromTheIntervalOnAir()
    {
        const Settings settings = read(
            with(with(plus(baseProfile(), { "40, 30, air" }), "SurfaceInterval:", "1:30"), "TissueFile:", "tissue.dat"))
                                      .settings;
        QVERIFY(settings.repetitive);
        Tissues previous = saturatedWithAir(1.01325);
        previous.n2.fill(2.0);
        previous.he.fill(0.5);
        const Tissues start = startingTissues(settings, &previous);
        const Water water = waterOf(settings);
        const double airN2 = (water.surfacePressure - 0.0627) * 0.79;
        for (std::size_t i = 0; i < kCompartments; ++i) {
            const double n2HalfTimes = 90.0 / coefficients(false)[i].n2HalfTime;
            const double heHalfTimes = 90.0 / coefficients(false)[i].heHalfTime;
            QVERIFY(std::fabs(start.n2[i] - (airN2 + (2.0 - airN2) * std::pow(0.5, n2HalfTimes))) < 1e-9);
            QVERIFY(std::fabs(start.he[i] - 0.5 * std::pow(0.5, heHalfTimes)) < 1e-9);
        }
        QVERIFY(planDive(settings, start).runtime > planOf(settings).runtime);
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
        Lines trimix
            = with(with(with(baseProfile(), "LastStopDepth:", "6"), "UseOCDeco:", "y"), "OcDecoGas:", "36, 100");
        trimix
            = withAll(withAll(trimix, "DescentRate:", { "0-79, 23" }), "AscentRate:", { "79-6, 9.144", "6-0, 3.048" });
        QTest::newRow("79 m trimix, GF 100") << plus(trimix, { "79, 26.565, 15/45" }) << 109.0 << 0.0;

        // Subsurface issue #3281, "Subsurface does not give the same results as DiveProMe+"
        // (OlivierV78, 2021, https://github.com/subsurface/subsurface/issues/3281): 50 m for
        // 20 min with 80 % O2 for decompression, ZH-L16C GF 79/80, 30 m/min down, 10 m/min up,
        // last stop 6 m; Subsurface and MultiDeco both give 43 min run time, first stop 12 m.
        // These are two planners' outputs, not a hand-worked table. Not stated there, so taken
        // as those planners' defaults: air as bottom gas, the 20 min counted from leaving the
        // surface (18.33 min at depth), salt water, 3 m stops, switch at 9 m. A GF sliding from
        // 79 to 80 % lies between the uniform 79 % and 80 % plans, so both rows must match.
        // Ours: 43.0 min, first stop 12 m, for both (2 min at 12 m, then 80 % at 9 m).
        Lines air = with(with(with(baseProfile(), "LastStopDepth:", "6"), "UseOCDeco:", "y"), "OcDecoGas:", "80");
        air = plus(withAll(withAll(air, "DescentRate:", { "0-50, 30" }), "AscentRate:", { "50-0, 10" }),
            { "50, 18.333, air" });
        QTest::newRow("50 m air, 80 % deco, GF 80") << with(air, "Conservatism:", "20") << 43.0 << 12.0;
        QTest::newRow("50 m air, 80 % deco, GF 79") << with(air, "Conservatism:", "21") << 43.0 << 12.0;
    }
    void matchesPublishedPlans()
    {
        QFETCH(Lines, lines);
        QFETCH(double, publishedRuntime);
        QFETCH(double, publishedFirstStop);
        const Plan plan = planOf(lines);
        QVERIFY(plan.complete);
        QVERIFY2(std::fabs(plan.runtime - publishedRuntime) <= 0.01 * publishedRuntime + 1.0,
            qPrintable(QString::number(plan.runtime)));
        if (publishedFirstStop > 0.0) {
            QVERIFY(plan.firstStop);
            QCOMPARE(*plan.firstStop, publishedFirstStop);
        }
    }

    void planningTwiceGivesTheSamePlan()
    {
        const Settings settings = read(trimixDive("15")).settings;
        const Plan a = planOf(settings);
        const Plan b = planOf(settings);
        QCOMPARE(a.segments.size(), b.segments.size());
        for (std::size_t i = 0; i < a.segments.size(); ++i) {
            QCOMPARE(a.segments[i].runtime, b.segments[i].runtime);
            QCOMPARE(a.segments[i].endDepth, b.segments[i].endDepth);
        }
        QCOMPARE(a.cnsPercent, b.cnsPercent);
    }
};

QTEST_APPLESS_MAIN(PlannerPlansTest)
#include "test_planner_plans.moc"
