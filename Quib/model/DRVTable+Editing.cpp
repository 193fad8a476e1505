// In-place editing of one cell's text, and the table's structure: rows and columns added, removed,
// moved, swapped over and joined.
#include "model/DRVTable.h"

#include "editions/EditionSettings.h"
#include "model/QuibLayoutManager.h"
#include "model/QuibTextEditor.h"
#include "platform/Geometry.h"

#include <QTextDocument>
#include <QTimer>

#include <algorithm>
#include <memory>

QWidget* DRVTable::newEditingViewWithSuperviewBounds(const QRectF& superviewBounds)
{
    if (!m_selectable || isSectionTable())
        return nullptr;
    myTextView* cell = grabCurrentTableCellHelper();
    if (!cell || !cell->textStorage())
        return nullptr;
    const QRect r = grabSelectedCellRect(cell->rowSpot(), cell->columnSpot());
    if (m_editor)
        finalizeEditingView(m_editor);
    auto* editor = new QuibTextEditor(cell->textStorage(), QSizeF(r.width(), 0),
                                      QSizeF(r.width(), superviewBounds.height() - r.y()));
    editor->setGeometry(r);
    editor->selectAll();
    m_editor = editor;
    m_editedCell = cell;
    watchTextStorage(cell);
    return editor;
}

void DRVTable::finalizeEditingView(QWidget* editingView)
{
    if (auto* editor = qobject_cast<QuibTextEditor*>(editingView))
        editor->detachText();
    if (editingView == m_editor) {
        m_editor = nullptr;
        m_editedCell = nullptr;
    }
}

QSizeF DRVTable::naturalSize() const
{
    const myTextView* cell = grabCurrentTableCellHelper();
    if (!cell || !cell->textStorage())
        return {};
    const QRect r = grabSelectedCellRect(cell->rowSpot(), cell->columnSpot());
    return sharedLayoutManager()
        .measuredRect(cell->textStorage(), QSizeF(r.width(), QuibLayoutManager::kUnlimited))
        .size();
}

void DRVTable::setHeightToMatchContents()
{
    m_heightMeasurePending = false;
    myTextView* cell = m_editedCell ? m_editedCell.data() : grabCurrentTableCellHelper();
    if (cell)
        measureCellText(cell);
}

void DRVTable::textStorageDidProcessEditing()
{
    if (m_heightMeasurePending)
        return;
    m_heightMeasurePending = true;
    QTimer::singleShot(0, this, &DRVTable::setHeightToMatchContents);
}

void DRVTable::watchTextStorage(myTextView* cell)
{
    if (QTextDocument* text = cell->textStorage())
        connect(text, &QTextDocument::contentsChanged, this, &DRVTable::textStorageDidProcessEditing,
                Qt::UniqueConnection);
}

// ---- structure editing ----
//
// Cells and pictures are found by their spots, never by their place in the arrays. Every change
// goes through the array setters, so the table owns what it lists and deletes what it drops.

