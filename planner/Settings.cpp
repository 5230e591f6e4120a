#include "planner/Settings.h"

#include "planner/Numbers.h"
#include "planner/PlannerKeys.h"
#include "planner/SetpointComma.h"
#include "profile/ProfileText.h"
#include "profile/StopDistance.h"
#include "profile/TProfile.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <string_view>

namespace korax {
namespace {

// Slower than this no diver moves; the bound also keeps the work of a plan finite.
constexpr const PlannerKey& kRates = plannerKey(keys::kDescentRate);
// A setpoint after "@" on a profile line has the bounds of DecoSetpoint:.
constexpr const PlannerKey& kSetpoint = plannerKey(keys::kDecoSetpoint);

// Reads the values of profile.dat's lines and collects the problems with them.
class Reader {
public:
    explicit Reader(const TProfile& profile)
        : lines(profile.Lines())
        , profile_(profile)
    {
    }

    std::string text(std::string_view key) const { return profile_.ValueOf(key); }
    bool has(std::string_view key) const { return profile_.Find(key) >= 0; }
    bool flag(std::string_view key) const { return profile_.FlagOf(key); }

    // Depths are bounded by the file's unit, and a depth's default is in metres.
    void setUnit(const LengthUnit& unit) { unit_ = unit; }

    // A number in the row's range (from 0 on for NumberOrZero); on failure the problem is
    // listed and the row's default returned, as it is for the "0" of a key whose missing value
    // means its default.
    double number(const PlannerKey& row)
    {
        if (row.missing == WhenMissing::Default && text(row.key) == keys::kMissingValue)
            return fallbackOf(row);
        return checked(row).value_or(fallbackOf(row));
    }

    // As number, but a missing or empty value, or one equal to zero, is no value.
    std::optional<double> optionalNumber(const PlannerKey& row)
    {
        if (text(row.key).empty())
            return std::nullopt;
        const auto parsed = checked(row);
        return parsed && *parsed != 0.0 ? parsed : std::nullopt;
    }

    double fallbackOf(const PlannerKey& row) const
    {
        return row.high == kUnitDepth ? unit_.fromMetres(row.fallback) : row.fallback;
    }

    void problem(std::string_view key, std::string_view value, ProblemKind kind = ProblemKind::BadValue)
    {
        problems.push_back({ .kind = kind, .key = key, .text = std::string(value) });
    }

    // The lines, copied once for the readers that walk them all.
    const std::vector<std::string> lines;
    std::vector<Problem> problems;

private:
    std::optional<double> checked(const PlannerKey& row)
    {
        const std::string value = text(row.key);
        const auto parsed = parseScalar(value);
        const double low = row.kind == ValueKind::NumberOrZero ? 0.0 : row.low;
        const double high = row.high == kUnitDepth ? unit_.maxDepth : row.high;
        if (!parsed || *parsed < low || *parsed > high) {
            problem(row.key, value);
            return std::nullopt;
        }
        return parsed;
    }

    const TProfile& profile_;
    LengthUnit unit_ = kMetres;
};

std::vector<std::string_view> split(std::string_view text, char separator)
{
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find(separator, start);
        fields.push_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos)
            return fields;
        start = end + 1;
    }
}

std::optional<RateEntry> parseRateEntry(std::string_view text)
{
    const auto fields = split(text, ',');
    if (fields.size() != 2)
        return std::nullopt;
    const std::string_view range = profile_text::trim(fields[0]);
    const std::size_t dash = range.find('-', 1);
    if (dash == std::string_view::npos)
        return std::nullopt;
    const auto from = parseDecimal(range.substr(0, dash));
    const auto to = parseDecimal(range.substr(dash + 1));
    const auto rate = parseDecimal(fields[1]);
    if (!from || !to || !rate || *from < 0.0 || *to < 0.0 || *rate < kRates.low || *rate > kRates.high)
        return std::nullopt;
    return RateEntry { *from, *to, *rate };
}

std::vector<RateEntry> readRates(Reader& reader, std::string_view key)
{
    std::vector<RateEntry> entries;
    for (const std::string& value : profile_text::valuesOf(reader.lines, key)) {
        if (value == keys::kMissingValue)
            continue;
        if (const auto entry = parseRateEntry(value))
            entries.push_back(*entry);
        else
            reader.problem(key, value);
    }
    return entries;
}

// A line meant as a profile line that the window would not take for one: no comment, no
// key, "depth, time, mix" with a depth that does not start with a digit ("-5, 10, air").
bool looksLikeProfileLine(const std::string& line)
{
    return !profile_text::isProfileLine(line) && !profile_text::isCommentLine(line)
        && line.find(':') == std::string::npos && std::ranges::count(line, ',') == 2;
}

