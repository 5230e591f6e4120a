#include "planner/Rates.h"

#include <algorithm>
#include <cmath>

namespace korax {

Rates::Rates(std::vector<RateEntry> entries, double defaultRate)
    : entries_(std::move(entries))
    , defaultRate_(defaultRate)
{
}

std::vector<RatePiece> Rates::pieces(double from, double to) const
{
    const double low = std::min(from, to);
    const double high = std::max(from, to);
    std::vector<double> cuts { low, high };
    for (const RateEntry& e : entries_) {
        for (const double depth : { e.from, e.to }) {
            if (depth > low && depth < high)
                cuts.push_back(depth);
        }
    }
    std::sort(cuts.begin(), cuts.end());
    cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());
    if (from > to)
        std::reverse(cuts.begin(), cuts.end());

    std::vector<RatePiece> result;
    for (std::size_t i = 1; i < cuts.size(); ++i) {
        const double middle = (cuts[i - 1] + cuts[i]) / 2.0;
        double rate = 0.0;
        bool defaulted = false;
        for (const RateEntry& e : entries_) {
            if (middle >= std::min(e.from, e.to) && middle <= std::max(e.from, e.to)) {
                rate = e.rate;
                break;
            }
        }
        if (rate <= 0.0) {
            rate = defaultRate_;
            defaulted = true;
        }
        if (!result.empty() && result.back().rate == rate) {
            result.back().toDepth = cuts[i];
            result.back().defaultRate = result.back().defaultRate || defaulted;
        } else {
            result.push_back({ cuts[i], rate, defaulted });
        }
    }
    return result;
}

} // namespace korax
