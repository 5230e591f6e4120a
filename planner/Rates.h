// Descent and ascent rates that apply piecewise by depth.
#pragma once

#include "planner/Settings.h"

#include <vector>

namespace korax {

struct RatePiece {
    double toDepth;
    double rate; // units per minute, positive
    bool defaultRate; // no entry covers the piece
};

class Rates {
public:
    Rates(std::vector<RateEntry> entries, double defaultRate);

    // The pieces of a move from one depth to another, each at its own rate; a piece no
    // entry covers goes at the default rate.
    std::vector<RatePiece> pieces(double from, double to) const;

    double defaultRate() const { return defaultRate_; }

private:
    std::vector<RateEntry> entries_;
    double defaultRate_;
};

} // namespace korax
