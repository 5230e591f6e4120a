// Process start to the window shown complete, for trova-plan and for the bare text window
// on the same plan, offscreen, alternating runs: prints both medians and their ratio.
//   measure_startup VIEWER BARE PLAN [RUNS]
#include <QCoreApplication>
#include <QProcess>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

constexpr int kDefaultRuns = 20;
constexpr int kRunTimeoutMs = 30000;

// Milliseconds from just before the start to the end of the paint the probe reports; -1 on failure.
double startupMs(const QString& program, const QString& plan)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("QT_PLUGIN_PATH"), QStringLiteral(TROVA_PROBE_PLUGINS));
    environment.insert(QStringLiteral("QT_QPA_GENERIC_PLUGINS"), QStringLiteral("trovafirstpaint"));
    process.setProcessEnvironment(environment);
    const auto start = std::chrono::system_clock::now().time_since_epoch();
    process.start(program, { plan });
    if (!process.waitForFinished(kRunTimeoutMs))
        return -1.0;
    bool ok = false;
    const long long painted = process.readAllStandardOutput().trimmed().toLongLong(&ok);
    if (!ok || painted == 0)
        return -1.0;
    return static_cast<double>(painted - std::chrono::duration_cast<std::chrono::nanoseconds>(start).count()) / 1e6;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 4) {
        std::fprintf(stderr, "usage: measure_startup VIEWER BARE PLAN [RUNS]\n");
        return 1;
    }
    const int runs = arguments.size() > 4 ? arguments[4].toInt() : kDefaultRuns;
    std::vector<double> viewer;
    std::vector<double> bare;
    for (int run = 0; run < runs; ++run) {
        viewer.push_back(startupMs(arguments[1], arguments[3]));
        bare.push_back(startupMs(arguments[2], arguments[3]));
        if (viewer.back() < 0.0 || bare.back() < 0.0) {
            std::fprintf(stderr, "a run failed or reported no paint\n");
            return 1;
        }
    }
    const double viewerMs = median(viewer);
    const double bareMs = median(bare);
    std::printf("runs %d\nviewer_median_ms %.1f\nbare_text_window_median_ms %.1f\nratio %.2f\n", runs, viewerMs, bareMs,
        viewerMs / bareMs);
    return 0;
}
