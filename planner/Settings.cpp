#include "planner/Settings.h"

#include "planner/Numbers.h"
#include "platform/Cp1250Text.h"
#include "profile/ProfileKeys.h"
#include "profile/ProfileText.h"
#include "profile/StopDistance.h"
#include "profile/TProfile.h"

#include <cctype>
#include <string_view>

namespace korax {
namespace {

constexpr double kMaxDepthMetres = 300.0;
constexpr double kMaxSegmentMinutes = 24 * 60.0;
// Slower than this no diver moves; the bound also keeps the work of a plan finite.
constexpr double kMinRate = 0.1;
constexpr double kMaxRate = 1000.0;

class Reader {
public:
    explicit Reader(TProfile& profile)
        : profile_(profile)
    {
    }

    std::string text(std::string_view key) { return profile_.GetValue(key); }
    bool flag(std::string_view key) { return profile_.GetBool(key); }

    // A number in [low, high]; on failure the problem is listed and fallback returned.
    double number(std::string_view key, double low, double high, double fallback, std::string_view range)
    {
        const std::string value = text(key);
        const auto parsed = parseScalar(value);
        if (!parsed || *parsed < low || *parsed > high) {
            problem(key, value, std::string("očekává se číslo ") + std::string(range));
            return fallback;
        }
        return *parsed;
    }

    void problem(std::string_view key, std::string_view value, const std::string& reason)
    {
        problems.push_back(std::string(key) + " \"" + cp1250::cp1250ToUtf8(value) + "\": " + reason);
    }

    std::vector<std::string> problems;

private:
    TProfile& profile_;
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

std::vector<RateEntry> readRates(Reader& reader, const TProfile& profile, std::string_view key)
{
    std::vector<RateEntry> entries;
    for (const std::string& value : profile_text::valuesOf(profile.lines, key)) {
        if (value == kMissingValue)
            continue;
        if (const auto entry = parseRateEntry(value))
            entries.push_back(*entry);
        else
            reader.problem(key, value, "očekává se \"od-do, rychlost\" s rychlostí od 0.1 do 1000 za minutu");
    }
    return entries;
}

std::vector<ProfileSegment> readProfile(Reader& reader, const TProfile& profile, double maxDepth)
{
    std::vector<ProfileSegment> segments;
    for (const std::string& line : profile_text::profileLines(profile.lines)) {
        const auto fields = split(line, ',');
        std::optional<double> depth;
        std::optional<double> minutes;
        std::optional<Gas> gas;
        if (fields.size() == 3) {
            depth = parseDecimal(fields[0]);
            minutes = parseDecimal(fields[1]);
            gas = parseGas(fields[2]);
        }
        if (depth && minutes && gas && *depth > 0.0 && *depth <= maxDepth && *minutes >= 0.0
            && *minutes <= kMaxSegmentMinutes)
            segments.push_back({ *depth, *minutes, *gas });
        else
            reader.problem("profil", line,
                "očekává se \"hloubka, čas, směs\" (hloubka nad 0 do " + std::to_string(static_cast<int>(maxDepth))
                    + ", čas 0 až 1440 min)");
    }
    if (profile_text::profileLines(profile.lines).empty())
        reader.problem("profil", "", "chybí řádky profilu ponoru");
    return segments;
}

std::vector<Gas> readDecoGases(Reader& reader, std::string_view value)
{
    std::vector<Gas> gases;
    if (value == kMissingValue)
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
            reader.problem(keys::kOcDecoGas, value, cp1250::cp1250ToUtf8(item).append(" není směs"));
    }
    return gases;
}

DeepStopMethod readDeepStops(Reader& reader, const std::string& value)
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
    reader.problem(keys::kDeepStops, value, "očekává se p, w nebo n");
    return DeepStopMethod::None;
}

} // namespace

