#include "planner/Korax.h"

#include "files/FileNames.h"
#include "files/FileReplace.h"
#include "files/SaveJournal.h"
#include "planner/Alternatives.h"
#include "planner/Messages.h"
#include "planner/PlanJson.h"
#include "planner/PlanText.h"
#include "planner/Planner.h"
#include "planner/Settings.h"
#include "planner/TissueFile.h"
#include "profile/ProfileKeys.h"
#include "profile/TProfile.h"

#include <optional>
#include <ostream>

namespace korax {
namespace {

constexpr const char* kProfileName = "profile.dat";

struct Options {
    bool saveTissues = false;
    bool json = false;
};

// One screen: the command line, the profile line forms and every key with its values.
void usage(std::ostream& out)
{
    out << "korax " << kVersion << " - Buhlmann ZH-L16 trimix planner, open and closed circuit\n"
        << "Usage: korax [-s] [--json] | --help | --version\n"
        << "Reads profile.dat in the working directory and writes the plan to the file named by PlanFile:.\n"
        << "  -s      write the tissue state after a repetitive dive to TissueFile:\n"
        << "  --json  also print the plan on stdout as one JSON object\n"
        << "Exit status: 0 plan written, 2 settings invalid (the plan lists the problems), 1 I/O failure.\n"
        << "\n"
        << "Profile lines \"depth, minutes, mix\" (depth 0-300 m / 1000 ft, 0-1440 min), in order:\n"
        << "  45, 25, 21/35       open circuit on trimix O2/He (also 32 for nitrox, or air)\n"
        << "  60, 25, 15/55@1.3   closed circuit: diluent 15/55 at setpoint 1.3 bar (0.4-1.6)\n"
        << "OcDecoGas: 50, 100 are deco gases, on a closed-circuit dive bailout gases; a gas is\n"
        << "switched to at its MOD at OcDecoMaxPO2: (50 at 21 m, 100 at 6 m) or as given: 50 21m.\n"
        << "\n"
        << "Keys (y/n flags: y is yes):\n"
        << "  UseMetric: SaltWater: UseBValues: OxyNarc: UseOCDeco: UseDecoSetpoint:  y/n\n"
        << "  Altitude: -500..6000 m        Conservatism: 0..99 (GF high = 100 - it)\n"
        << "  GradientFactorLow: 1..100, not above GF high; 0 or missing: GF low = GF high\n"
        << "  Precision: 0, 0.1..60 min     StopDistance: whole > 0   LastStopDepth: 0..300 m\n"
        << "  DeepStops: p (Pyle), w (WKPP), n    PyleStopTime: 0.1..60 min\n"
        << "  Rmv: DecoRmv: StressRmv: 0..200 l/min   ProblemSolvingTime: 0..30 min\n"
        << "  OcDecoGas: mixes [depth]      OcDecoMaxPO2: 0.5..2 bar   MaxEND: 0..300 m (0: none)\n"
        << "  DescentRate: AscentRate: \"from-to, rate\" lines, rate 0.1..1000 per min\n"
        << "  SlideRate: 0..10 bar/min      DecoSetpoint: 0.4..1.6 bar\n"
        << "  SurfaceInterval: hhh:mm (900:00: first dive)   TissueFile: name (0: none)\n"
        << "  PlanFile: name of the plan to write\n";
}

// A write of the tissue file cut by a kill is undone first, so the dive never starts from a file
// that is half the old state and half the new one.
bool restoreCutTissueFile(const std::string& file)
{
    const auto cut = platform::findCutSave(file);
    return cut && platform::restoreCutSave(*cut);
}

// What a repetitive dive starts from; empty with a problem when the file is unusable.
std::optional<TissueRecord> previousDive(const Settings& settings, std::vector<Problem>& problems)
{
    std::string bytes;
    if (!platform::readFileContents(platform::nativeFileName(settings.tissueFile), bytes)) {
        problems.push_back(
            { .kind = ProblemKind::TissueFileUnreadable, .key = keys::kTissueFile, .text = settings.tissueFile });
        return std::nullopt;
    }
    auto tissues = parseTissueFile(bytes);
    if (!tissues)
        problems.push_back(
            { .kind = ProblemKind::NotATissueFile, .key = keys::kTissueFile, .text = settings.tissueFile });
    return tissues;
}

int plan(const Options& options, std::ostream& out, std::ostream& err)
{
    std::optional<TProfile> profile;
    try {
        profile.emplace(kProfileName);
    } catch (const ProfileOpenError& error) {
        err << profileNotReadText(error.fileName()) << '\n';
        return kExitFailure;
    }
    SettingsReading reading = readSettings(*profile);
    const Settings& settings = reading.settings;
    if (!reading.hasPlanFile || settings.planFile.empty()) {
        err << "korax: profile.dat names no plan file (PlanFile:)\n";
        return kExitFailure;
    }
    std::vector<Problem> problems = reading.problems;
    std::optional<TissueRecord> previous;
    bool tissuesRestored = false;
    if (problems.empty() && settings.repetitive) {
        tissuesRestored = restoreCutTissueFile(platform::nativeFileName(settings.tissueFile));
        previous = previousDive(settings, problems);
    }

    std::optional<Plan> result;
    if (problems.empty()) {
        result = planWithAlternatives(settings, startingTissues(settings, previous ? &previous->tissues : nullptr),
            startingCns(settings, previous ? previous->cnsPercent : 0.0));
        if (tissuesRestored)
            result->warnings.insert(result->warnings.begin(), Warning { .kind = WarningKind::TissueFileRestored });
        problems.insert(problems.end(), result->problems.begin(), result->problems.end());
    }
    const Plan* planned = result ? &*result : nullptr;

    int status = problems.empty() ? kExitPlanned : kExitProblems;
    if (!platform::replaceFileContents(
            platform::nativeFileName(settings.planFile), planFileText(settings, planned, problems))) {
        err << "korax: cannot write the plan file " << settings.planFile << '\n';
        status = kExitFailure;
    }
    const bool writeTissues = !settings.tissueFile.empty() && (!settings.repetitive || options.saveTissues);
    if (problems.empty() && writeTissues
        && !platform::replaceFileContents(
            platform::nativeFileName(settings.tissueFile), tissueFileText(result->endTissues, result->cnsPercent))) {
        err << "korax: cannot write the tissue file " << settings.tissueFile << '\n';
        status = kExitFailure;
    }
    if (options.json)
        out << planJson(settings, planned, problems) << '\n';
    return status;
}

} // namespace

int runKorax(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    Options options;
    for (const std::string& argument : arguments) {
        if (argument == "--help") {
            usage(out);
            return kExitPlanned;
        }
        if (argument == "--version") {
            out << "korax " << kVersion << '\n';
            return kExitPlanned;
        }
        if (argument == "-s") {
            options.saveTissues = true;
        } else if (argument == "--json") {
            options.json = true;
        } else {
            err << "korax: unknown argument " << argument << '\n';
            usage(err);
            return kExitFailure;
        }
    }
    return plan(options, out, err);
}

} // namespace korax
