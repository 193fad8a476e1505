// Sections and cells on the canvas: membership, look-ups under a point or rectangle, free places,
// fitting objects into their cells and the push-down of the sections below.
#include "canvas/DRVGraphicView.h"

#include "editions/DataCentre.h"
#include "editions/EditionSettings.h"
#include "model/DRVGalleryGrid.h"
#include "model/DRVSlideshow.h"
#include "model/DRVTable.h"
#include "model/DRVText.h"
#include "model/myTextView.h"
#include "platform/Geometry.h"

#include <algorithm>

namespace {

constexpr int kNoSpot = -99;

bool isSection(const DRVGraphic* graphic)
{
    return graphic && graphic->isSectionTable();
}

// "sectionTemplate" tables travel with the section whose number they carry.
bool isPlainSection(const DRVGraphic* graphic)
{
    return graphic && graphic->gridType() == QLatin1String("section");
}

} // namespace

QList<DRVGraphic*> DRVGraphicView::findObjectsInSection(DRVGraphic* section)
{
    QList<DRVGraphic*> members;
    if (!isSection(section))
        return members;
    const QList<DRVGraphic*> selected = selectedGraphics();
    for (DRVGraphic* graphic : graphics()) {
        if (isSection(graphic) || graphic->sectionNumber() != section->sectionNumber())
            continue;
        graphic->setMovingAsPartOfSection(!selected.contains(graphic));
        members.append(graphic);
    }
    return members;
}

QList<DRVGraphic*> DRVGraphicView::findObjectsInSectionCell(const myTextView* cell) const
{
    QList<DRVGraphic*> members;
    if (!cell)
        return members;
    for (DRVGraphic* graphic : graphics()) {
        if (!isSection(graphic) && graphic->sectionNumber() == cell->sectionNumber() &&
            graphic->sectionRowSpot() == cell->rowSpot() &&
            graphic->sectionColumnSpot() == cell->columnSpot())
            members.append(graphic);
    }
    return members;
}

bool DRVGraphicView::isThereGraphicAtRect_includingSection(const QRectF& rect) const
{
    const QList<DRVGraphic*> all = graphics();
    return std::any_of(all.begin(), all.end(),
                       [&rect](DRVGraphic* g) { return platform::rectIntersectsRect(g->bounds(), rect); });
}

bool DRVGraphicView::isThereGraphicAtRect(const QRectF& rect) const
{
    const QList<DRVGraphic*> all = graphics();
    return std::any_of(all.begin(), all.end(), [&rect](DRVGraphic* g) {
        return !isSection(g) && platform::rectIntersectsRect(g->bounds(), rect);
    });
}

bool DRVGraphicView::isThereGraphicAtPoint(QPointF point) const
{
    const QList<DRVGraphic*> all = graphics();
    return std::any_of(all.begin(), all.end(), [point](DRVGraphic* g) {
        return !isSection(g) && platform::pointInRect(point, g->bounds());
    });
}

bool DRVGraphicView::isThereGraphicAtNewLocation(const DRVGraphic* graphic, const QRectF& rect) const
{
    const bool movingSection = isSection(graphic);
    for (DRVGraphic* other : graphics()) {
        if (other == graphic || !platform::rectIntersectsRect(other->bounds(), rect))
            continue;
        // A section over ordinary objects, or an object over a section, is no overlap.
        if (isSection(other) == movingSection)
            return true;
    }
    return false;
}

DRVGraphic* DRVGraphicView::grabOverLappingSection(const QRectF& rect)
{
    QList<DRVGraphic*> all = graphics();
    for (DRVGraphic* graphic : all) {
        graphic->setOriginX(platform::truncToInt(graphic->bounds().x()));
        graphic->setOriginY(platform::truncToInt(graphic->bounds().y()));
    }
    all = DataCentre::sortArray(all, &DRVGraphic::originY, true);
    for (DRVGraphic* graphic : all) {
        if (isSection(graphic) && platform::rectIntersectsRect(graphic->bounds(), rect))
            return graphic;
    }
    return nullptr;
}

void DRVGraphicView::pushSectionsDownward(const QRectF& rect, bool toRectTop)
{
    DRVGraphic* first = grabOverLappingSection(rect);
    if (!first)
        return;
    const double target =
        toRectTop ? platform::truncToInt(rect.y()) : platform::truncToInt(rect.y() + rect.height());
    const int distance = platform::truncToInt(target - first->bounds().y());
    for (DRVGraphic* graphic : graphics()) {
        if (graphic != first && !(isSection(graphic) && graphic->bounds().y() > rect.y()))
            continue;
        graphic->setBounds(graphic->bounds().translated(0, distance));
        pushSectionObjectsDown(graphic->sectionNumber(), distance);
    }
}

void DRVGraphicView::identifyAndPushSectionsDownward(const QRectF& rect)
{
    pushSectionsDownward(rect, false);
}

