#include "planner/RealGas.h"

#include "planner/Physics.h"

#include <array>
#include <cmath>

namespace korax {
namespace {

// Beattie-Bridgeman: P = R·T·(1 − ε)/v² · (v + B) − A/v², with A = A0·(1 − a/v),
// B = B0·(1 − b/v) and ε = c/(v·T³); P in kPa, v in m³/kmol, T in K. The constants are those of
// J. A. Beattie and O. C. Bridgeman (1928) as Çengel and Boles tabulate them (Thermodynamics:
// An Engineering Approach, table 3-4).
struct Constants {
    double a0, a, b0, b, c;
};
constexpr Constants kOxygen { 151.0857, 0.02562, 0.04624, 0.004208, 4.80e4 };
constexpr Constants kNitrogen { 136.2315, 0.02617, 0.05046, -0.00691, 4.20e4 };
constexpr Constants kHelium { 2.1886, 0.05984, 0.01400, 0.0, 40.0 };

constexpr double kGasConstant = 8.314462618; // kPa·m³/(kmol·K), CODATA 2018
constexpr double kKilopascalsPerBar = 100.0;
// The molar volume of an ideal gas at 1.01325 bar and 20 °C, m³/kmol.
constexpr double kIdealMolarVolume = kGasConstant * kCylinderKelvin / (kSeaLevelPressure * kKilopascalsPerBar);

// Beattie's rules for a mixture: A0 from the square roots, the other constants linear in the
// mole fractions.
Constants mixture(const Gas& gas)
{
    const std::array<std::pair<double, Constants>, 3> parts { { { gas.o2, kOxygen }, { gas.n2(), kNitrogen },
        { gas.he, kHelium } } };
    Constants mix { 0.0, 0.0, 0.0, 0.0, 0.0 };
    double rootA0 = 0.0;
    for (const auto& [x, k] : parts) {
        rootA0 += x * std::sqrt(k.a0);
        mix.a += x * k.a;
        mix.b0 += x * k.b0;
        mix.b += x * k.b;
        mix.c += x * k.c;
    }
    mix.a0 = rootA0 * rootA0;
    return mix;
}

// The pressure (kPa) at the molar volume, and its derivative by v.
struct Pressure {
    double value, slope;
};
Pressure pressureAt(const Constants& k, double v)
{
    const double rt = kGasConstant * kCylinderKelvin;
    const double tau = k.c / (kCylinderKelvin * kCylinderKelvin * kCylinderKelvin);
    // The same pressure as a polynomial in u = 1/v.
    const double c1 = rt;
    const double c2 = rt * (k.b0 - tau) - k.a0;
    const double c3 = -rt * k.b0 * (k.b + tau) + k.a0 * k.a;
    const double c4 = rt * tau * k.b0 * k.b;
    const double u = 1.0 / v;
    return { u * (c1 + u * (c2 + u * (c3 + u * c4))), -u * u * (c1 + u * (2.0 * c2 + u * (3.0 * c3 + u * 4.0 * c4))) };
}

// The molar volume at the pressure, by Newton's method from the ideal gas.
double molarVolume(const Constants& k, double kilopascals)
{
    double v = kGasConstant * kCylinderKelvin / kilopascals;
    for (int i = 0; i < 50; ++i) {
        const Pressure p = pressureAt(k, v);
        const double step = (p.value - kilopascals) / p.slope;
        v -= step;
        if (std::fabs(step) < 1e-12 * v)
            break;
    }
    return v;
}

} // namespace

double compressibility(const Gas& gas, double bar)
{
    const double kilopascals = bar * kKilopascalsPerBar;
    return kilopascals * molarVolume(mixture(gas), kilopascals) / (kGasConstant * kCylinderKelvin);
}

double freeLitres(const Gas& gas, double waterLitres, double bar)
{
    if (bar <= 0.0)
        return 0.0;
    return waterLitres * kIdealMolarVolume / molarVolume(mixture(gas), bar * kKilopascalsPerBar);
}

double pressureHolding(const Gas& gas, double waterLitres, double litres)
{
    if (litres <= 0.0)
        return 0.0;
    return pressureAt(mixture(gas), waterLitres * kIdealMolarVolume / litres).value / kKilopascalsPerBar;
}

} // namespace korax
