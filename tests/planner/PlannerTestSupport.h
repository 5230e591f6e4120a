// Profiles for the planner tests, built line by line, and an independent check of the
// loading along a plan (small Haldane steps, ambient pressure at each step's middle).
#pragma once

#include "Coefficients.h"
#include "Plan.h"
#include "Planner.h"
#include "ProfileText.h"
#include "Settings.h"
#include "TProfile.h"

#include <cmath>
#include <string>
#include <vector>

namespace planner_test {

using Lines = std::vector<std::string>;

// Sea level, salt water, ZH-L16C, plain Bühlmann, 3 m stops with the last at 3 m.
inline Lines baseProfile()
{
    return { "UseMetric: y", "SaltWater: y", "UseBValues: n", "Altitude: 0", "Conservatism: 0", "Precision: 1",
        "StopDistance: 3", "LastStopDepth: 3", "OxyNarc: n", "DeepStops: n", "TissueFile: 0", "PlanFile: plan.out",
        "PyleStopTime: 2", "SurfaceInterval: 900:00", "Rmv: 20", "DecoRmv: 16", "UseOCDeco: n", "OcDecoGas: 0",
        "OcDecoMaxPO2: 1.6", "MaxEND: 100", "DescentRate: 0-300, 20", "AscentRate: 300-0, 10" };
}

// Replaces the first line of the key or appends it.
inline Lines with(Lines lines, const std::string& key, const std::string& value)
{
    for (std::string& line : lines) {
        if (line.rfind(key, 0) == 0) {
            line = key + " " + value;
            return lines;
        }
    }
    lines.push_back(key + " " + value);
    return lines;
}

// Every line of the key removed, then the given ones appended.
inline Lines withAll(Lines lines, const std::string& key, const Lines& values)
{
    std::erase_if(lines, [&](const std::string& line) { return line.rfind(key, 0) == 0; });
    for (const std::string& value : values)
        lines.push_back(key + " " + value);
    return lines;
}

inline Lines plus(Lines lines, const Lines& more)
{
    lines.insert(lines.end(), more.begin(), more.end());
    return lines;
}

inline korax::SettingsReading read(const Lines& lines)
{
    TProfile profile("profile.dat", profile_text::joinLines(lines));
    return korax::readSettings(profile);
}

inline korax::Plan planOf(const korax::Settings& settings)
{
    return korax::planDive(settings, korax::startingTissues(settings, nullptr));
}

inline korax::Plan planOf(const Lines& lines)
{
    return planOf(read(lines).settings);
}

inline double decoMinutes(const korax::Plan& plan)
{
    double minutes = 0.0;
    for (const korax::Stop& stop : plan.stops)
        minutes += stop.minutes;
    return minutes;
}

// Compartment loading by many small constant-pressure steps: an implementation apart
// from the planner's Schreiner equation, sharing only the published coefficients.
class StepLoader {
public:
    StepLoader(const korax::Settings& settings, const korax::Water& water)
        : set_(korax::coefficients(settings.useBValues))
        , water_(water)
        , gf_(settings.gradientFactor())
    {
        n2_.fill((water.surfacePressure - 0.0627) * 0.79);
        he_.fill(0.0);
    }

    void step(double depthAtMiddle, const korax::Gas& gas, double minutes)
    {
        const double inspired = water_.pressureAt(depthAtMiddle) - 0.0627;
        for (std::size_t i = 0; i < korax::kCompartments; ++i) {
            n2_[i] += (inspired * (1.0 - gas.o2 - gas.he) - n2_[i])
                * (1.0 - std::exp(-std::log(2.0) * minutes / set_[i].n2HalfTime));
            he_[i] += (inspired * gas.he - he_[i]) * (1.0 - std::exp(-std::log(2.0) * minutes / set_[i].heHalfTime));
        }
    }

    // The ceiling as an ambient pressure, from the M-value line scaled by the gradient factor.
    double ceilingPressure() const
    {
        double ceiling = 0.0;
        for (std::size_t i = 0; i < korax::kCompartments; ++i) {
            const double p = n2_[i] + he_[i];
            const double a = (set_[i].n2A * n2_[i] + set_[i].heA * he_[i]) / p;
            const double b = (set_[i].n2B * n2_[i] + set_[i].heB * he_[i]) / p;
            // Solve p = Pamb + gf * (Pamb / b + a - Pamb) for Pamb.
            ceiling = std::max(ceiling, (p - gf_ * a) / (1.0 - gf_ + gf_ / b));
        }
        return ceiling;
    }

    const std::array<double, korax::kCompartments>& n2() const { return n2_; }
    const std::array<double, korax::kCompartments>& he() const { return he_; }

private:
    const korax::CoefficientSet& set_;
    korax::Water water_;
    double gf_;
    std::array<double, korax::kCompartments> n2_ {};
    std::array<double, korax::kCompartments> he_ {};
};

} // namespace planner_test
