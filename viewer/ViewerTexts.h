// Every text the plan viewer shows, in Czech, in one place; the phase names are part of the
// plan format (planformat/PlanFormat.h).
#pragma once

#include <QString>

namespace viewer_texts {

// The window's title and the PDF's.
inline QString planTitle(const QString& name)
{
    return QStringLiteral("%1 – plán ponoru").arg(name);
}

// Why a plan cannot be shown, naming the file.
inline QString noFileName()
{
    return QStringLiteral("Není zadán žádný soubor s plánem: jméno souboru je prázdné.");
}
inline QString missingFile(const QString& name)
{
    return QStringLiteral("Soubor s plánem „%1“ neexistuje.").arg(name);
}
inline QString unreadableFile(const QString& name)
{
    return QStringLiteral("Soubor s plánem „%1“ nelze přečíst.").arg(name);
}
// A named pipe, a device or a folder: read, it could block the viewer or never end.
inline QString notARegularFile(const QString& name)
{
    return QStringLiteral("Soubor s plánem „%1“ nelze přečíst: není to obyčejný soubor.").arg(name);
}

// The window's buttons and the PDF's file dialog.
inline QString savePdfButton()
{
    return QStringLiteral("Uložit PDF…");
}
inline QString printButton()
{
    return QStringLiteral("Tisk…");
}
inline QString savePdfCaption()
{
    return QStringLiteral("Uložit PDF");
}
inline QString pdfFilter()
{
    return QStringLiteral("PDF (*.pdf)");
}
inline QString pdfNotWritten(const QString& fileName)
{
    return QStringLiteral("PDF „%1“ nelze zapsat.").arg(fileName);
}

// The chart: axes, stop labels and the tooltip of a segment.
inline QString timeAxis()
{
    return QStringLiteral("Čas ponoru (min)");
}
inline QString depthAxis(const QString& unit)
{
    return QStringLiteral("Hloubka (%1)").arg(unit);
}
// The legend's one entry for the gases past the first dozen.
inline QString otherGases()
{
    return QStringLiteral("další");
}
inline QString stopLabel(const QString& depth, const QString& unit, const QString& minutes)
{
    return QStringLiteral("%1 %2 · %3 min").arg(depth, unit, minutes);
}
inline QString segmentTip(const QString& phase, const QString& depth, const QString& runtime, const QString& gas)
{
    return QStringLiteral("%1\nhloubka: %2\nčas ponoru: %3 min\nsměs: %4").arg(phase, depth, runtime, gas);
}

// The command line.
inline QString pdfUsage()
{
    return QStringLiteral("Použití: trova-plan --pdf VÝSTUP.pdf SOUBOR");
}
inline QString pngUsage()
{
    return QStringLiteral("Použití: trova-plan --png VÝSTUP.png SOUBOR");
}
inline QString pictureNotWritten(const QString& fileName)
{
    return QStringLiteral("Obrázek „%1“ nelze zapsat.").arg(fileName);
}

} // namespace viewer_texts
