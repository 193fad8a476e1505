// The "Configure Table Grid" window of the canvas: filled from a table, its width, height and fixed
// controls change that table while it is open, Save applies the counts, spacing and equal sizes and
// Cancel puts the table back. The window edits the table it was opened for, whatever is selected
// meanwhile, and the whole visit is one undo step.
#include "canvas/DRVGraphicView.h"

#include "editions/EditionSettings.h"
#include "model/DRVTable.h"
#include "model/TableGridWindowController.h"
#include "model/myTextView.h"
#include "platform/StringRules.h"
#include "platform/UndoManager.h"

#include <QCheckBox>
#include <QComboBox>
#include <QIntValidator>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QSpinBox>
#include <algorithm>
#include <cmath>

namespace {

// Widths and heights typed into the window stay within what a page can show.
constexpr int kMaxCellSize = 20000;

int typedSize(const QLineEdit* field)
{
    return std::clamp(platform::intValue(field->text()), 1, kMaxCellSize);
}

int typedCount(const QLineEdit* field)
{
    return std::clamp(platform::intValue(field->text()), 1, int(TableGridWindowController::kMaxCount));
}

int chosen(const QComboBox* popUp)
{
    return std::max(popUp->currentIndex(), 0);
}

// The size each of count cells gets when they share extent equally, spacing and borders taken off.
int sharedSize(double extent, int count, int border, int padding)
{
    return int(std::trunc((extent - double(count + 1) * double(border + padding)) / double(count)));
}

// Lays the table out in its bounds with the edited cells held at the size just typed: the other
// columns (rows) that are not fixed take up the difference.
void refreshLayoutHolding(DRVTable* table, const QList<myTextView*>& edited, int (myTextView::*flag)() const,
                          void (myTextView::*setFlag)(const int&))
{
    QList<int> flags;
    for (myTextView* cell : edited) {
        flags.append((cell->*flag)());
        (cell->*setFlag)(1);
    }
    table->refreshLayout();
    for (int i = 0; i < int(edited.size()); ++i)
        (edited.at(i)->*setFlag)(flags.at(i));
}

// Widths and heights are edited the same way, each with its own controls and cell values.
struct Dimension
{
    QComboBox* (TableGridWindowController::*popUp)();
    QLineEdit* (TableGridWindowController::*field)();
    QCheckBox* (TableGridWindowController::*fixed)();
    int (myTextView::*spot)() const;
    void (myTextView::*setSize)(const int&);
    int (myTextView::*fixedFlag)() const;
    void (myTextView::*setFixedFlag)(const int&);
    bool widths;
};

using Grid = TableGridWindowController;
const Dimension kWidths{&Grid::columnWidthPopUpButton,  &Grid::widthTextField,
                        &Grid::fixedWidthCheckmark,     &myTextView::columnSpot,
                        &myTextView::setWidth,          &myTextView::fixedWidthFlag,
                        &myTextView::setFixedWidthFlag, true};
const Dimension kHeights{&Grid::rowHeightPopUpButton,     &Grid::heightTextField,
                         &Grid::fixedHeightCheckmark,     &myTextView::rowSpot,
                         &myTextView::setHeight,          &myTextView::fixedHeightFlag,
                         &myTextView::setFixedHeightFlag, false};

// The typed size goes to every cell of the chosen column (row).
void applyTypedSize(Grid* c, DRVTable* table, const Dimension& d)
{
    if (!c || !table || (c->*d.field)()->text().isEmpty())
        return;
    const int spot = chosen((c->*d.popUp)());
    const int size = typedSize((c->*d.field)());
    QList<myTextView*> edited;
    for (myTextView* cell : table->cellHelperArray()) {
        if ((cell->*d.spot)() == spot) {
            (cell->*d.setSize)(size);
            edited.append(cell);
        }
    }
    refreshLayoutHolding(table, edited, d.fixedFlag, d.setFixedFlag);
}

void applyFixedFlag(Grid* c, DRVTable* table, const Dimension& d)
{
    if (!c || !table)
        return;
    const int spot = chosen((c->*d.popUp)());
    const int flag = (c->*d.fixed)()->isChecked() ? 1 : 0;
    for (myTextView* cell : table->cellHelperArray()) {
        if ((cell->*d.spot)() == spot)
            (cell->*d.setFixedFlag)(flag);
    }
}

// Every cell gets the same width (height): the table's extent less spacing and borders, shared.
void shareEqually(DRVTable* table, const Dimension& d)
{
    if (!table)
        return;
    const int count = d.widths ? table->numOfColumns() : table->numOfRows();
    if (!table->cellHelperArray().isEmpty() && count > 0) {
        const double extent = d.widths ? table->bounds().width() : table->bounds().height();
        const int size = std::max(1, sharedSize(extent, count, table->borderWidth(), table->padding()));
        for (myTextView* cell : table->cellHelperArray())
            (cell->*d.setSize)(size);
    }
    table->refreshLayout();
}

} // namespace

