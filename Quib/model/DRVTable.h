// The table graphic: a grid of text cells, optionally with one picture per cell and a background
// picture. One class serves plain tables, the sections of the responsive layout and every other
// grid component of a page; gridType tells them apart. The cells are myTextView carriers and the
// pictures TransformView carriers that the table owns; the page writer reads them after the layout
// step (layoutCells), which computes every value it needs without painting.
#pragma once
#include "model/DRVGraphic.h"
#include "model/TransformView.h"
#include "model/myTextView.h"

#include <QFont>
#include <QList>
#include <QPoint>
#include <QPointer>
#include <QRect>

class QTextDocument;
class QuibLayoutManager;

class DRVTable : public DRVGraphic
{
    Q_OBJECT
    Q_PROPERTY(int numOfColumns READ numOfColumns WRITE setNumOfColumns)
    Q_PROPERTY(int numOfRows READ numOfRows WRITE setNumOfRows)
    Q_PROPERTY(int padding READ padding WRITE setPadding)
    Q_PROPERTY(QString gridType READ gridType WRITE setGridType)
    Q_PROPERTY(QList<myTextView*> cellHelperArray READ cellHelperArray)
    Q_PROPERTY(QList<TransformView*> imageArray READ imageArray)
    Q_PROPERTY(QList<TransformView*> tableBackgroundArray READ tableBackgroundArray)
    Q_PROPERTY(TransformView* tableBackgroundImage READ tableBackgroundImage WRITE setTableBackgroundImage)
    Q_PROPERTY(int tag READ tag WRITE setTag)
    Q_PROPERTY(int interimTranslatedY READ interimTranslatedY WRITE setInterimTranslatedY)
    Q_PROPERTY(bool interimCopyFlag READ interimCopyFlag WRITE setInterimCopyFlag)

public:
    // A point outside every cell answers this row and column.
    static constexpr int kNoSpot = -99;
    // A shrinking column or row never takes a cell below this width or height.
    static constexpr int kShrinkThreshold = 20;

    Q_INVOKABLE explicit DRVTable(QObject* parent = nullptr);
    ~DRVTable() override;

    // A complete copy: every property of the table, and copies of its cells (text included),
    // cell pictures and background pictures, owned by the copy.
    std::unique_ptr<DRVGraphic> copy() const override;
    // A copy of one cell (every stored value, its inner text view's and its styled text), and of
    // one picture; the caller owns them.
    static myTextView* copyOfCell(const myTextView* cell);
    static TransformView* copyOfImage(const TransformView* image);
    // Takes every stored value of other's table and graphic properties but the geometry and the keys
    // in skip; cells and pictures stay as they are.
    void takeValuesOf(const DRVTable* other, const QStringList& skip);

    // ---- property dictionary ----
    // Reads "numOfColumns", "numOfRows", "padding", "gridType" (absent: "table"), and adopts the
    // carriers of "cellArray", "imageArray" and "tableBackgroundArray" (the same objects, which the
    // table takes over as their parent). With at least one cell, the table's style is that of the
    // first cell. Writes "gridType" (when set), "numOfRows" and "numOfColumns"; cells and pictures
    // are not written.
    QVariantMap properties() const override;
    void initWithProperties(const QVariantMap& properties) override;

    // ---- fields ----
    int numOfColumns() const { return m_numOfColumns; }
    void setNumOfColumns(int value) { changeValue(m_numOfColumns, value, "numOfColumns"); }
    int numOfRows() const { return m_numOfRows; }
    void setNumOfRows(int value) { changeValue(m_numOfRows, value, "numOfRows"); }
    // Cell spacing: the gap between neighbouring cells.
    int padding() const { return m_padding; }
    void setPadding(int value) { changeValue(m_padding, value, "padding"); }
    QString gridType() const override { return m_gridType; }
    void setGridType(const QString& value) { changeValue(m_gridType, value, "gridType"); }
    int tag() const { return m_tag; }
    void setTag(int value) { changeValue(m_tag, value, "tag"); }
    int interimTranslatedY() const { return m_interimTranslatedY; }
    void setInterimTranslatedY(int value) { changeValue(m_interimTranslatedY, value, "interimTranslatedY"); }
    bool interimCopyFlag() const { return m_interimCopyFlag; }
    void setInterimCopyFlag(bool value) { changeValue(m_interimCopyFlag, value, "interimCopyFlag"); }

    // The cells, in any order; each carries its own rowSpot and columnSpot.
    QList<myTextView*> cellHelperArray() const { return m_cells; }
    // Adopts the cells; cells of the old array that are not in the new one are deleted.
    void setCellHelperArray(const QList<myTextView*>& cells);
    // The pictures shown in cells, at most one per spot.
    QList<TransformView*> imageArray() const { return m_images; }
    // Adopts the pictures; pictures of the old array that are not in the new one are deleted.
    void setImageArray(const QList<TransformView*>& images);
    QList<TransformView*> tableBackgroundArray() const { return m_backgroundArray; }
    TransformView* tableBackgroundImage() const { return m_backgroundImage; }
    // Adopts the picture; a previous one the table owned and no longer lists is deleted.
    void setTableBackgroundImage(TransformView* image);

