#include "viewer/PlanPrint.h"

#include "viewer/PlanChart.h"
#include "viewer/ViewerTexts.h"

#include <QDate>
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

// What a diver checks first: the deepest point, bottom time, run time, the model and GF line
// of the plan's heading, the gases, the warnings and problems, and the date.
QStringList titleBlock(const PlanDocument& document)
{
    using plan_table::Row;
    const std::vector<Row>& rows = document.table->rows;
    const auto deepest = std::ranges::max_element(rows, {}, &Row::depth);
    // The bottom time runs to the end of the last profile line, the last "dno" row.
    const auto lastBottom = std::find_if(
        rows.rbegin(), rows.rend(), [](const Row& row) { return row.phase == plan_table::Phase::Bottom; });
    const double bottomMinutes = lastBottom == rows.rend() ? 0.0 : lastBottom->runtime;
    const QString unit = QString::fromStdString(document.table->unit);
    QStringList lines { viewer_texts::diveSummary(
        QStringLiteral("%1 %2").arg(QString::number(deepest->depth, 'f', 1), unit),
        QString::number(bottomMinutes, 'f', 1), QString::number(rows.back().runtime, 'f', 1)) };
    for (const QStringView line : QStringTokenizer(document.text, u'\n')) {
        if (line.startsWith(QLatin1String("Model: "))) {
            lines << line.trimmed().toString();
            break;
        }
    }
    QStringList gases;
    for (const Row& row : rows) {
        const QString gas = breathName(row.gas);
        if (!gases.contains(gas))
            gases << gas;
    }
    lines << viewer_texts::gasesLine(gases.join(QStringLiteral(", ")));
    const plan_findings::Findings& findings = document.findings;
    if (!findings.problems.empty())
        lines << viewer_texts::problemsHeading(std::ssize(findings.problems));
    if (!findings.warnings.empty())
        lines << viewer_texts::warningsHeading(std::ssize(findings.warnings)) + QStringLiteral(" ")
                + QString::fromStdString(findings.warnings.front())
                + (findings.warnings.size() > 1 ? QStringLiteral(" …") : QString());
    lines << viewer_texts::printedOn(QDate::currentDate().toString(viewer_texts::printDateFormat()));
    return lines;
}

void printChartPage(QPainter& painter, const QRectF& page, const PlanDocument& document)
{
    QFont titleFont = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    titleFont.setPointSize(kTitlePoints);
    titleFont.setBold(true);
    painter.setFont(titleFont);
    QRectF titleArea(page.topLeft(), QSizeF(page.width(), painter.fontMetrics().height() * 1.5));
    painter.drawText(titleArea, Qt::AlignLeft | Qt::AlignTop, viewer_texts::planTitle(document.name));
    QFont blockFont = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    blockFont.setPointSize(kTextPoints + 1);
    painter.setFont(blockFont);
    for (const QString& line : titleBlock(document)) {
        const QRectF area(titleArea.bottomLeft(), QSizeF(page.width(), page.height() / 4.0));
        const QRectF used = painter.boundingRect(area, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, line);
        painter.drawText(area, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, line);
        titleArea.setBottom(used.bottom());
    }
    titleArea.setBottom(titleArea.bottom() + painter.fontMetrics().height());

    QGraphicsScene scene;
    auto* chart = new PlanChart(*document.table);
    scene.addItem(chart);
    chart->resize(kChartLayoutSize);
    chart->layout()->activate();
    const qreal height = page.width() * kChartLayoutSize.height() / kChartLayoutSize.width();
    scene.render(&painter, QRectF(titleArea.bottomLeft(), QSizeF(page.width(), height)),
        QRectF(QPointF(0.0, 0.0), kChartLayoutSize));
}

// A line cut into pieces of at most perLine characters, each ending after the last blank that
// fits, so that words stay whole; a word longer than a piece is cut.
void wrapLine(QStringView line, qsizetype perLine, std::vector<QStringView>& pieces)
{
    do {
        qsizetype length = std::min(perLine, line.size());
        if (length < line.size()) {
            const qsizetype blank = line.first(length + 1).lastIndexOf(u' ');
            if (blank > 0)
                length = blank + 1;
        }
        pieces.push_back(line.first(length));
        line = line.sliced(length);
    } while (!line.isEmpty());
}

// The text line by line in a fixed-pitch font, a line wider than the page wrapped at blanks. A
// section (the lines up to an empty one) that fits on a page but not on the rest of this one
// starts a new page, so that no page holds just the end of one. Not through QTextDocument: it
// lays the whole text out at once, in units that run out past some 30 million pixels of height
// (a plan of 38 MB gave an empty page), and it takes minutes over one long line.
void printText(QPainter& painter, QPagedPaintDevice& device, const QRectF& page, const QStringList& texts)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(kTextPoints);
    painter.setFont(font);
    const QFontMetricsF metrics(font, &device);
    const auto perLine
        = std::max<qsizetype>(1, static_cast<qsizetype>(page.width() / metrics.horizontalAdvance(QLatin1Char('M'))));
    const int linesPerPage = std::max(1, static_cast<int>(page.height() / metrics.lineSpacing()));
    int line = 0;
    std::vector<QStringView> section;
    const auto flush = [&] {
        if (line > 0 && std::ssize(section) <= linesPerPage && line + std::ssize(section) > linesPerPage) {
            device.newPage();
            line = 0;
        }
        for (const QStringView piece : section) {
            if (line == linesPerPage) {
                device.newPage();
                line = 0;
            }
            painter.drawText(
                QPointF(page.left(), page.top() + line * metrics.lineSpacing() + metrics.ascent()), piece.toString());
            ++line;
        }
        section.clear();
    };
    for (const QString& text : texts) {
        for (QStringView textLine : QStringTokenizer(text, u'\n')) {
            if (textLine.endsWith(u'\r'))
                textLine.chop(1);
            wrapLine(textLine, perLine, section);
            if (textLine.trimmed().isEmpty())
                flush();
        }
        flush();
    }
}

} // namespace

QString omittedNote(const PlanDocument& document)
{
    return viewer_texts::omittedPart(viewer_texts::megabytes(static_cast<double>(document.fileBytes)),
        viewer_texts::megabytes(static_cast<double>(document.fileBytes - document.omittedBytes)),
        viewer_texts::megabytes(static_cast<double>(document.omittedBytes)));
}

void printPlan(QPagedPaintDevice& device, const PlanDocument& document)
{
    QPainter painter(&device);
    const QRectF page(0.0, 0.0, device.width(), device.height());
    if (document.table) {
        printChartPage(painter, page, document);
        device.newPage();
    }
    QStringList texts { document.text };
    if (document.omittedBytes > 0)
        texts << QString() << omittedNote(document);
    printText(painter, device, page, texts);
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
