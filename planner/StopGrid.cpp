#include "planner/StopGrid.h"

#include <cmath>

namespace korax {

bool StopGrid::contains(double depth) const
{
    if (std::fabs(depth - lastStop_) < kDepthEpsilon)
        return true;
    const double k = std::round(depth / distance_);
    return depth > lastStop_ && std::fabs(depth - k * distance_) < kDepthEpsilon;
}

double StopGrid::nextAbove(double depth) const
{
    if (depth <= lastStop_ + kDepthEpsilon)
        return 0.0;
    const double candidate = (std::ceil(depth / distance_ - kDepthEpsilon) - 1.0) * distance_;
    return candidate > lastStop_ + kDepthEpsilon ? candidate : lastStop_;
}

std::optional<double> StopGrid::atOrAbove(double depth) const
{
    if (depth < lastStop_ - kDepthEpsilon)
        return std::nullopt;
    const double candidate = std::floor(depth / distance_ + kDepthEpsilon) * distance_;
    return candidate > lastStop_ + kDepthEpsilon ? candidate : lastStop_;
}

double StopGrid::nearest(double depth) const
{
    if (depth <= lastStop_)
        return lastStop_;
    const double candidate = std::round(depth / distance_) * distance_;
    if (candidate > lastStop_ + kDepthEpsilon)
        return candidate;
    // Between the last stop and the first multiple above it: take the closer one.
    const double above = (std::floor(lastStop_ / distance_ + kDepthEpsilon) + 1.0) * distance_;
    return depth - lastStop_ < above - depth ? lastStop_ : above;
}

} // namespace korax
