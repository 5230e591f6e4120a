// Every key of profile.dat that the window and the planner share, in the order the window's
// transfers walk them, and the fixed values that these keys carry.
#pragma once

#include <string_view>

namespace keys {

inline constexpr std::string_view kUpdateTissueFile = "UpdateTissueFile:";
inline constexpr std::string_view kDeleteTemporaryOutput = "DeleteTemporaryOutput:";
inline constexpr std::string_view kUseMetric = "UseMetric:";
inline constexpr std::string_view kSaltWater = "SaltWater:";
inline constexpr std::string_view kUseBValues = "UseBValues:";
inline constexpr std::string_view kAltitude = "Altitude:";
inline constexpr std::string_view kConservatism = "Conservatism:";
inline constexpr std::string_view kPrecision = "Precision:";
inline constexpr std::string_view kStopDistance = "StopDistance:";
inline constexpr std::string_view kLastStopDepth = "LastStopDepth:";
inline constexpr std::string_view kOxyNarc = "OxyNarc:";
inline constexpr std::string_view kDeepStops = "DeepStops:";
inline constexpr std::string_view kTissueFile = "TissueFile:";
inline constexpr std::string_view kPlanFile = "PlanFile:";
inline constexpr std::string_view kPyleStopTime = "PyleStopTime:";
inline constexpr std::string_view kSurfaceInterval = "SurfaceInterval:";
inline constexpr std::string_view kRmv = "Rmv:";
inline constexpr std::string_view kDecoRmv = "DecoRmv:";
inline constexpr std::string_view kSlideRate = "SlideRate:";
inline constexpr std::string_view kUseOCDeco = "UseOCDeco:";
inline constexpr std::string_view kOcDecoGas = "OcDecoGas:";
inline constexpr std::string_view kOcDecoMaxPO2 = "OcDecoMaxPO2:";
inline constexpr std::string_view kMaxEND = "MaxEND:";
inline constexpr std::string_view kDescentRate = "DescentRate:";
inline constexpr std::string_view kAscentRate = "AscentRate:";
inline constexpr std::string_view kUseDecoSetpoint = "UseDecoSetpoint:";

// The value of a key that the file does not hold; "no entry" to the planner.
inline constexpr std::string_view kMissingValue = "0";
// The surface interval that means: no repetitive dive.
inline constexpr std::string_view kNoRepetitiveDive = "900:00";
// The plan file name that a save on closing puts back.
inline constexpr std::string_view kClosingPlanFile = "plan.out";
// The settings file, in the working folder.
inline constexpr char kProfileFileName[] = "profile.dat";

} // namespace keys