namespace {

// Marks a spot that is being swapped, so that the two passes do not meet.
constexpr int kSwapSpot = -999;

// The style a new cell takes from its neighbour.
void copyNeighbourStyle(const myTextView* from, myTextView* to)
{
    to->setColorString(from->colorString());
    to->setBackgroundHexColorString(from->backgroundHexColorString());
    to->setTextHexColorString(from->textHexColorString());
    to->setTextColorString(from->textColorString());
    to->setFamilyName(from->familyName());
    to->setFontSize(from->fontSize());
    to->setTextAlignment(from->textAlignment());
    to->setBorderHexColorString(from->borderHexColorString());
    to->textView()->setFont(DRVTable::fontNamed(from->familyName(), from->fontSize()));
}

// Rows and columns are the same operations with the other spot; one accessor pair serves both.
struct Axis
{
    int (myTextView::*cellSpot)() const;
    void (myTextView::*setCellSpot)(const int&);
    int (TransformView::*imageSpot)() const;
    void (TransformView::*setImageSpot)(const int&);
};

const Axis kRows{&myTextView::rowSpot, &myTextView::setRowSpot, &TransformView::rowSpot,
                 &TransformView::setRowSpot};
const Axis kColumns{&myTextView::columnSpot, &myTextView::setColumnSpot, &TransformView::columnSpot,
                    &TransformView::setColumnSpot};

// Every spot equal to from becomes to, on cells and pictures.
void respot(const QList<myTextView*>& cells, const QList<TransformView*>& images, const Axis& axis, int from,
            int to)
{
    for (myTextView* cell : cells) {
        if ((cell->*axis.cellSpot)() == from)
            (cell->*axis.setCellSpot)(to);
    }
    for (TransformView* image : images) {
        if ((image->*axis.imageSpot)() == from)
            (image->*axis.setImageSpot)(to);
    }
}

// Every spot at or after from moves by delta, on cells and pictures.
void shiftFrom(const QList<myTextView*>& cells, const QList<TransformView*>& images, const Axis& axis,
               int from, int delta)
{
    for (myTextView* cell : cells) {
        if ((cell->*axis.cellSpot)() >= from)
            (cell->*axis.setCellSpot)((cell->*axis.cellSpot)() + delta);
    }
    for (TransformView* image : images) {
        if ((image->*axis.imageSpot)() >= from)
            (image->*axis.setImageSpot)((image->*axis.imageSpot)() + delta);
    }
}

} // namespace

myTextView* DRVTable::makeStandardCell()
{
    auto* cell = new myTextView;
    cell->setTextStorage(new QTextDocument);
    cell->setFamilyName(QStringLiteral("Helvetica Neue"));
    cell->setFontSize(15);
    cell->textView()->setFont(fontNamed(cell->familyName(), cell->fontSize()));
    cell->setAlphaValue(1.0);
    cell->setShadowFlag(0);
    cell->setTextColorString(QStringLiteral("4f4c4c"));
    cell->setTextHexColorString(QStringLiteral("4f4c4c"));
    cell->setColorString(QStringLiteral("CLEAR0"));
    cell->setLinkType(QStringLiteral("shape"));
    cell->setFormType(QString());
    cell->setFormTag(0);
    cell->setFormOptionTag(kNoSpot);
    cell->setFormRequiredFlag(0);
    cell->textView()->setBorderLine(QStringLiteral("solid"));
    cell->setBorderWidth(1);
    cell->setBorderHexColorString(QStringLiteral("000000"));
    cell->setTextAlignment(QStringLiteral("left"));
    cell->setLineSpacing(1.2f);
    const QString pixel = QStringLiteral("pixel");
    for (auto setter :
         {&myTextView::setTopMarginType, &myTextView::setBottomMarginType, &myTextView::setLeftMarginType,
          &myTextView::setRightMarginType, &myTextView::setTopPaddingType, &myTextView::setBottomPaddingType,
          &myTextView::setLeftPaddingType, &myTextView::setRightPaddingType})
        (cell->*setter)(pixel);
    return cell;
}

int DRVTable::findMaxRowSpot(const QList<myTextView*>& cells)
{
    int found = kNoSpot;
    for (const myTextView* cell : cells)
        found = std::max(found, cell->rowSpot());
    return found;
}

int DRVTable::findMaxColumnSpot(const QList<myTextView*>& cells)
{
    int found = kNoSpot;
    for (const myTextView* cell : cells)
        found = std::max(found, cell->columnSpot());
    return found;
}

