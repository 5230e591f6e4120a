// Any bytes as profile.dat (and, after a NUL, as the tissue file of a repetitive dive):
// reading, planning (with the variations and lost-gas plans) and writing the plan must neither
// crash nor run without bound.
#include "planner/Alternatives.h"
#include "planner/PlanJson.h"
#include "planner/PlanText.h"
#include "planner/Planner.h"
#include "planner/Settings.h"
#include "planner/TissueFile.h"
#include "profile/TProfile.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t nul = bytes.find('\0');
    TProfile profile("profile.dat", bytes.substr(0, nul));
    const korax::SettingsReading reading = korax::readSettings(profile);
    std::optional<korax::TissueRecord> previous;
    if (nul != std::string_view::npos)
        previous = korax::parseTissueFile(bytes.substr(nul + 1));
    if (!reading.problems.empty()) {
        (void)korax::planFileText(reading.settings, nullptr, reading.problems);
        return 0;
    }
    const korax::Plan plan = korax::planWithAlternatives(reading.settings,
        korax::startingTissues(reading.settings, previous ? &previous->tissues : nullptr),
        korax::startingCns(reading.settings, previous ? previous->cnsPercent : 0.0));
    (void)korax::planFileText(reading.settings, &plan, plan.problems);
    (void)korax::planJson(reading.settings, &plan, plan.problems);
    (void)korax::tissueFileText(plan.endTissues, plan.cnsPercent);
    return 0;
}
