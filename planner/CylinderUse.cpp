#include "planner/CylinderUse.h"

#include "planner/Exposure.h"
#include "planner/Planner.h"
#include "planner/RealGas.h"

#include <algorithm>

namespace korax {
namespace {

// The cylinders of one gas on one circuit, which drain together.
struct Supply {
    Gas gas;
    bool loop = false;
    double used = 0.0; // litres at the surface, the whole plan
    double rest = 0.0; // of it after the end of the last profile line
    double reserve = 0.0;
    double held = 0.0; // free litres when filled
};

class Accounts {
public:
    Accounts(Plan& plan, const Settings& settings)
        : plan_(plan)
        , settings_(settings)
        , water_(waterOf(settings))
    {
        for (const Cylinder& cylinder : settings.cylinders)
            supplyOf(cylinder.gas, cylinder.loop, true)->held
                += freeLitres(cylinder.gas, cylinder.waterLitres, cylinder.fillBar);
    }

    void drawPlan()
    {
        std::vector<Gas> missing;
        for (const Segment& s : plan_.segments) {
            if (s.setpoint) {
                drawLoop(s);
                continue;
            }
            Supply* supply = supplyOf(s.gas, false, false);
            if (!supply) {
                if (std::ranges::find(missing, s.gas) == missing.end())
                    missing.push_back(s.gas);
                continue;
            }
            const double litres = standard(openCircuitLitres(s, settings_, water_));
            supply->used += litres;
            supply->rest += s.decompression ? litres : 0.0;
        }
        for (const Gas& gas : missing)
            plan_.warnings.push_back({ .kind = WarningKind::GasMissing, .gas = gas });
    }

    // The minimum gas or bailout; the bailout's diluent, when only the loop's diluent cylinder
    // holds it, is kept there.
    void keepReserve()
    {
        if (!plan_.emergency)
            return;
        for (const GasUse& use : plan_.emergency->gases) {
            Supply* supply = supplyOf(use.gas, false, false);
            if (!supply && settings_.closedCircuit() && use.gas == settings_.profile.back().gas)
                supply = supplyOf(use.gas, true, false);
            if (supply)
                supply->reserve += standard(use.litres);
            else if (std::ranges::none_of(plan_.warnings,
                         [&](const Warning& w) { return w.kind == WarningKind::GasMissing && w.gas == use.gas; }))
                plan_.warnings.push_back({ .kind = WarningKind::GasMissing, .gas = use.gas });
        }
    }

    void fillCylinders()
    {
        for (const Supply& supply : supplies_) {
            if (supply.used > supply.held)
                plan_.warnings.push_back({ .kind = WarningKind::GasExhausted,
                    .gas = supply.gas,
                    .value = supply.used,
                    .limit = supply.held,
                    .label = supply.loop ? "loop" : "" });
        }
        const bool reserveKnown = plan_.emergency.has_value();
        const bool openCircuit = !settings_.closedCircuit();
        const Gas lastMix = settings_.profile.back().gas;
        for (const Cylinder& cylinder : settings_.cylinders) {
            const std::size_t number = plan_.cylinders.size() + 1;
            const Supply& supply = *supplyOf(cylinder.gas, cylinder.loop, false);
            const double full = freeLitres(cylinder.gas, cylinder.waterLitres, cylinder.fillBar);
            const double share = full / supply.held;
            // From full on (beyond it: a reserve not carried) in proportion to the fill, so that an
            // untouched cylinder keeps its fill exactly.
            const auto pressure = [&](double litres) {
                return litres < full
                    ? std::min(pressureHolding(cylinder.gas, cylinder.waterLitres, litres), cylinder.fillBar)
                    : cylinder.fillBar * litres / full;
            };
            const double left = std::max(full - supply.used * share, 0.0);
            CylinderUse use { cylinder, 0.0, pressure(left), std::nullopt, std::nullopt };
            use.usedBar = cylinder.fillBar - use.leftBar;
            if (reserveKnown) {
                use.reserveBar = pressure(supply.reserve * share);
                if (openCircuit && !cylinder.loop && cylinder.gas == lastMix)
                    use.turnBar = pressure((supply.rest + supply.reserve) * share);
                if (supply.used <= supply.held && left < supply.reserve * share)
                    plan_.warnings.push_back({ .kind = WarningKind::GasReserve,
                        .gas = cylinder.gas,
                        .value = use.leftBar,
                        .limit = *use.reserveBar,
                        .label = std::to_string(number) + " (" + cylinderLabel(cylinder, settings_.unit) + ", "
                            + gasLabel(cylinder.gas) + ")" });
            }
            plan_.cylinders.push_back(use);
        }
    }

private:
    // The plan's litres at the surface pressure as litres at 1.01325 bar, the cylinders' unit:
    // fewer at altitude.
    double standard(double litres) const { return litres * water_.surfacePressure / kSeaLevelPressure; }

    // On the loop: the body's oxygen for every minute, and the diluent that fills the loop as
    // the ambient pressure rises.
    void drawLoop(const Segment& s)
    {
        if (Supply* oxygen = supplyOf(Gas { 1.0, 0.0 }, true, false)) {
            oxygen->used += settings_.o2Metabolic * s.minutes;
            oxygen->rest += s.decompression ? settings_.o2Metabolic * s.minutes : 0.0;
        }
        const double rise = water_.pressureAt(s.endDepth) - water_.pressureAt(s.startDepth);
        Supply* diluent = supplyOf(s.gas, true, false);
        if (diluent && rise > 0.0)
            diluent->used += settings_.loopVolume * rise / kSeaLevelPressure;
    }

    Supply* supplyOf(const Gas& gas, bool loop, bool create)
    {
        const auto found
            = std::ranges::find_if(supplies_, [&](const Supply& s) { return s.gas == gas && s.loop == loop; });
        if (found != supplies_.end())
            return &*found;
        if (!create)
            return nullptr;
        supplies_.push_back({ .gas = gas, .loop = loop });
        return &supplies_.back();
    }

    Plan& plan_;
    const Settings& settings_;
    Water water_;
    std::vector<Supply> supplies_;
};

} // namespace

void addCylinderUse(Plan& plan, const Settings& settings)
{
    if (settings.cylinders.empty() || settings.profile.empty())
        return;
    Accounts accounts(plan, settings);
    accounts.drawPlan();
    accounts.keepReserve();
    accounts.fillCylinders();
}

} // namespace korax