void DRVTable::refreshTable()
{
    // A table always keeps one cell: counts below 1 would leave it with nothing to draw or edit.
    setNumOfRows(std::max(m_numOfRows, 1));
    setNumOfColumns(std::max(m_numOfColumns, 1));

    QList<myTextView*> cells;
    for (myTextView* cell : std::as_const(m_cells)) {
        if (cell->rowSpot() < m_numOfRows && cell->columnSpot() < m_numOfColumns)
            cells.append(cell);
    }
    if (cells.size() != m_cells.size())
        setCellHelperArray(cells);
    QList<TransformView*> images;
    for (TransformView* image : std::as_const(m_images)) {
        if (image->rowSpot() < m_numOfRows && image->columnSpot() < m_numOfColumns)
            images.append(image);
    }
    if (images.size() != m_images.size())
        setImageArray(images);
    if (m_cells.isEmpty()) {
        myTextView* seed = makeStandardCell();
        seed->setRowSpot(0);
        seed->setColumnSpot(0);
        seed->setWidth(std::max(platform::truncToInt(bounds().width()), int(kShrinkThreshold)));
        seed->setHeight(std::max(platform::truncToInt(bounds().height()), int(kShrinkThreshold)));
        setCellHelperArray({seed});
    }

    int maxRow = findMaxRowSpot(m_cells);
    int maxColumn = findMaxColumnSpot(m_cells);
    // The mean of the columns (rows) there are, so new ones look like the old ones.
    float widthSum = 0;
    for (int c = 0; c <= maxColumn; ++c)
        widthSum += float(grabColumnWidth(c));
    float heightSum = 0;
    for (int r = 0; r <= maxRow; ++r)
        heightSum += float(grabRowHeight(r));
    const float averageWidth = widthSum / float(maxColumn + 1);
    const float averageHeight = heightSum / float(maxRow + 1);
    const bool equalSizes = edition().gEqualColumnWidthsFlag;

    while (maxRow < m_numOfRows - 1) {
        QList<myTextView*> grown = m_cells;
        for (int c = 0; c <= maxColumn; ++c) {
            myTextView* cell = makeStandardCell();
            cell->setRowSpot(maxRow + 1);
            cell->setColumnSpot(c);
            cell->setWidth(grabColumnWidth(c));
            if (const myTextView* above = grabSelectedTableCellHelper(maxRow, c)) {
                cell->setFixedWidthFlag(above->fixedWidthFlag());
                copyNeighbourStyle(above, cell);
            }
            cell->setHeight(equalSizes && sameHeightForAllRowsFlag() == 0 ? int(averageHeight)
                                                                          : grabRowHeight(0));
            grown.append(cell);
        }
        setCellHelperArray(grown);
        maxRow = findMaxRowSpot(m_cells);
        maxColumn = findMaxColumnSpot(m_cells);
    }
    while (maxColumn < m_numOfColumns - 1) {
        QList<myTextView*> grown = m_cells;
        for (int r = 0; r <= maxRow; ++r) {
            myTextView* cell = makeStandardCell();
            cell->setRowSpot(r);
            cell->setColumnSpot(maxColumn + 1);
            cell->setHeight(grabRowHeight(r));
            if (const myTextView* left = grabSelectedTableCellHelper(r, maxColumn)) {
                cell->setFixedHeightFlag(left->fixedHeightFlag());
                copyNeighbourStyle(left, cell);
            }
            cell->setWidth(equalSizes && sameWidthForAllColumnsFlag() == 0 ? int(averageWidth)
                                                                           : grabColumnWidth(0));
            grown.append(cell);
        }
        setCellHelperArray(grown);
        maxRow = findMaxRowSpot(m_cells);
        maxColumn = findMaxColumnSpot(m_cells);
    }

    int width = tableTotalCellWidth();
    if (edition().gResponsiveLayoutFlag && m_gridType == QLatin1String("section"))
        width = edition().gDefaultSectionWidth;
    setBounds(QRectF(bounds().topLeft(), QSizeF(width, tableTotalCellHeight())));
}

void DRVTable::insertRow(int row)
{
    insertLine(row, true);
}

void DRVTable::insertColumn(int column)
{
    insertLine(column, false);
}

void DRVTable::insertLine(int spot, bool isRow)
{
    const int count = isRow ? m_numOfRows : m_numOfColumns;
    if (spot < 0 || spot >= count)
        return;
    if (isRow)
        setNumOfRows(count + 1);
    else
        setNumOfColumns(count + 1);
    refreshTable();
    // The new cells came in as the last row (column); everything from spot on moves one on, and
    // the new cells, now past the end, take spot's place.
    const Axis& axis = isRow ? kRows : kColumns;
    shiftFrom(m_cells, m_images, axis, spot, 1);
    respot(m_cells, {}, axis, count + 1, spot);
    refreshLayout();
}

bool DRVTable::deleteRow(int row)
{
    return deleteLine(row, true);
}

