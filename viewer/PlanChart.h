// The dive profile of a plan table as a Qt chart: run time across, depth down with the
// surface on top, one colour per gas or loop diluent, the ceiling under the profile, PO2 on a
// second axis, the emergency ascent dashed, stops labelled, gas switches and deep stops marked.
#pragma once

#include "planformat/PlanTable.h"

#include <QChart>
#include <QChartView>
#include <QLineSeries>

#include <vector>

class QGraphicsSimpleTextItem;

// The legend's name of what a row breathes: its mix, or the loop on its diluent whatever the
// setpoint ("15/55@1.3" and "15/55@0.97" are one loop).
QString breathName(const std::string& gas);

class PlanChart : public QChart {
public:
    explicit PlanChart(plan_table::PlanTable table);

    // What the tooltip says about the segment under the run time, empty outside the dive.
    QString describeAt(double runtime) const;

private:
    void addProfile();
    void addCeiling();
    void addEmergency();
    void addPo2();
    void addAxes();
    void addStopLabels();
    void placeStopLabels();

    struct StopLabel {
        QGraphicsSimpleTextItem* item;
        QPointF value; // where the stop begins
    };

    plan_table::PlanTable table_;
    QLineSeries* anchor_ = nullptr; // the labels are placed in its axes
    QLineSeries* po2_ = nullptr;
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
