#include "viewer/PlanChart.h"

#include "platform/Language.h"
#include "viewer/ViewerTexts.h"

#include <QGraphicsSimpleTextItem>
#include <QHash>
#include <QLegendMarker>
#include <QMouseEvent>
#include <QScatterSeries>
#include <QSet>
#include <QToolTip>
#include <QValueAxis>

#include <algorithm>
#include <array>
#include <cmath>
#include <deque>

namespace {

using plan_table::Phase;
using plan_table::Row;

// Gases in the order the dive first breathes them, a dozen of them, then one for all the
// others; distinct on paper in black and white too.
constexpr qsizetype kOtherGases = 12;
const std::array<QColor, kOtherGases + 1> kGasColours = { QColor(0x1f, 0x4e, 0x9c), QColor(0xe0, 0x7b, 0x00),
    QColor(0x2e, 0x9e, 0x3e), QColor(0xb8, 0x32, 0x9e), QColor(0x7a, 0x52, 0x30), QColor(0x00, 0xa3, 0xb5),
    QColor(0xc0, 0x1c, 0x28), QColor(0x80, 0x80, 0x00), QColor(0x5b, 0x3f, 0xa8), QColor(0xe8, 0x6f, 0xa8),
    QColor(0x00, 0x6d, 0x5b), QColor(0xc9, 0xa2, 0x27), QColor(0x80, 0x80, 0x80) };
constexpr qreal kProfilePenWidth = 2.5;
constexpr qreal kMarkerSize = 11.0;
constexpr qreal kDepthHeadroom = 1.04;
constexpr double kMostTicks = 10.0;
constexpr qreal kLabelZ = 10.0;
constexpr qreal kLabelGap = 8.0;
// Past these counts (plans of thousands of stops) the rest go unmarked and unlabelled: a mark
// or label is an item of its own, and so many could not be read anyway; the tooltip names each.
constexpr qsizetype kMostMarks = 500;
constexpr std::size_t kMostLabels = 300;
// A label is kept clear of the labels placed just before it, which are its neighbours on the
// ascent's staircase.
constexpr std::size_t kLabelNeighbours = 6;
const QColor kCeilingColour(0xc0, 0x1c, 0x28);
const QColor kEmergencyColour(0x30, 0x30, 0x30);
const QColor kPo2Colour(0x60, 0x60, 0x60, 0xa0);
constexpr qreal kThinPenWidth = 1.3;
constexpr double kPo2AxisTop = 1.6; // bar: the PO2 axis shows at least the deco limit

bool isStay(Phase phase)
{
    return phase == Phase::GasSwitch || phase == Phase::DeepStop || phase == Phase::Stop;
}

// A 1, 2 or 5 times a power of ten that cuts 0 .. top into at most ten steps.
double niceStep(double top)
{
    const double magnitude = std::pow(10.0, std::floor(std::log10(top / kMostTicks)));
    for (const double factor : { 1.0, 2.0, 5.0 }) {
        if (top / (factor * magnitude) <= kMostTicks)
            return factor * magnitude;
    }
    return 10.0 * magnitude;
}

// An axis from 0 past top, in whole steps, with a tick at each.
QValueAxis* axisTo(double top, const QString& title)
{
    const double step = niceStep(std::max(top, 1.0));
    auto* axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setLabelFormat(QStringLiteral("%g"));
    axis->setRange(0.0, std::ceil(top / step) * step);
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0.0);
    axis->setTickInterval(step);
    return axis;
}

QString number(double value)
{
    return QString::number(value, 'f', 1);
}

// Stop labels drop a trailing ".0": "12 m · 5 min".
QString shortNumber(double value)
{
    return QString::number(value, 'g', 6);
}

QScatterSeries* markers(const QString& name, QScatterSeries::MarkerShape shape, const QColor& colour)
{
    auto* series = new QScatterSeries;
    series->setName(name);
    series->setMarkerShape(shape);
    series->setMarkerSize(kMarkerSize);
    series->setColor(colour);
    series->setBorderColor(Qt::black);
    return series;
}

} // namespace

