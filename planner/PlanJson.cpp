#include "planner/PlanJson.h"

#include "planner/Messages.h"

#include <nlohmann/json.hpp>

namespace korax {
namespace {

const char* phaseKey(Phase phase)
{
    switch (phase) {
    case Phase::Descent:
        return "descent";
    case Phase::Bottom:
        return "bottom";
    case Phase::Ascent:
        return "ascent";
    case Phase::GasSwitch:
        return "gas_switch";
    case Phase::DeepStop:
        return "deep_stop";
    case Phase::Stop:
        return "stop";
    }
    return "";
}

} // namespace

std::string planJson(const Settings& settings, const Plan* plan, const std::vector<Problem>& problems)
{
    const LengthUnit& unit = settings.unit;
    nlohmann::json out = nlohmann::json::object();
    out["runtime_min"] = plan ? plan->runtime : 0.0;
    out["first_stop"] = plan && plan->firstStop ? nlohmann::json(*plan->firstStop) : nlohmann::json(nullptr);
    out["stops"] = nlohmann::json::array();
    out["segments"] = nlohmann::json::array();
    out["gas_use_l"] = nlohmann::json::object();
    out["cns_pct"] = plan ? plan->cnsPercent : 0.0;
    out["gf_low_pct"] = settings.gfLow() * 100.0;
    out["gf_high_pct"] = settings.gradientFactor() * 100.0;
    out["otu"] = plan ? plan->otu : 0.0;
    out["warnings"] = nlohmann::json::array();
    out["problems"] = nlohmann::json::array();
    for (const Problem& problem : problems)
        out["problems"].push_back(problemText(problem, unit));
    if (plan) {
        for (const Warning& warning : plan->warnings)
            out["warnings"].push_back(warningText(warning, unit));
        for (const Stop& stop : plan->stops)
            out["stops"].push_back(
                { { "depth", stop.depth }, { "minutes", stop.minutes }, { "gas", gasLabel(stop.gas) } });
        for (const Segment& s : plan->segments) {
            out["segments"].push_back({ { "phase", phaseKey(s.phase) }, { "from", s.startDepth }, { "to", s.endDepth },
                { "minutes", s.minutes }, { "runtime", s.runtime }, { "gas", gasLabel(s.gas) } });
        }
        for (const GasUse& use : plan->gasUse) {
            nlohmann::json& litres = out["gas_use_l"][gasLabel(use.gas)];
            litres = (litres.is_null() ? 0.0 : litres.get<double>()) + use.litres;
        }
    }
    return out.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

} // namespace korax
