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
        QTest::newRow("descent on air") << 0.0 << 40.0 << 2.0 << "air";
        QTest::newRow("descent on trimix") << 0.0 << 100.0 << 5.0 << "10/70";
        QTest::newRow("ascent on trimix") << 79.0 << 33.0 << 5.0 << "15/45";
        QTest::newRow("slow ascent on nitrox") << 21.0 << 6.0 << 15.0 << "50";
        QTest::newRow("constant depth") << 45.0 << 45.0 << 25.0 << "21/35";
    }
    void schreinerMatchesSmallHaldaneSteps()
    {
        QFETCH(double, fromDepth);
        QFETCH(double, toDepth);
        QFETCH(double, minutes);
        QFETCH(QString, mix);
        const Gas gas = *parseGas(mix.toStdString());
        const Settings settings = read(baseProfile()).settings;
        const Water water = waterOf(settings);

        // Start from a loaded state so that both directions of diffusion are exercised.
        Tissues tissues = saturatedWithAir(water.surfacePressure);
        loadTissues(tissues, coefficients(false), Gas { 0.18, 0.45 }, water.pressureAt(30.0), 0.0, 20.0);
        StepLoader steps(settings, water);
        steps.step(30.0, Gas { 0.18, 0.45 }, 20.0);

        const double rate = (toDepth - fromDepth) / minutes;
        loadTissues(tissues, coefficients(false), gas, water.pressureAt(fromDepth), rate * water.barPerUnit, minutes);
        const double dt = 0.005;
        const int count = static_cast<int>(std::lround(minutes / dt));
        for (int i = 0; i < count; ++i)
            steps.step(fromDepth + rate * (i + 0.5) * dt, gas, dt);
        for (std::size_t i = 0; i < kCompartments; ++i) {
            QVERIFY2(
                std::fabs(tissues.n2[i] - steps.n2()[i]) < 1e-5, qPrintable(QString("N2 compartment %1").arg(i + 1)));
            QVERIFY2(
                std::fabs(tissues.he[i] - steps.he()[i]) < 1e-5, qPrintable(QString("He compartment %1").arg(i + 1)));
        }
    }

    void trimixFractionsLoadEachInertGas_data()
    {
        QTest::addColumn<QString>("mix");
        QTest::addColumn<double>("n2");
        QTest::addColumn<double>("he");
        QTest::newRow("trimix 18/45") << "18/45" << 0.37 << 0.45;
        QTest::newRow("heliox 10/90") << "10/90" << 0.0 << 0.90;
        QTest::newRow("nitrox 32") << "32" << 0.68 << 0.0;
        QTest::newRow("air") << "AIR" << 0.79 << 0.0;
        QTest::newRow("decimal trimix") << " 12.5/47.5 " << 0.40 << 0.475;
    }
    void trimixFractionsLoadEachInertGas()
    {
        QFETCH(QString, mix);
        QFETCH(double, n2);
        QFETCH(double, he);
        const Gas gas = *parseGas(mix.toStdString());
        const Water water = makeWater(0.0, 1.03, 1.0);
        Tissues tissues = saturatedWithAir(water.surfacePressure);
        // Ten days at 50 m saturate even the slowest compartment (635 min half-time).
        loadTissues(tissues, coefficients(false), gas, water.pressureAt(50.0), 0.0, 10 * 24 * 60.0);
        const double inspired = water.pressureAt(50.0) - kWaterVapour;
        QVERIFY(std::fabs(tissues.n2[15] - inspired * n2) < 1e-3);
        QVERIFY(std::fabs(tissues.he[15] - inspired * he) < 1e-3);
        QVERIFY(std::fabs(gas.o2 + gas.n2() + gas.he - 1.0) < 1e-12);
    }

    void rejectsImpossibleMixes_data()
    {
        QTest::addColumn<QString>("mix");
        QTest::newRow("more than 100 %") << "50/60";
        QTest::newRow("no oxygen") << "0/50";
        QTest::newRow("negative helium") << "21/-5";
        QTest::newRow("comma decimal") << "20,5";
        QTest::newRow("word") << "nitrox";
        QTest::newRow("empty") << "";
        QTest::newRow("exponent") << "2e1";
    }
    void rejectsImpossibleMixes()
    {
        QFETCH(QString, mix);
        QVERIFY(!parseGas(mix.toStdString()));
    }

    void readsScalarsWithEitherDecimalMark_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<double>("value");
        QTest::newRow("point") << "1.6" << true << 1.6;
        QTest::newRow("comma") << "1,6" << true << 1.6;
        QTest::newRow("negative") << "-200" << true << -200.0;
        QTest::newRow("two marks") << "1.6.1" << false << 0.0;
        QTest::newRow("hex is no scalar") << "0x10" << false << 0.0;
        QTest::newRow("infinity") << "inf" << false << 0.0;
        QTest::newRow("empty") << "" << false << 0.0;
    }
    void readsScalarsWithEitherDecimalMark()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(double, value);
        const auto parsed = parseScalar(text.toStdString());
        QCOMPARE(parsed.has_value(), valid);
        if (valid)
            QCOMPARE(*parsed, value);
    }

    void readsTheStopDistanceAsTheWindowDoes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("value");
        QTest::newRow("plain") << "3" << true << 3;
        QTest::newRow("leading blank") << " 3" << true << 3;
        QTest::newRow("sign") << "+6" << true << 6;
        QTest::newRow("dollar hex") << "$A" << true << 10;
        QTest::newRow("0x hex") << "0x0C" << true << 12;
        QTest::newRow("trailing blank") << "3 " << false << 0;
        QTest::newRow("decimal") << "3.5" << false << 0;
        QTest::newRow("beyond 32 bits") << "4294967296" << false << 0;
    }
    void readsTheStopDistanceAsTheWindowDoes()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(int, value);
        const auto parsed = parseWindowInteger(text.toStdString());
        QCOMPARE(parsed.has_value(), valid);
        if (valid)
            QCOMPARE(*parsed, static_cast<long>(value));
    }
};

QTEST_APPLESS_MAIN(PlannerModelTest)
#include "test_planner_model.moc"
