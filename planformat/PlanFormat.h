// The segment table of a plan file, the one definition that the planner writes and the viewer
// reads: its header, the unit line, the fixed columns and the phase names. No Qt.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace plan_format {

enum class Phase { Descent, Bottom, Ascent, GasSwitch, DeepStop, Stop };

inline constexpr std::array kPhases
    = { Phase::Descent, Phase::Bottom, Phase::Ascent, Phase::GasSwitch, Phase::DeepStop, Phase::Stop };

// The Czech names of the phases as the plan writes them, UTF-8, in the order of Phase.
inline constexpr std::array<const char*, kPhases.size()> kPhaseNames
    = { "sestup", "dno", "výstup", "změna směsi", "hloubková zastávka", "zastávka" };

constexpr const char* phaseName(Phase phase)
{
    return kPhaseNames[static_cast<std::size_t>(phase)];
}

// The header line of the table, UTF-8, with no trailing blanks. Plans written before the ceiling
// column end the header after "PO2" (kHeaderAfterGasBeforeCeiling) and their rows after the PO2.
inline constexpr std::string_view kHeader = "Fáze                Hloubka    Úsek     Čas  Směs       PO2  Strop";

// The heading line that names the depth unit: this, then "m" or "ft", then ", rychlosti v ...".
inline constexpr std::string_view kUnitLine = "Jednotky hloubky: ";

// A fixed column of a row: 0-based offset and width in characters, which are bytes in the file
// (Windows-1250).
struct Column {
    std::size_t from;
    std::size_t width;
};
inline constexpr Column kPhaseColumn { 0, 19 }; // left, padded with blanks
inline constexpr Column kDepthColumn { 19, 8 }; // at the end of the segment
inline constexpr Column kMinutesColumn { 27, 8 }; // of the segment
inline constexpr Column kRuntimeColumn { 35, 8 }; // at the end of the segment
inline constexpr Column kGapColumn { 43, 2 }; // blanks
inline constexpr Column kGasColumn { 45, 9 }; // "O2/He", left, padded with blanks
inline constexpr Column kPo2Column { 54, 5 }; // the highest PO2 of the segment
inline constexpr Column kCeilingColumn { 59, 7 }; // the GF ceiling at the end of the segment, depth

// A table with a loop gas longer than the gas column ("18/45@0.97") widens that column to its
// longest label: the header is kHeaderToGas, blanks up to that width, then kHeaderAfterGas, and
// the PO2 column follows the gas column. A table of 9 characters is the one of kHeader.
inline constexpr std::string_view kHeaderToGas = "Fáze                Hloubka    Úsek     Čas  Směs";
inline constexpr std::string_view kHeaderAfterGas = "  PO2  Strop";
inline constexpr std::string_view kHeaderAfterGasBeforeCeiling = "  PO2";
constexpr Column gasColumn(std::size_t width)
{
    return { kGasColumn.from, width };
}
constexpr Column po2Column(std::size_t gasWidth)
{
    return { kGasColumn.from + gasWidth, kPo2Column.width };
}
constexpr Column ceilingColumn(std::size_t gasWidth)
{
    return { kGasColumn.from + gasWidth + kPo2Column.width, kCeilingColumn.width };
}

// The heading of the emergency ascent's segment table (the bailout ascent of a closed-circuit
// dive, the minimum-gas ascent of an open-circuit one): a line of its own, then the table as
// above, from the end of the last profile line to the surface, ended by an empty line.
inline constexpr std::string_view kEmergencyHeading = "Průběh nouzového výstupu od konce posledního řádku profilu:";

// The headings of the two lists at the end of a plan, each followed by its entries indented by
// kListIndent, or by kListIndent and kNoEntries when it is empty.
inline constexpr std::string_view kWarningsHeading = "Varování:";
inline constexpr std::string_view kProblemsHeading = "Problémy:";
inline constexpr std::string_view kListIndent = "  ";
inline constexpr std::string_view kNoEntries = "žádné";

} // namespace plan_format
