#include "planner/StopGrid.h"

#include "planner/Physics.h"

#include <cmath>

namespace korax {

bool StopGrid::contains(double depth) const
{
    if (std::fabs(depth - lastStop_) < kTolerance)
        return true;
    const double k = std::round(depth / distance_);
    return depth > lastStop_ && std::fabs(depth - k * distance_) < kTolerance;
}

double StopGrid::nextAbove(double depth) const
{
    if (depth <= lastStop_ + kTolerance)
        return 0.0;
    const double candidate = (std::ceil(depth / distance_ - kTolerance) - 1.0) * distance_;
    return candidate > lastStop_ + kTolerance ? candidate : lastStop_;
}

std::optional<double> StopGrid::atOrAbove(double depth) const
{
    if (depth < lastStop_ - kTolerance)
        return std::nullopt;
    const double candidate = std::floor(depth / distance_ + kTolerance) * distance_;
    return candidate > lastStop_ + kTolerance ? candidate : lastStop_;
}

double StopGrid::nearest(double depth) const
{
    if (depth <= lastStop_)
        return lastStop_;
    const double candidate = std::round(depth / distance_) * distance_;
    if (candidate > lastStop_ + kTolerance)
        return candidate;
    // Between the last stop and the first multiple above it: take the closer one.
    const double above = (std::floor(lastStop_ / distance_ + kTolerance) + 1.0) * distance_;
    return depth - lastStop_ < above - depth ? lastStop_ : above;
}

} // namespace korax
