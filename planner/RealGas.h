// Free gas in a cylinder at 20 °C: the real-gas volume of an oxygen, nitrogen and helium mix
// from its pressure and back, by the Beattie-Bridgeman equation of state.
#pragma once

#include "planner/Gas.h"

namespace korax {

// The temperature the cylinders are taken at.
inline constexpr double kCylinderKelvin = 293.15;

// The compressibility factor Z = P·v / (R·T) of the mix at the pressure (bar) and 20 °C.
double compressibility(const Gas& gas, double bar);

// Litres of free gas at 1.01325 bar that a cylinder of waterLitres holds at the pressure:
// waterLitres · P / (Z · 1.01325 bar).
double freeLitres(const Gas& gas, double waterLitres, double bar);

// The pressure (bar) at which a cylinder of waterLitres holds freeLitres of the mix; 0 for none.
double pressureHolding(const Gas& gas, double waterLitres, double freeLitres);

} // namespace korax
