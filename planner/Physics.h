// The physical and physiological constants of the model, each with where it comes from, and
// the one tolerance for comparing depths and pressures.
#pragma once

namespace korax {

// International Standard Atmosphere (ISO 2533): sea-level pressure, and the barometric
// formula p = p0 · (1 − k·h)^n of the troposphere for h in metres.
inline constexpr double kSeaLevelPressure = 1.01325; // bar
inline constexpr double kBarometricK = 2.25577e-5; // per metre
inline constexpr double kBarometricExponent = 5.25588;

inline constexpr double kStandardGravity = 9.80665; // m/s², CGPM 1901
inline constexpr double kSaltWaterDensity = 1.030; // kg/l, the divers' usual sea water
inline constexpr double kFreshWaterDensity = 1.000; // kg/l

// Water vapour in the lungs at 37 °C as Bühlmann's ZH-L16 takes it (Tauchmedizin, 2002).
inline constexpr double kWaterVapour = 0.0627; // bar

// Oxygen toxicity: no CNS or OTU below 0.5 bar; OTU = t · ((PO2 − 0.5) / 0.5)^0.83
// (Clark and Lambertsen's pulmonary dose, as the REPEX method of Hamilton et al. 1988 uses it).
inline constexpr double kOxygenThreshold = 0.5; // bar
inline constexpr double kOtuExponent = 0.83;

// Depths and pressures closer than this are equal: far above the rounding of the sums
// along a dive, far below anything a diver could read.
inline constexpr double kTolerance = 1e-9;

} // namespace korax
