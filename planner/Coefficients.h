// Bühlmann ZH-L16 compartments with helium: half-times and M-value coefficients a, b.
#pragma once

#include <array>
#include <cstddef>

namespace korax {

inline constexpr std::size_t kCompartments = 16;

struct Compartment {
    double n2HalfTime; // minutes
    double n2A; // bar
    double n2B;
    double heHalfTime;
    double heA;
    double heB;
};

using CoefficientSet = std::array<Compartment, kCompartments>;

// Set B (Bühlmann's printed-table values) or set C (the dive-computer values).
const CoefficientSet& coefficients(bool useB);

} // namespace korax
