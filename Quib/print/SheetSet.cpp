#include "print/SheetSet.h"

#include "editions/DataCentre.h"

#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>

QPageLayout SheetSet::pageLayout() const
{
    QPageLayout::Orientation turn = QPageLayout::Portrait;
    if (orientation) {
        turn = *orientation;
    } else {
        // As the printing system turns a page of landscape content: by the block and its margins.
        const QSizeF block = sheetSurfaceSize(geometry) / kSheetUnitsPerInch;
        const double width =
            block.width() + geometry.gPrintSheetLeftMarginInch + geometry.gPrintSheetRightMarginInch;
        const double height =
            block.height() + geometry.gPrintSheetTopMarginInch + geometry.gPrintSheetBottomMarginInch;
        if (width > height)
            turn = QPageLayout::Landscape;
    }
    return QPageLayout(paper, turn, QMarginsF(0, 0, 0, 0), QPageLayout::Point);
}

bool SheetSet::paint(QPagedPaintDevice& device, const Progress& progress) const
{
    if (auto* printer = dynamic_cast<QPrinter*>(&device))
        printer->setFullPage(true);
    device.setPageLayout(pageLayout());
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.scale(device.logicalDpiX() / kSheetUnitsPerInch, device.logicalDpiY() / kSheetUnitsPerInch);
    painter.translate(geometry.gPrintSheetLeftMarginInch * kSheetUnitsPerInch,
                      geometry.gPrintSheetTopMarginInch * kSheetUnitsPerInch);

    const int sheets = std::max(plan.sheets, 1);
    qsizetype next = 0;
    for (int sheet = 0; sheet < sheets; ++sheet) {
        if (sheet > 0 && !device.newPage())
            return false;
        for (; next < plan.placements.size() && plan.placements[next].sheet == sheet; ++next) {
            const SheetPlacement& place = plan.placements[next];
            if (place.image < 0 || place.image >= images.size() || images[place.image].isNull())
                continue;
            painter.drawImage(sheetCellRect(geometry, place.row, place.column), images[place.image]);
        }
        if (progress && !progress(sheet + 1, sheets)) {
            painter.end();
            return false;
        }
    }
    return painter.end();
}

bool SheetSet::writePdf(const QString& path, QString* error, const Progress& progress) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    {
        QPdfWriter writer(&file);
        writer.setResolution(int(kSheetUnitsPerInch));
        writer.setCreator(QStringLiteral("Quib"));
        if (!paint(writer, progress)) {
            file.cancelWriting();
            if (error)
                *error = QStringLiteral("The sheets could not be drawn.");
            return false;
        }
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

QImage SheetSet::turnedForSheet(const QImage& image, int rotation)
{
    if (rotation == 0 || image.isNull())
        return image;
    return DataCentre::rotateImage(image, float(rotation));
}