// The setpoint after "@": 0.4 to 1.6 bar, digits with at most one "." (a comma separates the
// line's fields); anything else, also nothing, is no setpoint.
std::optional<double> parseSetpoint(std::string_view text)
{
    text = profile_text::trim(text);
    const bool plain = !text.empty() && std::ranges::count(text, '.') <= 1
        && std::ranges::all_of(text, [](char c) { return c == '.' || (c >= '0' && c <= '9'); });
    const auto value = plain ? parseDecimal(text) : std::nullopt;
    if (!value || *value < kSetpoint.low - kTolerance || *value > kSetpoint.high + kTolerance)
        return std::nullopt;
    return value;
}

std::vector<ProfileSegment> readProfile(Reader& reader, double maxDepth)
{
    std::vector<ProfileSegment> segments;
    std::vector<std::string> lines;
    std::ranges::copy_if(reader.lines, std::back_inserter(lines),
        [](const std::string& line) { return profile_text::isProfileLine(line) || looksLikeProfileLine(line); });
    for (const std::string& line : lines) {
        const auto fields = split(line, ',');
        std::optional<double> depth;
        std::optional<double> minutes;
        std::optional<Gas> gas;
        std::optional<std::string_view> setpointText;
        if (fields.size() == 3) {
            depth = parseDecimal(fields[0]);
            minutes = parseDecimal(fields[1]);
            const std::size_t at = fields[2].find('@');
            gas = parseGas(fields[2].substr(0, at));
            if (at != std::string_view::npos)
                setpointText = fields[2].substr(at + 1);
        }
        const std::optional<double> setpoint = setpointText ? parseSetpoint(*setpointText) : std::nullopt;
        if (const auto meant = setpointWithDecimalComma(line))
            reader.problems.push_back({ .kind = ProblemKind::SetpointDecimalComma, .text = line, .detail = *meant });
        else if (!(depth && minutes && gas && *depth > 0.0 && *depth <= maxDepth && *minutes >= 0.0
                     && *minutes <= kMaxSegmentMinutes))
            reader.problems.push_back({ .kind = ProblemKind::BadProfileLine, .text = line, .value = maxDepth });
        else if (setpointText && !setpoint)
            reader.problems.push_back({ .kind = ProblemKind::BadSetpoint,
                .text = line,
                .detail = std::string(profile_text::trim(*setpointText)) });
        else
            segments.push_back({ *depth, *minutes, *gas, setpoint });
    }
    if (lines.empty())
        reader.problem({}, {}, ProblemKind::NoProfileLines);
    return segments;
}

// Whole per cent 1 to 100, digits only; missing, empty or "0": GF low is GF high.
int readGfLow(Reader& reader, double gfHigh)
{
    const std::string value = reader.text(keys::kGradientFactorLow);
    if (value.empty() || value == keys::kMissingValue)
        return 0;
    int percent = 0;
    const bool digits = value.size() <= 3 && std::ranges::all_of(value, [](char c) { return c >= '0' && c <= '9'; });
    for (const char c : value)
        percent = digits ? percent * 10 + (c - '0') : 0;
    if (!digits || percent < plannerKey(keys::kGradientFactorLow).low
        || percent > plannerKey(keys::kGradientFactorLow).high) {
        reader.problem(keys::kGradientFactorLow, value);
        return 0;
    }
    if (percent / 100.0 > gfHigh + kTolerance) {
        reader.problems.push_back({ .kind = ProblemKind::GfLowAboveHigh,
            .key = keys::kGradientFactorLow,
            .text = value,
            .value = static_cast<double>(percent),
            .limit = gfHigh * 100.0 });
        return 0;
    }
    return percent;
}

// Every Cylinder: line in file order; O2Metabolic: and LoopVolume: missing, empty or "0" give
// their defaults.
void readCylinders(Reader& reader, Settings& s)
{
    for (const std::string& value : profile_text::valuesOf(reader.lines, keys::kCylinder)) {
        if (const auto cylinder = parseCylinder(value, s.unit))
            s.cylinders.push_back(*cylinder);
        else
            reader.problem(keys::kCylinder, value, ProblemKind::BadCylinder);
    }
    for (const auto& [rowOf, target] : { std::pair { &plannerKey(keys::kO2Metabolic), &s.o2Metabolic },
             std::pair { &plannerKey(keys::kLoopVolume), &s.loopVolume } }) {
        *target = reader.text(rowOf->key).empty() ? rowOf->fallback : reader.number(*rowOf);
    }
}

DeepStopMethod readDeepStops(Reader& reader, std::string_view value)
{
    if (value.size() == 1) {
        switch (std::tolower(static_cast<unsigned char>(value[0]))) {
        case 'n':
            return DeepStopMethod::None;
        case 'p':
            return DeepStopMethod::Pyle;
        case 'w':
            return DeepStopMethod::Wkpp;
        default:
            break;
        }
    }
    reader.problem(keys::kDeepStops, value);
    return DeepStopMethod::None;
}

} // namespace

