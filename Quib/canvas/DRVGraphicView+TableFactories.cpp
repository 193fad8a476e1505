// The plain and the responsive table, the standard table cell, and a table rebuilt as a new graphic
// (duplication): each made as a property dictionary, built into a DRVTable and inserted through the
// document.
#include "canvas/DRVGraphicView.h"

#include "document/DRVDocument.h"
#include "document/PageImageFiles.h"
#include "editions/EditionSettings.h"
#include "model/DRVGalleryGrid.h"
#include "model/DRVImage.h"
#include "model/DRVSlideshow.h"
#include "model/DRVTable.h"
#include "model/TransformView.h"
#include "model/myTextView.h"
#include "platform/Geometry.h"

#include <QTextDocument>
#include <cmath>

namespace {

constexpr int kNoSection = -99;
const QString kHelveticaNeue = QStringLiteral("Helvetica Neue");
// A responsive table is never wider than this, whatever the page.
constexpr int kResponsiveTableMaxWidth = 1000;

void setEightSpacingTypes(myTextView* cell, const QString& type)
{
    cell->setTopMarginType(type);
    cell->setBottomMarginType(type);
    cell->setLeftMarginType(type);
    cell->setRightMarginType(type);
    cell->setTopPaddingType(type);
    cell->setBottomPaddingType(type);
    cell->setLeftPaddingType(type);
    cell->setRightPaddingType(type);
}

QString number(int value)
{
    return QString::number(value);
}

} // namespace

myTextView* DRVGraphicView::createNewTableCell()
{
    auto* cell = new myTextView;
    cell->setTextStorage(new QTextDocument);
    cell->setFamilyName(kHelveticaNeue);
    cell->setFontSize(15);
    cell->textView()->setFont(DRVTable::fontNamed(kHelveticaNeue, 15));
    setNewCellLook(cell, QStringLiteral("4f4c4c"), QStringLiteral("solid"));
    cell->setTextHexColorString(QStringLiteral("4f4c4c"));
    cell->setTextAlignment(QStringLiteral("left"));
    cell->setLineSpacing(1.2f);
    setEightSpacingTypes(cell, QStringLiteral("pixel"));
    // The table takes its section from its first cell: a new one lies in none.
    cell->setSectionNumber(kNoSection);
    cell->setSectionRowSpot(kNoSection);
    cell->setSectionColumnSpot(kNoSection);
    return cell;
}

void DRVGraphicView::setNewCellLook(myTextView* cell, const QString& textColour, const QString& borderLine)
{
    cell->setAlphaValue(1.0);
    cell->setShadowFlag(0);
    cell->setTextColorString(textColour);
    // No background, in both the forms a cell keeps it (a saved page gives back both).
    cell->setColorString(QStringLiteral("CLEAR0"));
    cell->setBackgroundHexColorString(QStringLiteral("CLEAR0"));
    cell->setLinkType(QStringLiteral("shape"));
    cell->setFormType(QStringLiteral(""));
    cell->setFormTag(0);
    cell->setFormOptionTag(-99);
    cell->setFormRequiredFlag(0);
    cell->textView()->setBorderLine(borderLine);
    cell->setBorderWidth(1);
    cell->setBorderHexColorString(QStringLiteral("000000"));
}

// ---- inserting ----

DRVTable* DRVGraphicView::insertNewTable(const QString& undoName, const std::function<DRVTable*()>& build,
                                         bool atBack)
{
    if (!m_graphicsContainer)
        return nullptr;
    beginUndoStep();
    DRVTable* table = build();
    if (table) {
        const int index = atBack ? int(graphics().size()) : 0;
        if (!mutableGraphics().insertGraphics({table}, {index})) {
            delete table;
            table = nullptr;
        }
    }
    endUndoStep(undoName);
    return table;
}

DRVTable* DRVGraphicView::fitIntoSection(QPointF origin, DRVTable* table)
{
    if (!edition().gResponsiveLayoutFlag || applySection(origin, table))
        return table;
    // No section cell there: the table goes in as it is, outside every section.
    table->setSectionNumber(kNoSection);
    table->setSectionRowSpot(kNoSection);
    table->setSectionColumnSpot(kNoSection);
    return table;
}

// ---- plain table ----

