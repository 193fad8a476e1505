// Table structure commands of the canvas: rows and columns inserted, deleted and moved at the cell
// under the last touch point, the table swapped over, two tables joined and a table of contents
// rebuilt. The cells are not observed for undo one by one, so each command records the whole table
// before and after and makes undo and redo swap the two.
#include "canvas/DRVGraphicView.h"

#include "canvas/DRVCanvasPageContext.h"
#include "document/DRVDocument.h"
#include "model/DRVTable.h"
#include "model/myTextView.h"
#include "platform/Dialogs.h"
#include "platform/UndoManager.h"

#include <QMenu>
#include <QPointer>
#include <QTextDocument>
#include <memory>

namespace {

// Registers the way back to snapshot; running it registers the way forward again.
void registerTableSnapshot(platform::UndoManager* undo, DRVTable* table,
                           std::shared_ptr<const DRVGraphic> snapshot)
{
    if (!undo || !table)
        return;
    QPointer<DRVTable> guarded(table);
    undo->registerUndo(table, [undo, guarded, snapshot] {
        if (!guarded)
            return;
        std::shared_ptr<const DRVGraphic> current(guarded->copy());
        undo->disableUndoRegistration();
        guarded->restoreStructure(static_cast<const DRVTable&>(*snapshot));
        undo->enableUndoRegistration();
        registerTableSnapshot(undo, guarded, current);
    });
}

// The row and column of the cell under the last touch point, or nothing.
const myTextView* currentCell(DRVGraphicView* canvas, const DRVTable* table)
{
    if (!table)
        return nullptr;
    DRVCanvasPageContext context(canvas);
    return table->grabCurrentTableCellHelper();
}

} // namespace

DRVTable* DRVGraphicView::tableForCommand() const
{
    const QList<DRVGraphic*> selected = selectedGraphics();
    if (selected.size() == 1) {
        if (auto* table = qobject_cast<DRVTable*>(selected.constFirst()))
            return table;
    }
    return m_selectedTable;
}

bool DRVGraphicView::changeTableRecorded(DRVTable* table, const std::function<bool()>& edit)
{
    if (!table)
        return false;
    platform::UndoManager* undo = undoManager();
    std::shared_ptr<const DRVGraphic> before(table->copy());
    if (undo)
        undo->disableUndoRegistration();
    const bool changed = edit();
    if (undo)
        undo->enableUndoRegistration();
    if (changed)
        registerTableSnapshot(undo, table, before);
    return changed;
}

void DRVGraphicView::recordTableSnapshot(DRVTable* table, std::shared_ptr<const DRVGraphic> before)
{
    registerTableSnapshot(undoManager(), table, std::move(before));
}

void DRVGraphicView::refreshTable()
{
    DRVTable* table = tableForCommand();
    beginUndoStep();
    const bool changed = changeTableRecorded(table, [table] {
        table->refreshTable();
        return true;
    });
    endUndoStep(changed ? QStringLiteral("Refresh Table") : QString());
}

#define QUIB_TABLE_CELL_COMMAND(name, undoName, body)                                                        \
    void DRVGraphicView::name()                                                                              \
    {                                                                                                        \
        DRVTable* table = tableForCommand();                                                                 \
        const myTextView* cell = currentCell(this, table);                                                   \
        if (!cell)                                                                                           \
            return;                                                                                          \
        const int row = cell->rowSpot();                                                                     \
        const int column = cell->columnSpot();                                                               \
        Q_UNUSED(row)                                                                                        \
        Q_UNUSED(column)                                                                                     \
        beginUndoStep();                                                                                     \
        const bool changed = changeTableRecorded(table, [&]() -> bool { body });                             \
        endUndoStep(changed ? QStringLiteral(undoName) : QString());                                         \
    }

QUIB_TABLE_CELL_COMMAND(insertTableRow, "Insert Row", table->insertRow(row); return true;)
QUIB_TABLE_CELL_COMMAND(insertTableColumn, "Insert Column", table->insertColumn(column); return true;)
QUIB_TABLE_CELL_COMMAND(deleteTableRow, "Delete Row", return table->deleteRow(row);)
QUIB_TABLE_CELL_COMMAND(deleteTableColumn, "Delete Column", return table->deleteColumn(column);)
QUIB_TABLE_CELL_COMMAND(moveTableRowLeft, "Move Column Left", return table->swapColumns(column, column - 1);)
QUIB_TABLE_CELL_COMMAND(moveTableRowRight, "Move Column Right",
                        return table->swapColumns(column, column + 1);)
QUIB_TABLE_CELL_COMMAND(moveTableRowUp, "Move Row Up", return table->swapRows(row, row - 1);)
QUIB_TABLE_CELL_COMMAND(moveTableRowDown, "Move Row Down", return table->swapRows(row, row + 1);)
#undef QUIB_TABLE_CELL_COMMAND

void DRVGraphicView::transformTable()
{
    DRVTable* table = tableForCommand();
    beginUndoStep();
    const bool changed = changeTableRecorded(table, [table] {
        table->transform();
        return true;
    });
    endUndoStep(changed ? QStringLiteral("Transform Table") : QString());
}