void DRVGraphicView::identifyAndPushSectionsDownwardByOnePixel(const QRectF& rect)
{
    pushSectionsDownward(rect, true);
}

void DRVGraphicView::identifyAndPushSectionsDownwardByDifference(const QRectF& rect)
{
    pushSectionsDownward(rect, false);
}

void DRVGraphicView::pushSectionObjectsDown(int sectionNumber, int distance)
{
    for (DRVGraphic* graphic : graphics()) {
        if (graphic->sectionNumber() == sectionNumber && !isPlainSection(graphic))
            graphic->setBounds(graphic->bounds().translated(0, distance));
    }
}

DRVGraphic* DRVGraphicView::grabTopMostObjectInSection(DRVGraphic* section)
{
    QList<DRVGraphic*> members = findObjectsInSection(section);
    for (DRVGraphic* member : members)
        member->setOriginY(platform::truncToInt(member->bounds().y()));
    members = DataCentre::sortArray(members, &DRVGraphic::originY, true);
    return members.isEmpty() ? nullptr : members.constFirst();
}

DRVGraphic* DRVGraphicView::grabBottomMostObjectInSection(DRVGraphic* section)
{
    QList<DRVGraphic*> members = findObjectsInSection(section);
    for (DRVGraphic* member : members)
        member->setBottomEdgeY(platform::truncToInt(member->bounds().y() + member->bounds().height()));
    members = DataCentre::sortArray(members, &DRVGraphic::bottomEdgeY, false);
    return members.isEmpty() ? nullptr : members.constFirst();
}

DRVTable* DRVGraphicView::sectionWithCellAt(QPointF point, int* row, int* column, int from) const
{
    const int x = platform::truncToInt(point.x());
    const int y = platform::truncToInt(point.y());
    const QList<DRVGraphic*> all = graphics();
    for (qsizetype i = from; i < all.size(); ++i) {
        auto* table = qobject_cast<DRVTable*>(all.at(i));
        if (!isSection(table))
            continue;
        const int c = table->grabColumnSpot(x, y);
        const int r = table->grabRowSpot(x, y);
        if (c >= 0 && r >= 0) {
            *row = r;
            *column = c;
            return table;
        }
    }
    return nullptr;
}

QRectF DRVGraphicView::grabOverLappingSectionCell(QPointF point)
{
    int row = kNoSpot, column = kNoSpot;
    DRVTable* section = sectionWithCellAt(point, &row, &column);
    if (!section)
        return QRectF();
    m_selectedTable = section;
    QRectF cell = section->grabSelectedCellRect(row, column);
    if (edition().gResponsiveLayoutFlag) {
        section->drawBoxModel();
        // The top spacing moves the cell down without shortening it; the bottom spacing shortens it.
        cell.moveTop(cell.y() + section->topMarginInPx() + section->topPaddingInPx());
        cell.setHeight(cell.height() - section->bottomPaddingInPx() - section->bottomMarginInPx());
    }
    return cell;
}

myTextView* DRVGraphicView::grabOverLappingSectionCellView(QPointF point)
{
    int row = kNoSpot, column = kNoSpot;
    DRVTable* section = sectionWithCellAt(point, &row, &column);
    if (!section)
        return nullptr;
    m_selectedTable = section;
    return section->grabSelectedTableCellHelper(row, column);
}

QRectF DRVGraphicView::grabSectionRect(QPointF point, const QRectF& rect)
{
    const QRectF cell = grabOverLappingSectionCell(point);
    if (cell == QRectF())
        return rect;
    return QRectF(cell.x(), point.y(), cell.width(), platform::truncToInt(rect.height()));
}

DRVGraphic* DRVGraphicView::applySection(QPointF point, DRVGraphic* graphic)
{
    int row = kNoSpot, column = kNoSpot;
    DRVTable* section = graphic ? sectionWithCellAt(point, &row, &column) : nullptr;
    if (!section)
        return nullptr;
    graphic->setSectionNumber(section->sectionNumber());
    graphic->setSectionRowSpot(row);
    graphic->setSectionColumnSpot(column);
    return graphic;
}

DRVGraphic* DRVGraphicView::isObjectStillInSameSectionGrid(QPointF point, DRVGraphic* graphic)
{
    if (!graphic)
        return graphic;
    const QList<DRVGraphic*> all = graphics();
    int row = kNoSpot, column = kNoSpot;
    int from = 0;
    while (DRVTable* section = sectionWithCellAt(point, &row, &column, from)) {
        from = int(all.indexOf(section)) + 1;
        if (graphic->sectionNumber() == section->sectionNumber()) {
            if (graphic->sectionRowSpot() == row && graphic->sectionColumnSpot() == column)
                break;
            continue; // another cell of its own section: look on
        }
        graphic->setSectionNumber(section->sectionNumber());
        graphic->setSectionRowSpot(row);
        graphic->setSectionColumnSpot(column);
        reAlignSectionObjects(section);
        break;
    }
    return graphic;
}

