// trova-plan: shows a plan file with its dive chart, or writes it as a PDF (--pdf OUT FILE)
// or a picture of its window (--png OUT FILE).
#include "platform/Language.h"
#include "viewer/PlanPrint.h"
#include "viewer/PlanWindow.h"
#include "viewer/ViewerTexts.h"

#include <QApplication>

#include <cstdio>
#include <cstring>

namespace {

constexpr int kExitFailed = 1;

int fail(const QString& message)
{
    std::fprintf(stderr, "%s\n", message.toUtf8().constData());
    return kExitFailed;
}

} // namespace

int main(int argc, char* argv[])
{
    const bool pdf = argc > 1 && std::strcmp(argv[1], "--pdf") == 0;
    const bool png = argc > 1 && std::strcmp(argv[1], "--png") == 0;
    // Files need no display: scripts and tests run them anywhere.
    if (pdf || png)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("trova-plan"));
    language::useDesktopLanguage();
    const QStringList arguments = QApplication::arguments().mid(1);
    if (pdf) {
        if (arguments.size() != 3)
            return fail(viewer_texts::pdfUsage());
        const PlanDocument document = loadPlan(arguments[2]);
        if (!document.error.isEmpty())
            return fail(document.error);
        const QString error = writePlanPdf(arguments[1], document);
        return error.isEmpty() ? 0 : fail(error);
    }
    if (png) {
        if (arguments.size() != 3)
            return fail(viewer_texts::pngUsage());
        PlanWindow window(loadPlan(arguments[2]));
        window.show();
        return window.grab().save(arguments[1]) ? 0 : fail(viewer_texts::pictureNotWritten(arguments[1]));
    }
    PlanWindow window(loadPlan(arguments.value(0)));
    window.show();
    return QApplication::exec();
}
