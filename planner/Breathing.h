// What the diver breathes: an open-circuit mix, or a closed-circuit loop on a diluent held at
// a setpoint; the partial pressures either gives, and the loading of the tissues on the loop.
#pragma once

#include "planner/Gas.h"
#include "planner/Tissues.h"

#include <array>
#include <optional>
#include <string>

namespace korax {

struct Partials {
    double o2 = 0.0; // bar
    double n2 = 0.0;
    double he = 0.0;
};

// The mix's fractions of the pressure (bar).
Partials openPartials(const Gas& gas, double pressure);

// The loop at the pressure P (bar): PO2 = min(P, max(SP, fO2·P)), never less oxygen than the
// diluent gives nor more than the whole pressure; the inert rest in the diluent's ratio.
Partials loopPartials(const Gas& diluent, double setpoint, double pressure);

// Open circuit on gas, or the loop on it as diluent at the setpoint.
Partials partialsOf(const Gas& gas, const std::optional<double>& setpoint, double pressure);

// "21/35" on open circuit, "21/35@1.3" on the loop (the setpoint to 0.01 bar).
std::string breathLabel(const Gas& gas, const std::optional<double>& setpoint);

// While the pressure goes linearly from p0 to p1 and the setpoint from sp0 to sp1, the loop's
// partial pressures are linear between these instants (fractions of the way, 0 and 1 included,
// in order): where P = SP or fO2·P = SP.
struct Pieces {
    std::array<double, 4> at {};
    std::size_t count = 0;
};
Pieces loopPieces(const Gas& diluent, double p0, double p1, double sp0, double sp1);

// Schreiner's equation on each of those pieces: ambient pressure from startPressure to
// endPressure and the setpoint from sp0 to sp1 in the minutes, both linearly.
void loadLoop(Tissues& tissues, const CoefficientSet& set, const Gas& diluent, double startPressure, double endPressure,
    double sp0, double sp1, double minutes, Decay& decay);

} // namespace korax
