// What the plan costs the diver: gas, oxygen toxicity, and the limits it passes.
#pragma once

#include "planner/Plan.h"
#include "planner/Settings.h"

namespace korax {

// The divers' maximum operating depth: (PO2 / O2 fraction − 1) × 10 m (× 33 ft), to the
// nearest whole metre or foot.
double modByConvention(const Gas& gas, double maxPO2, const LengthUnit& unit);

// Gas density (g/l) above which a breathed gas is warned about (recommended, Anthony and
// Mitchell 2016), and no open-circuit gas is switched to.
inline constexpr double kDensityRecommended = 5.2;

// The END of an open-circuit mix at the depth: its narcotic fraction (N2, with OxyNarc: y also
// O2) against air's.
double equivalentNarcoticDepth(const Gas& gas, double depth, bool oxyNarc, const Water& water);

// The density (g/l) of an open-circuit mix at the ambient pressure (bar), no water vapour.
double openCircuitDensity(const Gas& gas, double pressure);

// NOAA single-exposure limit in minutes at the PO2 (interpolated; 45 above 1.6 bar);
// 0 where oxygen does not count (0.5 bar and below).
double cnsLimitMinutes(double po2);

// The highest PO2 of the segment (bar): the mix's fraction of the ambient pressure, or the loop's.
double highestPO2(const Segment& segment, const Water& water);

// The greatest density (g/l) of what the segment breathes, at the ambient pressure.
double densityOf(const Segment& segment, const Water& water);

// Litres at the surface that an open-circuit segment breathes: Rmv: or DecoRmv: × minutes ×
// mean ambient pressure / surface pressure.
double openCircuitLitres(const Segment& segment, const Settings& settings, const Water& water);

// Gas use per open-circuit mix, CNS, OTU, and the PO2, END, hypoxia, density and
// counter-diffusion warnings of the segments.
void addExposure(Plan& plan, const Settings& settings, const Water& water);

} // namespace korax
