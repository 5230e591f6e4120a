// Arbitrary bytes as a plan file for the viewer's table reader: it never fails on them, and a
// table it does find is one the chart can draw: the plan's header (up to its gas column, which
// a loop gas widens) is in the bytes, the unit is "m" or "ft", every row has a gas and finite
// numbers, depths are not negative and the run time never goes back.
#include "files/Cp1250Text.h"
#include "planformat/PlanTable.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void require(bool condition, const char* what)
{
    if (condition)
        return;
    std::fprintf(stderr, "plan table: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::optional<plan_table::PlanTable> table = plan_table::readPlanTable(bytes);
    if (!table)
        return 0;
    static const std::string header = cp1250::utf8ToCp1250(plan_format::kHeaderToGas);
    require(bytes.find(header) != std::string_view::npos, "a table without the header");
    require(table->unit == "m" || table->unit == "ft", "an unknown unit");
    require(!table->rows.empty(), "a table without rows");
    double runtime = 0.0;
    for (const plan_table::Row& row : table->rows) {
        require(std::isfinite(row.depth) && row.depth >= 0.0, "a depth that is not a depth");
        require(std::isfinite(row.minutes), "minutes that are no number");
        require(std::isfinite(row.runtime) && row.runtime >= runtime, "a run time that goes back");
        require(!row.gas.empty() && row.gas.find(' ') == std::string::npos, "a row without one gas");
        runtime = row.runtime;
    }
    return 0;
}
