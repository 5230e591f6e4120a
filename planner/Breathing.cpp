#include "planner/Breathing.h"

#include "planner/Physics.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace korax {
namespace {

// Where a − b, linear in the fraction u with values a0 − b0 and a1 − b1 at its ends, crosses
// zero inside (0, 1).
void addCrossing(Pieces& pieces, double start, double end)
{
    if ((start < 0.0) == (end < 0.0) || start == end)
        return;
    const double u = start / (start - end);
    if (u > kTolerance && u < 1.0 - kTolerance)
        pieces.at[pieces.count++] = u;
}

} // namespace

Partials openPartials(const Gas& gas, double pressure)
{
    return { gas.o2 * pressure, gas.n2() * pressure, gas.he * pressure };
}

Partials loopPartials(const Gas& diluent, double setpoint, double pressure)
{
    const double o2 = std::min(pressure, std::max(setpoint, diluent.o2 * pressure));
    const double inert = pressure - o2;
    const double inertFraction = diluent.n2() + diluent.he;
    if (inert <= 0.0 || inertFraction <= 0.0)
        return { o2, 0.0, 0.0 };
    const double he = inert * diluent.he / inertFraction;
    return { o2, inert - he, he };
}

Partials partialsOf(const Gas& gas, const std::optional<double>& setpoint, double pressure)
{
    return setpoint ? loopPartials(gas, *setpoint, pressure) : openPartials(gas, pressure);
}

std::string breathLabel(const Gas& gas, const std::optional<double>& setpoint)
{
    if (!setpoint)
        return gasLabel(gas);
    char text[16];
    std::snprintf(text, sizeof text, "%.2f", *setpoint);
    std::string value = text;
    if (value.back() == '0')
        value.pop_back();
    return gasLabel(gas) + "@" + value;
}

Pieces loopPieces(const Gas& diluent, double p0, double p1, double sp0, double sp1)
{
    Pieces pieces;
    pieces.at[pieces.count++] = 0.0;
    addCrossing(pieces, p0 - sp0, p1 - sp1);
    addCrossing(pieces, diluent.o2 * p0 - sp0, diluent.o2 * p1 - sp1);
    if (pieces.count == 3 && pieces.at[1] > pieces.at[2])
        std::swap(pieces.at[1], pieces.at[2]);
    pieces.at[pieces.count++] = 1.0;
    return pieces;
}

void loadLoop(Tissues& tissues, const CoefficientSet& set, const Gas& diluent, double startPressure, double endPressure,
    double sp0, double sp1, double minutes, Decay& decay)
{
    if (minutes <= 0.0)
        return;
    const double p0 = startPressure - kWaterVapour;
    const double p1 = endPressure - kWaterVapour;
    const Pieces pieces = loopPieces(diluent, p0, p1, sp0, sp1);
    for (std::size_t i = 1; i < pieces.count; ++i) {
        const double u0 = pieces.at[i - 1];
        const double u1 = pieces.at[i];
        const auto at = [&](double u) { return loopPartials(diluent, sp0 + (sp1 - sp0) * u, p0 + (p1 - p0) * u); };
        // Inside a piece the partial pressures are linear: their ends give the line.
        const Partials first = at(u0);
        const Partials last = at(u1);
        const double span = (u1 - u0) * minutes;
        loadLinear(tissues, set, { first.n2, (last.n2 - first.n2) / span }, { first.he, (last.he - first.he) / span },
            span, decay);
    }
}

} // namespace korax
