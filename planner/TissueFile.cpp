#include "planner/TissueFile.h"

#include "planner/Numbers.h"
#include "profile/ProfileText.h"

#include <cstdio>
#include <vector>

namespace korax {
namespace {

constexpr std::string_view kHeader = "KORAX tissues 1";
constexpr double kMaxPressure = 100.0; // bar; anything above is no tissue state
constexpr std::string_view kCnsTag = "CNS";
// Far beyond any dive a person survives; a larger value is no CNS record.
constexpr double kMaxCnsPercent = 100000.0;

std::vector<std::string_view> words(std::string_view line)
{
    std::vector<std::string_view> result;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        const std::size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t')
            ++i;
        if (i > start)
            result.push_back(line.substr(start, i - start));
    }
    return result;
}

} // namespace

bool isTissueFileText(std::string_view text)
{
    std::string_view firstLine = text.substr(0, text.find('\n'));
    if (firstLine.ends_with('\r'))
        firstLine.remove_suffix(1);
    return firstLine == kHeader;
}

std::string tissueFileText(const Tissues& tissues, double cnsPercent)
{
    std::string text = std::string(kHeader) + "\r\n# compartment, N2 bar, He bar\r\n";
    for (std::size_t i = 0; i < kCompartments; ++i) {
        char line[96];
        std::snprintf(line, sizeof line, "%zu %.6f %.6f\r\n", i + 1, tissues.n2[i], tissues.he[i]);
        text += line;
    }
    char cns[64];
    std::snprintf(cns, sizeof cns, "%s %.6f\r\n", kCnsTag.data(), cnsPercent);
    return text + "# CNS per cent at surfacing\r\n" + cns;
}

std::optional<TissueRecord> parseTissueFile(std::string_view text)
{
    const std::vector<std::string> lines = profile_text::splitLines(text);
    TissueRecord record;
    Tissues& tissues = record.tissues;
    bool cnsSeen = false;
    std::size_t next = 0;
    bool headerSeen = false;
    for (const std::string& raw : lines) {
        const std::string_view line = profile_text::trim(raw);
        if (line.empty() || line.front() == '#')
            continue;
        if (!headerSeen) {
            if (line != kHeader)
                return std::nullopt;
            headerSeen = true;
            continue;
        }
        const auto fields = words(line);
        if (next == kCompartments && !cnsSeen && fields.size() == 2 && fields[0] == kCnsTag) {
            const auto cns = parseDecimal(fields[1]);
            if (!cns || *cns < 0.0 || *cns > kMaxCnsPercent)
                return std::nullopt;
            record.cnsPercent = *cns;
            cnsSeen = true;
            continue;
        }
        if (next >= kCompartments || cnsSeen || fields.size() != 3 || fields[0] != std::to_string(next + 1))
            return std::nullopt;
        const auto n2 = parseDecimal(fields[1]);
        const auto he = parseDecimal(fields[2]);
        if (!n2 || !he || *n2 < 0.0 || *he < 0.0 || *n2 > kMaxPressure || *he > kMaxPressure)
            return std::nullopt;
        tissues.n2[next] = *n2;
        tissues.he[next] = *he;
        ++next;
    }
    if (next != kCompartments)
        return std::nullopt;
    return record;
}

} // namespace korax
