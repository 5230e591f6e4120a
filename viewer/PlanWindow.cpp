#include "viewer/PlanWindow.h"

#include "viewer/PlanChart.h"
#include "viewer/PlanPrint.h"
#include "viewer/ViewerTexts.h"

#include <QBoxLayout>
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
    setWindowTitle(viewer_texts::planTitle(document_.name));
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
    const QString suggested = QFileInfo(document_.name).completeBaseName() + QStringLiteral(".pdf");
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