void DRVGraphicView::centreEditorWindow(QWidget* window)
{
    window->adjustSize();
    if (const QScreen* screen = window->screen())
        window->move(screen->availableGeometry().center() - window->rect().center());
}

void DRVGraphicView::configureTableGrid()
{
    DRVTable* table = tableForCommand();
    if (!table)
        return;
    if (!m_tableGridWindowController) {
        m_tableGridWindowController = new TableGridWindowController(this);
        TableGridWindowController* c = m_tableGridWindowController;
        centreEditorWindow(c->window());
        connect(c->saveButton(), &QPushButton::clicked, this, &DRVGraphicView::saveTableSettings);
        connect(c->cancelButton(), &QPushButton::clicked, this, &DRVGraphicView::cancelTableSettings);
        connect(c->spacingSlider(), &QSlider::valueChanged, this, &DRVGraphicView::adjustTableSpacing);
        connect(c->columnStepper(), &QSpinBox::valueChanged, this, &DRVGraphicView::updateTableNumOfColumns);
        connect(c->rowStepper(), &QSpinBox::valueChanged, this, &DRVGraphicView::updateTableNumOfRows);
        connect(c->columnWidthPopUpButton(), &QComboBox::activated, this,
                &DRVGraphicView::adjustTableColumnWidth);
        connect(c->rowHeightPopUpButton(), &QComboBox::activated, this,
                &DRVGraphicView::adjustTableRowHeight);
        connect(c->widthTextField(), &QLineEdit::returnPressed, this, &DRVGraphicView::updateColumnWidth);
        connect(c->heightTextField(), &QLineEdit::returnPressed, this, &DRVGraphicView::updateRowHeight);
        for (QLineEdit* field : {c->widthTextField(), c->heightTextField()}) {
            connect(field, &QLineEdit::textEdited, this, [this, field] { controlTextDidChange(field); });
        }
        connect(c->fixedWidthCheckmark(), &QCheckBox::clicked, this, &DRVGraphicView::updateFixedWidth);
        connect(c->fixedHeightCheckmark(), &QCheckBox::clicked, this, &DRVGraphicView::updateFixedHeight);
        connect(c->sameWidthForAllColumnsCheckmark(), &QCheckBox::toggled, this,
                &DRVGraphicView::adjustSameWidthAndHeightForTableSettings);
        connect(c->sameHeightForAllRowsCheckmark(), &QCheckBox::toggled, this,
                &DRVGraphicView::adjustSameWidthAndHeightForTableSettings);
        // Whole numbers only in the counts and the spacing.
        for (QLineEdit* field : {c->numOfColumnsTextField(), c->numOfRowsTextField(), c->spacingTextField(),
                                 c->widthTextField(), c->heightTextField()})
            field->setValidator(new QIntValidator(0, kMaxCellSize, field));
    }
    // A visit left open on another table ends as if cancelled.
    if (m_tableGridTable && m_tableGridTable != table)
        cancelTableSettings();
    m_tableGridTable = table;
    m_tableGridSnapshot = std::shared_ptr<const DRVGraphic>(table->copy());

    TableGridWindowController* c = m_tableGridWindowController;
    const QSignalBlocker blockColumns(c->columnStepper());
    const QSignalBlocker blockRows(c->rowStepper());
    const QSignalBlocker blockSlider(c->spacingSlider());
    c->numOfColumnsTextField()->setText(QString::number(table->numOfColumns()));
    c->numOfRowsTextField()->setText(QString::number(table->numOfRows()));
    c->spacingTextField()->setText(QString::number(table->padding()));
    c->spacingSlider()->setRange(0, 40);
    c->spacingSlider()->setTickInterval(4);
    c->spacingSlider()->setValue(table->padding());
    c->columnStepper()->setValue(table->numOfColumns());
    c->rowStepper()->setValue(table->numOfRows());

    c->columnWidthPopUpButton()->clear();
    for (int i = 1; i <= table->numOfColumns(); ++i)
        c->columnWidthPopUpButton()->addItem(QStringLiteral("Column %1").arg(i));
    c->rowHeightPopUpButton()->clear();
    for (int i = 1; i <= table->numOfRows(); ++i)
        c->rowHeightPopUpButton()->addItem(QStringLiteral("Row %1").arg(i));
    TableGridWindowController::setWhiteTitle(c->fixedWidthCheckmark(), QStringLiteral("Fixed"));
    TableGridWindowController::setWhiteTitle(c->fixedHeightCheckmark(), QStringLiteral("Fixed"));

    const myTextView* first = table->grabSelectedTableCellHelper(0, 0);
    c->widthTextField()->setText(QString::number(first ? first->width() : 0));
    c->heightTextField()->setText(QString::number(first ? first->height() : 0));
    c->fixedWidthCheckmark()->setChecked(first && first->fixedWidthFlag() == 1);
    c->fixedHeightCheckmark()->setChecked(first && first->fixedHeightFlag() == 1);
    c->sameWidthForAllColumnsCheckmark()->setChecked(table->sameWidthForAllColumnsFlag() != 0);
    c->sameHeightForAllRowsCheckmark()->setChecked(table->sameHeightForAllRowsFlag() != 0);
    adjustSameWidthAndHeightForTableSettings();
    c->window()->show();
    c->window()->raise();
}