QString breathName(const std::string& gas)
{
    const QString label = QString::fromStdString(gas);
    const qsizetype at = label.indexOf(u'@');
    return at < 0 ? label : viewer_texts::loopDiluent(label.left(at));
}

PlanChart::PlanChart(plan_table::PlanTable table)
    : table_(std::move(table))
{
    setBackgroundRoundness(0);
    legend()->setAlignment(Qt::AlignBottom);
    addProfile();
    addCeiling();
    addEmergency();
    addPo2();
    addAxes();
    addStopLabels();
    connect(this, &QChart::plotAreaChanged, this, [this] { placeStopLabels(); });
}

// One line per stretch on one gas, each starting where the previous one ended, so the
// profile runs unbroken from (0, 0) through the end of every row. The first gases breathed
// keep a colour and a legend entry each; any further ones share one, so that a plan with a new
// mix on every row still gives a chart of a few lines, built in time linear in its rows.
void PlanChart::addProfile()
{
    QHash<QString, qsizetype> colourOf; // gas -> its colour, in the order first breathed
    QPointF previous(0.0, 0.0);
    QList<QPointF> switches;
    QList<QPointF> deepStops;
    QList<QList<QPointF>> legPoints;
    QList<qsizetype> legColours;
    for (const Row& row : table_.rows) {
        const QString gas = breathName(row.gas);
        const qsizetype colour = colourOf.contains(gas)
            ? colourOf.value(gas)
            : colourOf.insert(gas, std::min<qsizetype>(colourOf.size(), kOtherGases)).value();
        if (legColours.isEmpty() || legColours.last() != colour) {
            legColours << colour;
            legPoints.append({ previous });
        }
        const QPointF end(row.runtime, row.depth);
        legPoints.last().append(end);
        if (row.phase == Phase::GasSwitch)
            switches << previous;
        if (row.phase == Phase::DeepStop)
            deepStops << previous;
        previous = end;
    }
    QStringList names(kOtherGases + 1, viewer_texts::otherGases());
    for (auto gas = colourOf.cbegin(); gas != colourOf.cend(); ++gas) {
        if (gas.value() < kOtherGases)
            names[gas.value()] = gas.key();
    }
    // One legend entry per colour, however often the dive comes back to it.
    std::vector<bool> listed(kOtherGases + 1, false);
    QSet<const QAbstractSeries*> firstOfColour;
    for (qsizetype leg = 0; leg < legColours.size(); ++leg) {
        const auto colour = static_cast<std::size_t>(legColours[leg]);
        auto* series = new QLineSeries;
        series->setName(names[legColours[leg]]);
        series->setPen(QPen(kGasColours[colour], kProfilePenWidth));
        series->replace(legPoints[leg]);
        addSeries(series);
        if (!listed[colour])
            firstOfColour.insert(series);
        listed[colour] = true;
        if (anchor_ == nullptr)
            anchor_ = series;
    }
    for (QLegendMarker* marker : legend()->markers())
        marker->setVisible(firstOfColour.contains(marker->series()));
    if (!switches.isEmpty() && switches.size() <= kMostMarks) {
        QScatterSeries* series
            = markers(QString::fromUtf8(plan_table::phaseName(Phase::GasSwitch, language::current())),
                QScatterSeries::MarkerShapeTriangle, Qt::yellow);
        series->replace(switches);
        addSeries(series);
    }
    if (!deepStops.isEmpty() && deepStops.size() <= kMostMarks) {
        QScatterSeries* series = markers(QString::fromUtf8(plan_table::phaseName(Phase::DeepStop, language::current())),
            QScatterSeries::MarkerShapeRotatedRectangle, Qt::red);
        series->replace(deepStops);
        addSeries(series);
    }
}

