#include "planner/Tissues.h"

#include "planner/Physics.h"

#include <algorithm>
#include <cmath>

namespace korax {
namespace {

// A compartment's inert gas pressure and its a, b weighted by its N2 and He.
struct Loading {
    double inert;
    double a;
    double b;
};

Loading loadingOf(const Tissues& tissues, const CoefficientSet& set, std::size_t i)
{
    const double n2 = std::max(tissues.n2[i], 0.0);
    const double he = std::max(tissues.he[i], 0.0);
    const double inert = n2 + he;
    if (inert <= 0.0)
        return { 0.0, 0.0, 1.0 };
    return { inert, (set[i].n2A * n2 + set[i].heA * he) / inert, (set[i].n2B * n2 + set[i].heB * he) / inert };
}

// The tissue pressure a gradient factor allows at the ambient pressure: p + gf · (M(p) − p).
double allowed(const Loading& c, double gf, double pressure)
{
    return pressure + gf * (c.a + pressure / c.b - pressure);
}

double rateConstant(double halfTime)
{
    return std::log(2.0) / halfTime;
}

void loadOne(double& pressure, double halfTime, double decay, const InspiredLine& line, double minutes)
{
    const double k = rateConstant(halfTime);
    const double inspired = line.start;
    const double rate = line.rate;
    pressure = inspired + rate * (minutes - 1.0 / k) - (inspired - pressure - rate / k) * decay;
}

} // namespace

Water makeWater(double altitudeMetres, double densityKgPerLitre, double unitMetres)
{
    Water water;
    water.surfacePressure = kSeaLevelPressure * std::pow(1.0 - kBarometricK * altitudeMetres, kBarometricExponent);
    // kg/l to kg/m³, and Pa to bar.
    water.barPerUnit = densityKgPerLitre * 1000.0 * kStandardGravity * unitMetres / 100000.0;
    return water;
}

Tissues saturatedWithAir(double surfacePressure)
{
    Tissues tissues;
    tissues.n2.fill((surfacePressure - kWaterVapour) * kAir.n2());
    tissues.he.fill(0.0);
    return tissues;
}

const std::array<double, 2 * kCompartments>& Decay::factors(const CoefficientSet& set, double minutes)
{
    for (const Entry& entry : entries_) {
        if (entry.minutes == minutes)
            return entry.factors;
    }
    Entry& entry = entries_[next_];
    next_ = (next_ + 1) % entries_.size();
    entry.minutes = minutes;
    for (std::size_t i = 0; i < kCompartments; ++i) {
        entry.factors[i] = std::exp(-rateConstant(set[i].n2HalfTime) * minutes);
        entry.factors[kCompartments + i] = std::exp(-rateConstant(set[i].heHalfTime) * minutes);
    }
    return entry.factors;
}

void loadTissues(Tissues& tissues, const CoefficientSet& set, const Gas& gas, double startPressure, double barPerMinute,
    double minutes, Decay& decay)
{
    const double inspired = startPressure - kWaterVapour;
    loadLinear(tissues, set, { inspired * gas.n2(), barPerMinute * gas.n2() },
        { inspired * gas.he, barPerMinute * gas.he }, minutes, decay);
}

void loadLinear(Tissues& tissues, const CoefficientSet& set, const InspiredLine& n2, const InspiredLine& he,
    double minutes, Decay& decay)
{
    if (minutes <= 0.0)
        return;
    const auto& factors = decay.factors(set, minutes);
    for (std::size_t i = 0; i < kCompartments; ++i) {
        loadOne(tissues.n2[i], set[i].n2HalfTime, factors[i], n2, minutes);
        loadOne(tissues.he[i], set[i].heHalfTime, factors[kCompartments + i], he, minutes);
    }
}

void loadTissues(Tissues& tissues, const CoefficientSet& set, const Gas& gas, double startPressure, double barPerMinute,
    double minutes)
{
    Decay decay;
    loadTissues(tissues, set, gas, startPressure, barPerMinute, minutes, decay);
}

double toleratedPressure(const Tissues& tissues, const CoefficientSet& set, double gf)
{
    double tolerated = 0.0;
    for (std::size_t i = 0; i < kCompartments; ++i) {
        const Loading c = loadingOf(tissues, set, i);
        if (c.inert > 0.0)
            tolerated = std::max(tolerated, (c.inert - c.a * gf) / (gf / c.b + 1.0 - gf));
    }
    return tolerated;
}

bool withinGfPair(const Tissues& tissues, const CoefficientSet& set, const GfPair& gf, double lowPoint, double pressure)
{
    if (pressure >= lowPoint)
        return true;
    const double p0 = gf.surfacePressure;
    for (std::size_t i = 0; i < kCompartments; ++i) {
        const Loading c = loadingOf(tissues, set, i);
        const double atSurface = allowed(c, gf.high, p0);
        const double atLowPoint = allowed(c, gf.low, lowPoint);
        if (atSurface >= atLowPoint)
            continue;
        const double limit = atSurface + (atLowPoint - atSurface) * (pressure - p0) / (lowPoint - p0);
        if (c.inert > limit + kTolerance)
            return false;
    }
    return true;
}

double gfPairCeiling(const Tissues& tissues, const CoefficientSet& set, const GfPair& gf, double lowPoint)
{
    const double p0 = gf.surfacePressure;
    double ceiling = 0.0;
    for (std::size_t i = 0; i < kCompartments; ++i) {
        const Loading c = loadingOf(tissues, set, i);
        const double atSurface = allowed(c, gf.high, p0);
        const double atLowPoint = allowed(c, gf.low, lowPoint);
        if (atSurface < atLowPoint)
            ceiling = std::max(ceiling, p0 + (c.inert - atSurface) * (lowPoint - p0) / (atLowPoint - atSurface));
    }
    return std::min(ceiling, lowPoint);
}

std::vector<int> aboveGfHighAtSurface(const Tissues& tissues, const CoefficientSet& set, const GfPair& gf)
{
    std::vector<int> compartments;
    for (std::size_t i = 0; i < kCompartments; ++i) {
        const Loading c = loadingOf(tissues, set, i);
        if (c.inert > allowed(c, gf.high, gf.surfacePressure) + kTolerance)
            compartments.push_back(static_cast<int>(i) + 1);
    }
    return compartments;
}

} // namespace korax