void DRVGraphicView::reAlignSectionObjects(DRVGraphic* section)
{
    auto* table = qobject_cast<DRVTable*>(section);
    if (!table)
        return;
    for (const myTextView* cell : table->cellHelperArray()) {
        if (!cell)
            continue;
        const QRect area = table->grabSelectedCellRect(cell->rowSpot(), cell->columnSpot());
        for (DRVGraphic* graphic : graphics()) {
            if (isPlainSection(graphic) || graphic->sectionNumber() != cell->sectionNumber() ||
                graphic->sectionRowSpot() != cell->rowSpot() ||
                graphic->sectionColumnSpot() != cell->columnSpot())
                continue;
            if (graphic->formType() == QLatin1String("radio") ||
                graphic->formType() == QLatin1String("checkbox"))
                continue;
            const QRectF b = graphic->bounds();
            const double y = std::max(b.y(), double(area.y()));
            double width = b.width();
            double height = b.height();
            if (graphic->responsiveResizeFlag() != 1) {
                width = area.width();
                // The part that stuck out above the cell is cut off.
                height = b.height() - std::max(0.0, area.y() - b.y());
            }
            double x = area.x();
            // Option labels of form groups and the bot-check items are indented.
            const int option = graphic->formOptionTag();
            if (option != -99 && option != -11 && graphic->formType() != QLatin1String("submit")) {
                x += 30;
                width -= 30;
            }
            // A graphic wholly above its cell, or a cell narrower than the indent, keeps its own
            // size rather than ending with none.
            int newWidth = platform::truncToInt(width);
            int newHeight = platform::truncToInt(height);
            if (newWidth <= 0)
                newWidth = platform::truncToInt(b.width());
            if (newHeight <= 0)
                newHeight = platform::truncToInt(b.height());
            graphic->setBounds(
                QRectF(platform::truncToInt(x), platform::truncToInt(y), newWidth, newHeight));
        }
    }
    // The responsive re-placement by each object's alignment arrives with the inspector's handlers.
}

DRVTable* DRVGraphicView::grabMySection(int sectionNumber) const
{
    for (DRVTable* table : graphicsWithClass<DRVTable>()) {
        if (table->sectionNumber() == sectionNumber && isPlainSection(table))
            return table;
    }
    return nullptr;
}

int DRVGraphicView::findNextSectionNumber() const
{
    // Graphics in no section carry -99; numbering starts at 1 whatever they carry.
    int highest = 0;
    for (DRVGraphic* graphic : graphics())
        highest = std::max(highest, graphic->sectionNumber());
    return highest + 1;
}

// ---- making room in a cell ----

QRectF DRVGraphicView::shiftObjectsInSection(QPointF point, const QRectF& rect)
{
    QList<DRVGraphic*> members = findObjectsInSectionCell(grabOverLappingSectionCellView(point));
    for (DRVGraphic* member : members)
        member->setOriginY(platform::truncToInt(member->bounds().y()));
    members = DataCentre::sortArray(members, &DRVGraphic::originY, true);
    DRVGraphic* last = nullptr;
    QList<DRVGraphic*> below;
    for (DRVGraphic* member : std::as_const(members)) {
        if (member->bounds().y() > rect.y())
            below.append(member);
    }
    if (!below.isEmpty()) {
        const int shift = platform::truncToInt(rect.y() + rect.height() - below.constFirst()->bounds().y());
        for (DRVGraphic* member : std::as_const(below))
            member->setBounds(member->bounds().translated(0, shift));
        last = below.constLast();
    }
    DRVGraphic* section = grabOverLappingSection(rect);
    double contentBottom = 0;
    if (section) {
        section->drawBoxModel();
        contentBottom = section->contentRect().y() + section->contentRect().height();
    }
    const double bottom =
        last ? last->bounds().y() + last->bounds().height() : rect.y() + rect.height();
    const int overflow = platform::truncToInt(bottom - platform::truncToInt(contentBottom));
    if (overflow > 0 && section) {
        const QRectF s = section->bounds();
        // A section starting within the strip below ends 50 pixels under the grown one.
        identifyAndPushSectionsDownward(QRectF(s.x(), s.y() + s.height(), s.width(), overflow + 50));
        section->setBounds(QRectF(s.x(), s.y(), s.width(), s.height() + overflow));
    }
    return rect;
}

// ---- groups and centring ----

bool DRVGraphicView::existInArray(const QList<int>& numbers, int number)
{
    return numbers.contains(number);
}

