// Arrange commands of the canvas: edge and centre alignment, even spacing, grid snapping, same
// size, stacking order and select all. Graphics change through their setters and the document's
// array, so undo and redrawing follow from observation; each command is one named undo step.
#include "canvas/DRVGraphicView.h"

#include "canvas/DRVGrid.h"
#include "document/DRVDocument.h"
#include "model/DRVGraphic.h"

#include <algorithm>
#include <cmath>

namespace {

// The platform's point-in-rectangle test: left and top edges inside, right and bottom outside.
bool containsPoint(const QRectF& r, QPointF p)
{
    return p.x() >= r.x() && p.y() >= r.y() && p.x() < r.x() + r.width() && p.y() < r.y() + r.height();
}

int trunc32(double value)
{
    return int(std::trunc(value));
}

enum class Edge { Left, Right, Top, Bottom, Width, Height };

// The bounds of graphic with one value taken from the reference; unchanged when already equal.
QRectF alignedTo(const QRectF& b, const QRectF& r, Edge edge)
{
    QRectF out = b;
    switch (edge) {
    case Edge::Left:
        out.moveLeft(r.x());
        break;
    case Edge::Right:
        out.moveLeft(r.x() + r.width() - b.width());
        break;
    case Edge::Top:
        out.moveTop(r.y());
        break;
    case Edge::Bottom:
        out.moveTop(r.y() + r.height() - b.height());
        break;
    case Edge::Width:
        out.setWidth(r.width());
        break;
    case Edge::Height:
        out.setHeight(r.height());
        break;
    }
    return out;
}

void alignSelection(const QList<DRVGraphic*>& selected, const DRVGraphic* reference, Edge edge)
{
    if (selected.size() < 2 || !reference)
        return;
    const QRectF r = reference->bounds();
    for (DRVGraphic* graphic : selected) {
        const QRectF next = alignedTo(graphic->bounds(), r, edge);
        if (next != graphic->bounds())
            graphic->setBounds(next);
    }
}

void centreSelection(const QList<DRVGraphic*>& selected, bool horizontal)
{
    if (selected.size() < 2)
        return;
    const QRectF r = selected.constFirst()->bounds();
    for (qsizetype i = 1; i < selected.size(); ++i) {
        DRVGraphic* g = selected.at(i);
        QRectF b = g->bounds();
        if (horizontal)
            b.moveLeft(r.x() + r.width() * 0.5 - b.width() * 0.5);
        else
            b.moveTop(r.y() + r.height() * 0.5 - b.height() * 0.5);
        if (b != g->bounds())
            g->setBounds(b);
    }
}

void spaceSelection(QList<DRVGraphic*> sorted, bool horizontal)
{
    const auto origin = [horizontal](const DRVGraphic* g) {
        return horizontal ? g->bounds().x() : g->bounds().y();
    };
    const auto extent = [horizontal](const DRVGraphic* g) {
        return horizontal ? g->bounds().width() : g->bounds().height();
    };
    std::stable_sort(sorted.begin(), sorted.end(), [&](const DRVGraphic* a, const DRVGraphic* b) {
        return trunc32(origin(a)) < trunc32(origin(b));
    });
    if (sorted.size() < 2)
        return;
    const DRVGraphic* first = sorted.at(0);
    const DRVGraphic* second = sorted.at(1);
    const int e0 = trunc32(origin(first) + extent(first));
    const int e1 = trunc32(origin(second) + extent(second));
    int gap = 0;
    int edge = 0;
    if (e1 > e0) {
        gap = std::abs(trunc32(origin(second)) - e0);
        edge = e1;
    } else {
        gap = std::abs(trunc32(origin(first)) - e1);
        edge = e0;
    }
    for (qsizetype i = 2; i < sorted.size(); ++i) {
        DRVGraphic* g = sorted.at(i);
        const int place = edge + gap;
        QRectF b = g->bounds();
        if (horizontal)
            b.moveLeft(place);
        else
            b.moveTop(place);
        g->setBounds(b);
        edge = trunc32(place + extent(g));
    }
}

} // namespace

DRVGraphic* DRVGraphicView::lastSelectedGraphic() const
{
    const QList<DRVGraphic*> selected = selectedGraphics();
    for (DRVGraphic* graphic : selected) {
        if (containsPoint(graphic->bounds(), m_lastTouchPoint))
            return graphic;
    }
    return selected.isEmpty() ? nullptr : selected.constFirst();
}

