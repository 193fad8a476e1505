// The section grid editor of the canvas: a section's columns as tiles at half their width, their
// count, widths and spans on the four screen classes written back on Save.
#include "canvas/DRVGraphicView.h"

#include "canvas/SectionEditorWindowController.h"
#include "model/DRVTable.h"
#include "model/myTextView.h"

#include <QComboBox>
#include <QPushButton>
#include <cmath>

bool DRVGraphicView::showSectionEditorFlag() const
{
    const QList<DRVGraphic*> selected = selectedGraphics();
    const auto* table = selected.size() == 1 ? qobject_cast<const DRVTable*>(selected.constFirst()) : nullptr;
    return table && table->gridType() == QLatin1String("section");
}

void DRVGraphicView::configureSectionWindowController()
{
    DRVTable* section = tableForCommand();
    if (!section)
        return;
    if (!m_sectionEditorWindowController) {
        m_sectionEditorWindowController = new SectionEditorWindowController(this);
        centreEditorWindow(m_sectionEditorWindowController->window());
        connect(m_sectionEditorWindowController->saveButton(), &QPushButton::clicked, this,
                &DRVGraphicView::saveSectionEditorWindowController);
    }
    m_sectionEditorTable = section;
    SectionEditorWindowController* c = m_sectionEditorWindowController;
    QList<SectionView*> tiles;
    const int columns = std::min(section->numOfColumns(), int(SectionEditorWindowController::kMaxColumns));
    for (int col = 0; col < columns; ++col) {
        const myTextView* cell = section->grabSelectedTableCellHelper(0, col);
        auto* tile = new SectionView(QRect(0, 0, cell ? cell->width() / 2 : 0, 50));
        if (cell) {
            tile->xsGridColumns = cell->xsGridColumns();
            tile->smallGridColumns = cell->smallGridColumns();
            tile->mediumGridColumns = cell->mediumGridColumns();
            tile->largeGridColumns = cell->largeGridColumns();
        }
        tiles.append(tile);
    }
    c->setSplitViewMutableArray(tiles);
    c->prepSectionViews();
    c->numOfColumnsPopupButton()->setCurrentIndex(std::max(columns - 1, 0));
    c->columnUpdated();
    c->window()->show();
    c->window()->raise();
}

void DRVGraphicView::saveSectionEditorWindowController()
{
    SectionEditorWindowController* c = m_sectionEditorWindowController;
    DRVTable* section = m_sectionEditorTable;
    if (!c || !section) {
        hideSectionEditorWindowController();
        return;
    }
    const QList<SectionView*> tiles = c->splitViewMutableArray();
    beginUndoStep();
    changeTableRecorded(section, [&] {
        section->setNumOfColumns(c->numOfColumnsPopupButton()->currentIndex() + 1);
        section->refreshTable();
        for (int i = 0; i < int(tiles.size()); ++i) {
            myTextView* cell = section->grabSelectedTableCellHelper(0, i);
            if (!cell)
                continue;
            const SectionView* tile = tiles.at(i);
            cell->setWidth(int(std::trunc(2.0 * tile->tileWidth())));
            cell->setXsGridColumns(tile->xsGridColumns);
            cell->setSmallGridColumns(tile->smallGridColumns);
            cell->setMediumGridColumns(tile->mediumGridColumns);
            cell->setLargeGridColumns(tile->largeGridColumns);
        }
        section->alignCells();
        return true;
    });
    reAlignSectionObjects(section);
    endUndoStep(QStringLiteral("Configure Section Grid"));
    hideSectionEditorWindowController();
}

void DRVGraphicView::hideSectionEditorWindowController()
{
    if (m_sectionEditorWindowController)
        m_sectionEditorWindowController->window()->hide();
}
