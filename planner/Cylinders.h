// The cylinders a diver carries, as the repeatable key "Cylinder: SIZE, PRESSURE, MIX[, loop]"
// gives them: water capacity, fill pressure and mix, and whether the rebreather breathes from it.
#pragma once

#include "planner/Gas.h"
#include "planner/LengthUnit.h"

#include <optional>
#include <string>
#include <string_view>

namespace korax {

struct Cylinder {
    std::string size; // as the line writes it, trimmed: "2x12", "80/3000"
    double waterLitres = 0.0; // all of it: 24 for "2x12"
    double fillBar = 0.0;
    Gas gas;
    bool loop = false; // the rebreather's own oxygen or diluent
};

inline constexpr double kPsiPerBar = 14.503773773; // 1 bar = 100 kPa, 1 psi = 6.894757293 kPa
inline constexpr double kLitresPerCubicFoot = 28.316846592;

// What a Cylinder: line may give: the size of a cylinder or set, and its fill.
struct CylinderLimits {
    double minSize, maxSize; // litres, or cubic feet with feet
    double minFill, maxFill; // bar, or psi with feet
};
inline constexpr CylinderLimits kLitresAndBar { 0.1, 50.0, 1.0, 350.0 };
inline constexpr CylinderLimits kCubicFeetAndPsi { 1.0, 300.0, 15.0, 5000.0 };
inline constexpr int kMaxSetCount = 9; // "2x12": the cylinders of a set, one digit

// With metres: SIZE in litres, "12", "11.1", "2x12" (a twinset); PRESSURE in bar. With feet:
// SIZE the nominal capacity in cubic feet at a rated pressure in psi, "80/3000" (the nominal
// free gas of an ideal gas, as cylinders are rated: 80/3000 is 11.1 l), PRESSURE in psi.
// Empty when the text is no cylinder: a field unreadable, a size or pressure out of range
// (0.1 to 50 l or 1 to 300 cu ft in all; 1 to 350 bar or 15 to 5000 psi), a fifth field.
std::optional<Cylinder> parseCylinder(std::string_view text, const LengthUnit& unit);

// "2x12 l" with metres, "80/3000" (cu ft at psi) as written with feet.
std::string cylinderLabel(const Cylinder& cylinder, const LengthUnit& unit);

} // namespace korax
