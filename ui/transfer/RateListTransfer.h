// The descent and ascent rate lists between their repeated key lines and a memo.
#pragma once

#include "profile/TProfile.h"

#include <string>
#include <string_view>
#include <vector>

class QPlainTextEdit;

// Shows every entry of the key in file order, one per memo line, with the comment block
// above the first line as the memo's hint. A missing key shows the single entry "0";
// a later entry "0" ends the list.
void LoadRateList(TProfile& profile, QPlainTextEdit& memo, std::string_view key);

// The memo's lines as typed, one per line end the user entered (wrapping on screen does
// not split them), in Windows-1250. Blank lines are included; SetValues skips them.
std::vector<std::string> RateListLines(const QPlainTextEdit& memo);
