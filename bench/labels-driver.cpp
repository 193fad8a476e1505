// Composes label sheets from a merge file and writes them as one PDF, timing the whole run.
//   quib_labelsdriver CSV OUTPUT.pdf [SHEET]
// CSV: one label a line, "name,street,city,picture"; no quoting (the bench writes it). Each line
// becomes a page of a text box and a picture, painted as the application paints a page, at the
// sheet's cell size; the sheets are laid out and painted by the same code the print commands use.
// SHEET is a label-sheet description (default "Label - 30 Per Letter Sheet").
#include "document/DRVDocument.h"
#include "editions/DataCentre.h"
#include "editions/EditionSettings.h"
#include "editions/LabelHelper.h"
#include "editions/PrintSheetGeometry.h"
#include "model/DRVImage.h"
#include "model/DRVText.h"
#include "platform/UndoManager.h"
#include "print/SheetSet.h"
#include "publishing/PagePicture.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QPainter>
#include <QTextStream>

#include <cstdio>

namespace {

// The most labels one run composes; a merge file longer than this is cut.
constexpr int kMaximumLabels = 100000;

struct MergeRow
{
    QString name;
    QString street;
    QString city;
    QString picture;
};

QList<MergeRow> readMergeFile(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *error = file.errorString();
        return {};
    }
    QList<MergeRow> rows;
    QTextStream in(&file);
    while (!in.atEnd() && rows.size() < kMaximumLabels) {
        const QStringList fields = in.readLine().split(u',');
        if (fields.size() < 4)
            continue;
        rows.append({fields[0].trimmed(), fields[1].trimmed(), fields[2].trimmed(), fields[3].trimmed()});
    }
    return rows;
}

// One label: a page of the canvas's size with the address and the picture, painted at the cell's
// size in sheet units.
QImage labelPicture(const MergeRow& row, const QImage& picture, QSize canvas, QSize cell)
{
    DRVDocument page;
    page.undoManager()->disableUndoRegistration();
    auto* text = new DRVText(&page);
    page.insertGraphics({text}, {0});
    text->setTextType(QStringLiteral("Text"));
    text->setFontFamily(QStringLiteral("DejaVu Sans"));
    text->setFontSize(std::max(8, canvas.height() / 8));
    text->setBorderWidth(0);
    const double pictureSide = canvas.height() * 0.8;
    text->setBounds(QRectF(pictureSide + canvas.height() * 0.15, canvas.height() * 0.1,
                           canvas.width() - pictureSide - canvas.height() * 0.25, canvas.height() * 0.8));
    text->updateTextString(row.name + u'\n' + row.street + u'\n' + row.city);
    if (!picture.isNull()) {
        auto* image = new DRVImage(&page);
        page.insertGraphics({image}, {1});
        image->initWithPosition(QPointF(canvas.height() * 0.5, canvas.height() * 0.5), picture);
        image->setBounds(QRectF(canvas.height() * 0.1, canvas.height() * 0.1, pictureSide, pictureSide));
    }
    QImage label(cell, QImage::Format_RGB32);
    label.fill(Qt::white);
    QPainter painter(&label);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.scale(double(cell.width()) / canvas.width(), double(cell.height()) / canvas.height());
    PagePicture::paint(&painter, page, edition(), canvas, false);
    return label;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: quib_labelsdriver CSV OUTPUT.pdf [SHEET]\n");
        return 2;
    }
    const QString sheetName = args.size() > 3 ? args[3] : QStringLiteral("Label - 30 Per Letter Sheet");
    QElapsedTimer timer;
    timer.start();

    DataCentre::loadPrintLabels();
    const LabelHelper* sheet = DataCentre::grabLabelHelper(sheetName);
    if (!sheet) {
        std::fprintf(stderr, "no label sheet \"%s\"\n", qPrintable(sheetName));
        return 2;
    }
    DataCentre::resetPrintCanvas(sheet);
    QString error;
    const QList<MergeRow> rows = readMergeFile(args[1], &error);
    if (rows.isEmpty()) {
        std::fprintf(stderr, "no labels in %s %s\n", qPrintable(args[1]), qPrintable(error));
        return 1;
    }

    SheetSet set;
    set.geometry = printSheetGeometry();
    const QSize canvas(std::max(1, int(edition().gCanvasWidth)), std::max(1, int(edition().gCanvasHeight)));
    const QSize cell = sheetCellRect(set.geometry, 0, 0).size().toSize();
    // The merge file names few pictures many times: each is read once.
    QHash<QString, QImage> pictures;
    for (const MergeRow& row : rows) {
        if (!pictures.contains(row.picture))
            pictures.insert(row.picture, QImage(row.picture));
        set.images.append(labelPicture(row, pictures.value(row.picture), canvas, cell));
    }
    const qint64 composedMs = timer.elapsed();

    SheetRequest request;
    request.fill = SheetFill::DifferentLabels;
    request.imageCount = int(set.images.size());
    set.plan = planSheets(set.geometry, request);
    if (set.plan.refused || !set.writePdf(args[2], &error)) {
        std::fprintf(stderr, "the sheets could not be written: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("labels %lld, sheets %d, labels painted %lld ms, total %lld ms\n",
                qlonglong(set.images.size()), set.plan.sheets, composedMs, timer.elapsed());
    return 0;
}
