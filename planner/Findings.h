// What the model reports beside the plan: problems (the dive cannot be planned) and warnings
// (the plan is made but breaks a limit). Typed here; the Czech texts are written in Messages.
#pragma once

#include "planformat/PlanFormat.h"
#include "planner/Gas.h"

#include <optional>
#include <string>
#include <string_view>

namespace korax {

// A segment's phase, named as the plan table writes it.
using plan_format::Phase;
using plan_format::phaseName;

enum class ProblemKind {
    BadValue, // key, text: the value of the key cannot be used
    BadProfileLine, // text: the line; value: the deepest depth allowed
    BadSetpoint, // text: the line; detail: what follows its "@"
    SetpointDecimalComma, // text: the line; detail: its mix field with the setpoint as meant
    NoProfileLines,
    NotAMix, // key, text: the whole value; detail: the item that is no mix
    BadSwitchDepth, // key, text: the whole value; detail: the entry
    SwitchDepthUnit, // key, text; detail: the entry whose depth has the other unit
    SwitchDepthTooDeep, // key, text; detail: the entry; value: its depth; limit: the PO2 switch depth
    GfLowAboveHigh, // value: GF low, limit: GF high, per cent
    TissueFileNeeded, // key, text
    TissueFileUnreadable, // key, text
    NotATissueFile, // key, text
    ForeignOutput, // key, text: an output file that korax did not write, which it leaves alone
    OutsideFolder, // key, text: an output name with a folder part, ".." or a drive
    NoProfile,
    StopNeverClears, // value: the depth of the stop
    DecoTooLong,
    BadCylinder, // key, text: the value of a Cylinder: line
};

struct Problem {
    ProblemKind kind;
    std::string_view key {}; // the key of profile.dat, empty when the problem has none
    std::string text {}; // the offending text as profile.dat holds it (Windows-1250)
    std::string detail {};
    double value = 0.0;
    double limit = 0.0;
};

enum class WarningKind {
    DecoGasUnused, // gas
    DefaultDescentRate, // value: the rate used
    DefaultAscentRate,
    ProfileAboveCeiling, // depth
    PO2AboveLimit, // phase, depth, gas; value: PO2; limit
    EndAboveMax, // phase, depth, gas; value: END; limit: MaxEND
    CnsAbove100, // value: CNS per cent
    HypoxicAtStart, // gas; value: PO2 at the surface
    HypoxicOnSurfacing,
    SurfacedAboveGfHigh, // compartment (1-based)
    TissueFileRestored, // a cut write of the tissue file was undone before this dive
    DensityAboveRecommended, // phase, depth, gas; value: g/l; limit
    DensityAboveMaximum,
    CounterDiffusion, // depth; gas before, otherGas after the switch
    EmergencyAscentNotPlanned,
    BailoutGasUnused, // gas: as DecoGasUnused, for a closed-circuit dive's bailout gas
    GasReserve, // gas, label: "2 (11.1 l, 50/0)", the cylinder; value: bar left, limit: its reserve
    GasMissing, // gas: breathed by the plan or the emergency ascent, held by no cylinder
    GasExhausted, // gas, label: "loop" for the loop's own; value: litres used, limit: litres held
};

struct Warning {
    WarningKind kind;
    Phase phase = Phase::Bottom;
    double depth = 0.0;
    Gas gas {};
    double value = 0.0;
    double limit = 0.0;
    int compartment = 0;
    std::optional<double> setpoint {}; // on the loop, with gas its diluent
    Gas otherGas {}; // the gas switched to
    std::optional<double> otherSetpoint {};
    std::string label {};
};

} // namespace korax