QList<DRVGraphic*> DRVGraphicView::findMatchingGroupObjects(const DRVGraphic* graphic) const
{
    QList<DRVGraphic*> members;
    // Ungrouped graphics (-99) share no group with one another.
    if (!graphic || graphic->groupNumber() == kNoSpot)
        return members;
    for (DRVGraphic* other : graphics()) {
        if (other == graphic || other->groupNumber() != graphic->groupNumber())
            continue;
        const bool takesPart = qobject_cast<DRVText*>(other) || qobject_cast<DRVTable*>(other) ||
                               qobject_cast<DRVGalleryGrid*>(other) ||
                               qobject_cast<DRVSlideshow*>(other) || other->isImageGraphic() ||
                               other->isLineGraphic();
        if (takesPart)
            members.append(other);
    }
    return members;
}

bool DRVGraphicView::centerGroupShown() const
{
    return !edition().gHideCenterGroupFlag && !selectionIndexes().isEmpty();
}

void DRVGraphicView::shiftSelectionLeft(int offset, const QString& actionName)
{
    if (!m_graphicsContainer)
        return;
    beginUndoStep();
    m_graphicsContainer->trimAllObjects(offset, selectedGraphics());
    endUndoStep(actionName);
}

void DRVGraphicView::centerGroup()
{
    if (!m_graphicsContainer)
        return;
    const QList<DRVGraphic*> selected = selectedGraphics();
    const int sMin = m_graphicsContainer->findMinScreenXForArray(selected);
    const int sMax = m_graphicsContainer->findMaxScreenWidthForArray(selected);
    const int pMin = m_graphicsContainer->findMinScreenX();
    const int pMax = m_graphicsContainer->findMaxScreenWidth();
    // The selection's middle lands at half the page's content width, as pages have always had it.
    shiftSelectionLeft((sMax - sMin) / 2 + sMin - (pMax - pMin) / 2, QStringLiteral("Center Group"));
}

void DRVGraphicView::centerOnCanvas()
{
    const QList<DRVGraphic*> selected = selectedGraphics();
    if (!m_graphicsContainer || selected.isEmpty())
        return;
    const int sMin = m_graphicsContainer->findMinScreenXForArray(selected);
    const int sMax = m_graphicsContainer->findMaxScreenWidthForArray(selected);
    shiftSelectionLeft((sMax - sMin) / 2 + sMin - edition().gCanvasWidth / 2,
                       QStringLiteral("Center on Canvas"));
}

void DRVGraphicView::centerWithinGroup()
{
    const QList<DRVGraphic*> selected = selectedGraphics();
    if (!m_graphicsContainer || selected.isEmpty())
        return;
    DRVGraphic* first = selected.constFirst();
    const QList<DRVGraphic*> others = findMatchingGroupObjects(first);
    int gMin = platform::truncToInt(first->bounds().x());
    int gMax = platform::truncToInt(first->bounds().x() + first->bounds().width());
    if (!others.isEmpty()) {
        gMin = m_graphicsContainer->findMinScreenXForArray(others);
        gMax = m_graphicsContainer->findMaxScreenWidthForArray(others);
    }
    const int sMin = m_graphicsContainer->findMinScreenXForArray(selected);
    const int sMax = m_graphicsContainer->findMaxScreenWidthForArray(selected);
    shiftSelectionLeft(sMin - gMin - (gMax - gMin) / 2 + (sMax - sMin) / 2,
                       QStringLiteral("Center Within Group"));
}

bool DRVGraphicView::doesSelectedTableContainBackgroundPattern() const
{
    return m_selectedTable && m_selectedTable->tableBackgroundImage() != nullptr;
}

void DRVGraphicView::removeTableBackgroundImage()
{
    if (!m_selectedTable)
        return;
    m_selectedTable->setTableBackgroundImage(nullptr);
    // Lays the table out again and redraws it.
    m_selectedTable->setBounds(m_selectedTable->bounds());
}

void DRVGraphicView::reAlignFormOptions()
{
    const bool overlapCheck = edition().gOverlapCheckFlag;
    const double dx = overlapCheck ? 20 : 30;
    const double dy = overlapCheck ? 0 : 8;
    const QList<DRVText*> texts = graphicsWithClass<DRVText>();
    for (DRVText* label : texts) {
        if (label->formType() != QLatin1String("textLabel"))
            continue;
        const auto partner = std::find_if(texts.begin(), texts.end(), [label](DRVText* other) {
            return other != label && other->formTag() == label->formTag() &&
                   other->formOptionTag() == label->formOptionTag();
        });
        if (partner == texts.end())
            continue;
        DRVText* option = *partner;
        if (option->formType() != QLatin1String("radio") && option->formType() != QLatin1String("checkbox"))
            continue;
        const QRectF l = label->bounds();
        option->setBounds(
            QRectF(l.x() - dx, l.y() + dy, option->bounds().width(), option->bounds().height()));
    }
}
