// The depths where stops may stand: the last stop depth and every multiple of the stop
// distance deeper than it.
#pragma once

#include <optional>

namespace korax {

class StopGrid {
public:
    StopGrid(double distance, double lastStop)
        : distance_(distance)
        , lastStop_(lastStop)
    {
    }

    bool contains(double depth) const;
    // The next stop depth shallower than depth, 0 (the surface) above the last stop.
    double nextAbove(double depth) const;
    // The deepest stop depth not deeper than depth; empty above the last stop.
    std::optional<double> atOrAbove(double depth) const;
    // The stop depth nearest to depth (the last stop for anything shallower).
    double nearest(double depth) const;

    double distance() const { return distance_; }

private:
    double distance_;
    double lastStop_;
};

} // namespace korax
