// A plan file as the viewer shows it: its text, its table when it holds one, or why it
// could not be read.
#pragma once

#include "planformat/PlanTable.h"

#include <QString>

#include <optional>

struct PlanDocument {
    QString name; // as given
    QString text; // decoded from Windows-1250
    std::optional<plan_table::PlanTable> table;
    QString error; // Czech, naming the file; empty when the file was read
};

PlanDocument loadPlan(const QString& name);