void DRVGraphicView::adjustSameWidthAndHeightForTableSettings()
{
    TableGridWindowController* c = m_tableGridWindowController;
    if (!c)
        return;
    const bool sameWidth = c->sameWidthForAllColumnsCheckmark()->isChecked();
    const bool sameHeight = c->sameHeightForAllRowsCheckmark()->isChecked();
    c->columnWidthPopUpButton()->setEnabled(!sameWidth);
    c->fixedWidthCheckmark()->setEnabled(!sameWidth);
    c->widthTextField()->setEnabled(!sameWidth);
    c->rowHeightPopUpButton()->setEnabled(!sameHeight);
    c->fixedHeightCheckmark()->setEnabled(!sameHeight);
    c->heightTextField()->setEnabled(!sameHeight);
}

void DRVGraphicView::adjustTableColumnWidth()
{
    TableGridWindowController* c = m_tableGridWindowController;
    if (!c || !m_tableGridTable)
        return;
    const myTextView* cell =
        m_tableGridTable->grabSelectedTableCellHelper(0, chosen(c->columnWidthPopUpButton()));
    c->widthTextField()->setText(QString::number(cell ? cell->width() : 0));
    c->fixedWidthCheckmark()->setChecked(cell && cell->fixedWidthFlag() == 1);
}

void DRVGraphicView::adjustTableRowHeight()
{
    TableGridWindowController* c = m_tableGridWindowController;
    if (!c || !m_tableGridTable)
        return;
    const myTextView* cell =
        m_tableGridTable->grabSelectedTableCellHelper(chosen(c->rowHeightPopUpButton()), 0);
    c->heightTextField()->setText(QString::number(cell ? cell->height() : 0));
    c->fixedHeightCheckmark()->setChecked(cell && cell->fixedHeightFlag() == 1);
}

void DRVGraphicView::updateColumnWidth()
{
    applyTypedSize(m_tableGridWindowController, m_tableGridTable, kWidths);
}

void DRVGraphicView::updateRowHeight()
{
    applyTypedSize(m_tableGridWindowController, m_tableGridTable, kHeights);
}