namespace {

struct JoinRule
{
    bool vertical;
    const char* title;
    const char* text;
};

const JoinRule kVertical{true, "Table columns not the same",
                         "Only tables with the same number of columns can be joined vertically"};
const JoinRule kHorizontal{false, "Table rows are not the same",
                           "Only tables with the same number of rows can be joined horizontally"};

void joinSelectedTables(DRVGraphicView* canvas, const JoinRule& rule)
{
    const QList<DRVGraphic*> selected = canvas->selectedGraphics();
    if (selected.size() != 2)
        return;
    // Front first: the one further back takes in the one in front.
    auto* back = qobject_cast<DRVTable*>(selected.at(1));
    auto* front = qobject_cast<DRVTable*>(selected.at(0));
    if (!back || !front)
        return;
    const bool fits = rule.vertical ? back->numOfColumns() == front->numOfColumns()
                                    : back->numOfRows() == front->numOfRows();
    if (!fits) {
        platform::Alert alert;
        alert.title = QString::fromLatin1(rule.title);
        alert.informativeText = QString::fromLatin1(rule.text);
        alert.buttons = {QStringLiteral("OK")};
        platform::showAlert(alert);
        return;
    }
    canvas->joinTables(back, front, rule.vertical);
}

} // namespace

void DRVGraphicView::joinTables(DRVTable* back, DRVTable* front, bool vertically)
{
    beginUndoStep();
    const bool changed = changeTableRecorded(
        back, [&] { return vertically ? back->joinVertically(*front) : back->joinHorizontally(*front); });
    if (changed) {
        const int index = int(graphics().indexOf(front));
        changeSelectionIndexes({});
        if (index >= 0)
            mutableGraphics().removeGraphicsAtIndexes({index});
        const int kept = int(graphics().indexOf(back));
        if (kept >= 0)
            changeSelectionIndexes({kept});
    }
    endUndoStep(changed ? QStringLiteral("Join Tables") : QString());
}

void DRVGraphicView::joinTablesVertically()
{
    joinSelectedTables(this, kVertical);
}

void DRVGraphicView::joinTablesHorizontally()
{
    joinSelectedTables(this, kHorizontal);
}

bool DRVGraphicView::shouldDisplayOfTableContents() const
{
    const DRVTable* table = tableForCommand();
    return table && table->gridType() == QLatin1String("TableOfContents");
}

void DRVGraphicView::refreshTableOfContents()
{
    DRVTable* table = tableForCommand();
    if (!table || !m_sitePagesSource)
        return;
    const QList<SitePage> pages = m_sitePagesSource();
    QList<myTextView*> cells;
    int row = 0;
    for (int i = 0; i < int(pages.size()); ++i) {
        const SitePage& page = pages.at(i);
        if (page.pageTitle.isEmpty())
            continue;
        myTextView* title = DRVTable::makeStandardCell();
        title->textStorage()->setPlainText(page.pageTitle);
        title->setWidth(table->grabColumnWidth(0));
        title->setHeight(table->grabRowHeight(0));
        title->setRowSpot(row);
        title->setColumnSpot(0);
        title->setFamilyName(QStringLiteral("Helvetica Neue"));
        title->setFontSize(16);
        title->textView()->setFont(DRVTable::fontNamed(title->familyName(), title->fontSize()));
        title->setTextColorString(QStringLiteral("555555"));
        title->setHoverColorString(QStringLiteral("4682B4"));
        title->setColorString(QStringLiteral("CLEAR0"));
        title->setBackgroundHexColorString(QStringLiteral("CLEAR0"));
        title->textView()->setBorderLine(QStringLiteral("none"));
        title->setLink(page.pagePublishFileName);
        cells.append(title);

        myTextView* number = DRVTable::makeStandardCell();
        number->textStorage()->setPlainText(QString::number(i));
        number->setWidth(table->grabColumnWidth(1));
        number->setHeight(table->grabRowHeight(0));
        number->setRowSpot(row);
        number->setColumnSpot(1);
        number->setLink(page.pagePublishFileName);
        number->setFixedWidthFlag(1);
        cells.append(number);
        ++row;
    }
    // Without a single titled page the table keeps what it shows rather than losing every cell.
    if (cells.isEmpty())
        return;
    beginUndoStep();
    changeTableRecorded(table, [&] {
        table->setCellHelperArray(cells);
        table->setNumOfColumns(2);
        table->setNumOfRows(row);
        table->refreshTable();
        return true;
    });
    endUndoStep(QStringLiteral("Refresh Table of Contents"));
}

void DRVGraphicView::addTableCommands(QMenu* menu)
{
    if (!tableControlShown())
        return;
    static const struct
    {
        const char* title;
        Command command;
    } commands[] = {{"Insert Row", &DRVGraphicView::insertTableRow},
                    {"Insert Column", &DRVGraphicView::insertTableColumn},
                    {"Delete Row", &DRVGraphicView::deleteTableRow},
                    {"Delete Column", &DRVGraphicView::deleteTableColumn},
                    {nullptr, nullptr},
                    {"Move Row Up", &DRVGraphicView::moveTableRowUp},
                    {"Move Row Down", &DRVGraphicView::moveTableRowDown},
                    {"Move Column Left", &DRVGraphicView::moveTableRowLeft},
                    {"Move Column Right", &DRVGraphicView::moveTableRowRight},
                    {nullptr, nullptr},
                    {"Transform Table", &DRVGraphicView::transformTable},
                    {"Configure Table Grid…", &DRVGraphicView::configureTableGrid}};
    QMenu* table = menu->addMenu(QStringLiteral("Table"));
    table->setObjectName(QStringLiteral("tableEditMenu"));
    for (const auto& entry : commands) {
        if (!entry.title) {
            table->addSeparator();
            continue;
        }
        const Command command = entry.command;
        table->addAction(QString::fromUtf8(entry.title), this, [this, command] { command(*this); });
    }
}
