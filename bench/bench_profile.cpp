// The cost of one load and one store of profile.dat against a plain copy of its bytes.
#include "files/FileReplace.h"
#include "profile/ProfileKeys.h"
#include "profile/TProfile.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace {

const std::vector<std::string_view> kScalarKeys = { keys::kUpdateTissueFile, keys::kDeleteTemporaryOutput,
    keys::kUseMetric, keys::kSaltWater, keys::kUseBValues, keys::kAltitude, keys::kConservatism, keys::kPrecision,
    keys::kStopDistance, keys::kLastStopDepth, keys::kOxyNarc, keys::kDeepStops, keys::kTissueFile, keys::kPlanFile,
    keys::kPyleStopTime, keys::kSurfaceInterval, keys::kRmv, keys::kDecoRmv, keys::kSlideRate, keys::kUseOCDeco,
    keys::kOcDecoGas, keys::kOcDecoMaxPO2, keys::kMaxEND };

constexpr int kListLines = 200;

// Comments, unknown keys and blank lines around the known keys, with a few hundred profile
// and rate lines spread through the file.
std::string generatedProfile(int lineCount)
{
    std::string text;
    const int stride = lineCount / static_cast<int>(kScalarKeys.size() + 3 * kListLines);
    std::size_t nextKey = 0;
    int listLine = 0;
    for (int i = 0; i < lineCount; ++i) {
        if (stride > 0 && i % stride == 0 && nextKey < kScalarKeys.size()) {
            text.append(kScalarKeys[nextKey++]).append(" 3\r\n");
        } else if (stride > 0 && i % stride == stride / 2 && listLine < 3 * kListLines) {
            const char* kinds[] = { "DescentRate: 0-45, 20", "AscentRate: 45-6, 9", "45, 25, 21/35" };
            text += std::string(kinds[listLine++ % 3]) + "\r\n";
        } else if (i % 3 == 0) {
            text += "# Komentar ke klici " + std::to_string(i) + " s vysvetlenim\r\n";
        } else if (i % 3 == 1) {
            text += "PlannerOnlyKey" + std::to_string(i) + ": value " + std::to_string(i) + "\r\n";
        } else {
            text += "\r\n";
        }
    }
    return text;
}

struct BenchFolder {
    std::filesystem::path path = std::filesystem::temp_directory_path() / "trova-bench-profile";
    BenchFolder() { std::filesystem::create_directories(path); }
    ~BenchFolder() { std::filesystem::remove_all(path); }
};

void loadAndStore(const std::string& fileName)
{
    TProfile profile(fileName);
    for (const auto& key : kScalarKeys) {
        benchmark::DoNotOptimize(profile.GetValue(key));
        benchmark::DoNotOptimize(profile.GetComment());
    }
    for (const std::string_view key : { keys::kDescentRate, keys::kAscentRate }) {
        benchmark::DoNotOptimize(profile.GetValue(key));
        while (profile.GetNext() != kMissingValue) { }
    }
    for (const auto& key : kScalarKeys)
        profile.SetValue(key, "4");
    profile.SetValues(keys::kDescentRate, { "0-45, 20" });
    profile.SetValues(keys::kAscentRate, { "45-6, 9", "6-0, 3" });
    profile.SetValue(keys::kUseDecoSetpoint, "n");
    profile.Save();
}

void plainCopy(const std::string& fileName)
{
    std::string bytes;
    platform::readFileContents(fileName, bytes);
    platform::replaceFileContents(fileName, bytes);
}

double secondsOf(void (*step)(const std::string&), const std::string& fileName)
{
    const auto start = std::chrono::steady_clock::now();
    step(fileName);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Both sides write through the same durable replace, so the ratio is the store's own cost.
void BM_LoadStoreSave(benchmark::State& state)
{
    const BenchFolder folder;
    const std::string fileName = (folder.path / "profile.dat").string();
    const std::string text = generatedProfile(static_cast<int>(state.range(0)));
    double store = 0;
    double plain = 0;
    for (auto _ : state) {
        state.PauseTiming();
        platform::replaceFileContents(fileName, text);
        plain += secondsOf(plainCopy, fileName);
        state.ResumeTiming();
        const double seconds = secondsOf(loadAndStore, fileName);
        store += seconds;
        state.SetIterationTime(seconds);
    }
    state.counters["vs_plain_copy"] = store / plain;
    state.counters["bytes"] = static_cast<double>(text.size());
}

} // namespace

BENCHMARK(BM_LoadStoreSave)->Arg(1000)->Arg(10000)->Arg(100000)->UseManualTime()->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
