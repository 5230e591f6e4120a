// The viewer's window: the plan's chart above its text, PDF and print buttons; a file that
// cannot be read shows why instead.
#pragma once

#include "viewer/PlanDocument.h"

#include <QWidget>

class PlanWindow : public QWidget {
public:
    explicit PlanWindow(PlanDocument document, QWidget* parent = nullptr);

private:
    void savePdf();
    void print();

    PlanDocument document_;
};
