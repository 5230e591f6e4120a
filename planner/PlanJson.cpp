#include "planner/PlanJson.h"

#include "planner/Breathing.h"
#include "planner/Exposure.h"
#include "planner/Messages.h"
#include "planner/Planner.h"

#include <nlohmann/json.hpp>

#include <array>
#include <cmath>
#include <map>

namespace korax {
namespace {

// The JSON names of the phases, in the order of Phase.
constexpr std::array<const char*, plan_format::kPhases.size()> kPhaseKeys
    = { "descent", "bottom", "ascent", "gas_switch", "deep_stop", "stop" };

const char* phaseKey(Phase phase)
{
    return kPhaseKeys[static_cast<std::size_t>(phase)];
}

// Numbers without binary noise: times to 0.001 min, depths to 0.001 of the unit, litres to
// 0.1, CNS and OTU to 0.01 (dividing by the whole scale gives the nearest double to the decimal).
double rounded(double value, double scale)
{
    return std::round(value * scale) / scale + 0.0;
}
double time(double minutes)
{
    return rounded(minutes, 1000.0);
}
double depth(double value)
{
    return rounded(value, 1000.0);
}
nlohmann::json timeOrNull(const std::optional<double>& minutes)
{
    return minutes ? nlohmann::json(time(*minutes)) : nlohmann::json(nullptr);
}

std::string variationName(VariationKind kind, const LengthUnit& unit)
{
    if (changesDepth(kind))
        return std::string("depth") + signOf(kind) + std::to_string(static_cast<int>(unit.variationDepth));
    return std::string("time") + signOf(kind) + "5";
}

std::vector<std::string> labels(const std::vector<Gas>& gases)
{
    std::vector<std::string> result;
    for (const Gas& gas : gases)
        result.push_back(gasLabel(gas));
    return result;
}

nlohmann::json gasUses(const std::vector<GasUse>& uses)
{
    nlohmann::json list = nlohmann::json::array();
    for (const GasUse& use : uses)
        list.push_back({ { "gas", gasLabel(use.gas) }, { "litres", rounded(use.litres, 10.0) } });
    return list;
}

// An open-circuit dive's minimum gas, a closed-circuit dive's bailout plan; null when none.
void addEmergency(nlohmann::json& out, const Settings& settings, const Plan* plan)
{
    const EmergencyPlan* emergency = plan && plan->emergency ? &*plan->emergency : nullptr;
    if (!settings.closedCircuit()) {
        out["min_gas"] = emergency ? gasUses(emergency->gases) : nlohmann::json(nullptr);
        return;
    }
    out["bailout"] = emergency ? nlohmann::json { { "runtime_min", time(emergency->runtime) },
        { "first_stop", emergency->firstStop ? nlohmann::json(depth(*emergency->firstStop)) : nlohmann::json(nullptr) },
        { "gases", gasUses(emergency->gases) } }
                               : nlohmann::json(nullptr);
}

// Per cylinder, pressures in bar or, with feet, psi, to 0.1; the reserve and turn null when none.
nlohmann::json cylinders(const std::vector<CylinderUse>& uses, const LengthUnit& unit)
{
    const double scale = unit.metric() ? 1.0 : kPsiPerBar;
    const std::string suffix = unit.metric() ? "_bar" : "_psi";
    const auto pressure = [&](const std::optional<double>& bar) {
        return bar ? nlohmann::json(rounded(*bar * scale, 10.0)) : nlohmann::json(nullptr);
    };
    nlohmann::json list = nlohmann::json::array();
    for (const CylinderUse& use : uses) {
        const Cylinder& c = use.cylinder;
        list.push_back({ { "size_l", rounded(c.waterLitres, 100.0) }, { "fill" + suffix, pressure(c.fillBar) },
            { "gas", gasLabel(c.gas) }, { "loop", c.loop }, { "used" + suffix, pressure(use.usedBar) },
            { "left" + suffix, pressure(use.leftBar) }, { "reserve" + suffix, pressure(use.reserveBar) },
            { "turn" + suffix, pressure(use.turnBar) } });
    }
    return list;
}

} // namespace

std::string planJson(const Settings& settings, const Plan* plan, const std::vector<Problem>& problems)
{
    const LengthUnit& unit = settings.unit;
    nlohmann::json out = nlohmann::json::object();
    out["runtime_min"] = plan ? time(plan->runtime) : 0.0;
    out["first_stop"] = plan && plan->firstStop ? nlohmann::json(depth(*plan->firstStop)) : nlohmann::json(nullptr);
    out["stops"] = nlohmann::json::array();
    out["segments"] = nlohmann::json::array();
    out["gas_use_l"] = nlohmann::json::object();
    out["cns_pct"] = plan ? rounded(plan->cnsPercent, 100.0) : 0.0;
    out["cns_start_pct"] = plan ? rounded(plan->cnsStartPercent, 100.0) : 0.0;
    out["gf_low_pct"] = settings.gfLow() * 100.0;
    out["gf_high_pct"] = settings.gradientFactor() * 100.0;
    out["otu"] = plan ? rounded(plan->otu, 100.0) : 0.0;
    out["variations"] = nlohmann::json::array();
    out["lost_gas"] = nlohmann::json::array();
    out["warnings"] = nlohmann::json::array();
    out["warning_kinds"] = nlohmann::json::array();
    out["problems"] = nlohmann::json::array();
    addEmergency(out, settings, plan);
    for (const Problem& problem : problems)
        out["problems"].push_back(problemText(problem, unit));
    if (plan) {
        for (const Warning& warning : plan->warnings) {
            out["warnings"].push_back(warningText(warning, unit));
            out["warning_kinds"].push_back(warningKindName(warning.kind));
        }
        for (const Stop& stop : plan->stops)
            out["stops"].push_back({ { "depth", depth(stop.depth) }, { "minutes", time(stop.minutes) },
                { "gas", breathLabel(stop.gas, stop.setpoint) } });
        const Water water = waterOf(settings);
        for (const Segment& s : plan->segments) {
            out["segments"].push_back({ { "phase", phaseKey(s.phase) }, { "from", depth(s.startDepth) },
                { "to", depth(s.endDepth) }, { "minutes", time(s.minutes) }, { "runtime", time(s.runtime) },
                { "gas", breathLabel(s.gas, s.setpoint) }, { "density_gl", rounded(densityOf(s, water), 100.0) } });
        }
        std::map<std::string, double> litres;
        for (const GasUse& use : plan->gasUse)
            litres[gasLabel(use.gas)] += use.litres;
        for (const auto& [label, total] : litres)
            out["gas_use_l"][label] = rounded(total, 10.0);
        for (const Variation& v : plan->variations) {
            out["variations"].push_back({ { "name", variationName(v.kind, unit) },
                { "runtime_min", timeOrNull(v.runtime) }, { "deco_min", timeOrNull(v.decoMinutes) } });
        }
        if (!settings.cylinders.empty())
            out["cylinders"] = cylinders(plan->cylinders, unit);
        for (const LostGasPlan& lost : plan->lostGas) {
            nlohmann::json entry { { "gas", gasLabel(lost.lost) }, { "runtime_min", timeOrNull(lost.runtime) },
                { "first_stop", lost.firstStop ? nlohmann::json(depth(*lost.firstStop)) : nlohmann::json(nullptr) },
                { "gases_left", labels(lost.gasesLeft) } };
            // A closed-circuit dive's lost gas is a bailout plan: its litres per gas.
            if (settings.closedCircuit())
                entry["bailout_gases"] = lost.runtime ? gasUses(lost.bailoutGases) : nlohmann::json(nullptr);
            out["lost_gas"].push_back(std::move(entry));
        }
    }
    return out.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

} // namespace korax