SettingsReading readSettings(const TProfile& profile)
{
    Reader reader(profile);
    SettingsReading result;
    Settings& s = result.settings;
    s.unit = reader.flag(keys::kUseMetric) ? kMetres : kFeet;
    s.saltWater = reader.flag(keys::kSaltWater);
    s.useBValues = reader.flag(keys::kUseBValues);
    s.oxyNarc = reader.flag(keys::kOxyNarc);
    s.useOcDeco = reader.flag(keys::kUseOCDeco);
    reader.setUnit(s.unit);
    const double maxDepth = s.unit.maxDepth;

    s.altitude = reader.number(plannerKey(keys::kAltitude));
    s.conservatism = reader.number(plannerKey(keys::kConservatism));
    s.gfLowPercent = readGfLow(reader, s.gradientFactor());
    constexpr const PlannerKey& precisionRow = plannerKey(keys::kPrecision);
    const double precision = reader.number(precisionRow);
    if (precision > 0.0 && precision < precisionRow.low)
        reader.problem(keys::kPrecision, reader.text(keys::kPrecision));
    s.precision = precision >= precisionRow.low ? precision : precisionRow.fallback;

    const std::string stopDistance = reader.text(keys::kStopDistance);
    const auto distance = readStopDistance(stopDistance);
    if (!distance || *distance <= plannerKey(keys::kStopDistance).low)
        reader.problem(keys::kStopDistance, stopDistance);
    else
        s.stopDistance = static_cast<double>(*distance);
    s.lastStopDepth = reader.number(plannerKey(keys::kLastStopDepth));

    s.deepStops = readDeepStops(reader, reader.text(keys::kDeepStops));
    if (s.deepStops == DeepStopMethod::Pyle)
        s.pyleStopTime = reader.number(plannerKey(keys::kPyleStopTime));

    const std::string tissueFile = reader.text(keys::kTissueFile);
    if (tissueFile != keys::kMissingValue)
        s.tissueFile = tissueFile;
    result.hasPlanFile = reader.has(keys::kPlanFile);
    s.planFile = reader.text(keys::kPlanFile);

    const std::string interval = reader.text(keys::kSurfaceInterval);
    if (interval != keys::kNoRepetitiveDive && interval != keys::kMissingValue) {
        s.repetitive = true;
        if (const auto minutes = parseInterval(interval))
            s.surfaceInterval = *minutes;
        else
            reader.problem(keys::kSurfaceInterval, interval);
        if (s.tissueFile.empty())
            reader.problem(keys::kTissueFile, tissueFile, ProblemKind::TissueFileNeeded);
    }

    s.rmv = reader.number(plannerKey(keys::kRmv));
    s.decoRmv = reader.number(plannerKey(keys::kDecoRmv));
    // The gases' switch depths are checked against OcDecoMaxPO2:; their problems still come first.
    const std::size_t gasProblems = reader.problems.size();
    s.decoMaxPO2 = reader.number(plannerKey(keys::kOcDecoMaxPO2));
    if (reader.flag(plannerKey(keys::kOcDecoGas).onlyWith)) {
        DecoGasReading gases = readDecoGasList(reader.text(keys::kOcDecoGas), s.unit, s.decoMaxPO2);
        s.decoGases = std::move(gases.gases);
        reader.problems.insert(reader.problems.begin() + static_cast<std::ptrdiff_t>(gasProblems),
            gases.problems.begin(), gases.problems.end());
    }
    s.maxEnd = reader.number(plannerKey(keys::kMaxEND));

    s.slideRate = reader.optionalNumber(plannerKey(keys::kSlideRate)).value_or(0.0);
    if (reader.flag(kSetpoint.onlyWith)) {
        // Required then, also on an open-circuit dive: a missing value ("0") is a problem.
        const double decoSetpoint = reader.number(kSetpoint);
        if (decoSetpoint > 0.0)
            s.decoSetpoint = decoSetpoint;
    }
    s.problemSolvingMinutes = reader.optionalNumber(plannerKey(keys::kProblemSolvingTime))
                                  .value_or(plannerKey(keys::kProblemSolvingTime).fallback);
    // The default stress rate is a factor: half as much again as on the bottom.
    s.stressRmv
        = reader.optionalNumber(plannerKey(keys::kStressRmv)).value_or(plannerKey(keys::kStressRmv).fallback * s.rmv);

    s.descentRates = readRates(reader, keys::kDescentRate);
    s.ascentRates = readRates(reader, keys::kAscentRate);
    s.profile = readProfile(reader, maxDepth);
    readCylinders(reader, s);
    result.problems = std::move(reader.problems);
    return result;
}

} // namespace korax
