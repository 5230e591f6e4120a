// The loading model: Schreiner's equation against small Haldane steps, trimix bookkeeping,
// and the mixes and numbers as profile.dat writes them.
#include "Gas.h"
#include "Numbers.h"
#include "PlannerTestSupport.h"
#include "Tissues.h"

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
        QTest::newRow("constant depth") << 45.0 << 45.0 << 25.0 << "21/35";
    }
    void schreinerMatchesSmallHaldaneSteps()
    {
        QFETCH(double, fromDepth);
        QFETCH(double, toDepth);
        QFETCH(double, minutes);
        QFETCH(QString, mix);
        const Gas gas = *parseGas(mix.toStdString());
        const Settings settings = settingsOf(profile({}));
        const Water water = waterOf(settings);
        // Start from a loaded state so that both directions of diffusion are exercised.
        Tissues tissues = saturatedWithAir(water.surfacePressure);
        loadTissues(tissues, coefficients(false), Gas { 0.18, 0.45 }, water.pressureAt(30.0), 0.0, 20.0);
        StepLoader steps(settings, water);
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
        QTest::newRow("trimix 18/45") << "18/45" << 0.37 << 0.45;
        QTest::newRow("nitrox 32") << "32" << 0.68 << 0.0;
        QTest::newRow("air") << "AIR" << 0.79 << 0.0;
        QTest::newRow("decimal trimix") << " 12.5/47.5 " << 0.40 << 0.475;
        QTest::newRow("more than 100 %") << "50/60" << qQNaN() << qQNaN();
        QTest::newRow("no oxygen") << "0/50" << qQNaN() << qQNaN();
        QTest::newRow("negative helium") << "21/-5" << qQNaN() << qQNaN();
        QTest::newRow("comma decimal") << "20,5" << qQNaN() << qQNaN();
        QTest::newRow("word") << "nitrox" << qQNaN() << qQNaN();
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

    // A scalar from profile.dat (either decimal mark) and the stop distance as the window
    // reads it (leading blanks, a sign, hex after $ or 0x); NaN stands for "not a number".
    void readsNumbersAsTheWindowWritesThem_data()
    {
        QTest::addColumn<bool>("stopDistance");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("decimal comma") << false << "1,6" << 1.6;
        QTest::newRow("negative") << false << "-200" << -200.0;
        QTest::newRow("two marks") << false << "1.6.1" << qQNaN();
        QTest::newRow("infinity") << false << "inf" << qQNaN();
        QTest::newRow("stop distance, leading blank") << true << " 3" << 3.0;
        QTest::newRow("stop distance, sign") << true << "+6" << 6.0;
        QTest::newRow("stop distance, dollar hex") << true << "$A" << 10.0;
        QTest::newRow("stop distance, 0x hex") << true << "0x0C" << 12.0;
        QTest::newRow("stop distance, trailing blank") << true << "3 " << qQNaN();
        QTest::newRow("stop distance beyond 32 bits") << true << "4294967296" << qQNaN();
    }
    void readsNumbersAsTheWindowWritesThem()
    {
        QFETCH(bool, stopDistance);
        QFETCH(QString, text);
        QFETCH(double, value);
        const auto integer = parseWindowInteger(text.toStdString());
        if (stopDistance)
            QCOMPARE(integer ? static_cast<double>(*integer) : qQNaN(), value);
        else
            QCOMPARE(parseScalar(text.toStdString()).value_or(qQNaN()), value);
    }
};

QTEST_APPLESS_MAIN(PlannerModelTest)
#include "test_planner_model.moc"
