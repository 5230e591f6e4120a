// A plan file as the viewer shows it: its text, its table when it holds one, the warnings and
// problems it lists, or why it could not be read. Of a file longer than kShownBytes only the
// beginning is shown, so that the window, the PDF and the picture stay within a small multiple
// of that size: a text view, a chart and PDF pages of a 100 MB plan take gigabytes.
#pragma once

#include "planformat/PlanFindings.h"
#include "planformat/PlanTable.h"

#include <QString>

#include <optional>

// Enough for a table of 64,000 rows with its heading and lists.
inline constexpr qint64 kShownBytes = 4 * 1024 * 1024;

struct PlanDocument {
    QString name; // as given
    QString text; // decoded from Windows-1250: the whole file, or its first lines up to kShownBytes
    std::optional<plan_table::PlanTable> table; // only when it ends within the text shown
    plan_findings::Findings findings;
    qint64 fileBytes = 0;
    qint64 omittedBytes = 0; // at the end of the file, not shown
    QString error; // Czech, naming the file; empty when the file was read
};

PlanDocument loadPlan(const QString& name);
