// The list transfers on a list-heavy profile.dat: thousands of profile and rate lines
// scattered through the file, moved through the real memos and table.
#include "profile/ProfileKeys.h"
#include "profile/TProfile.h"
#include "ui/transfer/DiveProfileTransfer.h"
#include "ui/transfer/RateListTransfer.h"

#include <QApplication>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QTableWidget>

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

namespace {

constexpr std::string_view kDescent = keys::kDescentRate;
constexpr std::string_view kAscent = keys::kAscentRate;

// A third profile lines, a third rate lines, the rest comments and planner keys, interleaved
// so that every removal has to close gaps all through the file.
std::string listHeavyProfile(int lineCount)
{
    std::string text;
    for (int i = 0; i < lineCount; ++i) {
        switch (i % 6) {
        case 0:
        case 3:
            text += std::to_string(45 - i % 40) + ", 25, 21/35\r\n";
            break;
        case 1:
            text += "DescentRate: 0-45, " + std::to_string(i % 30 + 1) + "\r\n";
            break;
        case 4:
            text += "AscentRate: 45-6, " + std::to_string(i % 9 + 1) + "\r\n";
            break;
        case 2:
            text += "# Komentar " + std::to_string(i) + "\r\n";
            break;
        default:
            text += "PlannerOnlyKey" + std::to_string(i) + ": value\r\n";
            break;
        }
    }
    return text;
}

struct ListWidgets {
    QPlainTextEdit descent;
    QPlainTextEdit ascent;
    QTableWidget grid { 6, 3 };
};

void loadLists(TProfile& profile, ListWidgets& widgets)
{
    LoadRateList(profile, widgets.descent, kDescent);
    LoadRateList(profile, widgets.ascent, kAscent);
    LoadDiveProfile(profile, widgets.grid);
}

void storeLists(TProfile& profile, const ListWidgets& widgets)
{
    profile.SetValues(kDescent, RateListLines(widgets.descent));
    profile.SetValues(kAscent, RateListLines(widgets.ascent));
    StoreDiveProfile(profile, widgets.grid);
}

template <typename Step> double secondsOf(Step step)
{
    const auto start = std::chrono::steady_clock::now();
    step();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void setCounters(benchmark::State& state, double seconds, int lineCount)
{
    state.counters["ns_per_line"] = 1e9 * seconds / static_cast<double>(state.iterations()) / lineCount;
    state.SetComplexityN(lineCount);
}

// LoadProfile's three list steps: both memos filled with a few thousand entries each.
void BM_LoadLists(benchmark::State& state)
{
    const int lineCount = static_cast<int>(state.range(0));
    const std::string text = listHeavyProfile(lineCount);
    double total = 0;
    for (auto _ : state) {
        TProfile profile("profile.dat", text);
        ListWidgets widgets;
        const double seconds = secondsOf([&] { loadLists(profile, widgets); });
        total += seconds;
        state.SetIterationTime(seconds);
    }
    setCounters(state, total, lineCount);
}

// StoreProfile's three list steps on a freshly loaded file: every scattered line removed.
void BM_StoreLists(benchmark::State& state)
{
    const int lineCount = static_cast<int>(state.range(0));
    const std::string text = listHeavyProfile(lineCount);
    ListWidgets widgets;
    TProfile loaded("profile.dat", text);
    loadLists(loaded, widgets);
    double total = 0;
    for (auto _ : state) {
        TProfile profile("profile.dat", text);
        const double seconds = secondsOf([&] { storeLists(profile, widgets); });
        total += seconds;
        state.SetIterationTime(seconds);
    }
    setCounters(state, total, lineCount);
}

} // namespace

BENCHMARK(BM_LoadLists)
    ->RangeMultiplier(4)
    ->Range(1 << 10, 1 << 16)
    ->UseManualTime()
    ->Complexity()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StoreLists)
    ->RangeMultiplier(4)
    ->Range(1 << 10, 1 << 16)
    ->UseManualTime()
    ->Complexity()
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
