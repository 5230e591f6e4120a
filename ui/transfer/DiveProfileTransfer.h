// The dive profile between the profile lines of profile.dat and the 3 x 6 table
// (row 0 the header row; rows 1 to 5 one segment each).
#pragma once

#include "profile/TProfile.h"

class QTableWidget;

// Writes the header row and one row per profile line into cells the table has; the profile's
// cursor then stands on the first profile line, so that GetComment gives its hint.
void LoadDiveProfile(TProfile& profile, QTableWidget& grid);

// Replaces every profile line by the table's rows, as one block where the last profile
// line stood. An empty depth ends the rows; a depth not beginning with a digit is skipped.
void StoreDiveProfile(TProfile& profile, const QTableWidget& grid);
