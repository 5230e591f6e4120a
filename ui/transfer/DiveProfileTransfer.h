// The dive profile between the profile lines of profile.dat and the table (row 0 the header
// row; at least five rows below it, one segment each, and one for every profile line).
#pragma once

#include "profile/TProfile.h"

#include <optional>
#include <string>

class QTableWidget;

// Writes the header row and one row per profile line, adding rows when the file has more lines
// than the table; the profile's cursor then stands on the first profile line, so that
// GetComment gives its hint.
void LoadDiveProfile(TProfile& profile, QTableWidget& grid);

// A row whose depth, once its leading blanks are gone, does not begin with a digit: its number
// (1 for the first row below the header) and its line as it would be written (CP1250 bytes).
struct RefusedProfileRow {
    int row = 0;
    std::string line;
};

// Replaces every profile line by the table's rows, as one block where the last profile line
// stood; an empty depth ends the rows. A table with a refused row anywhere changes nothing and
// gives the first such row.
std::optional<RefusedProfileRow> StoreDiveProfile(TProfile& profile, const QTableWidget& grid);
