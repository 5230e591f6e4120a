#include "planner/Korax.h"

#include "files/FileNames.h"
#include "files/FileReplace.h"
#include "files/RegularFile.h"
#include "files/SaveJournal.h"
#include "files/UiLanguage.h"
#include "planner/Alternatives.h"
#include "planner/Messages.h"
#include "planner/PlanJson.h"
#include "planner/PlanText.h"
#include "planner/Planner.h"
#include "planner/Settings.h"
#include "planner/TissueFile.h"
#include "profile/OutputFileName.h"
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
        << "  PlanFile: name of the plan to write\n"
        << "  Cylinder: 2x12, 232, 21/35[, loop]   one cylinder a line: litres (feet:\n"
        << "    80/3000, cu ft at psi), fill 1..350 bar (15..5000 psi), mix; loop: the\n"
        << "    rebreather's own oxygen or diluent\n"
        << "  O2Metabolic: 0.3..3 l/min (1)   LoopVolume: 2..20 l (7)\n";
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

// korax replaces only a file it wrote, known by its first line, or an empty one: a plan name
// that leads to a letter, or a tissue file that is someone's notes, is never overwritten. A
// folder, a pipe or a device is no output either, and is not opened for reading and waited on.
bool mayReplace(const std::string& file, bool (*isOurs)(std::string_view))
{
    // A file larger than any settings file korax reads is no plan of its own either.
    const platform::RegularFileContents found
        = platform::readRegularFile(platform::nativeFileName(file), kProfileSizeLimit);
    switch (found.status) {
    case platform::RegularRead::Missing:
        return true;
    case platform::RegularRead::Read:
        return found.bytes.empty() || isOurs(found.bytes);
    case platform::RegularRead::NotRegular:
    case platform::RegularRead::TooLarge:
    case platform::RegularRead::Unreadable:
        break;
    }
    return false;
}

// Why a write failed, for the line on stderr: the cause the file layer names, else the system's.
std::string causeOf(const platform::ReplaceResult& result)
{
    switch (result.failure) {
    case platform::SaveFailure::noSpace:
        return "no space left on the disk";
    case platform::SaveFailure::overQuota:
        return "disk quota exceeded";
    case platform::SaveFailure::readOnly:
        return "the file or its folder is read-only";
    case platform::SaveFailure::noPermission:
        return "no permission to write the file or its folder";
    case platform::SaveFailure::tooLarge:
        return "the file would be too large";
    case platform::SaveFailure::untrustedLink:
        return "the link " + result.link
            + " belongs to another user or stands in a folder others may write; it is not followed";
    case platform::SaveFailure::none:
    case platform::SaveFailure::other:
        break;
    }
    return result.systemText.empty() ? "the cause is unknown" : result.systemText;
}

// Writes one output; a failure is told on stderr with its cause.
bool writeOutput(const char* what, const std::string& file, const std::string& bytes, std::ostream& err)
{
    const platform::ReplaceResult written = platform::replaceFileContents(platform::nativeFileName(file), bytes);
    if (!written)
        err << "korax: cannot write the " << what << ' ' << file << ": " << causeOf(written) << '\n';
    return bool(written);
}

int plan(const Options& options, std::ostream& out, std::ostream& err)
{
    const ui_language::Language language = ui_language::fromEnvironment();
    std::optional<TProfile> profile;
    try {
        profile.emplace(kProfileName);
    } catch (const ProfileOpenError& error) {
        err << profileNotReadText(error.fileName(), error.cause(), language) << '\n';
        return kExitFailure;
    }
    SettingsReading reading = readSettings(*profile);
    const Settings& settings = reading.settings;
    if (!reading.hasPlanFile || settings.planFile.empty()) {
        err << "korax: profile.dat names no plan file (PlanFile:)\n";
        return kExitFailure;
    }
    std::vector<Problem> problems = reading.problems;
    if (leavesTheFolder(settings.tissueFile))
        problems.push_back(
            { .kind = ProblemKind::OutsideFolder, .key = keys::kTissueFile, .text = settings.tissueFile });
    std::optional<TissueRecord> previous;
    bool tissuesRestored = false;
    if (problems.empty() && settings.repetitive) {
        tissuesRestored = restoreCutTissueFile(platform::nativeFileName(settings.tissueFile));
        previous = previousDive(settings, problems);
    }
    const bool writeTissues = !settings.tissueFile.empty() && (!settings.repetitive || options.saveTissues);
    if (problems.empty() && writeTissues && !settings.repetitive && !mayReplace(settings.tissueFile, isTissueFileText))
        problems.push_back(
            { .kind = ProblemKind::ForeignOutput, .key = keys::kTissueFile, .text = settings.tissueFile });
    const bool planFileOutside = leavesTheFolder(settings.planFile);
    const bool planFileOurs = !planFileOutside && mayReplace(settings.planFile, isPlanFileText);
    if (!planFileOurs)
        problems.push_back({ .kind = planFileOutside ? ProblemKind::OutsideFolder : ProblemKind::ForeignOutput,
            .key = keys::kPlanFile,
            .text = settings.planFile });

    std::optional<Plan> result;
    if (problems.empty()) {
        result = planWithAlternatives(settings, startingTissues(settings, previous ? &previous->tissues : nullptr),
            startingCns(settings, previous ? previous->cnsPercent : 0.0));
        if (tissuesRestored)
            result->warnings.insert(result->warnings.begin(), Warning { .kind = WarningKind::TissueFileRestored });
        problems.insert(problems.end(), result->problems.begin(), result->problems.end());
    }
    // A plan with problems is no plan to dive: its file has the heading and the problems only,
    // so that no reader takes a table that stops short (a day of decompression) for a plan.
    const Plan* planned = result && problems.empty() ? &*result : nullptr;

    int status = problems.empty() ? kExitPlanned : kExitProblems;
    if (planFileOutside) {
        err << "korax: the plan file " << settings.planFile << " is outside the working folder; nothing is written\n";
        status = kExitFailure;
    } else if (!planFileOurs) {
        err << "korax: the plan file " << settings.planFile << " is not a plan of korax; it is left as it is\n";
        status = kExitFailure;
    } else if (!writeOutput("plan file", settings.planFile, planFileText(settings, planned, problems, language), err)) {
        status = kExitFailure;
    }
    if (problems.empty() && writeTissues
        && !writeOutput(
            "tissue file", settings.tissueFile, tissueFileText(result->endTissues, result->cnsPercent), err))
        status = kExitFailure;
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