void DRVGraphicView::addTable_drag(QPointF point)
{
    insertNewTable(QStringLiteral("Add Table"), [&]() -> DRVTable* {
        QList<myTextView*> cells;
        for (int column = 0; column < 4; ++column) {
            myTextView* cell = createNewTableCell();
            cell->setRowSpot(0);
            cell->setColumnSpot(column);
            cell->setWidth(200);
            cell->setHeight(100);
            // The text view takes the size too: a page stores the cell's font, so a view left at
            // 15 points would come back from a saved page smaller than the canvas showed it.
            cell->setFamilyName(kHelveticaNeue);
            cell->setFontSize(25);
            cell->textView()->setFont(DRVTable::fontNamed(kHelveticaNeue, 25));
            cells.append(cell);
        }
        QRectF rect(platform::truncToInt(point.x()), platform::truncToInt(point.y()), 800, 100);
        if (edition().gResponsiveLayoutFlag)
            rect = grabSectionRect(point, QRectF(point, QSizeF(1000, 100)));
        QVariantMap p;
        p.insert(QStringLiteral("imageArray"), QVariant::fromValue(QList<TransformView*>()));
        p.insert(QStringLiteral("bounds"), platform::stringFromRect(rect));
        p.insert(QStringLiteral("numOfColumns"), QStringLiteral("4"));
        p.insert(QStringLiteral("numOfRows"), QStringLiteral("1"));
        p.insert(QStringLiteral("padding"), QStringLiteral("5"));
        p.insert(QStringLiteral("cellArray"), QVariant::fromValue(cells));
        p.insert(QStringLiteral("borderStyle"), QStringLiteral("solid"));
        p.insert(QStringLiteral("borderWidth"), QStringLiteral("1"));
        p.insert(QStringLiteral("borderHexColorString"), QStringLiteral("000000"));
        p.insert(QStringLiteral("gridType"), QStringLiteral("table"));
        auto* table = new DRVTable;
        table->initWithProperties(p);
        return fitIntoSection(rect.topLeft(), table);
    });
}

void DRVGraphicView::addTable()
{
    const QPointF origin = calculateOriginPoint();
    addTable_drag(QPointF(platform::truncToInt(origin.x()), platform::truncToInt(origin.y())));
}

// ---- responsive table ----

void DRVGraphicView::addTable_Responsive(const QStringList& spans, int count, QPointF point)
{
    const int columns = std::clamp(count, 0, int(spans.size()));
    int total = 0;
    for (int c = 0; c < columns; ++c)
        total += std::max(0, spans.at(c).toInt());
    // Spans that add up to nothing would divide by zero.
    if (total <= 0)
        return;
    insertNewTable(QStringLiteral("Add Table"), [&]() -> DRVTable* {
        const bool responsive = edition().gResponsiveLayoutFlag;
        const int pageWidth = m_graphicsContainer->docSpecificPageWidth();
        // A page that never had its width set is as wide as the largest table.
        const int width =
            pageWidth > 0 ? std::min(pageWidth, kResponsiveTableMaxWidth) : kResponsiveTableMaxWidth;
        QRectF rect(point.x(), point.y(), width, 100);
        if (responsive) {
            rect = grabSectionRect(point, rect);
            shiftObjectsInSection(point, rect);
        }
        const float factor = float(rect.width() / double(total));
        QList<myTextView*> cells;
        for (int c = 0; c < columns; ++c) {
            myTextView* cell = createNewTableCell();
            cell->setRowSpot(0);
            cell->setColumnSpot(c);
            cell->setWidth(platform::truncToInt(float(std::max(0, spans.at(c).toInt())) * factor));
            cell->setHeight(100);
            cell->textView()->setBorderLine(responsive ? QStringLiteral("none") : QStringLiteral("solid"));
            setEightSpacingTypes(cell, QStringLiteral("pixel"));
            cell->setFamilyName(kHelveticaNeue);
            cell->setFontSize(28);
            cell->setVerticalAlignment(1);
            cells.append(cell);
        }
        if (!responsive)
            rect = QRectF(platform::truncToInt(point.x()), platform::truncToInt(point.y()), width, 100);
        QVariantMap p;
        p.insert(QStringLiteral("imageArray"), QVariant::fromValue(QList<TransformView*>()));
        p.insert(QStringLiteral("bounds"), platform::stringFromRect(rect));
        p.insert(QStringLiteral("numOfColumns"), number(columns));
        p.insert(QStringLiteral("numOfRows"), QStringLiteral("1"));
        p.insert(QStringLiteral("padding"), QStringLiteral("0"));
        p.insert(QStringLiteral("cellArray"), QVariant::fromValue(cells));
        p.insert(QStringLiteral("borderStyle"),
                 responsive ? QStringLiteral("none") : QStringLiteral("solid"));
        p.insert(QStringLiteral("borderWidth"), QStringLiteral("15"));
        p.insert(QStringLiteral("borderHexColorString"), QStringLiteral("000000"));
        p.insert(QStringLiteral("gridType"), QStringLiteral("table"));
        for (const char* key : {"topPaddingType", "bottomPaddingType", "leftPaddingType", "rightPaddingType",
                                "topMarginType", "bottomMarginType", "leftMarginType", "rightMarginType"})
            p.insert(QLatin1String(key), QStringLiteral("pixel"));
        auto* table = new DRVTable;
        table->initWithProperties(p);
        return fitIntoSection(rect.topLeft(), table);
    });
}