    // ---- look-ups (linear searches in array order; the first match wins) ----
    myTextView* grabSelectedTableCellHelper(int row, int column) const;
    myTextView* grabFirstCellAtColumn(int column) const;
    myTextView* grabFirstCellAtRow(int row) const;
    // The width of the cell at (0, column) and the height of the cell at (row, 0); 0 when missing.
    int grabColumnWidth(int column) const;
    int grabRowHeight(int row) const;
    TransformView* grabSelectedImageAtSpot(int row, int column) const;
    // The rectangle the cell at (row, column) is drawn in, which is also where it is hit: its
    // background and border fill it, and its text starts at its top left (top alignment). Zero
    // size when the cell is missing.
    QRect grabSelectedCellRect(int row, int column) const;
    // Row and column of the first cell, in array order, whose rectangle contains the point
    // (minimum edges inside, maximum edges outside); kNoSpot when none.
    int grabRowSpot(int x, int y) const;
    int grabColumnSpot(int x, int y) const;
    QRect grabCurrentCellRect(int x, int y) const;
    // The cell under the canvas's last touch point, and its text.
    myTextView* grabCurrentTableCellHelper() const;
    QTextDocument* grabCurrentTextStorage() const;
    // How many cells there are from the cell under point to the last cell in reading order, both
    // included; 0 when no cell is under the point.
    int grabMaxNumToAdd(QPointF point) const;
    // The next spot in reading order as (x = row, y = column); after the last column, column 0 of
    // the next row (also after the last row).
    QPoint grabNextSpot(int row, int column) const;

    // ---- size ----
    // The width and height the cells need: spacing and border around and between the cells, the
    // table's paddings and margins, and every column width (row height).
    int tableTotalCellWidth() const;
    int tableTotalCellHeight() const;
    // The mean column width and row height; 0 for a table without columns (rows).
    float averageColumnWidth() const;
    float averageRowHeight() const;
    // Columns whose row-0 cell is not fixed (fixedWidthFlag other than 1), rows whose column-0 cell
    // is not fixed (fixedHeightFlag 0).
    int numOfNonFixedColumns() const;
    int numOfNonFixedRows() const;
    // Every cell takes width and fixed flag of the first cell of its column, height and fixed
    // flag of the first cell of its row; a cell whose first cell is missing keeps its own.
    void alignCells();
    // Takes a picture into its cell, replacing (and deleting) the picture at the same spot; a
    // picture without a spot (row or column kNoSpot) is not added and stays the caller's.
    void addIntoImageArray(TransformView* image);
    // Spreads a size change over the columns and rows that are not fixed, then stores the bounds.
    // The share is (new size - the size the cells need) / non-fixed count, truncated toward zero;
    // growing adds it to every non-fixed cell, shrinking takes it only from cells above the
    // threshold and never below it. When every column (row) is fixed, the size the cells need
    // replaces the requested one; a table without cells keeps the requested size.
    void setBounds(const QRectF& bounds) override;
    // Re-applies the bounds, so the non-fixed cells absorb any change of what the cells need, and
    // tells observers the drawing changed.
    void refreshLayout();

    // ---- structure editing (DRVTable+Editing.cpp) ----
    // A plain cell as tables make them: empty text, "Helvetica Neue" 15, grey text, no fill, a
    // thin black solid border, left aligned, pixel margins and paddings. The caller places it.
    static myTextView* makeStandardCell();
    // The largest row (column) spot of the cells; kNoSpot for none.
    static int findMaxRowSpot(const QList<myTextView*>& cells);
    static int findMaxColumnSpot(const QList<myTextView*>& cells);
    // Makes the cells match the counts, each raised to at least 1: cells and pictures beyond them
    // go, missing rows then columns are added in the style of their neighbours, and the table
    // takes the size its cells need (a responsive section the section width).
    void refreshTable();
    // A row (column) put in at spot, the rows (columns) from there moving one on, pictures with
    // them. Spots outside the table do nothing.
    void insertRow(int row);
    void insertColumn(int column);
    // Removes a row (column) with its cells and pictures; the last one is never removed. Whether
    // anything changed.
    bool deleteRow(int row);
    bool deleteColumn(int column);
    // Swaps two neighbouring rows (columns), cells and pictures, each keeping its height (width).
    // Nothing happens when either lies outside the table.
    bool swapRows(int row, int other);
    bool swapColumns(int column, int other);
    // Rows become columns and columns rows.
    void transform();
    // Takes the cells and pictures of other below (beside) its own; the counts across must match.
    // other is left as it was.
    bool joinVertically(const DRVTable& other);
    bool joinHorizontally(const DRVTable& other);
    // Becomes exactly what snapshot (a copy of this table) was: values, bounds, cells, pictures.
    void restoreStructure(const DRVTable& snapshot);

