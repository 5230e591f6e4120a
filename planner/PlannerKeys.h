// Every key of profile.dat that the planner reads, one row each: the reader (Settings.cpp) takes
// the row's range and default, the problem texts (Messages.cpp) its range and unit, so each is
// written once. A new planner key is one row here (docs/development.md names the other places).
#pragma once

#include "planner/LengthUnit.h"
#include "profile/ProfileKeys.h"

#include <array>
#include <limits>
#include <string_view>

namespace keys {

// Keys that only the planner reads: the window never shows them and passes them through
// unchanged, so they are written by hand.
inline constexpr std::string_view kGradientFactorLow = "GradientFactorLow:";
inline constexpr std::string_view kDecoSetpoint = "DecoSetpoint:";
inline constexpr std::string_view kProblemSolvingTime = "ProblemSolvingTime:";
inline constexpr std::string_view kStressRmv = "StressRmv:";
inline constexpr std::string_view kCylinder = "Cylinder:";
inline constexpr std::string_view kO2Metabolic = "O2Metabolic:";
inline constexpr std::string_view kLoopVolume = "LoopVolume:";

} // namespace keys

namespace korax {

// How a value is written, and so what its problem text asks for.
enum class ValueKind {
    Flag, // "y", anything else is no
    Number, // a decimal number from low to high
    NumberOrZero, // 0, or a decimal number from low to high
    Whole, // a whole number from low to high, digits only
    Count, // a whole number above low, read as the window reads it
    Pattern, // written as format says (letters, a time)
    RateLines, // "from-to, rate" lines, the rate from low to high
    Mixes, // gas mixes
    Name, // a file name
};

// What a missing value, or the "0" that the window writes for one, means to the plan.
enum class WhenMissing {
    Zero, // the number 0 (a problem where 0 is out of range)
    Default, // the row's default
    Off, // the rule the key sets is off
    Problem, // the plan cannot be made
};

// The upper bound of a depth: the deepest depth of the file's unit (300 m, 1000 ft).
inline constexpr double kUnitDepth = std::numeric_limits<double>::infinity();
// The longest profile line, minutes.
inline constexpr double kMaxSegmentMinutes = 24 * 60.0;

struct PlannerKey {
    std::string_view key;
    ValueKind kind;
    WhenMissing missing;
    double low = 0.0;
    double high = 0.0;
    std::string_view unit = {}; // as the problem text names it
    // What the plan uses when the value is missing or cannot be used; a depth's in metres.
    double fallback = 0.0;
    std::string_view format = {}; // how a Pattern or RateLines value is written
    std::string_view onlyWith = {}; // the flag without which the key is not read
};

// In the file's order.
inline constexpr std::array kPlannerKeys = {
    PlannerKey { keys::kUseMetric, ValueKind::Flag, WhenMissing::Off },
    PlannerKey { keys::kSaltWater, ValueKind::Flag, WhenMissing::Off },
    PlannerKey { keys::kUseBValues, ValueKind::Flag, WhenMissing::Off },
    PlannerKey { keys::kAltitude, ValueKind::Number, WhenMissing::Zero, -500.0, 6000.0, "metry" },
    PlannerKey { keys::kConservatism, ValueKind::Number, WhenMissing::Zero, 0.0, 99.0, "%" },
    // Missing, empty or "0": GF low is GF high.
    PlannerKey { keys::kGradientFactorLow, ValueKind::Whole, WhenMissing::Off, 1.0, 100.0, "%" },
    // 0: whole minutes.
    PlannerKey { keys::kPrecision, ValueKind::NumberOrZero, WhenMissing::Default, 0.1, 60.0, "min", 1.0 },
    PlannerKey { keys::kStopDistance, ValueKind::Count, WhenMissing::Problem, 0.0, 0.0, {}, 3.0 },
    PlannerKey { keys::kLastStopDepth, ValueKind::Number, WhenMissing::Zero, 0.0, kUnitDepth, {}, 3.0 },
    PlannerKey { keys::kOxyNarc, ValueKind::Flag, WhenMissing::Off },
    PlannerKey { keys::kDeepStops, ValueKind::Pattern, WhenMissing::Problem, 0.0, 0.0, {}, 0.0, "p, w nebo n" },
    PlannerKey { keys::kTissueFile, ValueKind::Name, WhenMissing::Off },
    PlannerKey { keys::kPlanFile, ValueKind::Name, WhenMissing::Problem },
    PlannerKey { keys::kPyleStopTime, ValueKind::Number, WhenMissing::Problem, 0.1, 60.0, "min", 1.0 },
    // Missing or "900:00": a fresh dive.
    PlannerKey { keys::kSurfaceInterval, ValueKind::Pattern, WhenMissing::Off, 0.0, 0.0, {}, 0.0, "hhh:mm" },
    PlannerKey { keys::kRmv, ValueKind::Number, WhenMissing::Zero, 0.0, 200.0, "l/min" },
    PlannerKey { keys::kDecoRmv, ValueKind::Number, WhenMissing::Zero, 0.0, 200.0, "l/min" },
    PlannerKey { keys::kSlideRate, ValueKind::Number, WhenMissing::Off, 0.0, 10.0, "bar/min" },
    PlannerKey { keys::kUseOCDeco, ValueKind::Flag, WhenMissing::Off },
    PlannerKey { keys::kOcDecoGas, ValueKind::Mixes, WhenMissing::Off, 0.0, 0.0, {}, 0.0, {}, keys::kUseOCDeco },
    PlannerKey { keys::kOcDecoMaxPO2, ValueKind::Number, WhenMissing::Default, 0.5, 2.0, "bar", 1.6 },
    // 0: no END limit.
    PlannerKey { keys::kMaxEND, ValueKind::Number, WhenMissing::Zero, 0.0, kUnitDepth },
    PlannerKey {
        keys::kDescentRate, ValueKind::RateLines, WhenMissing::Off, 0.1, 1000.0, {}, 0.0, "\"od-do, rychlost\"" },
    PlannerKey {
        keys::kAscentRate, ValueKind::RateLines, WhenMissing::Off, 0.1, 1000.0, {}, 0.0, "\"od-do, rychlost\"" },
    PlannerKey { keys::kUseDecoSetpoint, ValueKind::Flag, WhenMissing::Off },
    // Also the range of a setpoint after "@" on a profile line.
    PlannerKey { keys::kDecoSetpoint, ValueKind::Number, WhenMissing::Problem, 0.4, 1.6, "bar", 0.0, {},
        keys::kUseDecoSetpoint },
    PlannerKey { keys::kProblemSolvingTime, ValueKind::Number, WhenMissing::Default, 0.0, 30.0, "min", 1.0 },
    // The default is a factor: half as much again as Rmv:.
    PlannerKey { keys::kStressRmv, ValueKind::Number, WhenMissing::Default, 0.0, 200.0, "l/min", 1.5 },
    // One line per cylinder; the sizes and pressures it takes are in Cylinders.h.
    PlannerKey {
        keys::kCylinder, ValueKind::Pattern, WhenMissing::Off, 0.0, 0.0, {}, 0.0, "\"objem, tlak, směs[, loop]\"" },
    PlannerKey { keys::kO2Metabolic, ValueKind::Number, WhenMissing::Default, 0.3, 3.0, "l/min", 1.0 },
    PlannerKey { keys::kLoopVolume, ValueKind::Number, WhenMissing::Default, 2.0, 20.0, "l", 7.0 },
};

// Where key's row stands in kPlannerKeys; kPlannerKeys.size() for a key the planner does not
// read. An index, not a pointer: GCC's UBSan cannot compare pointers in constant expressions.
constexpr std::size_t plannerKeyIndex(std::string_view key)
{
    std::size_t index = 0;
    while (index < kPlannerKeys.size() && kPlannerKeys[index].key != key)
        ++index;
    return index;
}

// The row of key; nullptr for a key the planner does not read.
inline const PlannerKey* findPlannerKey(std::string_view key)
{
    const std::size_t index = plannerKeyIndex(key);
    return index < kPlannerKeys.size() ? &kPlannerKeys[index] : nullptr;
}

// The row of a key the planner reads; a key without one does not compile.
consteval const PlannerKey& plannerKey(std::string_view key)
{
    const std::size_t index = plannerKeyIndex(key);
    if (index == kPlannerKeys.size())
        throw "a key without a row in kPlannerKeys";
    return kPlannerKeys[index];
}

} // namespace korax
