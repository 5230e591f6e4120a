#include "planformat/PlanTable.h"

#include "files/Cp1250Text.h"

#include <array>
#include <charconv>
#include <cmath>

namespace plan_table {
namespace {

using namespace plan_format;

std::string_view trimRight(std::string_view text)
{
    const std::size_t end = text.find_last_not_of(" \t\r");
    return end == std::string_view::npos ? std::string_view {} : text.substr(0, end + 1);
}

std::string_view trimLeft(std::string_view text)
{
    const std::size_t start = text.find_first_not_of(' ');
    return start == std::string_view::npos ? std::string_view {} : text.substr(start);
}

std::string_view field(std::string_view line, Column column)
{
    return line.substr(column.from, column.width);
}

std::optional<double> number(std::string_view text)
{
    text = trimLeft(text);
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc {} || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<Phase> phase(std::string_view text, const TableWords& words)
{
    const std::string name = cp1250::cp1250ToUtf8(trimRight(text));
    for (const Phase candidate : kPhases) {
        if (name == words.phaseNames[static_cast<std::size_t>(candidate)])
            return candidate;
    }
    return std::nullopt;
}

struct TableLayout {
    std::size_t gasWidth = 0; // 0: the line is no header
    bool ceiling = false; // the rows end with the ceiling column
    const TableWords* words = &kCzechTable; // the header's language, which the rows' phases are in
};

// The width of the gas column that the header gives (in either language), whether it has the
// ceiling column, and its language.
TableLayout layoutOf(std::string_view line)
{
    static const std::array<std::string, kTableLanguages.size()> starts = [] {
        std::array<std::string, kTableLanguages.size()> bytes;
        for (std::size_t language = 0; language < kTableLanguages.size(); ++language)
            bytes[language] = cp1250::utf8ToCp1250(kTableLanguages[language]->headerToGas);
        return bytes;
    }();
    for (std::size_t language = 0; language < kTableLanguages.size(); ++language) {
        const TableWords* words = kTableLanguages[language];
        if (!line.starts_with(starts[language]))
            continue;
        for (const std::string_view after : { words->headerAfterGas, kHeaderAfterGasBeforeCeiling }) {
            const std::string& start = starts[language];
            if (line.size() < kGasColumn.from + kGasColumn.width + after.size() || !line.ends_with(after))
                continue;
            const std::string_view blanks = line.substr(start.size(), line.size() - start.size() - after.size());
            if (blanks.find_first_not_of(' ') != std::string_view::npos)
                continue;
            return { line.size() - after.size() - kGasColumn.from, after == words->headerAfterGas, words };
        }
    }
    return {};
}

std::optional<Row> row(std::string_view line, TableLayout layout)
{
    const Column po2At = po2Column(layout.gasWidth);
    const Column ceilingAt = ceilingColumn(layout.gasWidth);
    if (line.size() <= po2At.from || field(line, kGapColumn) != "  ")
        return std::nullopt;
    const std::optional<Phase> kind = phase(field(line, kPhaseColumn), *layout.words);
    const std::optional<double> depth = number(field(line, kDepthColumn));
    const std::optional<double> minutes = number(field(line, kMinutesColumn));
    const std::optional<double> runtime = number(field(line, kRuntimeColumn));
    const std::string_view gas = trimRight(field(line, gasColumn(layout.gasWidth)));
    const std::optional<double> po2 = number(layout.ceiling ? field(line, po2At) : line.substr(po2At.from));
    const std::optional<double> ceiling
        = layout.ceiling && line.size() > ceilingAt.from ? number(line.substr(ceilingAt.from)) : std::nullopt;
    if (!kind || !depth || !minutes || !runtime || gas.empty() || gas.find(' ') != std::string_view::npos || !po2
        || (layout.ceiling && (!ceiling || *ceiling < 0.0)))
        return std::nullopt;
    return Row { *kind, *depth, *minutes, *runtime, cp1250::cp1250ToUtf8(gas), *po2, ceiling };
}

// "m" or "ft" from "Jednotky hloubky: m, rychlosti v m/min"; empty for any other line.
std::string unitOf(std::string_view line)
{
    for (const TableWords* words : kTableLanguages) {
        if (!line.starts_with(words->unitLine))
            continue;
        const std::string_view rest = line.substr(words->unitLine.size());
        for (const std::string_view unit : { std::string_view("m"), std::string_view("ft") }) {
            if (rest.starts_with(unit) && (rest.size() == unit.size() || rest[unit.size()] == ','))
                return std::string(unit);
        }
    }
    return {};
}

// The next line of bytes, trailing blanks trimmed; false at the end.
bool nextLine(std::string_view& bytes, std::string_view& line)
{
    if (bytes.empty())
        return false;
    const std::size_t end = bytes.find('\n');
    line = trimRight(bytes.substr(0, end));
    bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
    return true;
}

// The rows after a header up to the first empty line, their run times never going back; false
// when one does not read. ended tells whether an empty line closed them.
bool readRows(std::string_view& bytes, TableLayout layout, std::vector<Row>& rows, bool& ended)
{
    std::string_view line;
    while (nextLine(bytes, line)) {
        if (line.empty()) {
            ended = true;
            return true;
        }
        std::optional<Row> next = row(line, layout);
        if (!next || next->depth < 0.0 || next->runtime < (rows.empty() ? 0.0 : rows.back().runtime))
            return false;
        rows.push_back(std::move(*next));
    }
    return true;
}

} // namespace

std::optional<PlanTable> readPlanTable(std::string_view bytes)
{
    PlanTable table;
    TableLayout layout; // gasWidth 0 until the header
    std::string_view line;
    while (layout.gasWidth == 0 && nextLine(bytes, line)) {
        layout = layoutOf(line);
        if (table.unit.empty())
            table.unit = unitOf(line);
    }
    if (layout.gasWidth == 0 || !readRows(bytes, layout, table.rows, table.ended) || table.unit.empty()
        || table.rows.empty())
        return std::nullopt;
    // The emergency ascent's table below, when the plan holds one in full.
    const std::string heading = cp1250::utf8ToCp1250(layout.words->emergencyHeading);
    while (table.ended && nextLine(bytes, line)) {
        if (line != heading)
            continue;
        bool ended = false;
        const bool read = nextLine(bytes, line) && (layout = layoutOf(line)).gasWidth != 0
            && readRows(bytes, layout, table.emergency, ended) && ended;
        if (!read)
            table.emergency.clear();
        break;
    }
    return table;
}

} // namespace plan_table
