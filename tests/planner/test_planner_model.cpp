// The loading model: Schreiner's equation against small Haldane steps, and the oxygen limits.
// The mixes and the GradientFactorLow: values are golden cases of test_korax_run.
#include "planner/Exposure.h"
#include "planner/Gas.h"
#include "planner/Tissues.h"
#include "tests/planner/PlannerTestSupport.h"

#include <QtTest>

using namespace korax;
using namespace planner_test;

class PlannerModelTest : public QObject {
    Q_OBJECT

private slots:
    void schreinerMatchesSmallHaldaneSteps_data()
    {
        QTest::addColumn<double>("fromDepth");
        QTest::addColumn<double>("toDepth");
        QTest::addColumn<double>("minutes");
        QTest::addColumn<QString>("mix");
        QTest::newRow("descent on trimix") << 0.0 << 100.0 << 5.0 << "10/70";
        QTest::newRow("ascent on trimix") << 79.0 << 33.0 << 5.0 << "15/45";
    }
    void schreinerMatchesSmallHaldaneSteps()
    {
        QFETCH(double, fromDepth);
        QFETCH(double, toDepth);
        QFETCH(double, minutes);
        QFETCH(QString, mix);
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
        for (std::size_t i = 0; i < kCompartments; ++i) {
            QVERIFY2(std::fabs(tissues.n2[i] - steps.n2[i]) < 1e-5, qPrintable(QString("N2 in %1").arg(i + 1)));
            QVERIFY2(std::fabs(tissues.he[i] - steps.he[i]) < 1e-5, qPrintable(QString("He in %1").arg(i + 1)));
        }
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
};

QTEST_APPLESS_MAIN(PlannerModelTest)
#include "test_planner_model.moc"
