// The dive profile grid: row 0 is its fixed header row, so cell (column, row) counts as the
// profile lines do; the other rows are edited in place.
#pragma once

class QTableWidget;

void setUpProfileGrid(QTableWidget& grid);