SettingsReading readSettings(TProfile& profile)
{
    Reader reader(profile);
    SettingsReading result;
    Settings& s = result.settings;
    s.metric = reader.flag(keys::kUseMetric);
    s.saltWater = reader.flag(keys::kSaltWater);
    s.useBValues = reader.flag(keys::kUseBValues);
    s.oxyNarc = reader.flag(keys::kOxyNarc);
    s.useOcDeco = reader.flag(keys::kUseOCDeco);
    const double unitsPerMetre = s.metric ? 1.0 : 1.0 / 0.3048;
    const double maxDepth = s.metric ? kMaxDepthMetres : 1000.0;

    s.altitude = reader.number(keys::kAltitude, -500.0, 6000.0, 0.0, "od -500 do 6000 (metry)");
    s.conservatism = reader.number(keys::kConservatism, 0.0, 99.0, 0.0, "od 0 do 99 (%)");
    const double precision = reader.number(keys::kPrecision, 0.0, 60.0, 1.0, "0 nebo od 0,1 do 60 (min)");
    if (precision > 0.0 && precision < 0.1)
        reader.problem(keys::kPrecision, reader.text(keys::kPrecision), "očekává se číslo 0 nebo od 0,1 do 60 (min)");
    s.precision = precision >= 0.1 ? precision : 1.0;

    const std::string stopDistance = reader.text(keys::kStopDistance);
    const auto distance = readStopDistance(stopDistance);
    if (!distance || *distance <= 0)
        reader.problem(keys::kStopDistance, stopDistance, "očekává se celé číslo větší než 0");
    else
        s.stopDistance = static_cast<double>(*distance);
    s.lastStopDepth = reader.number(keys::kLastStopDepth, 0.0, maxDepth, 3.0 * unitsPerMetre, "od 0 do hloubky 300 m");

    s.deepStops = readDeepStops(reader, reader.text(keys::kDeepStops));
    if (s.deepStops == DeepStopMethod::Pyle)
        s.pyleStopTime = reader.number(keys::kPyleStopTime, 0.1, 60.0, 1.0, "od 0,1 do 60 (min)");

    const std::string tissueFile = reader.text(keys::kTissueFile);
    if (tissueFile != kMissingValue)
        s.tissueFile = tissueFile;
    result.hasPlanFile = profile.Find(keys::kPlanFile) >= 0;
    s.planFile = reader.text(keys::kPlanFile);

    const std::string interval = reader.text(keys::kSurfaceInterval);
    if (interval != keys::kNoRepetitiveDive && interval != kMissingValue) {
        s.repetitive = true;
        if (const auto minutes = parseInterval(interval))
            s.surfaceInterval = *minutes;
        else
            reader.problem(keys::kSurfaceInterval, interval, "očekává se hhh:mm");
        if (s.tissueFile.empty())
            reader.problem(keys::kTissueFile, tissueFile, "opakovaný ponor potřebuje soubor se stavem tkání");
    }

    s.rmv = reader.number(keys::kRmv, 0.0, 200.0, 0.0, "od 0 do 200 (l/min)");
    s.decoRmv = reader.number(keys::kDecoRmv, 0.0, 200.0, 0.0, "od 0 do 200 (l/min)");
    if (s.useOcDeco)
        s.decoGases = readDecoGases(reader, reader.text(keys::kOcDecoGas));
    const std::string maxPO2 = reader.text(keys::kOcDecoMaxPO2);
    if (maxPO2 != kMissingValue)
        s.decoMaxPO2 = reader.number(keys::kOcDecoMaxPO2, 0.5, 2.0, 1.6, "od 0,5 do 2 (bar)");
    s.maxEnd = reader.number(keys::kMaxEND, 0.0, maxDepth, 0.0, "od 0 do hloubky 300 m");

    s.descentRates = readRates(reader, profile, keys::kDescentRate);
    s.ascentRates = readRates(reader, profile, keys::kAscentRate);
    s.profile = readProfile(reader, profile, maxDepth);
    result.problems = std::move(reader.problems);
    return result;
}

} // namespace korax