void DRVGraphicView::updateFixedWidth()
{
    applyFixedFlag(m_tableGridWindowController, m_tableGridTable, kWidths);
}

void DRVGraphicView::updateFixedHeight()
{
    applyFixedFlag(m_tableGridWindowController, m_tableGridTable, kHeights);
}

void DRVGraphicView::updateTableSameWidth()
{
    shareEqually(m_tableGridTable, kWidths);
}

void DRVGraphicView::updateTableSameHeight()
{
    shareEqually(m_tableGridTable, kHeights);
}

void DRVGraphicView::adjustTableSpacing()
{
    if (TableGridWindowController* c = m_tableGridWindowController)
        c->spacingTextField()->setText(QString::number(c->spacingSlider()->value()));
}

void DRVGraphicView::updateTableNumOfColumns()
{
    if (TableGridWindowController* c = m_tableGridWindowController)
        c->numOfColumnsTextField()->setText(QString::number(c->columnStepper()->value()));
}

void DRVGraphicView::updateTableNumOfRows()
{
    if (TableGridWindowController* c = m_tableGridWindowController)
        c->numOfRowsTextField()->setText(QString::number(c->rowStepper()->value()));
}

void DRVGraphicView::controlTextDidChange(QObject* field)
{
    TableGridWindowController* c = m_tableGridWindowController;
    const auto* edit = qobject_cast<QLineEdit*>(field);
    if (!c || !edit || edit->text().isEmpty())
        return;
    if (edit == c->widthTextField())
        updateColumnWidth();
    else if (edit == c->heightTextField())
        updateRowHeight();
}

void DRVGraphicView::saveTableSettings()
{
    TableGridWindowController* c = m_tableGridWindowController;
    DRVTable* table = m_tableGridTable;
    if (!c || !table) {
        if (c)
            c->window()->hide();
        return;
    }
    platform::UndoManager* undo = undoManager();
    beginUndoStep();
    if (undo)
        undo->disableUndoRegistration();
    const bool sameWidth = c->sameWidthForAllColumnsCheckmark()->isChecked();
    const bool sameHeight = c->sameHeightForAllRowsCheckmark()->isChecked();
    table->setSameHeightForAllRowsFlag(sameHeight ? 1 : 0);
    table->setSameWidthForAllColumnsFlag(sameWidth ? 1 : 0);
    if (sameHeight)
        updateTableSameHeight();
    if (sameWidth)
        updateTableSameWidth();
    if (!sameWidth)
        updateColumnWidth();
    if (!sameHeight)
        updateRowHeight();
    if (!c->spacingTextField()->text().isEmpty())
        table->setPadding(std::clamp(platform::intValue(c->spacingTextField()->text()), 0, 1000));
    table->setNumOfColumns(typedCount(c->numOfColumnsTextField()));
    table->setNumOfRows(typedCount(c->numOfRowsTextField()));
    table->refreshTable();
    if (undo)
        undo->enableUndoRegistration();
    recordTableSnapshot(table, m_tableGridSnapshot);
    c->window()->hide();
    m_tableGridTable = nullptr;
    m_tableGridSnapshot.reset();

    if (edition().gResponsiveLayoutFlag) {
        if (table->gridType() == QLatin1String("section")) {
            reAlignSectionObjects(table);
        } else if (DRVGraphic* section = grabOverLappingSection(table->bounds())) {
            reAlignSectionObjects(section);
        }
    }
    endUndoStep(QStringLiteral("Configure Table Grid"));
}

void DRVGraphicView::cancelTableSettings()
{
    if (m_tableGridTable && m_tableGridSnapshot) {
        platform::UndoManager* undo = undoManager();
        if (undo)
            undo->disableUndoRegistration();
        m_tableGridTable->restoreStructure(static_cast<const DRVTable&>(*m_tableGridSnapshot));
        if (undo)
            undo->enableUndoRegistration();
    }
    m_tableGridTable = nullptr;
    m_tableGridSnapshot.reset();
    if (m_tableGridWindowController)
        m_tableGridWindowController->window()->hide();
}
