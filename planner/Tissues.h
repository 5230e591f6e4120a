// Inert gas loading of the 16 compartments and the ceiling they allow.
#pragma once

#include "planner/Coefficients.h"
#include "planner/Gas.h"
#include "planner/Physics.h"

#include <array>

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

} // namespace korax
