// Every text the plan viewer shows, in one place: the Czech source, translated to English by
// Qt (platform/trova_en.ts); the phase names are part of the plan format (planformat/PlanFormat.h).
#pragma once

#include "platform/Language.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

namespace viewer_texts {

// The window's title and the PDF's.
inline QString planTitle(const QString& name)
{
    return QCoreApplication::translate("viewer", "%1 – plán ponoru").arg(name);
}

// English counts: "1 problem", "3 problems" (Qt's translation has no plural of a Czech source).
inline bool inEnglish()
{
    return language::current() == ui_language::Language::English;
}

// The count of problems, declined: "1 problém", "3 problémy", "5 problémů".
inline QString problemCount(qsizetype count)
{
    if (inEnglish())
        return count == 1 ? QStringLiteral("1 problem") : QStringLiteral("%1 problems").arg(count);
    const qsizetype tens = count % 100;
    const QString noun = count == 1                                        ? QStringLiteral("problém")
        : (count % 10 >= 2 && count % 10 <= 4 && (tens < 12 || tens > 14)) ? QStringLiteral("problémy")
                                                                           : QStringLiteral("problémů");
    return QStringLiteral("%1 %2").arg(count).arg(noun);
}
inline QString warningCount(qsizetype count)
{
    if (inEnglish())
        return count == 1 ? QStringLiteral("1 warning") : QStringLiteral("%1 warnings").arg(count);
    return QStringLiteral("%1 varování").arg(count);
}

// The window's title with what the plan lists first: "1plan.out – plán ponoru – 3 varování".
inline QString planTitle(const QString& name, qsizetype warnings, qsizetype problems)
{
    QStringList counts;
    if (problems > 0)
        counts << problemCount(problems);
    if (warnings > 0)
        counts << warningCount(warnings);
    return counts.isEmpty() ? planTitle(name) : QStringLiteral("%1 – %2").arg(planTitle(name), counts.join(", "));
}

// The band above the chart: the plan's problems and warnings, or that it has none.
inline QString problemsHeading(qsizetype count)
{
    return QCoreApplication::translate("viewer", "Plán má %1 – nelze ho potápět:").arg(problemCount(count));
}
inline QString warningsHeading(qsizetype count)
{
    return QStringLiteral("%1:").arg(warningCount(count));
}
inline QString noFindings()
{
    return QCoreApplication::translate("viewer", "Plán nemá žádná varování ani problémy.");
}
// After the first entries of a long list.
inline QString moreFindings(qsizetype count)
{
    return QCoreApplication::translate("viewer", "… a dalších %1 (v textu plánu)").arg(count);
}
// A file past the size the viewer shows: how much of it is left out.
inline QString omittedPart(const QString& fileSize, const QString& shownSize, const QString& omittedSize)
{
    return QCoreApplication::translate(
        "viewer", "Soubor má %1; zobrazen je jen jeho začátek (%2), zbývajících %3 vynecháno.")
        .arg(fileSize, shownSize, omittedSize);
}
inline QString megabytes(double bytes)
{
    const QString number = QString::number(bytes / 1e6, 'f', 1);
    return QStringLiteral("%1 MB").arg(inEnglish() ? number : QString(number).replace('.', ','));
}

// Why a plan cannot be shown, naming the file.
inline QString noFileName()
{
    return QCoreApplication::translate("viewer", "Není zadán žádný soubor s plánem: jméno souboru je prázdné.");
}
inline QString missingFile(const QString& name)
{
    return QCoreApplication::translate("viewer", "Soubor s plánem „%1“ neexistuje.").arg(name);
}
inline QString unreadableFile(const QString& name)
{
    return QCoreApplication::translate("viewer", "Soubor s plánem „%1“ nelze přečíst.").arg(name);
}
// A named pipe, a device or a folder: read, it could block the viewer or never end.
inline QString notARegularFile(const QString& name)
{
    return QCoreApplication::translate("viewer", "Soubor s plánem „%1“ nelze přečíst: není to obyčejný soubor.")
        .arg(name);
}

// The window's buttons and the PDF's file dialog.
inline QString savePdfButton()
{
    return QCoreApplication::translate("viewer", "Uložit PDF…");
}
inline QString printButton()
{
    return QCoreApplication::translate("viewer", "Tisk…");
}
inline QString savePdfCaption()
{
    return QCoreApplication::translate("viewer", "Uložit PDF");
}
inline QString pdfFilter()
{
    return QStringLiteral("PDF (*.pdf)");
}
inline QString pdfNotWritten(const QString& fileName)
{
    return QCoreApplication::translate("viewer", "PDF „%1“ nelze zapsat.").arg(fileName);
}

// The chart: axes, stop labels and the tooltip of a segment.
inline QString timeAxis()
{
    return QCoreApplication::translate("viewer", "Čas ponoru (min)");
}
inline QString depthAxis(const QString& unit)
{
    return QCoreApplication::translate("viewer", "Hloubka (%1)").arg(unit);
}
// The legend's entry for a closed-circuit loop on a diluent, whatever its setpoint.
inline QString loopDiluent(const QString& diluent)
{
    return QCoreApplication::translate("viewer", "smyčka, ředidlo %1").arg(diluent);
}
inline QString ceilingLine()
{
    return QCoreApplication::translate("viewer", "strop");
}
inline QString bailoutAscent()
{
    return QStringLiteral("bailout");
}
inline QString minimumGasAscent()
{
    return QCoreApplication::translate("viewer", "výstup s minimální zásobou");
}
inline QString po2Line()
{
    return QStringLiteral("PO2");
}
inline QString po2Axis()
{
    return QStringLiteral("PO2 (bar)");
}
// The legend's one entry for the gases past the first dozen.
inline QString otherGases()
{
    return QCoreApplication::translate("viewer", "další");
}
inline QString stopLabel(const QString& depth, const QString& unit, const QString& minutes)
{
    return QCoreApplication::translate("viewer", "%1 %2 · %3 min").arg(depth, unit, minutes);
}
inline QString segmentTip(const QString& phase, const QString& depth, const QString& runtime, const QString& gas)
{
    return QCoreApplication::translate("viewer", "%1\nhloubka: %2\nčas ponoru: %3 min\nsměs: %4")
        .arg(phase, depth, runtime, gas);
}
inline QString segmentTipDetails(const QString& po2, const QString& ceiling)
{
    return ceiling.isEmpty() ? QStringLiteral("\nPO2: %1 bar").arg(po2)
                             : QCoreApplication::translate("viewer", "\nPO2: %1 bar\nstrop: %2").arg(po2, ceiling);
}

// The PDF's title block: the dive at a glance.
inline QString diveSummary(const QString& depth, const QString& bottomMinutes, const QString& runtime)
{
    return QCoreApplication::translate("viewer", "Nejhlubší bod %1 · čas na dně %2 min · celkový čas ponoru %3 min")
        .arg(depth, bottomMinutes, runtime);
}
inline QString gasesLine(const QString& gases)
{
    return QCoreApplication::translate("viewer", "Směsi: %1").arg(gases);
}
// How printedOn writes the date (QDate::toString).
inline QString printDateFormat()
{
    return QCoreApplication::translate("viewer", "d. M. yyyy");
}
inline QString printedOn(const QString& date)
{
    return QCoreApplication::translate("viewer", "Vytištěno %1").arg(date);
}

// The command line.
inline QString pdfUsage()
{
    return QCoreApplication::translate("viewer", "Použití: trova-plan --pdf VÝSTUP.pdf SOUBOR");
}
inline QString pngUsage()
{
    return QCoreApplication::translate("viewer", "Použití: trova-plan --png VÝSTUP.png SOUBOR");
}
inline QString pictureNotWritten(const QString& fileName)
{
    return QCoreApplication::translate("viewer", "Obrázek „%1“ nelze zapsat.").arg(fileName);
}

} // namespace viewer_texts