    // ---- styles: push the table's style onto the target cells ----
    // Targets: every cell, unless the edition styles cells one by one (gTableCellEditingFlag) and
    // some cell is marked (selected), in which case only the marked cells. Each ends with
    // refreshLayout.
    void updateHoverTextColor();
    void updateHoverBackgroundColor();
    void updateTextColor();
    void updateLineSpacing();
    void updateBorderColor();
    void updateBackgroundColor();
    void updateFontSize();
    void updateFontFamily();
    void updateTextAlignment();
    void updateOpacity();
    void updateShadow();
    void refreshStyle();
    // Takes the style of a cell into the table's own values, so the inspector shows them.
    void reflectSelectedCellProperties(myTextView* cell);
    QList<myTextView*> styleTargetCells() const;
    // The font a cell's family name and size in pixels stand for (a size of 0 keeps the default).
    static QFont fontNamed(const QString& family, int size);

    // ---- layout and drawing ----
    // The layout step: re-applies the bounds, gives a drawn border a width of at least 1, and
    // writes into every cell its origin, text type, the table's values and its styled and
    // measured text, and into every cell picture its rectangle and the table's values. Drawing
    // runs it first; the page writer runs it instead of drawing. A writer that needs a text's
    // height only to move it down from the top passes false and leaves the heights of top-aligned
    // texts as they were: measuring them is most of the step's cost.
    void layoutCells(bool measureTopAlignedText = true);
    // Where the cell's text is drawn after layoutCells, by its vertical alignment.
    QPointF cellTextOrigin(const myTextView* cell) const;
    // The size the cell's text is laid out in, and its distance from the cell's sides.
    QSizeF cellTextContainerSize(const myTextView* cell) const;
    int cellTextInset(const myTextView* cell) const;
    // The rectangle a cell picture takes in its cell: fitted to the cell keeping the picture's
    // proportions and centred. Null when the picture has no usable size.
    QRect fittedImageRect(const TransformView* image, const myTextView* cell) const;

    QRectF drawingBounds() const override;
    void drawContentsInView(QPainter* painter, bool isBeingCreateOrEdited) override;
    // The grid is painted by drawContentsInView; the table has no outline of its own.
    GraphicPath bezierPathForDrawing() const override;
    bool canSetDrawingFill() const override { return true; }
    bool canSetDrawingStroke() const override { return true; }

    // ---- in-place editing ----
    // A text editor over the cell under the last touch point, in that cell's rectangle; nullptr
    // when there is no such cell or text, the table is not selectable, or it is a section.
    QWidget* newEditingViewWithSuperviewBounds(const QRectF& superviewBounds) override;
    void finalizeEditingView(QWidget* editingView) override;
    // The cell being edited, if any.
    myTextView* editedCell() const { return m_editedCell; }
    // The used size of the current cell's text at the width of its rectangle.
    QSizeF naturalSize() const;
    // Measures the current cell's text and keeps its height in the cell.
    void setHeightToMatchContents();
    // Called for every processed change of a cell's text; measures one run-loop turn later.
    void textStorageDidProcessEditing();
    // The layout manager of every table, separate from the text graphic's.
    static QuibLayoutManager& sharedLayoutManager();

protected:
    QStringList keysAffectedByKey(const QString& key) const override;

private:
    struct CellBox
    {
        QRect fill;    // background and border; the hit rectangle
        QPoint origin; // what the page writer reads as originX, originY
    };
    // Every drawn cell with its rectangles, column by column and row by row.
    QList<QPair<myTextView*, CellBox>> cellBoxes() const;
    // The first cell, in array order, drawn over the point.
    myTextView* cellAtPoint(int x, int y) const;
    void adopt(QObject* carrier);
    void applyCellTextStyle(myTextView* cell);
    void measureCellText(myTextView* cell);
    void layoutCellImages();
    void paintBackgroundImage(QPainter* painter);
    void paintGrid(QPainter* painter);
    void paintCells(QPainter* painter, bool isBeingCreateOrEdited);
    void watchTextStorage(myTextView* cell);
    void takeStyleFromCell(const myTextView* cell, bool includeLayoutValues);
    void copyTableInto(DRVTable* table) const;
    // The row (isRow) or column forms of the structure edits.
    void insertLine(int spot, bool isRow);
    bool deleteLine(int spot, bool isRow);
    bool swapLines(int spot, int other, bool isRow);
    bool join(const DRVTable& other, bool below);

    int m_numOfColumns = 0;
    int m_numOfRows = 0;
    int m_padding = 0;
    QString m_gridType;
    QList<myTextView*> m_cells;
    QList<TransformView*> m_images;
    QList<TransformView*> m_backgroundArray;
    TransformView* m_backgroundImage = nullptr;
    int m_tag = 0;
    int m_interimTranslatedY = 0;
    bool m_interimCopyFlag = false;

    QPointer<myTextView> m_editedCell;
    QPointer<QWidget> m_editor;
    bool m_heightMeasurePending = false;
};
