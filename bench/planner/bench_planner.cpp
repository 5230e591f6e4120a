// Time to plan the two reference dives, settings already read (one plan per iteration), and
// the full run of the deep one: the plan, its four variations, its three lost-gas plans and the
// emergency ascent; and the full run of a 100 m closed-circuit dive decompressing on the loop with
// two bailout gases: the plan, its variations, the bailout plan and one per lost bailout gas;
// the same again with cylinders.
#include "planner/Alternatives.h"
#include "planner/Planner.h"
#include "planner/Settings.h"
#include "profile/TProfile.h"

#include <benchmark/benchmark.h>

namespace {

korax::Settings settingsOf(const std::vector<std::string>& dive)
{
    std::vector<std::string> lines { "UseMetric: y", "SaltWater: y", "UseBValues: n", "Altitude: 0", "Conservatism: 20",
        "Precision: 1", "StopDistance: 3", "LastStopDepth: 3", "OxyNarc: y", "DeepStops: n", "TissueFile: 0",
        "PlanFile: plan.out", "SurfaceInterval: 900:00", "Rmv: 20", "DecoRmv: 16", "UseOCDeco: y", "OcDecoMaxPO2: 1.6",
        "MaxEND: 30", "DescentRate: 0-100, 20", "AscentRate: 100-6, 9", "AscentRate: 6-0, 3" };
    lines.insert(lines.end(), dive.begin(), dive.end());
    std::string text;
    for (const std::string& line : lines)
        text.append(line).append("\r\n");
    return korax::readSettings(TProfile("profile.dat", text)).settings;
}

void plan(benchmark::State& state, const korax::Settings& settings)
{
    const korax::Tissues start = korax::startingTissues(settings, nullptr);
    for (auto _ : state) {
        korax::Plan result = korax::planDive(settings, start);
        benchmark::DoNotOptimize(result);
    }
}

const std::vector<std::string> k100m25min { "OcDecoGas: 21/35, 50, 100", "100, 25, 10/70" };

void BM_Plan100m25minTrimix(benchmark::State& state)
{
    plan(state, settingsOf(k100m25min));
}

void BM_FullRun100m25minTrimix(benchmark::State& state)
{
    const korax::Settings settings = settingsOf(k100m25min);
    const korax::Tissues start = korax::startingTissues(settings, nullptr);
    for (auto _ : state) {
        korax::Plan result = korax::planWithAlternatives(settings, start);
        benchmark::DoNotOptimize(result);
    }
}

void BM_FullRunClosedCircuit100mTwoBailoutGases(benchmark::State& state)
{
    const korax::Settings settings = settingsOf({ "OcDecoGas: 50, 100", "SlideRate: 0.2", "UseDecoSetpoint: y",
        "DecoSetpoint: 1.4", "10, 1, 10/70@0.7", "100, 25, 10/70@1.3" });
    const korax::Tissues start = korax::startingTissues(settings, nullptr);
    for (auto _ : state) {
        korax::Plan result = korax::planWithAlternatives(settings, start);
        benchmark::DoNotOptimize(result);
    }
}

// The same full run with the loop's oxygen and diluent cylinders and two bailout cylinders: the
// cylinder accounts and their real-gas volumes on top.
void BM_FullRunClosedCircuit100mWithCylinders(benchmark::State& state)
{
    const korax::Settings settings
        = settingsOf({ "OcDecoGas: 50, 100", "SlideRate: 0.2", "UseDecoSetpoint: y", "DecoSetpoint: 1.4",
            "Cylinder: 3, 200, 100, loop", "Cylinder: 3, 200, 10/70, loop", "Cylinder: 2x12, 232, 10/70",
            "Cylinder: 11.1, 207, 50", "Cylinder: 7, 200, 100", "10, 1, 10/70@0.7", "100, 25, 10/70@1.3" });
    const korax::Tissues start = korax::startingTissues(settings, nullptr);
    for (auto _ : state) {
        korax::Plan result = korax::planWithAlternatives(settings, start);
        benchmark::DoNotOptimize(result);
    }
}

void BM_Plan45m30minTrimix(benchmark::State& state)
{
    plan(state, settingsOf({ "OcDecoGas: 50", "45, 30, 21/35" }));
}

} // namespace

BENCHMARK(BM_Plan100m25minTrimix)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Plan45m30minTrimix)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FullRun100m25minTrimix)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FullRunClosedCircuit100mTwoBailoutGases)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FullRunClosedCircuit100mWithCylinders)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
