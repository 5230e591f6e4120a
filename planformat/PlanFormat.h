// The segment table of a plan file, the one definition that the planner writes and the viewer
// reads: its header, the unit line, the fixed columns and the phase names, in Czech and in
// English. No Qt.
#pragma once

#include "files/UiLanguage.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace plan_format {

enum class Phase { Descent, Bottom, Ascent, GasSwitch, DeepStop, Stop };

inline constexpr std::array kPhases
    = { Phase::Descent, Phase::Bottom, Phase::Ascent, Phase::GasSwitch, Phase::DeepStop, Phase::Stop };

// The words of a plan in one language, UTF-8.
struct TableWords {
    // The names of the phases as the plan writes them, in the order of Phase.
    std::array<const char*, kPhases.size()> phaseNames;
    // The header line of the table, with no trailing blanks. Plans written before the ceiling
    // column end the header after "PO2" (kHeaderAfterGasBeforeCeiling) and their rows after the PO2.
    std::string_view header;
    // The header up to the gas column's name, and after the gas column (see gasColumn below).
    std::string_view headerToGas;
    std::string_view headerAfterGas;
    // The heading line that names the depth unit: this, then "m" or "ft", then ", ...".
    std::string_view unitLine;
    // The heading of the emergency ascent's table (below).
    std::string_view emergencyHeading;
    // The headings of the two lists at the end of a plan, and the entry of an empty list.
    std::string_view warningsHeading;
    std::string_view problemsHeading;
    std::string_view noEntries;
};

inline constexpr TableWords kCzechTable {
    { "sestup", "dno", "výstup", "změna směsi", "hloubková zastávka", "zastávka" },
    "Fáze                Hloubka    Úsek     Čas  Směs       PO2  Strop",
    "Fáze                Hloubka    Úsek     Čas  Směs",
    "  PO2  Strop",
    "Jednotky hloubky: ",
    "Průběh nouzového výstupu od konce posledního řádku profilu:",
    "Varování:",
    "Problémy:",
    "žádné",
};
// The same columns; "Ceiling" reaches one character past its column, which the numbers fill.
inline constexpr TableWords kEnglishTable {
    { "descent", "bottom", "ascent", "gas switch", "deep stop", "stop" },
    "Phase                 Depth Segment Runtime  Mix        PO2 Ceiling",
    "Phase                 Depth Segment Runtime  Mix",
    "  PO2 Ceiling",
    "Depth unit: ",
    "The emergency ascent from the end of the last profile line:",
    "Warnings:",
    "Problems:",
    "none",
};
// Every language a plan is written in; the viewer reads them all.
inline constexpr std::array kTableLanguages = { &kCzechTable, &kEnglishTable };

constexpr const TableWords& tableWords(ui_language::Language language)
{
    return language == ui_language::Language::English ? kEnglishTable : kCzechTable;
}

constexpr const char* phaseName(Phase phase, ui_language::Language language = ui_language::Language::Czech)
{
    return tableWords(language).phaseNames[static_cast<std::size_t>(phase)];
}

// The Czech table's header and unit line.
inline constexpr std::string_view kHeader = kCzechTable.header;
inline constexpr std::string_view kUnitLine = kCzechTable.unitLine;

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
// longest label: the header is headerToGas, blanks up to that width, then headerAfterGas, and
// the PO2 column follows the gas column. A table of 9 characters has the plain header.
inline constexpr std::string_view kHeaderToGas = kCzechTable.headerToGas;
inline constexpr std::string_view kHeaderAfterGas = kCzechTable.headerAfterGas;
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
inline constexpr std::string_view kEmergencyHeading = kCzechTable.emergencyHeading;

// The headings of the two lists at the end of a plan, each followed by its entries indented by
// kListIndent, or by kListIndent and noEntries when it is empty.
inline constexpr std::string_view kWarningsHeading = kCzechTable.warningsHeading;
inline constexpr std::string_view kProblemsHeading = kCzechTable.problemsHeading;
inline constexpr std::string_view kListIndent = "  ";
inline constexpr std::string_view kNoEntries = kCzechTable.noEntries;

} // namespace plan_format
