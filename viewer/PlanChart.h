// The dive profile of a plan table as a Qt chart: run time across, depth down with the
// surface on top, one colour per gas, stops labelled, gas switches and deep stops marked.
#pragma once

#include "planformat/PlanTable.h"

#include <QChart>
#include <QChartView>
#include <QLineSeries>

#include <vector>

class QGraphicsSimpleTextItem;

class PlanChart : public QChart {
public:
    explicit PlanChart(plan_table::PlanTable table);

    // What the tooltip says about the segment under the run time, empty outside the dive.
    QString describeAt(double runtime) const;

private:
    void addProfile();
    void addAxes();
    void addStopLabels();
    void placeStopLabels();

    struct StopLabel {
        QGraphicsSimpleTextItem* item;
        QPointF value;
    };

    plan_table::PlanTable table_;
    QLineSeries* anchor_ = nullptr; // the labels are placed in its axes
    std::vector<StopLabel> stopLabels_;
};

class PlanChartView : public QChartView {
public:
    PlanChartView(PlanChart* chart, QWidget* parent);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    PlanChart* planChart_;
};
