// Reading a plan table and building its chart for plans of 1,000 to 10,000 rows: both
// should grow linearly with the rows.
#include "platform/Cp1250Text.h"
#include "viewer/PlanChart.h"
#include "viewer/PlanTable.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace {

// A heading, the header and rows that descend, stay and ascend in steps, on three gases
// that follow one another as in a long dive with two deco gases.
std::string generatedPlan(int rows)
{
    std::string text = cp1250::utf8ToCp1250("KORAX 1.0 – plán ponoru s otevřeným okruhem\r\n"
                                            "Jednotky hloubky: m, rychlosti v m/min\r\n\r\n"
                                            "Fáze                Hloubka    Úsek     Čas  Směs       PO2\r\n");
    const char* phases[] = { "sestup", "dno", "výstup", "hloubková zastávka", "výstup", "zastávka" };
    const char* gases[] = { "21/35", "50/0", "100/0" };
    double runtime = 0.0;
    for (int i = 0; i < rows; ++i) {
        const double minutes = 1.0 + i % 3;
        runtime += minutes;
        const int gas = 3 * i / rows;
        const bool switches = i > 0 && gas != 3 * (i - 1) / rows;
        char row[96];
        std::snprintf(row, sizeof row, "%-19s%8.1f%8.1f%8.1f  %-9s%5.2f\r\n", "", 3.0 * (1 + i % 20), minutes, runtime,
            gases[gas], 1.2);
        const std::string phase = cp1250::utf8ToCp1250(switches ? "změna směsi" : phases[i % 6]);
        text += phase + std::string(row).substr(phase.size());
    }
    return text + "\r\n";
}

void BM_ReadPlanTable(benchmark::State& state)
{
    const std::string plan = generatedPlan(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(plan_table::readPlanTable(plan));
    state.SetComplexityN(state.range(0));
    state.counters["ns_per_row"] = benchmark::Counter(static_cast<double>(state.range(0)),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ReadPlanTable)->Arg(1000)->Arg(2000)->Arg(5000)->Arg(10000)->Complexity(benchmark::oN);

void BM_ChartFromTable(benchmark::State& state)
{
    const plan_table::PlanTable table = *plan_table::readPlanTable(generatedPlan(static_cast<int>(state.range(0))));
    for (auto _ : state)
        PlanChart chart(table);
    state.SetComplexityN(state.range(0));
    state.counters["ns_per_row"] = benchmark::Counter(static_cast<double>(state.range(0)),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ChartFromTable)
    ->Arg(1000)
    ->Arg(2000)
    ->Arg(5000)
    ->Arg(10000)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
