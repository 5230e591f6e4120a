// Reading a plan table, building its chart and printing its text for 1,000 to 64,000 rows, in
// three shapes: a long dive on three gases; every row on a mix of its own (the chart's legend
// stays bounded); and the same bytes as one line without line ends. All should grow linearly.
#include "files/Cp1250Text.h"
#include "planformat/PlanTable.h"
#include "platform/Cp1250.h"
#include "viewer/PlanChart.h"
#include "viewer/PlanPrint.h"

#include <QApplication>
#include <QBuffer>
#include <QPdfWriter>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace {

enum Shape { ThreeGases, MixPerRow, OneLine };

// A heading, the header and rows that descend, stay and ascend in steps: on three gases that
// follow one another as in a long dive with two deco gases, or on a new mix at every row.
std::string generatedPlan(int rows, Shape shape)
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
        const bool switches = shape == MixPerRow ? i > 0 : i > 0 && gas != 3 * (i - 1) / rows;
        char mix[16];
        std::snprintf(mix, sizeof mix, "%d/%d", 5 + i % 90, i / 90 % 90);
        char row[96];
        std::snprintf(row, sizeof row, "%-19s%8.1f%8.1f%8.1f  %-9s%5.2f\r\n", "", 3.0 * (1 + i % 20), minutes, runtime,
            shape == MixPerRow ? mix : gases[gas], 1.2);
        const std::string phase = cp1250::utf8ToCp1250(switches ? "změna směsi" : phases[i % 6]);
        text += phase + std::string(row).substr(phase.size());
    }
    text += "\r\n";
    if (shape == OneLine)
        std::erase_if(text, [](char c) { return c == '\r' || c == '\n'; });
    return text;
}

void perRow(benchmark::State& state)
{
    state.SetComplexityN(state.range(0));
    state.counters["ns_per_row"] = benchmark::Counter(static_cast<double>(state.range(0)),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_ReadPlanTable(benchmark::State& state, Shape shape)
{
    const std::string plan = generatedPlan(static_cast<int>(state.range(0)), shape);
    for (auto _ : state)
        benchmark::DoNotOptimize(plan_table::readPlanTable(plan));
    perRow(state);
}

void BM_ChartFromTable(benchmark::State& state, Shape shape)
{
    const plan_table::PlanTable table
        = *plan_table::readPlanTable(generatedPlan(static_cast<int>(state.range(0)), shape));
    for (auto _ : state)
        PlanChart chart(table);
    perRow(state);
}

// The text pages of the PDF, as trova-plan --pdf lays them out (without the chart).
void BM_PrintText(benchmark::State& state, Shape shape)
{
    PlanDocument document;
    document.text = cp1250::toUnicode(generatedPlan(static_cast<int>(state.range(0)), shape));
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&buffer);
        printPlan(pdf, document);
    }
    perRow(state);
}

void rowCounts(benchmark::internal::Benchmark* benchmark)
{
    for (const int rows : { 1000, 2000, 4000, 8000, 16000, 32000, 64000 })
        benchmark->Arg(rows);
    benchmark->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);
}

BENCHMARK_CAPTURE(BM_ReadPlanTable, three_gases, ThreeGases)->Apply(rowCounts);
BENCHMARK_CAPTURE(BM_ReadPlanTable, mix_per_row, MixPerRow)->Apply(rowCounts);
BENCHMARK_CAPTURE(BM_ReadPlanTable, one_line, OneLine)->Apply(rowCounts);
BENCHMARK_CAPTURE(BM_ChartFromTable, three_gases, ThreeGases)->Apply(rowCounts);
BENCHMARK_CAPTURE(BM_ChartFromTable, mix_per_row, MixPerRow)->Apply(rowCounts);
BENCHMARK_CAPTURE(BM_PrintText, mix_per_row, MixPerRow)->Apply(rowCounts);
BENCHMARK_CAPTURE(BM_PrintText, one_line, OneLine)->Apply(rowCounts);

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