QList<DRVGraphic*> DRVGraphicView::selectableGraphics() const
{
    QList<DRVGraphic*> found;
    for (DRVGraphic* graphic : graphics()) {
        if (graphic->selectable())
            found.append(graphic);
    }
    return found;
}

#define QUIB_ALIGN_COMMAND(name, edge, undoName)                                                             \
    void DRVGraphicView::name()                                                                              \
    {                                                                                                        \
        beginUndoStep();                                                                                     \
        alignSelection(selectedGraphics(), lastSelectedGraphic(), edge);                                     \
        endUndoStep(QStringLiteral(undoName));                                                               \
        reAlignFormOptions();                                                                                \
    }

QUIB_ALIGN_COMMAND(alignLeftEdges, Edge::Left, "Align Left Edges")
QUIB_ALIGN_COMMAND(alignRightEdges, Edge::Right, "Align Right Edges")
QUIB_ALIGN_COMMAND(alignTopEdges, Edge::Top, "Align Top Edges")
QUIB_ALIGN_COMMAND(alignBottomEdges, Edge::Bottom, "Align Bottom Edges")
QUIB_ALIGN_COMMAND(makeSameWidth, Edge::Width, "Make Same Width")
QUIB_ALIGN_COMMAND(makeSameHeight, Edge::Height, "Make Same Height")
#undef QUIB_ALIGN_COMMAND

void DRVGraphicView::makeSameSize()
{
    beginUndoStep();
    const QList<DRVGraphic*> selected = selectedGraphics();
    const DRVGraphic* reference = lastSelectedGraphic();
    alignSelection(selected, reference, Edge::Width);
    alignSelection(selected, reference, Edge::Height);
    endUndoStep(QStringLiteral("Make Same Height"));
    reAlignFormOptions();
}

void DRVGraphicView::alignHorizontalCenters()
{
    beginUndoStep();
    centreSelection(selectedGraphics(), true);
    endUndoStep(QStringLiteral("Align Horizontal Centers"));
    reAlignFormOptions();
}

void DRVGraphicView::alignVerticalCenters()
{
    beginUndoStep();
    centreSelection(selectedGraphics(), false);
    endUndoStep(QStringLiteral("Align Vertical Centers"));
    reAlignFormOptions();
}

void DRVGraphicView::alignHorizontalSpacing()
{
    // Named by the undo manager from the changed key, as the command sets no name of its own.
    beginUndoStep();
    spaceSelection(selectedGraphics(), true);
    endUndoStep(QString());
    reAlignFormOptions();
}

void DRVGraphicView::alignVerticalSpacing()
{
    beginUndoStep();
    spaceSelection(selectedGraphics(), false);
    endUndoStep(QString());
    reAlignFormOptions();
}

void DRVGraphicView::alignWithGrid()
{
    const QList<DRVGraphic*> selected = selectedGraphics();
    if (selected.isEmpty() || !m_grid || !m_grid->canAlign())
        return;
    beginUndoStep();
    for (DRVGraphic* graphic : selected)
        graphic->setBounds(m_grid->alignedRect(graphic->bounds()));
    endUndoStep(QStringLiteral("Grid Selected Graphics"));
}

void DRVGraphicView::makeNaturalSize()
{
    const QList<DRVGraphic*> selected = selectedGraphics();
    if (selected.isEmpty())
        return;
    beginUndoStep();
    for (DRVGraphic* graphic : selected)
        graphic->makeNaturalSize();
    endUndoStep(QStringLiteral("Make Natural Size"));
}

void DRVGraphicView::bringForward()
{
    const QList<DRVGraphic*> selected = selectedGraphics();
    if (selected.isEmpty() || !m_graphicsContainer)
        return;
    DRVGraphic* g = selected.constFirst();
    const QList<DRVGraphic*> all = graphics();
    const int i = int(all.indexOf(g));
    for (int j = 0; j < i; ++j) {
        if (!all.at(j)->bounds().intersects(g->bounds()))
            continue;
        beginUndoStep();
        m_graphicsContainer->removeGraphicsAtIndexes({i});
        m_graphicsContainer->insertGraphics({g}, {j});
        endUndoStep(QString());
        return;
    }
}

