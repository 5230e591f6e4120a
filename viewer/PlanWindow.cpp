#include "viewer/PlanWindow.h"

#include "viewer/PlanChart.h"
#include "viewer/PlanPrint.h"
#include "viewer/ViewerTexts.h"

#include <QBoxLayout>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QStandardPaths>
#include <QStringTokenizer>

#include <algorithm>

namespace {

const QSize kInitialSize(1000, 900);
// The chart takes two thirds of the height, the text the rest.
constexpr int kChartShare = 2;
constexpr int kTextShare = 1;
// A line drawn unwrapped runs out of the text layout's range at some 4 million characters
// (its glyphs then pile up at the left); a text with a line this long is wrapped at the window.
constexpr qsizetype kLongestUnwrappedLine = 100'000;

// The band lists this many entries of each list; the text of the plan holds them all.
constexpr qsizetype kBandEntries = 12;
const QString kProblemColour = QStringLiteral("#f6c8c8");
const QString kWarningColour = QStringLiteral("#fbe3b0");
const QString kClearColour = QStringLiteral("#d3ecd3");

QString listed(const QString& heading, const std::vector<std::string>& entries)
{
    QString html = QStringLiteral("<b>%1</b>").arg(heading.toHtmlEscaped());
    const auto shown = std::min<qsizetype>(std::ssize(entries), kBandEntries);
    for (qsizetype i = 0; i < shown; ++i)
        html += QStringLiteral("<br>• ") + QString::fromStdString(entries[static_cast<std::size_t>(i)]).toHtmlEscaped();
    if (std::ssize(entries) > shown)
        html += QStringLiteral("<br>") + viewer_texts::moreFindings(std::ssize(entries) - shown).toHtmlEscaped();
    return html;
}

// The band above the chart: problems, then warnings, each in its colour, then what of a long
// file is left out; empty when the text lists neither and nothing is left out.
QLabel* findingsBand(const PlanDocument& document, QWidget* parent)
{
    const plan_findings::Findings& findings = document.findings;
    QString html;
    QString colour = kClearColour;
    if (!findings.problems.empty()) {
        html += listed(viewer_texts::problemsHeading(std::ssize(findings.problems)), findings.problems);
        colour = kProblemColour;
    }
    if (!findings.warnings.empty()) {
        html += (html.isEmpty() ? QString() : QStringLiteral("<br>"))
            + listed(viewer_texts::warningsHeading(std::ssize(findings.warnings)), findings.warnings);
        colour = findings.problems.empty() ? kWarningColour : colour;
    }
    if (findings.listed && html.isEmpty())
        html = viewer_texts::noFindings().toHtmlEscaped();
    if (document.omittedBytes > 0) {
        html += (html.isEmpty() ? QString() : QStringLiteral("<br>"))
            + QStringLiteral("<b>%1</b>").arg(omittedNote(document).toHtmlEscaped());
        colour = colour == kClearColour ? kWarningColour : colour;
    }
    if (html.isEmpty())
        return nullptr;
    auto* band = new QLabel(html, parent);
    band->setObjectName(QStringLiteral("findings"));
    band->setTextFormat(Qt::RichText);
    band->setWordWrap(true);
    band->setTextInteractionFlags(Qt::TextSelectableByMouse);
    band->setMargin(6);
    band->setStyleSheet(QStringLiteral("QLabel { background: %1; color: black; }").arg(colour));
    return band;
}

qsizetype longestLine(const QString& text)
{
    qsizetype longest = 0;
    for (const QStringView line : QStringTokenizer(text, u'\n'))
        longest = std::max(longest, line.size());
    return longest;
}

} // namespace

PlanWindow::PlanWindow(PlanDocument document, QWidget* parent)
    : QWidget(parent)
    , document_(std::move(document))
{
    setWindowTitle(viewer_texts::planTitle(
        document_.name, std::ssize(document_.findings.warnings), std::ssize(document_.findings.problems)));
    resize(kInitialSize);
    auto* layout = new QVBoxLayout(this);
    auto* buttons = new QHBoxLayout;
    auto* pdfButton = new QPushButton(viewer_texts::savePdfButton(), this);
    auto* printButton = new QPushButton(viewer_texts::printButton(), this);
    buttons->addWidget(pdfButton);
    buttons->addWidget(printButton);
    buttons->addStretch();
    layout->addLayout(buttons);
    connect(pdfButton, &QPushButton::clicked, this, [this] { savePdf(); });
    connect(printButton, &QPushButton::clicked, this, [this] { print(); });
    for (const QKeySequence& key : { QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W) })
        connect(new QShortcut(key, this), &QShortcut::activated, this, &QWidget::close);

    if (!document_.error.isEmpty()) {
        auto* message = new QLabel(document_.error, this);
        message->setObjectName(QStringLiteral("message"));
        message->setWordWrap(true);
        message->setAlignment(Qt::AlignCenter);
        layout->addWidget(message, 1);
        pdfButton->setEnabled(false);
        printButton->setEnabled(false);
        return;
    }
    if (QLabel* band = findingsBand(document_, this))
        layout->addWidget(band);
    auto* splitter = new QSplitter(Qt::Vertical, this);
    if (document_.table)
        splitter->addWidget(new PlanChartView(new PlanChart(*document_.table), splitter));
    auto* text = new QPlainTextEdit(document_.text, splitter);
    text->setReadOnly(true);
    if (longestLine(document_.text) > kLongestUnwrappedLine) {
        text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        text->setWordWrapMode(QTextOption::WrapAnywhere);
    } else {
        text->setLineWrapMode(QPlainTextEdit::NoWrap);
    }
    text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    splitter->addWidget(text);
    if (document_.table)
        splitter->setSizes({ kChartShare, kTextShare });
    layout->addWidget(splitter, 1);
}

void PlanWindow::savePdf()
{
    // Not the working folder, which the desktop entry hides under ~/.local/share.
    const QString suggested = QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
                                  .filePath(QFileInfo(document_.name).completeBaseName() + QStringLiteral(".pdf"));
    const QString fileName
        = QFileDialog::getSaveFileName(this, viewer_texts::savePdfCaption(), suggested, viewer_texts::pdfFilter());
    if (fileName.isEmpty())
        return;
    const QString error = writePlanPdf(fileName, document_);
    if (!error.isEmpty())
        QMessageBox::warning(this, windowTitle(), error);
}

void PlanWindow::print()
{
    QPrinter printer;
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(windowTitle());
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted)
        printPlan(printer, document_);
}
