// A print job's sheets, taken as a snapshot on the main thread (geometry, images already turned by
// the canvas rotation, paper) so a worker can paint them without touching the window. One routine
// paints them onto a PDF writer or a printer: real-size paper pages, the label block at the sheet's
// top and left margins, 144 sheet units to the inch.
#pragma once
#include "print/SheetPlan.h"

#include <QImage>
#include <QList>
#include <QPageLayout>
#include <QPageSize>

#include <functional>
#include <optional>

class QPagedPaintDevice;

class SheetSet
{
public:
    PrintSheetGeometry geometry;
    SheetPlan plan;
    QList<QImage> images; // a null image leaves its cells blank
    QPageSize paper = QPageSize(QPageSize::Letter);
    // Unset: landscape when the block with its margins is wider than high.
    std::optional<QPageLayout::Orientation> orientation;

    // Called after each sheet from the painting thread; answering false stops the job.
    using Progress = std::function<bool(int sheetsDone, int sheetCount)>;

    QPageLayout pageLayout() const;
    // One page per sheet of the plan. False when painting could not start or was stopped.
    bool paint(QPagedPaintDevice& device, const Progress& progress = {}) const;
    // The sheets as a PDF file, written whole or not at all; false with a reason on failure.
    bool writePdf(const QString& path, QString* error = nullptr, const Progress& progress = {}) const;

    // An image as placed on a sheet: turned by the canvas rotation (0 or 90 degrees).
    static QImage turnedForSheet(const QImage& image, int rotation);
};