void DRVGraphicView::sendBackward()
{
    const QList<DRVGraphic*> selected = selectedGraphics();
    if (selected.isEmpty() || !m_graphicsContainer)
        return;
    DRVGraphic* g = selected.constFirst();
    const QList<DRVGraphic*> selectable = selectableGraphics();
    const qsizetype k = selectable.indexOf(g);
    for (qsizetype p = k + 1; p < selectable.size(); ++p) {
        DRVGraphic* h = selectable.at(p);
        if (!h->bounds().intersects(g->bounds()))
            continue;
        const QList<DRVGraphic*> all = graphics();
        const int t = int(all.indexOf(h));
        beginUndoStep();
        m_graphicsContainer->removeGraphicsAtIndexes({int(all.indexOf(g))});
        m_graphicsContainer->insertGraphics({g}, {t});
        endUndoStep(QString());
        return;
    }
}

void DRVGraphicView::bringToFront()
{
    const QList<int> indexes = selectionIndexes();
    if (indexes.isEmpty() || !m_graphicsContainer)
        return;
    const QList<DRVGraphic*> moving = selectedGraphics();
    QList<int> front;
    for (int i = 0; i < int(moving.size()); ++i)
        front.append(i);
    beginUndoStep();
    changeSelectionIndexes({});
    m_graphicsContainer->removeGraphicsAtIndexes(indexes);
    m_graphicsContainer->insertGraphics(moving, front);
    changeSelectionIndexes(front);
    endUndoStep(QStringLiteral("Bring To Front"));
}

void DRVGraphicView::sendToBack()
{
    const QList<int> indexes = selectionIndexes();
    if (indexes.isEmpty() || !m_graphicsContainer)
        return;
    const QList<DRVGraphic*> moving = selectedGraphics();
    const QList<DRVGraphic*> all = graphics();
    // In front of the first unselectable graphic: base-template graphics stay behind.
    int firstUnselectable = int(all.size());
    for (int i = 0; i < int(all.size()); ++i) {
        if (!all.at(i)->selectable()) {
            firstUnselectable = i;
            break;
        }
    }
    int movedBefore = 0;
    for (int index : indexes)
        movedBefore += index < firstUnselectable ? 1 : 0;
    const int start = firstUnselectable - movedBefore;
    QList<int> back;
    for (int i = 0; i < int(moving.size()); ++i)
        back.append(start + i);
    beginUndoStep();
    changeSelectionIndexes({});
    m_graphicsContainer->removeGraphicsAtIndexes(indexes);
    m_graphicsContainer->insertGraphics(moving, back);
    changeSelectionIndexes(back);
    endUndoStep(QStringLiteral("Send To Back"));
}

void DRVGraphicView::selectAll()
{
    // Exactly the selectable graphics, wherever they lie in the page's order.
    QList<int> indexes;
    const QList<DRVGraphic*> all = graphics();
    for (int i = 0; i < int(all.size()); ++i) {
        if (all.at(i)->selectable())
            indexes.append(i);
    }
    if (!indexes.isEmpty())
        changeSelectionIndexes(indexes);
}

void DRVGraphicView::deselectAll()
{
    changeSelectionIndexes({});
}

