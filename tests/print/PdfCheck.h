// Reads PDF files back with poppler's tools: page count and size from pdfinfo, pixels from pdftoppm.
// Callers first ask haveProgramOrFail for "pdfinfo" / "pdftoppm" (package poppler-utils).
#pragma once
#include "common/ExternalTools.h"
#include "print/SheetPlan.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSizeF>
#include <QString>

namespace pdfcheck {

inline QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    process.waitForFinished(120000);
    return QString::fromUtf8(process.readAll());
}

inline bool havePoppler()
{
    return haveProgramOrFail(QStringLiteral("pdfinfo"), QStringLiteral("poppler-utils")) &&
           haveProgramOrFail(QStringLiteral("pdftoppm"), QStringLiteral("poppler-utils"));
}

inline int pageCount(const QString& pdf)
{
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("Pages: +(\\d+)")).match(run(QStringLiteral("pdfinfo"), {pdf}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// The size in points of page `page` (1-based), as pdfinfo reports it; empty when unreadable.
inline QSizeF pageSize(const QString& pdf, int page = 1)
{
    const QString info = run(QStringLiteral("pdfinfo"), {QStringLiteral("-f"), QString::number(page),
                                                         QStringLiteral("-l"), QString::number(page), pdf});
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("Page +\\d+ size: +([\\d.]+) x ([\\d.]+) pts")).match(info);
    return m.hasMatch() ? QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) : QSizeF();
}

// Page `page` (1-based) rendered at 72 dpi, so one pixel is one point; saved beside the PDF.
inline QImage pagePixels(const QString& pdf, int page = 1)
{
    const QString prefix = pdf + QStringLiteral("-page") + QString::number(page);
    run(QStringLiteral("pdftoppm"),
        {QStringLiteral("-r"), QStringLiteral("72"), QStringLiteral("-png"), QStringLiteral("-singlefile"),
         QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"), QString::number(page), pdf,
         prefix});
    return QImage(prefix + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

inline bool near(QRgb pixel, QColor colour, int tolerance = 12)
{
    return std::abs(qRed(pixel) - colour.red()) <= tolerance &&
           std::abs(qGreen(pixel) - colour.green()) <= tolerance &&
           std::abs(qBlue(pixel) - colour.blue()) <= tolerance;
}

// The centre of a sheet's cell on a 72-dpi rendering of its page, the sheet margins included.
inline QPoint cellCentre(const PrintSheetGeometry& g, int row, int column)
{
    const QPointF centre = sheetCellRect(g, row, column).center() +
                           QPointF(g.gPrintSheetLeftMarginInch * 144, g.gPrintSheetTopMarginInch * 144);
    return (centre / 2.0).toPoint();
}

} // namespace pdfcheck
