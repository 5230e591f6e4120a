// The loading model: Schreiner's equation against small Haldane steps, trimix bookkeeping,
// and the mixes as profile.dat writes them.
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

    // Inert fractions as the planner books them; NaN: the mix is rejected.
    void mixesGiveTheirInertFractions_data()
    {
        QTest::addColumn<QString>("mix");
        QTest::addColumn<double>("n2");
        QTest::addColumn<double>("he");
        QTest::newRow("air") << "AIR" << 0.79 << 0.0;
        QTest::newRow("decimal trimix") << " 12.5/47.5 " << 0.40 << 0.475;
        QTest::newRow("negative helium") << "21/-5" << qQNaN() << qQNaN();
    }
    void mixesGiveTheirInertFractions()
    {
        QFETCH(QString, mix);
        QFETCH(double, n2);
        QFETCH(double, he);
        const auto gas = parseGas(mix.toStdString());
        QCOMPARE(gas ? gas->n2() : qQNaN(), n2);
        QCOMPARE(gas ? gas->he : qQNaN(), he);
    }
};

QTEST_APPLESS_MAIN(PlannerModelTest)
#include "test_planner_model.moc"
