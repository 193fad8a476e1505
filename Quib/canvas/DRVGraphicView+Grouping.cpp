// Grouping, locking and scroll locking of the selected graphics, with the predicates that offer
// them. Property changes go through the graphics' setters, so the document records undo.
#include "canvas/DRVGraphicView.h"

#include "editions/EditionSettings.h"
#include "model/DRVGalleryGrid.h"
#include "model/DRVImage.h"
#include "model/DRVLine.h"
#include "model/DRVSlideshow.h"
#include "model/DRVTable.h"
#include "model/DRVText.h"
#include "platform/UndoManager.h"

#include <QPointer>
#include <algorithm>

namespace {

const int kNoGroup = -99;

using IntGetter = int (DRVGraphic::*)() const;

bool anySelectedHas(const QList<DRVGraphic*>& selected, bool (*ofKind)(const DRVGraphic*), IntGetter get,
                    int value)
{
    return std::any_of(selected.begin(), selected.end(),
                       [&](const DRVGraphic* g) { return ofKind(g) && (g->*get)() == value; });
}

// The distinct group numbers of the groupable selected graphics, in selection order.
QList<int> groupNumbersOf(const QList<DRVGraphic*>& selected)
{
    QList<int> numbers;
    for (const DRVGraphic* graphic : selected) {
        if (DRVGraphicView::isGroupableKind(graphic) &&
            !DRVGraphicView::existInArray(numbers, graphic->groupNumber()))
            numbers.append(graphic->groupNumber());
    }
    return numbers;
}

} // namespace

void DRVGraphicView::setValueRecorded(platform::UndoManager* undo, QObject* object, const char* key,
                                      const QVariant& value)
{
    const QVariant old = object->property(key);
    if (old == value)
        return;
    object->setProperty(key, value);
    // Keys the document observes on its graphics are recorded by it already.
    const auto* graphic = qobject_cast<const DRVGraphic*>(object);
    if (!undo || (graphic && graphic->keysForValuesToObserveForUndo().contains(QString::fromLatin1(key))))
        return;
    QPointer<QObject> guarded(object);
    undo->registerUndo(object, [undo, guarded, key, old] {
        if (guarded)
            setValueRecorded(undo, guarded, key, old);
    });
}

platform::UndoManager* DRVGraphicView::undoManager() const
{
    return m_graphicsContainer ? m_graphicsContainer->undoManager() : nullptr;
}

int DRVGraphicView::findNextGroupNumber() const
{
    // One above the highest in use, 1 when none is.
    int highest = 0;
    for (const DRVGraphic* graphic : graphics())
        highest = std::max(highest, graphic->groupNumber());
    return highest + 1;
}

bool DRVGraphicView::isGroupableKind(const DRVGraphic* graphic)
{
    return qobject_cast<const DRVLine*>(graphic) || isScrollLockKind(graphic);
}

bool DRVGraphicView::isScrollLockKind(const DRVGraphic* graphic)
{
    return qobject_cast<const DRVText*>(graphic) || qobject_cast<const DRVImage*>(graphic) ||
           qobject_cast<const DRVSlideshow*>(graphic) || qobject_cast<const DRVGalleryGrid*>(graphic) ||
           qobject_cast<const DRVTable*>(graphic);
}

bool DRVGraphicView::groupShown() const
{
    const QList<DRVGraphic*> selected = selectedGraphics();
    if (edition().gHideGroupFlag || selected.size() < 2)
        return false;
    const QList<int> numbers = groupNumbersOf(selected);
    return !(numbers.size() == 1 && numbers.constFirst() != kNoGroup);
}

bool DRVGraphicView::ungroupShown() const
{
    const QList<DRVGraphic*> selected = selectedGraphics();
    if (selected.isEmpty())
        return false;
    const QList<int> numbers = groupNumbersOf(selected);
    return !(numbers.size() == 1 && numbers.constFirst() == kNoGroup);
}

bool DRVGraphicView::lockShown() const
{
    return !edition().gHideLockFlag &&
           anySelectedHas(selectedGraphics(), isGroupableKind, &DRVGraphic::moveLock, 0);
}

bool DRVGraphicView::unLockShown() const
{
    return !edition().gHideLockFlag &&
           anySelectedHas(selectedGraphics(), isGroupableKind, &DRVGraphic::moveLock, 1);
}

bool DRVGraphicView::scrollShown() const
{
    return !edition().gHidePositionAndScrollFlag &&
           anySelectedHas(selectedGraphics(), isScrollLockKind, &DRVGraphic::scrollFlag, 0);
}

bool DRVGraphicView::unScrollShown() const
{
    return anySelectedHas(selectedGraphics(), isScrollLockKind, &DRVGraphic::scrollFlag, 1);
}

bool DRVGraphicView::positionSettingsShown() const
{
    return !edition().gHidePositionAndScrollFlag && !selectionIndexes().isEmpty();
}

namespace {

// The selection followed by the other members of its groups.
QList<DRVGraphic*> selectionWithGroups(const DRVGraphicView* canvas)
{
    QList<DRVGraphic*> targets = canvas->selectedGraphics();
    const QList<DRVGraphic*> selected = targets;
    for (const DRVGraphic* graphic : selected) {
        if (graphic->groupNumber() == kNoGroup)
            continue;
        for (DRVGraphic* member : canvas->findMatchingGroupObjects(graphic)) {
            if (!targets.contains(member))
                targets.append(member);
        }
    }
    return targets;
}

void applyToKind(platform::UndoManager* undo, const QList<DRVGraphic*>& targets,
                 bool (*ofKind)(const DRVGraphic*), const char* key, int value)
{
    for (DRVGraphic* graphic : targets) {
        if (ofKind(graphic))
            DRVGraphicView::setValueRecorded(undo, graphic, key, value);
    }
}

} // namespace

void DRVGraphicView::groupObjects()
{
    const int number = findNextGroupNumber();
    beginUndoStep();
    applyToKind(undoManager(), selectedGraphics(), isGroupableKind, "groupNumber", number);
    endUndoStep(QString());
}

void DRVGraphicView::unGroupObjects()
{
    beginUndoStep();
    applyToKind(undoManager(), selectedGraphics(), isGroupableKind, "groupNumber", kNoGroup);
    endUndoStep(QString());
}

void DRVGraphicView::lockObjects()
{
    beginUndoStep();
    applyToKind(undoManager(), selectionWithGroups(this), isGroupableKind, "moveLock", 1);
    endUndoStep(QString());
}

void DRVGraphicView::unLockObjects()
{
    beginUndoStep();
    applyToKind(undoManager(), selectionWithGroups(this), isGroupableKind, "moveLock", 0);
    endUndoStep(QString());
}

void DRVGraphicView::scrollLockObjects()
{
    beginUndoStep();
    applyToKind(undoManager(), selectionWithGroups(this), isScrollLockKind, "scrollFlag", 1);
    endUndoStep(QString());
}

void DRVGraphicView::unScrollLockObjects()
{
    beginUndoStep();
    applyToKind(undoManager(), selectionWithGroups(this), isScrollLockKind, "scrollFlag", 0);
    endUndoStep(QString());
}
