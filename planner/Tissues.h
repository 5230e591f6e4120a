// Inert gas loading of the 16 compartments and the ceiling they allow.
#pragma once

#include "planner/Coefficients.h"
#include "planner/Gas.h"
#include "planner/Physics.h"

#include <array>
#include <vector>

namespace korax {

// Where the dive happens: the pressure at the surface and per unit of depth.
struct Water {
    double surfacePressure = kSeaLevelPressure; // bar
    double barPerUnit = 0.1; // bar per metre or foot of water

    double pressureAt(double depth) const { return surfacePressure + depth * barPerUnit; }
    double depthAt(double pressure) const { return (pressure - surfacePressure) / barPerUnit; }
};

// Standard atmosphere at the altitude (metres), water of the density (kg/l), units of
// the length (metres: 1, feet: 0.3048).
Water makeWater(double altitudeMetres, double densityKgPerLitre, double unitMetres);

struct Tissues {
    std::array<double, kCompartments> n2 {};
    std::array<double, kCompartments> he {};
};

// Saturated with air at the surface pressure.
Tissues saturatedWithAir(double surfacePressure);

// The decay factors exp(−k·t) of every compartment (N2, then He) for a duration. A plan
// computes the same few durations (a stop, a leg between stops) over and over, so the two
// latest are kept.
class Decay {
public:
    const std::array<double, 2 * kCompartments>& factors(const CoefficientSet& set, double minutes);

private:
    struct Entry {
        double minutes = -1.0;
        std::array<double, 2 * kCompartments> factors {};
    };
    std::array<Entry, 2> entries_;
    std::size_t next_ = 0;
};

// Schreiner's equation: ambient pressure changing linearly from startPressure at
// barPerMinute for the minutes (Haldane's when the rate is 0). decay must only ever see one set.
void loadTissues(Tissues& tissues, const CoefficientSet& set, const Gas& gas, double startPressure, double barPerMinute,
    double minutes, Decay& decay);
void loadTissues(Tissues& tissues, const CoefficientSet& set, const Gas& gas, double startPressure, double barPerMinute,
    double minutes);

// An inspired inert gas pressure changing linearly: bar at the start, bar per minute.
struct InspiredLine {
    double start;
    double rate;
};

// Schreiner's equation for the two inspired pressures over the minutes.
void loadLinear(Tissues& tissues, const CoefficientSet& set, const InspiredLine& n2, const InspiredLine& he,
    double minutes, Decay& decay);

// The lowest ambient pressure the tissues tolerate with the gradient factor (0 < gf <= 1).
double toleratedPressure(const Tissues& tissues, const CoefficientSet& set, double gf);

// A gradient-factor pair: GF low at the GF low point, GF high at the surface, and the
// allowed tissue pressure a straight line in ambient pressure between them.
struct GfPair {
    double low;
    double high;
    double surfacePressure; // bar
};

// Whether the tissues may be at the ambient pressure (bar) when the GF low point is lowPoint
// (bar, above the surface). A compartment whose allowed pressure at the surface is no lower
// than at the GF low point sets no limit.
bool withinGfPair(
    const Tissues& tissues, const CoefficientSet& set, const GfPair& gf, double lowPoint, double pressure);

// The lowest ambient pressure (bar) at which withinGfPair holds: at most lowPoint.
double gfPairCeiling(const Tissues& tissues, const CoefficientSet& set, const GfPair& gf, double lowPoint);

// The compartments (1-based) holding more than GF high allows at the surface.
std::vector<int> aboveGfHighAtSurface(const Tissues& tissues, const CoefficientSet& set, const GfPair& gf);

} // namespace korax
