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

// Schreiner's equation: ambient pressure changing linearly from startPressure at
// barPerMinute for the minutes (Haldane's when the rate is 0).
void loadTissues(Tissues& tissues, const CoefficientSet& set, const Gas& gas, double startPressure, double barPerMinute,
    double minutes);

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

// The compartments (1-based) holding more than GF high allows at the surface.
std::vector<int> aboveGfHighAtSurface(const Tissues& tissues, const CoefficientSet& set, const GfPair& gf);

} // namespace korax