const QHash<QString, DRVGraphicView::Command>& DRVGraphicView::menuCommands()
{
    static const QHash<QString, Command> commands = withInsertCommands({
        {QStringLiteral("alignLeftEdges:"), &DRVGraphicView::alignLeftEdges},
        {QStringLiteral("alignRightEdges:"), &DRVGraphicView::alignRightEdges},
        {QStringLiteral("alignTopEdges:"), &DRVGraphicView::alignTopEdges},
        {QStringLiteral("alignBottomEdges:"), &DRVGraphicView::alignBottomEdges},
        {QStringLiteral("alignHorizontalCenters:"), &DRVGraphicView::alignHorizontalCenters},
        {QStringLiteral("alignVerticalCenters:"), &DRVGraphicView::alignVerticalCenters},
        {QStringLiteral("alignHorizontalSpacing:"), &DRVGraphicView::alignHorizontalSpacing},
        {QStringLiteral("alignVerticalSpacing:"), &DRVGraphicView::alignVerticalSpacing},
        {QStringLiteral("alignWithGrid:"), &DRVGraphicView::alignWithGrid},
        {QStringLiteral("makeSameWidth:"), &DRVGraphicView::makeSameWidth},
        {QStringLiteral("makeSameHeight:"), &DRVGraphicView::makeSameHeight},
        {QStringLiteral("makeSameSize:"), &DRVGraphicView::makeSameSize},
        {QStringLiteral("makeNaturalSize:"), &DRVGraphicView::makeNaturalSize},
        {QStringLiteral("bringForward:"), &DRVGraphicView::bringForward},
        {QStringLiteral("sendBackward:"), &DRVGraphicView::sendBackward},
        {QStringLiteral("bringToFront:"), &DRVGraphicView::bringToFront},
        {QStringLiteral("sendToBack:"), &DRVGraphicView::sendToBack},
        {QStringLiteral("selectAll:"), &DRVGraphicView::selectAll},
        {QStringLiteral("deselectAll:"), &DRVGraphicView::deselectAll},
        {QStringLiteral("delete:"), &DRVGraphicView::deleteSelection},
        {QStringLiteral("cut:"), &DRVGraphicView::cut},
        {QStringLiteral("copy:"), &DRVGraphicView::copy},
        {QStringLiteral("paste:"), &DRVGraphicView::paste},
        {QStringLiteral("duplicate:"), &DRVGraphicView::duplicate},
        {QStringLiteral("centerGroup:"), &DRVGraphicView::centerGroup},
        {QStringLiteral("centerWithinGroup:"), &DRVGraphicView::centerWithinGroup},
        {QStringLiteral("groupObjects:"), &DRVGraphicView::groupObjects},
        {QStringLiteral("unGroupObjects:"), &DRVGraphicView::unGroupObjects},
        {QStringLiteral("lockObjects:"), &DRVGraphicView::lockObjects},
        {QStringLiteral("unLockObjects:"), &DRVGraphicView::unLockObjects},
        {QStringLiteral("scrollLockObjects:"), &DRVGraphicView::scrollLockObjects},
        {QStringLiteral("unScrollLockObjects:"), &DRVGraphicView::unScrollLockObjects},
        {QStringLiteral("grabCopyStyle:"), &DRVGraphicView::grabCopyStyle},
        {QStringLiteral("applyPasteStyle:"), &DRVGraphicView::applyPasteStyle},
        {QStringLiteral("matchScreenWidth:"), &DRVGraphicView::matchScreenWidth},
        {QStringLiteral("unMatchScreenWidth:"), &DRVGraphicView::unMatchScreenWidth},
        {QStringLiteral("removeManualLayerIndex:"), &DRVGraphicView::removeManualLayerIndex},
        {QStringLiteral("applyTooltip:"), &DRVGraphicView::applyTooltip},
        {QStringLiteral("applyLayerIndex:"), &DRVGraphicView::applyLayerIndex},
        {QStringLiteral("applyLinkPopOver:"), &DRVGraphicView::applyLinkPopOver},
        {QStringLiteral("showCodeEditor:"), &DRVGraphicView::showCodeEditor},
        {QStringLiteral("layerOptionsShown:"), &DRVGraphicView::submenuOptions},
        {QStringLiteral("addNewPhoto:"), &DRVGraphicView::addNewImage},
        {QStringLiteral("addNewImage:"), &DRVGraphicView::addNewImage},
        // Slideshows and code snippets.
        {QStringLiteral("addNewSlideshow:"), &DRVGraphicView::addSlideshow},
        {QStringLiteral("addSlideshow:"), &DRVGraphicView::addSlideshow},
        {QStringLiteral("addNewSnippet:"), &DRVGraphicView::addNewHTMLSnippet},
        {QStringLiteral("addNewHTMLSnippet:"), &DRVGraphicView::addNewHTMLSnippet},
        {QStringLiteral("addYouTubeHTMLSnippet:"), &DRVGraphicView::addYouTubeHTMLSnippet},
        {QStringLiteral("addPaypalSnippet:"), &DRVGraphicView::addPaypalSnippet},
        {QStringLiteral("addSlideshowImage:"), &DRVGraphicView::addSlideshowImage},
        {QStringLiteral("replaceSlide:"), &DRVGraphicView::replaceSlide},
        {QStringLiteral("deleteSlide:"), &DRVGraphicView::deleteSlide},
        {QStringLiteral("automateSlideShow:"), &DRVGraphicView::automateSlideShow},
        {QStringLiteral("linkSlide:"), &DRVGraphicView::applyLinkPopOver},
        {QStringLiteral("createZoomBubble:"), &DRVGraphicView::createZoomBubble},
        {QStringLiteral("setClickToEnlargeLight:"), &DRVGraphicView::setClickToEnlargeLight},
        {QStringLiteral("setClickToEnlargeDark:"), &DRVGraphicView::setClickToEnlargeDark},
        {QStringLiteral("setClickToEnlargeClear:"), &DRVGraphicView::setClickToEnlargeClear},
        {QStringLiteral("setClickToEnlarge:"), &DRVGraphicView::toggleClickToEnlarge},
        {QStringLiteral("disableClickToEnlarge:"), &DRVGraphicView::disableClickToEnlarge},
        {QStringLiteral("showClickToEnlargeOptions:"), &DRVGraphicView::submenuOptions},
        {QStringLiteral("addGalleryImage:"), &DRVGraphicView::addGalleryImage},
        {QStringLiteral("deleteGalleryImage:"), &DRVGraphicView::deleteGalleryImage},
        // Replacing and cropping pictures; galleries.
        {QStringLiteral("launchReplaceImage:"), &DRVGraphicView::launchReplaceImage},
        {QStringLiteral("launchCropImagePanel:"), &DRVGraphicView::launchCropImagePanel},
        {QStringLiteral("addNewGallery:"), &DRVGraphicView::addImageGallery},
        {QStringLiteral("addImageGallery:"), &DRVGraphicView::addImageGallery},
        {QStringLiteral("configureGalleryGrid:"), &DRVGraphicView::configureGalleryGrid},
        {QStringLiteral("replaceGalleryImage:"), &DRVGraphicView::replaceGalleryImage},
        {QStringLiteral("configureGalleryImageCaption:"), &DRVGraphicView::configureGalleryImageCaption},
        {QStringLiteral("moveImageUp:"), &DRVGraphicView::moveImageUp},
        {QStringLiteral("moveImageDown:"), &DRVGraphicView::moveImageDown},
        {QStringLiteral("moveImageLeft:"), &DRVGraphicView::moveImageLeft},
        {QStringLiteral("moveImageRight:"), &DRVGraphicView::moveImageRight},
        {QStringLiteral("alignOptionsShown:"), &DRVGraphicView::submenuOptions},
        {QStringLiteral("applyHTMLSnippetFormattingOption:"),
         &DRVGraphicView::applyHTMLSnippetFormattingOption},
        {QStringLiteral("removeHTMLSnippetFormattingOption:"),
         &DRVGraphicView::removeHTMLSnippetFormattingOption},
        // Personalization tags and page-link badges.
        {QStringLiteral("addPerson_FirstName:"), &DRVGraphicView::addPerson_FirstName},
        {QStringLiteral("addPerson_LastName:"), &DRVGraphicView::addPerson_LastName},
        {QStringLiteral("addPerson_CompanyName:"), &DRVGraphicView::addPerson_CompanyName},
        {QStringLiteral("addPerson_Title:"), &DRVGraphicView::addPerson_Title},
        {QStringLiteral("addPerson_JobTitle:"), &DRVGraphicView::addPerson_JobTitle},
        {QStringLiteral("addPerson_Email:"), &DRVGraphicView::addPerson_Email},
        {QStringLiteral("addPerson_Phone:"), &DRVGraphicView::addPerson_Phone},
        {QStringLiteral("addPerson_Address_Street:"), &DRVGraphicView::addPerson_Address_Street},
        {QStringLiteral("addPerson_Address_Country:"), &DRVGraphicView::addPerson_Address_Country},
        {QStringLiteral("addPerson_Address_City:"), &DRVGraphicView::addPerson_Address_City},
        {QStringLiteral("addPerson_Address_Zipcode:"), &DRVGraphicView::addPerson_Address_Zipcode},
        {QStringLiteral("addPerson_Address_State:"), &DRVGraphicView::addPerson_Address_State},
        {QStringLiteral("addPerson_FullAddress:"), &DRVGraphicView::addPerson_FullAddress},
        {QStringLiteral("addQuibLink:"), &DRVGraphicView::addQuibLink},
        {QStringLiteral("addQuibLink2:"), &DRVGraphicView::addQuibLink2},
        {QStringLiteral("addQuibLink3:"), &DRVGraphicView::addQuibLink3},
        {QStringLiteral("addQuibLink4:"), &DRVGraphicView::addQuibLink4},
        // Tables, site maps and components.
        {QStringLiteral("addTable:"), &DRVGraphicView::addTable},
        {QStringLiteral("addNewTable:"), &DRVGraphicView::addTable},
        {QStringLiteral("addNewTableParent:"), &DRVGraphicView::submenuOptions},
        {QStringLiteral("addNewTableSiteMap:"), &DRVGraphicView::addTableOfSitemapVertical},
        {QStringLiteral("addNewTableSiteMapH:"), &DRVGraphicView::addTableOfSitemapHorizontal},
        // Table editing.
        {QStringLiteral("tableEditMenu:"), &DRVGraphicView::submenuOptions},
        {QStringLiteral("insertTableRow:"), &DRVGraphicView::insertTableRow},
        {QStringLiteral("insertTableColumn:"), &DRVGraphicView::insertTableColumn},
        {QStringLiteral("deleteTableRow:"), &DRVGraphicView::deleteTableRow},
        {QStringLiteral("deleteTableColumn:"), &DRVGraphicView::deleteTableColumn},
        {QStringLiteral("moveTableRowUp:"), &DRVGraphicView::moveTableRowUp},
        {QStringLiteral("moveTableRowDown:"), &DRVGraphicView::moveTableRowDown},
        {QStringLiteral("moveTableRowLeft:"), &DRVGraphicView::moveTableRowLeft},
        {QStringLiteral("moveTableRowRight:"), &DRVGraphicView::moveTableRowRight},
        {QStringLiteral("transformTable:"), &DRVGraphicView::transformTable},
        {QStringLiteral("joinTablesVertically:"), &DRVGraphicView::joinTablesVertically},
        {QStringLiteral("joinTablesHorizontally:"), &DRVGraphicView::joinTablesHorizontally},
        {QStringLiteral("refreshTableOfContents:"), &DRVGraphicView::refreshTableOfContents},
        {QStringLiteral("configureTableGrid:"), &DRVGraphicView::configureTableGrid},
        // Form fields.
        {QStringLiteral("addFormObjects:"), &DRVGraphicView::submenuOptions},
        {QStringLiteral("addTextField:"), &DRVGraphicView::addTextField},
        {QStringLiteral("addEmailTextField:"), &DRVGraphicView::addEmailTextField},
        {QStringLiteral("addParagraph:"), &DRVGraphicView::addParagraph},
        {QStringLiteral("addBotCheckerTextField:"), &DRVGraphicView::addBotCheckerTextField},
        {QStringLiteral("addMultipleChoice:"), &DRVGraphicView::addMultipleChoice},
        {QStringLiteral("addCheckboxes:"), &DRVGraphicView::addCheckboxes},
        {QStringLiteral("addSubmitButton:"), &DRVGraphicView::addSubmitButton},
        {QStringLiteral("addNewMultipleChoiceOption:"), &DRVGraphicView::addNewMultipleChoiceOption},
        {QStringLiteral("addNewCheckboxChoiceOption:"), &DRVGraphicView::addNewCheckboxChoiceOption},
        {QStringLiteral("makeFormMandatory:"), &DRVGraphicView::makeFormMandatory},
        {QStringLiteral("makeFormOptional:"), &DRVGraphicView::makeFormOptional},
        {QStringLiteral("markAsReplyTo:"), &DRVGraphicView::markAsReplyTo},
        // Lines, arrows and branches.
        {QStringLiteral("addNewLine:"), &DRVGraphicView::submenuOptions},
        {QStringLiteral("addLine:"), &DRVGraphicView::addLine},
        {QStringLiteral("addLineDashed:"), &DRVGraphicView::addLineDashed},
        {QStringLiteral("addLineDotted:"), &DRVGraphicView::addLineDotted},
        {QStringLiteral("showArrowOptions:"), &DRVGraphicView::submenuOptions},
        {QStringLiteral("drawStartArrow:"), &DRVGraphicView::drawStartArrow},
        {QStringLiteral("hideStartArrow:"), &DRVGraphicView::hideStartArrow},
        {QStringLiteral("drawEndArrow:"), &DRVGraphicView::drawEndArrow},
        {QStringLiteral("hideEndArrow:"), &DRVGraphicView::hideEndArrow},
        {QStringLiteral("multiplyNewShapes:"), &DRVGraphicView::multiplyNewShapes},
        {QStringLiteral("autoAdjustSnippetSize:"), &DRVGraphicView::autoAdjustSnippetSize},
        {QStringLiteral("configureSectionWindowController:"), &DRVGraphicView::configureSectionWindowController},
        {QStringLiteral("launchPrintSettings:"), &DRVGraphicView::launchPrintSettings}});
    return commands;
}
