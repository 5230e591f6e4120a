#include "viewer/PlanPrint.h"

#include "viewer/PlanChart.h"
#include "viewer/ViewerTexts.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QStringTokenizer>

#include <algorithm>

namespace {

constexpr int kPdfResolution = 300;
constexpr qreal kMarginMm = 15.0;
constexpr int kTitlePoints = 13;
constexpr int kTextPoints = 9;
// The chart is laid out at a screen size and scaled onto the page, so its fonts keep their
// proportions.
const QSizeF kChartLayoutSize(1000.0, 640.0);

void printChartPage(QPainter& painter, const QRectF& page, const PlanDocument& document)
{
    QFont titleFont = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    titleFont.setPointSize(kTitlePoints);
    titleFont.setBold(true);
    painter.setFont(titleFont);
    const QRectF titleArea(page.topLeft(), QSizeF(page.width(), painter.fontMetrics().height() * 2.0));
    painter.drawText(titleArea, Qt::AlignLeft | Qt::AlignTop, viewer_texts::planTitle(document.name));

    QGraphicsScene scene;
    auto* chart = new PlanChart(*document.table);
    scene.addItem(chart);
    chart->resize(kChartLayoutSize);
    chart->layout()->activate();
    const qreal height = page.width() * kChartLayoutSize.height() / kChartLayoutSize.width();
    scene.render(&painter, QRectF(titleArea.bottomLeft(), QSizeF(page.width(), height)),
        QRectF(QPointF(0.0, 0.0), kChartLayoutSize));
}

// The text line by line in a fixed-pitch font, a line wider than the page cut into page-wide
// pieces. Not through QTextDocument: it lays the whole text out at once, in units that run out
// past some 30 million pixels of height (a plan of 38 MB gave an empty page), and it takes
// minutes over one long line.
void printText(QPainter& painter, QPagedPaintDevice& device, const QRectF& page, const QString& text)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(kTextPoints);
    painter.setFont(font);
    const QFontMetricsF metrics(font, &device);
    const auto perLine
        = std::max<qsizetype>(1, static_cast<qsizetype>(page.width() / metrics.horizontalAdvance(QLatin1Char('M'))));
    const int linesPerPage = std::max(1, static_cast<int>(page.height() / metrics.lineSpacing()));
    int line = 0;
    const auto draw = [&](QStringView piece) {
        if (line == linesPerPage) {
            device.newPage();
            line = 0;
        }
        painter.drawText(
            QPointF(page.left(), page.top() + line * metrics.lineSpacing() + metrics.ascent()), piece.toString());
        ++line;
    };
    for (QStringView textLine : QStringTokenizer(text, u'\n')) {
        if (textLine.endsWith(u'\r'))
            textLine.chop(1);
        do {
            draw(textLine.first(std::min(perLine, textLine.size())));
            textLine = textLine.sliced(std::min(perLine, textLine.size()));
        } while (!textLine.isEmpty());
    }
}

} // namespace

void printPlan(QPagedPaintDevice& device, const PlanDocument& document)
{
    QPainter painter(&device);
    const QRectF page(0.0, 0.0, device.width(), device.height());
    if (document.table) {
        printChartPage(painter, page, document);
        device.newPage();
    }
    printText(painter, device, page, document.text);
}

QString writePlanPdf(const QString& fileName, const PlanDocument& document)
{
    QSaveFile file(fileName);
    if (file.open(QIODevice::WriteOnly)) {
        QPdfWriter pdf(&file);
        pdf.setResolution(kPdfResolution);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setPageMargins(QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm), QPageLayout::Millimeter);
        pdf.setTitle(viewer_texts::planTitle(document.name));
        printPlan(pdf, document);
    }
    if (!file.commit())
        return viewer_texts::pdfNotWritten(fileName);
    return {};
}
