// Source: A. A. Bühlmann, E. B. Völlm, P. Nussberger, "Tauchmedizin", 5th edition,
// Springer 2002, tables of ZH-L16 A/B/C (compartment 1b with the 5.0 min N2 half-time)
// and of the helium coefficients, as reproduced in the Wikipedia article "Bühlmann
// decompression algorithm". Set B is the printed-table set (a = 0.6667, 0.5600, 0.4947,
// 0.4500, 0.4187, 0.3798, 0.3497, 0.3223, 0.2850, 0.2737 for compartments 5 to 14); the
// other set circulating as "B" (0.6491, 0.5316, ...) is not used. Helium is the same
// for B and C.
#include "planner/Coefficients.h"

namespace korax {
namespace {

struct Common {
    double n2HalfTime, n2B, heHalfTime, heA, heB;
};

constexpr std::array<Common, kCompartments> kCommon { {
    { 5.0, 0.5578, 1.88, 1.6189, 0.4770 },
    { 8.0, 0.6514, 3.02, 1.3830, 0.5747 },
    { 12.5, 0.7222, 4.72, 1.1919, 0.6527 },
    { 18.5, 0.7825, 6.99, 1.0458, 0.7223 },
    { 27.0, 0.8126, 10.21, 0.9220, 0.7582 },
    { 38.3, 0.8434, 14.48, 0.8205, 0.7957 },
    { 54.3, 0.8693, 20.53, 0.7305, 0.8279 },
    { 77.0, 0.8910, 29.11, 0.6502, 0.8553 },
    { 109.0, 0.9092, 41.20, 0.5950, 0.8757 },
    { 146.0, 0.9222, 55.19, 0.5545, 0.8903 },
    { 187.0, 0.9319, 70.69, 0.5333, 0.8997 },
    { 239.0, 0.9403, 90.34, 0.5189, 0.9073 },
    { 305.0, 0.9477, 115.29, 0.5181, 0.9122 },
    { 390.0, 0.9544, 147.42, 0.5176, 0.9171 },
    { 498.0, 0.9602, 188.24, 0.5172, 0.9217 },
    { 635.0, 0.9653, 240.03, 0.5119, 0.9267 },
} };

constexpr std::array<double, kCompartments> kN2aB { 1.1696, 1.0000, 0.8618, 0.7562, 0.6667, 0.5600, 0.4947, 0.4500,
    0.4187, 0.3798, 0.3497, 0.3223, 0.2850, 0.2737, 0.2523, 0.2327 };

constexpr std::array<double, kCompartments> kN2aC { 1.1696, 1.0000, 0.8618, 0.7562, 0.6200, 0.5043, 0.4410, 0.4000,
    0.3750, 0.3500, 0.3295, 0.3065, 0.2835, 0.2610, 0.2480, 0.2327 };

constexpr CoefficientSet build(const std::array<double, kCompartments>& n2a)
{
    CoefficientSet set {};
    for (std::size_t i = 0; i < kCompartments; ++i) {
        const Common& c = kCommon[i];
        set[i] = { c.n2HalfTime, n2a[i], c.n2B, c.heHalfTime, c.heA, c.heB };
    }
    return set;
}

constexpr CoefficientSet kSetB = build(kN2aB);
constexpr CoefficientSet kSetC = build(kN2aC);

} // namespace

const CoefficientSet& coefficients(bool useB)
{
    return useB ? kSetB : kSetC;
}

} // namespace korax
