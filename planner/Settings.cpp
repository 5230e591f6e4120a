#include "planner/Settings.h"

#include "planner/Numbers.h"
#include "planner/PlannerKeys.h"
#include "profile/ProfileKeys.h"
#include "profile/ProfileText.h"
#include "profile/StopDistance.h"
#include "profile/TProfile.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <string_view>

namespace korax {
namespace {

constexpr double kMaxSegmentMinutes = 24 * 60.0;
// Slower than this no diver moves; the bound also keeps the work of a plan finite.
constexpr double kMinRate = 0.1;
constexpr double kMaxRate = 1000.0;
constexpr double kMinSetpoint = 0.4; // bar
constexpr double kMaxSetpoint = 1.6;
// The stress breathing rate when StressRmv: gives none: half as much again as on the bottom.
constexpr double kStressFactor = 1.5;

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

    // A number in [low, high]; on failure the problem is listed and fallback returned.
    double number(std::string_view key, double low, double high, double fallback)
    {
        const std::string value = text(key);
        const auto parsed = parseScalar(value);
        if (!parsed || *parsed < low || *parsed > high) {
            problem(key, value);
            return fallback;
        }
        return *parsed;
    }

    // As number, but a missing or empty value, or one equal to zero, is no value.
    std::optional<double> optionalNumber(std::string_view key, double low, double high)
    {
        const std::string value = text(key);
        if (value.empty())
            return std::nullopt;
        const double parsed = number(key, low, high, 0.0);
        return parsed != 0.0 ? std::optional(parsed) : std::nullopt;
    }

    void problem(std::string_view key, std::string_view value, ProblemKind kind = ProblemKind::BadValue)
    {
        problems.push_back({ .kind = kind, .key = key, .text = std::string(value) });
    }

    // The lines, copied once for the readers that walk them all.
    const std::vector<std::string> lines;
    std::vector<Problem> problems;

private:
    const TProfile& profile_;
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
    if (!from || !to || !rate || *from < 0.0 || *to < 0.0 || *rate < kMinRate || *rate > kMaxRate)
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
    if (!value || *value < kMinSetpoint - kTolerance || *value > kMaxSetpoint + kTolerance)
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
        if (!(depth && minutes && gas && *depth > 0.0 && *depth <= maxDepth && *minutes >= 0.0
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

std::vector<Gas> readDecoGases(Reader& reader, std::string_view value)
{
    std::vector<Gas> gases;
    if (value == keys::kMissingValue)
        return gases;
    std::string normal(value);
    for (char& c : normal) {
        if (c == ',' || c == ';' || c == '\t')
            c = ' ';
    }
    for (std::string_view item : split(normal, ' ')) {
        if (item.empty())
            continue;
        if (const auto gas = parseGas(item))
            gases.push_back(*gas);
        else
            reader.problems.push_back({ .kind = ProblemKind::NotAMix,
                .key = keys::kOcDecoGas,
                .text = std::string(value),
                .detail = std::string(item) });
    }
    return gases;
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
    if (!digits || percent < 1 || percent > 100) {
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
    const double maxDepth = s.unit.maxDepth;

    s.altitude = reader.number(keys::kAltitude, -500.0, 6000.0, 0.0);
    s.conservatism = reader.number(keys::kConservatism, 0.0, 99.0, 0.0);
    s.gfLowPercent = readGfLow(reader, s.gradientFactor());
    const double precision = reader.number(keys::kPrecision, 0.0, 60.0, 1.0);
    if (precision > 0.0 && precision < 0.1)
        reader.problem(keys::kPrecision, reader.text(keys::kPrecision));
    s.precision = precision >= 0.1 ? precision : 1.0;

    const std::string stopDistance = reader.text(keys::kStopDistance);
    const auto distance = readStopDistance(stopDistance);
    if (!distance || *distance <= 0)
        reader.problem(keys::kStopDistance, stopDistance);
    else
        s.stopDistance = static_cast<double>(*distance);
    s.lastStopDepth = reader.number(keys::kLastStopDepth, 0.0, maxDepth, s.unit.fromMetres(3.0));

    s.deepStops = readDeepStops(reader, reader.text(keys::kDeepStops));
    if (s.deepStops == DeepStopMethod::Pyle)
        s.pyleStopTime = reader.number(keys::kPyleStopTime, 0.1, 60.0, 1.0);

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

    s.rmv = reader.number(keys::kRmv, 0.0, 200.0, 0.0);
    s.decoRmv = reader.number(keys::kDecoRmv, 0.0, 200.0, 0.0);
    if (s.useOcDeco)
        s.decoGases = readDecoGases(reader, reader.text(keys::kOcDecoGas));
    const std::string maxPO2 = reader.text(keys::kOcDecoMaxPO2);
    if (maxPO2 != keys::kMissingValue)
        s.decoMaxPO2 = reader.number(keys::kOcDecoMaxPO2, 0.5, 2.0, 1.6);
    s.maxEnd = reader.number(keys::kMaxEND, 0.0, maxDepth, 0.0);

    s.slideRate = reader.optionalNumber(keys::kSlideRate, 0.0, 10.0).value_or(0.0);
    if (reader.flag(keys::kUseDecoSetpoint)) {
        // Required then, also on an open-circuit dive: a missing value ("0") is a problem.
        const double decoSetpoint = reader.number(keys::kDecoSetpoint, kMinSetpoint, kMaxSetpoint, 0.0);
        if (decoSetpoint > 0.0)
            s.decoSetpoint = decoSetpoint;
    }
    s.problemSolvingMinutes = reader.optionalNumber(keys::kProblemSolvingTime, 0.0, 30.0).value_or(1.0);
    s.stressRmv = reader.optionalNumber(keys::kStressRmv, 0.0, 200.0).value_or(kStressFactor * s.rmv);

    s.descentRates = readRates(reader, keys::kDescentRate);
    s.ascentRates = readRates(reader, keys::kAscentRate);
    s.profile = readProfile(reader, maxDepth);
    result.problems = std::move(reader.problems);
    return result;
}

} // namespace korax