// The ceiling at the end of each segment, from the surface at the start; plans written before
// the ceiling column have none.
void PlanChart::addCeiling()
{
    if (!std::ranges::all_of(table_.rows, [](const Row& row) { return row.ceiling.has_value(); }))
        return;
    QList<QPointF> points { QPointF(0.0, 0.0) };
    points.reserve(std::ssize(table_.rows) + 1);
    for (const Row& row : table_.rows)
        points.append(QPointF(row.runtime, *row.ceiling));
    auto* series = new QLineSeries;
    series->setObjectName(QStringLiteral("ceiling"));
    series->setName(viewer_texts::ceilingLine());
    series->setPen(QPen(kCeilingColour, kThinPenWidth, Qt::DotLine));
    series->replace(points);
    addSeries(series);
}

// The emergency ascent dashed from where it leaves the plan, the end of the last profile line:
// the bailout of a closed-circuit dive, the minimum-gas ascent of an open-circuit one.
void PlanChart::addEmergency()
{
    const std::vector<Row>& rows = table_.emergency;
    if (rows.empty())
        return;
    const bool loop
        = std::ranges::any_of(table_.rows, [](const Row& row) { return row.gas.find('@') != std::string::npos; });
    QList<QPointF> points { QPointF(rows.front().runtime - rows.front().minutes, rows.front().depth) };
    points.reserve(std::ssize(rows) + 1);
    for (const Row& row : rows)
        points.append(QPointF(row.runtime, row.depth));
    auto* series = new QLineSeries;
    series->setObjectName(QStringLiteral("emergency"));
    series->setName(loop ? viewer_texts::bailoutAscent() : viewer_texts::minimumGasAscent());
    series->setPen(QPen(kEmergencyColour, kProfilePenWidth * 0.8, Qt::DashLine));
    series->replace(points);
    addSeries(series);
}

// Each segment's highest PO2 (the loop's on the loop) as steps on the right-hand axis; a run of
// segments at one PO2 is one step.
void PlanChart::addPo2()
{
    QList<QPointF> points;
    double start = 0.0;
    for (std::size_t i = 0; i < table_.rows.size(); ++i) {
        const Row& row = table_.rows[i];
        if (points.isEmpty() || points.constLast().y() != row.po2) {
            points.append(QPointF(start, row.po2));
            points.append(QPointF(row.runtime, row.po2));
        } else {
            points.last().setX(row.runtime);
        }
        start = row.runtime;
    }
    po2_ = new QLineSeries;
    po2_->setObjectName(QStringLiteral("po2"));
    po2_->setName(viewer_texts::po2Line());
    po2_->setPen(QPen(kPo2Colour, kThinPenWidth));
    po2_->replace(points);
    addSeries(po2_);
}

// One label per place the diver stays on the ascent: a gas switch, deep stop or stop, and
// those that follow at the same depth, with their minutes added up.
void PlanChart::addStopLabels()
{
    const std::vector<Row>& rows = table_.rows;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const bool staysOn = i > 0 && isStay(rows[i - 1].phase) && rows[i - 1].depth == rows[i].depth;
        if (!isStay(rows[i].phase) || staysOn)
            continue;
        if (stopLabels_.size() == kMostLabels)
            return;
        double minutes = 0.0;
        for (std::size_t j = i; j < rows.size() && isStay(rows[j].phase) && rows[j].depth == rows[i].depth; ++j)
            minutes += rows[j].minutes;
        const QString text = viewer_texts::stopLabel(
            shortNumber(rows[i].depth), QString::fromStdString(table_.unit), shortNumber(minutes));
        auto* label = new QGraphicsSimpleTextItem(text, this);
        label->setZValue(kLabelZ);
        const QPointF start = i == 0 ? QPointF(0.0, 0.0) : QPointF(rows[i - 1].runtime, rows[i - 1].depth);
        stopLabels_.push_back({ label, start });
    }
}