bool DRVTable::deleteColumn(int column)
{
    return deleteLine(column, false);
}

bool DRVTable::deleteLine(int spot, bool isRow)
{
    const Axis& axis = isRow ? kRows : kColumns;
    const int count = isRow ? m_numOfRows : m_numOfColumns;
    if (count <= 1 || spot < 0 || spot >= count)
        return false;
    QList<myTextView*> cells;
    for (myTextView* cell : std::as_const(m_cells)) {
        if ((cell->*axis.cellSpot)() != spot)
            cells.append(cell);
    }
    setCellHelperArray(cells);
    QList<TransformView*> images;
    for (TransformView* image : std::as_const(m_images)) {
        if ((image->*axis.imageSpot)() != spot)
            images.append(image);
    }
    setImageArray(images);
    shiftFrom(m_cells, m_images, axis, spot + 1, -1);
    if (isRow)
        setNumOfRows(count - 1);
    else
        setNumOfColumns(count - 1);
    refreshTable();
    return true;
}

bool DRVTable::swapRows(int row, int other)
{
    return swapLines(row, other, true);
}

bool DRVTable::swapColumns(int column, int other)
{
    return swapLines(column, other, false);
}

bool DRVTable::swapLines(int spot, int other, bool isRow)
{
    const Axis& axis = isRow ? kRows : kColumns;
    const int count = isRow ? m_numOfRows : m_numOfColumns;
    if (spot < 0 || other < 0 || spot >= count || other >= count || spot == other)
        return false;
    respot(m_cells, m_images, axis, spot, kSwapSpot);
    respot(m_cells, m_images, axis, other, spot);
    respot(m_cells, m_images, axis, kSwapSpot, other);
    alignCells();
    refreshLayout();
    return true;
}

void DRVTable::transform()
{
    for (myTextView* cell : std::as_const(m_cells)) {
        const int row = cell->rowSpot();
        cell->setRowSpot(cell->columnSpot());
        cell->setColumnSpot(row);
    }
    for (TransformView* image : std::as_const(m_images)) {
        const int row = image->rowSpot();
        image->setRowSpot(image->columnSpot());
        image->setColumnSpot(row);
    }
    const int rows = m_numOfRows;
    setNumOfRows(m_numOfColumns);
    setNumOfColumns(rows);
    alignCells();
    refreshLayout();
}

bool DRVTable::joinVertically(const DRVTable& other)
{
    return join(other, true);
}

bool DRVTable::joinHorizontally(const DRVTable& other)
{
    return join(other, false);
}

bool DRVTable::join(const DRVTable& other, bool below)
{
    const bool fits = below ? other.m_numOfColumns == m_numOfColumns : other.m_numOfRows == m_numOfRows;
    if (!fits || &other == this)
        return false;
    // Copies of other's cells and pictures, taken over from a copy of the whole table.
    const std::unique_ptr<DRVGraphic> copied = other.copy();
    const auto* source = static_cast<const DRVTable*>(copied.get());
    shiftFrom(source->m_cells, source->m_images, below ? kRows : kColumns, 0,
              below ? m_numOfRows : m_numOfColumns);
    setCellHelperArray(m_cells + source->m_cells);
    setImageArray(m_images + source->m_images);
    const QRectF b = bounds();
    const QRectF o = other.bounds();
    if (below) {
        setNumOfRows(m_numOfRows + other.m_numOfRows);
        setBounds(QRectF(b.x(), b.y(), b.width(), b.height() + o.height()));
    } else {
        setNumOfColumns(m_numOfColumns + other.m_numOfColumns);
        setBounds(QRectF(b.x(), b.y(), b.width() + o.width(), b.height()));
    }
    alignCells();
    refreshLayout();
    return true;
}

void DRVTable::restoreStructure(const DRVTable& snapshot)
{
    snapshot.copyTableInto(this);
    // Stored as it was: setting it through the table would spread it over the restored cells.
    DRVGraphic::setBounds(snapshot.bounds());
    // Announcing the column count unchanged redraws the table without touching its cells.
    const QString key = QStringLiteral("numOfColumns");
    willChangeValueForKey(key);
    didChangeValueForKey(key);
}
