// Our planner's plan table, read from a plan file's Windows-1250 bytes without Qt. Only a
// file that holds exactly that table gives one; anything else reads as text without a table.
#pragma once

#include "planformat/PlanFormat.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plan_table {

using plan_format::Phase;
using plan_format::phaseName;

struct Row {
    Phase phase = Phase::Bottom;
    double depth = 0.0; // at the end of the segment
    double minutes = 0.0;
    double runtime = 0.0; // at the end of the segment
    std::string gas; // "O2/He", or "O2/He@SP" on the loop, as the planner wrote it
    double po2 = 0.0; // the segment's highest, bar
    std::optional<double> ceiling; // at the end of the segment; empty in plans written before it
};

struct PlanTable {
    std::string unit; // "m" or "ft"
    std::vector<Row> rows;
    bool ended = false; // an empty line closes the table: the bytes did not stop inside it
    // The emergency ascent (bailout, or minimum gas) from the end of the last profile line, when
    // the plan holds its table in full; else empty.
    std::vector<Row> emergency;
};

// The table when a line, trailing blanks trimmed, is the planner's header (Czech or English; the
// rows then name their phases in the same language), every line after it up to the first empty
// one is a row in the fixed columns, and the heading names the depth unit.
std::optional<PlanTable> readPlanTable(std::string_view bytes);

} // namespace plan_table
