// The plan on A4 pages, for the PDF and the printer: a page with the title and the chart
// when the plan has a table, then the plan text in a fixed-pitch font.
#pragma once

#include "viewer/PlanDocument.h"

class QPagedPaintDevice;

void printPlan(QPagedPaintDevice& device, const PlanDocument& document);

// Writes the PDF through a temporary file; returns a Czech message on failure, else empty.
QString writePlanPdf(const QString& fileName, const PlanDocument& document);

// What of a file longer than the viewer shows is left out; for a shorter one empty.
QString omittedNote(const PlanDocument& document);
