// What the layer list asks of the canvas.
#include "canvas/DRVGraphicView.h"

void DRVGraphicView::manuallySelectObject(int index)
{
    if (!m_selectionIndexesContainer || index < 0 || index >= int(graphics().size()))
        return;
    QList<int> indexes = selectionIndexes();
    if (indexes.contains(index))
        return;
    indexes.append(index);
    changeSelectionIndexes(indexes);
}
