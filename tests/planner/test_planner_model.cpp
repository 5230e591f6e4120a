// The loading model: Schreiner's equation against small Haldane steps, trimix bookkeeping,
// the mixes as profile.dat writes them, the oxygen limits and the gradient-factor settings.
#include "planner/Exposure.h"
#include "planner/Gas.h"
#include "planner/Tissues.h"
#include "profile/ProfileKeys.h"
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

    // NOAA Diving Manual, oxygen single-exposure limits: the table's points and a value
    // interpolated between two of them.
    void cnsLimitsFollowTheNoaaTable_data()
    {
        QTest::addColumn<double>("po2");
        QTest::addColumn<double>("minutes");
        QTest::newRow("1.6 bar") << 1.6 << 45.0;
        QTest::newRow("1.5 bar") << 1.5 << 120.0;
        QTest::newRow("halfway 1.5 to 1.6") << 1.55 << 82.5;
        QTest::newRow("1.45 bar") << 1.45 << 135.0;
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

    // GradientFactorLow: beside Conservatism: 20 (GF high 80 %); kind of the one problem, if any.
    void gfLowIsAWholePercentUpToGfHigh_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("percent");
        QTest::addColumn<int>("problem");
        const int none = -1;
        const int bad = static_cast<int>(ProblemKind::BadValue);
        QTest::newRow("30") << "30" << 30 << none;
        QTest::newRow("80: equal to GF high") << "80" << 80 << none;
        QTest::newRow("0: GF low = GF high") << "0" << 0 << none;
        QTest::newRow("empty") << "" << 0 << none;
        QTest::newRow("81: above GF high") << "81" << 0 << static_cast<int>(ProblemKind::GfLowAboveHigh);
        QTest::newRow("101") << "101" << 0 << bad;
        QTest::newRow("decimal") << "30.5" << 0 << bad;
        QTest::newRow("sign") << "+30" << 0 << bad;
        QTest::newRow("letters") << "low" << 0 << bad;
    }
    void gfLowIsAWholePercentUpToGfHigh()
    {
        QFETCH(QString, value);
        QFETCH(int, percent);
        QFETCH(int, problem);
        const auto reading
            = readSettings(profile({ "Conservatism: 20", "GradientFactorLow: " + value.toStdString(), "30, 20, air" }));
        QCOMPARE(reading.settings.gfLowPercent, percent);
        QCOMPARE(reading.problems.size(), problem < 0 ? 0u : 1u);
        if (problem >= 0) {
            QCOMPARE(static_cast<int>(reading.problems.front().kind), problem);
            QCOMPARE(reading.problems.front().key, keys::kGradientFactorLow);
        }
    }
};

QTEST_APPLESS_MAIN(PlannerModelTest)
#include "test_planner_model.moc"
