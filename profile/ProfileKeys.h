// The keys of profile.dat that the window shows, in the order the transfers walk them.
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

} // namespace keys
