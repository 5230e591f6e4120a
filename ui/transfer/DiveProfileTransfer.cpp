#include "ui/transfer/DiveProfileTransfer.h"

#include "platform/Cp1250.h"
#include "platform/Language.h"
#include "platform/Texts.h"
#include "profile/ProfileBlock.h"
#include "profile/ProfileText.h"

#include <QTableWidget>

#include <array>
#include <memory>

namespace {

constexpr int kHeaderRow = 0;
constexpr int kDepthColumn = 0;
constexpr int kTimeColumn = 1;
constexpr int kMixColumn = 2;

const std::array<const char*, profile_block::kCellCount> kHeaders { texts::kDepthHeader, texts::kTimeHeader,
    texts::kMixHeader };

bool hasCell(const QTableWidget& grid, int column, int row)
{
    return row < grid.rowCount() && column < grid.columnCount();
}

void setCellText(QTableWidget& grid, int column, int row, const QString& text)
{
    if (!hasCell(grid, column, row))
        return;
    if (QTableWidgetItem* item = grid.item(row, column)) {
        item->setText(text);
        return;
    }
    auto item = std::make_unique<QTableWidgetItem>(text);
    if (row == kHeaderRow)
        item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    grid.setItem(row, column, item.release());
}

// The cell's bytes without leading codes 0 to 32. A line break pasted into a cell would
// split the row into two file lines, so it is written as a blank.
std::string storedCell(const QTableWidget& grid, int column, int row)
{
    const QTableWidgetItem* item = grid.item(row, column);
    if (!item)
        return {};
    std::string bytes = cp1250::fromUnicode(item->text());
    for (char& c : bytes) {
        if (c == '\r' || c == '\n')
            c = ' ';
    }
    return std::string(profile_text::trimLeft(bytes));
}

// The row as its profile line: its cells joined by commas.
std::string rowLine(const QTableWidget& grid, int row)
{
    return storedCell(grid, kDepthColumn, row) + ',' + storedCell(grid, kTimeColumn, row) + ','
        + storedCell(grid, kMixColumn, row);
}

} // namespace

void LoadDiveProfile(TProfile& profile, QTableWidget& grid)
{
    for (std::size_t column = 0; column < kHeaders.size(); ++column)
        setCellText(grid, static_cast<int>(column), kHeaderRow, language::text(kHeaders[column]));

    const std::vector<std::string> lines = profile.GetProfileLines();
    // A file with more lines than the table's rows gets a row for each: the store writes back
    // what the table holds, so a line without a row would be lost.
    if (static_cast<std::size_t>(grid.rowCount()) <= lines.size())
        grid.setRowCount(static_cast<int>(lines.size()) + 1);
    int row = kHeaderRow;
    for (const std::string& line : lines) {
        ++row;
        const std::vector<std::string> cells = profile_block::splitCells(line);
        for (std::size_t column = 0; column < cells.size(); ++column)
            setCellText(grid, static_cast<int>(column), row, cp1250::toUnicode(cells[column]));
    }
}

std::optional<RefusedProfileRow> StoreDiveProfile(TProfile& profile, const QTableWidget& grid)
{
    // Written, a depth not beginning with a digit would be no profile line: the next load would
    // not show it and the next store would not replace it. So the whole table is refused
    // before anything changes, wherever the row stands.
    for (int row = kHeaderRow + 1; row < grid.rowCount(); ++row) {
        const std::string depth = storedCell(grid, kDepthColumn, row);
        if (!depth.empty() && !profile_text::isProfileLine(depth))
            return RefusedProfileRow { row, rowLine(grid, row) };
    }
    std::vector<std::string> block;
    for (int row = kHeaderRow + 1; row < grid.rowCount(); ++row) {
        if (storedCell(grid, kDepthColumn, row).empty())
            break;
        block.push_back(rowLine(grid, row));
    }
    profile.SetProfileLines(std::move(block));
    return std::nullopt;
}
