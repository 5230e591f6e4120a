// The unit of every depth and rate in profile.dat, chosen once when the settings are read.
#pragma once

namespace korax {

struct LengthUnit {
    const char* symbol;
    double metres; // metres per unit
    double descentRate; // per minute where no DescentRate: entry covers a depth
    double ascentRate;
    double modFactor; // units of depth per bar of PO2 in the divers' MOD convention
    double maxDepth; // deepest profile line, last stop and MaxEND
    double variationDepth; // how much deeper or shallower the depth variations go

    double fromMetres(double length) const { return length / metres; }
    // Metres, bar and litres; otherwise feet, psi and cubic feet.
    bool metric() const { return metres == 1.0; }
};

inline constexpr LengthUnit kMetres { "m", 1.0, 20.0, 10.0, 10.0, 300.0, 3.0 };
inline constexpr LengthUnit kFeet { "ft", 0.3048, 66.0, 33.0, 33.0, 1000.0, 10.0 };

} // namespace korax