// ---- duplication ----

QStringList DRVGraphicView::imageNamesInUse() const
{
    QStringList names;
    auto addCarriers = [&names](const QList<TransformView*>& carriers) {
        for (const TransformView* carrier : carriers) {
            if (carrier)
                names.append(carrier->imageName());
        }
    };
    for (DRVGraphic* graphic : graphics()) {
        if (graphic->isImageGraphic())
            names.append(graphic->imageName());
        else if (auto* slideshow = qobject_cast<DRVSlideshow*>(graphic))
            addCarriers(slideshow->imageArray());
        else if (auto* gallery = qobject_cast<DRVGalleryGrid*>(graphic))
            addCarriers(gallery->imageArray());
        else if (auto* table = qobject_cast<DRVTable*>(graphic)) {
            addCarriers(table->imageArray());
            addCarriers(table->tableBackgroundArray());
        }
    }
    return names;
}

DRVTable* DRVGraphicView::duplicateTable(DRVTable* source, int targetY, const QString& sourcePagePath)
{
    // Nothing to rebuild: an empty table at the page's corner would only be litter.
    if (!source)
        return nullptr;
    DRVTable* copy = insertNewTable(QStringLiteral("Duplicate"), [&]() -> DRVTable* {
        QVariantMap p = source->properties();
        const int sectionNumber = findNextSectionNumber();

        QList<myTextView*> cells;
        for (const myTextView* cell : source->cellHelperArray()) {
            if (!cell)
                continue;
            myTextView* cellCopy = DRVTable::copyOfCell(cell);
            cellCopy->setSectionNumber(sectionNumber);
            cells.append(cellCopy);
        }

        // Every picture gets the next free name of the page, counting those this copy has taken,
        // and its files are copied beside the page under that name.
        const QString pagePath = m_graphicsContainer->pagePath();
        QStringList taken = imageNamesInUse();
        auto renamed = [&](const TransformView* picture) {
            TransformView* pictureCopy = DRVTable::copyOfImage(picture);
            const QString newName = PageImageFiles::getNextImageName(taken, m_tempPagePath);
            pictureCopy->setImageName(newName);
            pictureCopy->setTemplateName(QStringLiteral(""));
            taken.append(newName);
            if (!pagePath.isEmpty())
                PageImageFiles::transferImageFilesForNewName(
                    sourcePagePath.isEmpty() ? pagePath : sourcePagePath, pagePath, picture->imageName(),
                    newName, picture->imageType());
            return pictureCopy;
        };
        QList<TransformView*> images;
        for (const TransformView* picture : source->imageArray()) {
            if (picture)
                images.append(renamed(picture));
        }
        QList<TransformView*> backgrounds;
        if (const TransformView* background = source->tableBackgroundImage())
            backgrounds.append(renamed(background));

        QRectF rect = source->bounds();
        int offset = 0;
        if (edition().gSectionAwarePasteFlag && source->gridType() == QLatin1String("section")) {
            offset = platform::truncToInt(rect.y() - targetY);
            rect.moveTop(targetY);
        }
        p.insert(QStringLiteral("bounds"), platform::stringFromRect(rect));
        p.insert(QStringLiteral("cellArray"), QVariant::fromValue(cells));
        p.insert(QStringLiteral("imageArray"), QVariant::fromValue(images));
        p.insert(QStringLiteral("tableBackgroundArray"), QVariant::fromValue(backgrounds));
        p.insert(QStringLiteral("padding"), number(source->padding()));
        p.insert(QStringLiteral("sectionNumber"), number(sectionNumber));
        auto* table = new DRVTable;
        table->initWithProperties(p);
        // Reading a dictionary styles a table after its first cell; the copy keeps the source's own.
        table->takeValuesOf(source, {QStringLiteral("sectionNumber"), QStringLiteral("interimCopyFlag"),
                                     QStringLiteral("interimTranslatedY")});
        table->setInterimCopyFlag(true);
        source->setInterimTranslatedY(offset);
        return table;
    });
    return copy;
}
