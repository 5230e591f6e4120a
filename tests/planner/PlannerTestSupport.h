// Profiles for the planner tests, built line by line, and an independent check of the
// loading along a plan (small Haldane steps, ambient pressure at each step's middle).
#pragma once

#include "planner/Coefficients.h"
#include "planner/Planner.h"
#include "profile/TProfile.h"
#include "tests/support/CaseTable.h"

#include <cmath>
#include <string>
#include <vector>

namespace planner_test {

using Lines = std::vector<std::string>;

// The lines with the changes: a "Key: value" change replaces every line of its key (a key
// changed twice gets two lines), a profile line ("depth, time, mix") is appended.
inline Lines with(Lines lines, const Lines& changes)
{
    for (const std::string& change : changes) {
        const std::string key = change.substr(0, change.find(':') + 1);
        std::erase_if(lines, [&](const std::string& line) { return !key.empty() && line.starts_with(key); });
    }
    lines.insert(lines.end(), changes.begin(), changes.end());
    return lines;
}

// The base profile of tests/data/planner/base.dat with the changes.
inline Lines profile(const Lines& changes)
{
    return with(TProfile(TROVA_TEST_DATA "/planner/base.dat").Lines(), changes);
}

// The lines read as the planner reads profile.dat.
inline korax::SettingsReading readingOf(const Lines& lines)
{
    return korax::readSettings(TProfile("profile.dat", cases::joinLines(lines)));
}

inline korax::Settings settingsOf(const Lines& lines)
{
    return readingOf(lines).settings;
}

inline korax::Plan planOf(const korax::Settings& s)
{
    return korax::planDive(s, korax::startingTissues(s, nullptr));
}

// Compartment loading by many small constant-pressure steps: an implementation apart
// from the planner's Schreiner equation, sharing only the published coefficients.
struct StepLoader {
    explicit StepLoader(const korax::Settings& settings)
        : set(korax::coefficients(settings.useBValues))
        , water(korax::waterOf(settings))
    {
        n2.fill((water.surfacePressure - 0.0627) * 0.79);
    }

    void step(double depthAtMiddle, const korax::Gas& gas, double minutes)
    {
        const double inspired = water.pressureAt(depthAtMiddle) - 0.0627;
        for (std::size_t i = 0; i < korax::kCompartments; ++i) {
            n2[i] += (inspired * (1.0 - gas.o2 - gas.he) - n2[i]) * (1.0 - std::exp2(-minutes / set[i].n2HalfTime));
            he[i] += (inspired * gas.he - he[i]) * (1.0 - std::exp2(-minutes / set[i].heHalfTime));
        }
    }

    // A compartment's inert gas pressure and the a and b of its M-value line M(Pamb) = a + Pamb / b,
    // weighted by its nitrogen and helium.
    struct Loading {
        double inert, a, b;
    };
    Loading loading(std::size_t i) const
    {
        const double p = n2[i] + he[i];
        return { p, (set[i].n2A * n2[i] + set[i].heA * he[i]) / p, (set[i].n2B * n2[i] + set[i].heB * he[i]) / p };
    }

    // The ceiling as an ambient pressure: solve p = Pamb + gf * (Pamb / b + a - Pamb) for Pamb.
    double ceilingPressure(double gradientFactor) const
    {
        double ceiling = 0.0;
        for (std::size_t i = 0; i < korax::kCompartments; ++i) {
            const auto [p, a, b] = loading(i);
            ceiling = std::max(ceiling, (p - gradientFactor * a) / (1.0 - gradientFactor + gradientFactor / b));
        }
        return ceiling;
    }

    const korax::CoefficientSet& set;
    korax::Water water;
    std::array<double, korax::kCompartments> n2 {}, he {};
};

} // namespace planner_test
