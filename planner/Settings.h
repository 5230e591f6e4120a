// What the planner takes from profile.dat, checked: every value that cannot be used is
// listed as a problem with its key and its text.
#pragma once

#include "planner/Cylinders.h"
#include "planner/DecoGasList.h"
#include "planner/Findings.h"
#include "planner/Gas.h"
#include "planner/LengthUnit.h"
#include "planner/Physics.h"

#include <optional>
#include <string>
#include <vector>

class TProfile;

namespace korax {

enum class DeepStopMethod { None, Pyle, Wkpp };

// "from-to, rate": depths in the file's units, rate per minute.
struct RateEntry {
    double from = 0.0;
    double to = 0.0;
    double rate = 0.0;
};

// One profile line: minutes at the depth, travel excluded, on open circuit or on the loop.
struct ProfileSegment {
    double depth = 0.0;
    double minutes = 0.0;
    Gas gas; // the mix, or the loop's diluent
    std::optional<double> setpoint; // bar; empty: open circuit
};

struct Settings {
    LengthUnit unit = kMetres;
    bool saltWater = true;
    bool useBValues = false;
    bool oxyNarc = false;
    bool useOcDeco = false;
    double altitude = 0.0; // metres
    double conservatism = 0.0; // per cent
    int gfLowPercent = 0; // 0: GF low is GF high
    double precision = 1.0; // minutes
    double stopDistance = 3.0;
    double lastStopDepth = 3.0;
    DeepStopMethod deepStops = DeepStopMethod::None;
    double pyleStopTime = 0.0;
    std::string tissueFile; // empty: no tissue file
    std::string planFile; // bytes as the file holds them
    bool repetitive = false;
    double surfaceInterval = 0.0; // minutes
    double rmv = 0.0;
    double decoRmv = 0.0;
    std::vector<DecoGas> decoGases;
    double decoMaxPO2 = 1.6;
    double maxEnd = 0.0;
    double slideRate = 0.0; // bar per minute; 0: a setpoint changes at once
    std::optional<double> decoSetpoint; // bar, for the ascent on the loop
    double problemSolvingMinutes = 1.0; // at depth before the emergency ascent
    double stressRmv = 0.0; // litres per minute at the surface in the emergency ascent
    std::vector<RateEntry> descentRates;
    std::vector<RateEntry> ascentRates;
    std::vector<ProfileSegment> profile;
    std::vector<Cylinder> cylinders; // none: the plan gives litres only
    double o2Metabolic = 1.0; // litres per minute of oxygen the body uses on the loop
    double loopVolume = 7.0; // litres, filled with diluent at every rise of ambient pressure

    // GF high, and the only factor of a uniform plan.
    double gradientFactor() const { return 1.0 - conservatism / 100.0; }
    double gfLow() const { return gfLowPercent > 0 ? gfLowPercent / 100.0 : gradientFactor(); }
    // GF low below GF high: the plan follows the GF line from the GF low point to the surface.
    bool gfPair() const { return gfLow() < gradientFactor() - kTolerance; }
    // A closed-circuit dive: its last profile line is on the loop.
    bool closedCircuit() const { return !profile.empty() && profile.back().setpoint.has_value(); }
};

struct SettingsReading {
    Settings settings;
    bool hasPlanFile = false;
    std::vector<Problem> problems;
};

SettingsReading readSettings(const TProfile& profile);

} // namespace korax
