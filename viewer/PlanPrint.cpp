#include "viewer/PlanPrint.h"

#include "viewer/PlanChart.h"
#include "viewer/ViewerTexts.h"

#include <QAbstractTextDocumentLayout>
#include <QFontDatabase>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>

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

} // namespace

void printPlan(QPagedPaintDevice& device, const PlanDocument& document)
{
    QPainter painter(&device);
    const QRectF page(0.0, 0.0, device.width(), device.height());
    if (document.table) {
        printChartPage(painter, page, document);
        device.newPage();
    }
    QTextDocument text;
    text.documentLayout()->setPaintDevice(&device);
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(kTextPoints);
    text.setDefaultFont(font);
    text.setDocumentMargin(0.0);
    text.setPlainText(document.text);
    text.setPageSize(page.size());
    for (int i = 0; i < text.pageCount(); ++i) {
        if (i > 0)
            device.newPage();
        painter.save();
        painter.translate(0.0, -i * page.height());
        text.drawContents(&painter, page.translated(0.0, i * page.height()));
        painter.restore();
    }
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