void PlanChart::addAxes()
{
    const auto deepest = std::max_element(
        table_.rows.begin(), table_.rows.end(), [](const Row& a, const Row& b) { return a.depth < b.depth; });
    const auto richest = std::max_element(
        table_.rows.begin(), table_.rows.end(), [](const Row& a, const Row& b) { return a.po2 < b.po2; });
    const double end = table_.emergency.empty() ? table_.rows.back().runtime
                                                : std::max(table_.rows.back().runtime, table_.emergency.back().runtime);
    QValueAxis* time = axisTo(end, viewer_texts::timeAxis());
    QValueAxis* depth
        = axisTo(deepest->depth * kDepthHeadroom, viewer_texts::depthAxis(QString::fromStdString(table_.unit)));
    QValueAxis* po2 = axisTo(std::max(richest->po2, kPo2AxisTop) * kDepthHeadroom, viewer_texts::po2Axis());
    po2->setLabelFormat(QStringLiteral("%.1f"));
    depth->setReverse(true);
    addAxis(time, Qt::AlignBottom);
    addAxis(depth, Qt::AlignLeft);
    addAxis(po2, Qt::AlignRight);
    for (QAbstractSeries* series : this->series()) {
        series->attachAxis(time);
        series->attachAxis(series == po2_ ? po2 : depth);
    }
}

// Each label goes where it covers neither its neighbours nor the profile: just left of where its
// stop begins, level with it (the staircase of the ascent leaves that corner free), else under
// the stop's line, else above it. When none is free it takes the one that covers least, so that
// every stop keeps its name.
void PlanChart::placeStopLabels()
{
    std::deque<QRectF> neighbours;
    for (const StopLabel& label : stopLabels_) {
        const QPointF start = mapToPosition(label.value, anchor_);
        const QSizeF size = label.item->boundingRect().size();
        const std::array<QRectF, 3> places = {
            QRectF(QPointF(start.x() - kLabelGap - size.width(), start.y() - size.height() / 2.0), size),
            QRectF(QPointF(start.x() + kLabelGap, start.y() + kLabelGap / 2.0), size),
            QRectF(QPointF(start.x() + kLabelGap, start.y() - kLabelGap / 2.0 - size.height()), size),
        };
        const auto covered = [&](const QRectF& place) {
            qreal area = 0.0;
            for (const QRectF& other : neighbours) {
                const QRectF overlap = place.intersected(other);
                area += overlap.width() * overlap.height();
            }
            const QRectF outside = place.united(plotArea());
            return area + (outside.width() * outside.height() - plotArea().width() * plotArea().height());
        };
        const QRectF* best = &places.front();
        qreal least = covered(*best);
        for (const QRectF& place : places) {
            const qreal cover = covered(place);
            if (cover < least) {
                best = &place;
                least = cover;
            }
        }
        label.item->setPos(best->topLeft());
        neighbours.push_back(*best);
        if (neighbours.size() > kLabelNeighbours)
            neighbours.pop_front();
    }
}

QString PlanChart::describeAt(double runtime) const
{
    const auto row = std::lower_bound(
        table_.rows.begin(), table_.rows.end(), runtime, [](const Row& r, double t) { return r.runtime < t; });
    if (runtime < 0.0 || row == table_.rows.end())
        return {};
    const double from = row == table_.rows.begin() ? 0.0 : std::prev(row)->depth;
    const QString unit = QString::fromStdString(table_.unit);
    const QString depth = from == row->depth ? QStringLiteral("%1 %2").arg(number(row->depth), unit)
                                             : QStringLiteral("%1 → %2 %3").arg(number(from), number(row->depth), unit);
    const QString ceiling = row->ceiling ? QStringLiteral("%1 %2").arg(number(*row->ceiling), unit) : QString();
    return viewer_texts::segmentTip(QString::fromUtf8(plan_table::phaseName(row->phase, language::current())), depth,
               number(row->runtime), QString::fromStdString(row->gas))
        + viewer_texts::segmentTipDetails(QString::number(row->po2, 'f', 2), ceiling);
}

PlanChartView::PlanChartView(PlanChart* chart, QWidget* parent)
    : QChartView(chart, parent)
    , planChart_(chart)
{
    setRenderHint(QPainter::Antialiasing);
    setMouseTracking(true);
}

void PlanChartView::mouseMoveEvent(QMouseEvent* event)
{
    const QString text = chart()->plotArea().contains(event->position())
        ? planChart_->describeAt(chart()->mapToValue(event->position()).x())
        : QString();
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(event->globalPosition().toPoint(), text, this);
    QChartView::mouseMoveEvent(event);
}
