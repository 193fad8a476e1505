#include "model/DRVTable.h"

#include "editions/DataCentre.h"
#include "platform/Geometry.h"

#include <QHash>
#include <QMetaProperty>
#include <QTextDocument>

#include <algorithm>

namespace {

// Copies every stored, writable value property of the class that from and to share, leaving out
// object pointers (owned parts and links to other carriers are the caller's business) and the
// keys in skip.
void copyStoredValues(const QObject* from, QObject* to, const QMetaObject& upTo, const QStringList& skip = {})
{
    const QMetaObject* meta = from->metaObject();
    for (int i = upTo.propertyOffset(); i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        if (!property.isWritable() || !property.isStored())
            continue;
        if (property.metaType().flags() & QMetaType::PointerToQObject)
            continue;
        if (skip.contains(QLatin1String(property.name())))
            continue;
        property.write(to, property.read(from));
    }
}

myTextView* copyCell(const myTextView* cell)
{
    auto* copy = new myTextView(cell->frame());
    copyStoredValues(cell, copy, myTextView::staticMetaObject);
    copyStoredValues(cell->textView(), copy->textView(), MTextView::staticMetaObject);
    if (cell->textStorage())
        copy->setTextStorage(cell->textStorage()->clone());
    return copy;
}

TransformView* copyImage(const TransformView* image)
{
    auto* copy = new TransformView(image->frame());
    copyStoredValues(image, copy, TransformView::staticMetaObject);
    return copy;
}

// The carriers a dictionary entry holds: a typed list, or a list of objects.
template <class T> QList<T*> carriersOf(const QVariant& value)
{
    if (value.metaType() == QMetaType::fromType<QList<T*>>())
        return value.value<QList<T*>>();
    QList<T*> carriers;
    if (value.typeId() == QMetaType::QVariantList) {
        for (const QVariant& element : value.toList()) {
            if (T* carrier = qobject_cast<T*>(element.value<QObject*>()))
                carriers.append(carrier);
        }
    }
    return carriers;
}

int fontAlignmentForTextAlignment(const QString& alignment)
{
    if (alignment == QLatin1String("center"))
        return 1;
    if (alignment == QLatin1String("right"))
        return 2;
    if (alignment == QLatin1String("justify"))
        return 3;
    return 0;
}

QColor fillForBackground(const QString& hex)
{
    if (hex.isEmpty() || hex == QLatin1String("CLEAR0"))
        return QColor(Qt::transparent);
    return DataCentre::colorWithHexString(hex);
}

} // namespace

DRVTable::DRVTable(QObject* parent) : DRVGraphic(parent) {}

DRVTable::~DRVTable() = default;

void DRVTable::adopt(QObject* carrier)
{
    if (carrier && carrier->parent() != this)
        carrier->setParent(this);
}

// ---- copy ----

std::unique_ptr<DRVGraphic> DRVTable::copy() const
{
    std::unique_ptr<DRVGraphic> graphic = DRVGraphic::copy();
    if (auto* table = qobject_cast<DRVTable*>(graphic.get()))
        copyTableInto(table);
    return graphic;
}

myTextView* DRVTable::copyOfCell(const myTextView* cell)
{
    return copyCell(cell);
}

TransformView* DRVTable::copyOfImage(const TransformView* image)
{
    return copyImage(image);
}

void DRVTable::takeValuesOf(const DRVTable* other, const QStringList& skip)
{
    copyStoredValues(other, this, DRVGraphic::staticMetaObject,
                     skip + QStringList{QStringLiteral("bounds"), QStringLiteral("xPosition"),
                                        QStringLiteral("yPosition"), QStringLiteral("width"),
                                        QStringLiteral("height")});
}

void DRVTable::copyTableInto(DRVTable* table) const
{
    // The bounds came over as they are; everything else goes through the setters, except that
    // the bounds are not set again (that would spread a size change over the copied cells).
    copyStoredValues(this, table, DRVGraphic::staticMetaObject,
                     {QStringLiteral("bounds"), QStringLiteral("xPosition"), QStringLiteral("yPosition"),
                      QStringLiteral("width"), QStringLiteral("height")});
    QList<myTextView*> cells;
    for (const myTextView* cell : m_cells)
        cells.append(copyCell(cell));
    table->setCellHelperArray(cells);
    QList<TransformView*> images;
    for (const TransformView* image : m_images)
        images.append(copyImage(image));
    table->setImageArray(images);
    TransformView* background = nullptr;
    for (const TransformView* image : m_backgroundArray) {
        TransformView* copy = copyImage(image);
        table->adopt(copy);
        table->m_backgroundArray.append(copy);
        if (image == m_backgroundImage)
            background = copy;
    }
    if (m_backgroundImage && !background)
        background = copyImage(m_backgroundImage);
    table->setTableBackgroundImage(background);
}

// ---- property dictionary ----

void DRVTable::initWithProperties(const QVariantMap& properties)
{
    DRVGraphic::initWithProperties(properties);
    auto integer = [&properties](const char* key) {
        return intFromProperty(properties.value(QLatin1String(key)));
    };
    setNumOfColumns(integer("numOfColumns"));
    setNumOfRows(integer("numOfRows"));
    setPadding(integer("padding"));
    const QString gridTypeKey = QStringLiteral("gridType");
    setGridType(properties.contains(gridTypeKey) ? stringFromProperty(properties.value(gridTypeKey))
                                                 : QStringLiteral("table"));
    setCellHelperArray(carriersOf<myTextView>(properties.value(QStringLiteral("cellArray"))));
    setImageArray(carriersOf<TransformView>(properties.value(QStringLiteral("imageArray"))));
    const QString backgroundKey = QStringLiteral("tableBackgroundArray");
    if (properties.contains(backgroundKey)) {
        const QList<TransformView*> backgrounds = carriersOf<TransformView>(properties.value(backgroundKey));
        for (TransformView* image : backgrounds)
            adopt(image);
        m_backgroundArray = backgrounds;
        setTableBackgroundImage(backgrounds.isEmpty() ? nullptr : backgrounds.constFirst());
    }
    if (!m_cells.isEmpty())
        takeStyleFromCell(m_cells.constFirst(), true);
}

QVariantMap DRVTable::properties() const
{
    QVariantMap p = DRVGraphic::properties();
    if (!m_gridType.isEmpty())
        p.insert(QStringLiteral("gridType"), m_gridType);
    p.insert(QStringLiteral("numOfRows"), intProperty(m_numOfRows));
    p.insert(QStringLiteral("numOfColumns"), intProperty(m_numOfColumns));
    return p;
}

void DRVTable::takeStyleFromCell(const myTextView* cell, bool includeLayoutValues)
{
    const QString background = cell->backgroundHexColorString();
    setFillColor(fillForBackground(background));
    setBackgroundHexColorString(background);
    setOpacity(cell->alphaValue());
    setFontColor(DataCentre::colorWithHexString(cell->textColorString()));
    setTextHexColorString(cell->textColorString());
    const QFont font = cell->textView()->font();
    setFontFamily(font.family());
    const double size = font.pixelSize() > 0 ? double(font.pixelSize()) : font.pointSizeF();
    setFontSize(platform::truncToInt(size));
    setShadowFlag(cell->shadowFlag());
    setHoverTextColorString(cell->hoverTextColorString());
    setHoverColorString(cell->hoverColorString());
    setBorderHexColorString(cell->borderHexColorString());
    setBorderColor(DataCentre::colorWithHexString(cell->borderHexColorString()));
    setFontAlignment(fontAlignmentForTextAlignment(cell->textAlignment()));
    setLineSpacing(cell->lineSpacing());
    if (!includeLayoutValues)
        return;
    setCornerRadius(cell->cornerRadius());
    setBorderWidth(cell->borderWidth());
    setResponsiveResizeFlag(cell->responsiveResizeFlag());
    setResponsiveAlignment(cell->responsiveAlignment());
    setSectionNumber(cell->sectionNumber());
    setSectionRowSpot(cell->sectionRowSpot());
    setSectionColumnSpot(cell->sectionColumnSpot());
    setVerticalAlignment(cell->verticalAlignment());
    setBorderStyle(cell->textView()->borderLine());
}

QStringList DRVTable::keysAffectedByKey(const QString& key) const
{
    QStringList keys = DRVGraphic::keysAffectedByKey(key);
    static const QStringList drawingKeys{
        QStringLiteral("imageArray"),           QStringLiteral("numOfRows"),
        QStringLiteral("numOfColumns"),         QStringLiteral("padding"),
        QStringLiteral("borderStyle"),          QStringLiteral("borderWidth"),
        QStringLiteral("borderHexColorString"), QStringLiteral("topPadding"),
        QStringLiteral("bottomPadding"),        QStringLiteral("leftPadding"),
        QStringLiteral("rightPadding")};
    if (drawingKeys.contains(key) && !keys.contains(QLatin1String("drawingContents")))
        keys << QStringLiteral("drawingContents");
    return keys;
}

// ---- arrays ----

void DRVTable::setCellHelperArray(const QList<myTextView*>& cells)
{
    const QList<myTextView*> old = m_cells;
    willChangeValueForKey(QStringLiteral("cellHelperArray"));
    m_cells.clear();
    for (myTextView* cell : cells) {
        if (!cell || m_cells.contains(cell))
            continue;
        adopt(cell);
        m_cells.append(cell);
    }
    didChangeValueForKey(QStringLiteral("cellHelperArray"));
    for (myTextView* cell : old) {
        if (!m_cells.contains(cell) && cell->parent() == this)
            delete cell;
    }
}

void DRVTable::setImageArray(const QList<TransformView*>& images)
{
    const QList<TransformView*> old = m_images;
    willChangeValueForKey(QStringLiteral("imageArray"));
    m_images.clear();
    for (TransformView* image : images) {
        if (!image || m_images.contains(image))
            continue;
        adopt(image);
        m_images.append(image);
    }
    didChangeValueForKey(QStringLiteral("imageArray"));
    for (TransformView* image : old) {
        if (!m_images.contains(image) && image != m_backgroundImage && !m_backgroundArray.contains(image) &&
            image->parent() == this)
            delete image;
    }
}

void DRVTable::setTableBackgroundImage(TransformView* image)
{
    TransformView* old = m_backgroundImage;
    if (old == image)
        return;
    adopt(image);
    willChangeValueForKey(QStringLiteral("tableBackgroundImage"));
    m_backgroundImage = image;
    didChangeValueForKey(QStringLiteral("tableBackgroundImage"));
    if (old && old->parent() == this && !m_backgroundArray.contains(old) && !m_images.contains(old))
        delete old;
}

void DRVTable::addIntoImageArray(TransformView* image)
{
    if (!image)
        return;
    QList<TransformView*> images = m_images;
    for (qsizetype i = 0; i < images.size(); ++i) {
        if (images.at(i) != image && images.at(i)->columnSpot() == image->columnSpot() &&
            images.at(i)->rowSpot() == image->rowSpot()) {
            images.removeAt(i);
            break;
        }
    }
    if (image->columnSpot() != kNoSpot && image->rowSpot() != kNoSpot && !images.contains(image))
        images.append(image);
    setImageArray(images);
}

// ---- look-ups ----

myTextView* DRVTable::grabSelectedTableCellHelper(int row, int column) const
{
    for (myTextView* cell : m_cells) {
        if (cell->rowSpot() == row && cell->columnSpot() == column)
            return cell;
    }
    return nullptr;
}

myTextView* DRVTable::grabFirstCellAtColumn(int column) const
{
    return grabSelectedTableCellHelper(0, column);
}

myTextView* DRVTable::grabFirstCellAtRow(int row) const
{
    return grabSelectedTableCellHelper(row, 0);
}

int DRVTable::grabColumnWidth(int column) const
{
    const myTextView* cell = grabFirstCellAtColumn(column);
    return cell ? cell->width() : 0;
}

int DRVTable::grabRowHeight(int row) const
{
    const myTextView* cell = grabFirstCellAtRow(row);
    return cell ? cell->height() : 0;
}

TransformView* DRVTable::grabSelectedImageAtSpot(int row, int column) const
{
    for (TransformView* image : m_images) {
        if (image->columnSpot() == column && image->rowSpot() == row)
            return image;
    }
    return nullptr;
}

QRect DRVTable::grabSelectedCellRect(int row, int column) const
{
    const myTextView* wanted = grabSelectedTableCellHelper(row, column);
    if (!wanted)
        return {};
    const QList<QPair<myTextView*, CellBox>> boxes = cellBoxes();
    for (const auto& [cell, box] : boxes) {
        if (cell == wanted)
            return box.fill;
    }
    // A cell outside the table's rows and columns is not drawn and cannot be hit.
    return {};
}

myTextView* DRVTable::cellAtPoint(int x, int y) const
{
    QHash<const myTextView*, QRect> drawn;
    for (const auto& [cell, box] : cellBoxes())
        drawn.insert(cell, box.fill);
    // Array order decides between overlapping cells, as it does for every look-up.
    for (myTextView* cell : m_cells) {
        const auto it = drawn.constFind(cell);
        if (it != drawn.constEnd() && platform::pointInRect(QPointF(x, y), QRectF(*it)))
            return cell;
    }
    return nullptr;
}

int DRVTable::grabRowSpot(int x, int y) const
{
    const myTextView* cell = cellAtPoint(x, y);
    return cell ? cell->rowSpot() : kNoSpot;
}

int DRVTable::grabColumnSpot(int x, int y) const
{
    const myTextView* cell = cellAtPoint(x, y);
    return cell ? cell->columnSpot() : kNoSpot;
}

QRect DRVTable::grabCurrentCellRect(int x, int y) const
{
    return grabSelectedCellRect(grabRowSpot(x, y), grabColumnSpot(x, y));
}

myTextView* DRVTable::grabCurrentTableCellHelper() const
{
    const QPointF touch = getLastTouchPoint();
    const int x = platform::truncToInt(touch.x());
    const int y = platform::truncToInt(touch.y());
    return grabSelectedTableCellHelper(grabRowSpot(x, y), grabColumnSpot(x, y));
}

QTextDocument* DRVTable::grabCurrentTextStorage() const
{
    const myTextView* cell = grabCurrentTableCellHelper();
    return cell ? cell->textStorage() : nullptr;
}

int DRVTable::grabMaxNumToAdd(QPointF point) const
{
    const int x = platform::truncToInt(point.x());
    const int y = platform::truncToInt(point.y());
    const int row = grabRowSpot(x, y);
    const int column = grabColumnSpot(x, y);
    if (row == kNoSpot || column == kNoSpot)
        return 0;
    return std::max(0, m_numOfRows * m_numOfColumns - (row * m_numOfColumns + column));
}

QPoint DRVTable::grabNextSpot(int row, int column) const
{
    if (column < m_numOfColumns - 1)
        return {row, column + 1};
    return {row + 1, 0};
}

// ---- size ----

int DRVTable::tableTotalCellWidth() const
{
    drawBoxModel();
    float spacing = float((m_numOfColumns + 1) * (m_padding + m_borderWidth));
    spacing += m_leftPaddingInPx;
    spacing += m_rightPaddingInPx;
    spacing += m_leftMarginInPx;
    spacing += m_rightMarginInPx;
    int total = platform::truncToInt(spacing);
    for (int column = 0; column < m_numOfColumns; ++column)
        total += grabColumnWidth(column);
    return total;
}

int DRVTable::tableTotalCellHeight() const
{
    drawBoxModel();
    float spacing = float((m_numOfRows + 1) * (m_padding + m_borderWidth));
    spacing += m_topPaddingInPx;
    spacing += m_bottomPaddingInPx;
    spacing += m_topMarginInPx;
    spacing += m_bottomMarginInPx;
    int total = platform::truncToInt(spacing);
    for (int row = 0; row < m_numOfRows; ++row)
        total += grabRowHeight(row);
    return total;
}

float DRVTable::averageColumnWidth() const
{
    if (m_numOfColumns <= 0)
        return 0.0f;
    float sum = 0.0f;
    for (int column = 0; column < m_numOfColumns; ++column)
        sum += float(grabColumnWidth(column));
    return sum / float(m_numOfColumns);
}

float DRVTable::averageRowHeight() const
{
    if (m_numOfRows <= 0)
        return 0.0f;
    float sum = 0.0f;
    for (int row = 0; row < m_numOfRows; ++row)
        sum += float(grabRowHeight(row));
    return sum / float(m_numOfRows);
}

int DRVTable::numOfNonFixedColumns() const
{
    int count = 0;
    for (const myTextView* cell : m_cells) {
        if (cell->rowSpot() == 0 && cell->fixedWidthFlag() != 1)
            ++count;
    }
    return count;
}

int DRVTable::numOfNonFixedRows() const
{
    int count = 0;
    for (const myTextView* cell : m_cells) {
        if (cell->columnSpot() == 0 && cell->fixedHeightFlag() == 0)
            ++count;
    }
    return count;
}

void DRVTable::alignCells()
{
    for (myTextView* cell : m_cells) {
        if (const myTextView* first = grabFirstCellAtColumn(cell->columnSpot())) {
            cell->setWidth(first->width());
            cell->setFixedWidthFlag(first->fixedWidthFlag());
        }
        if (const myTextView* first = grabFirstCellAtRow(cell->rowSpot())) {
            cell->setHeight(first->height());
            cell->setFixedHeightFlag(first->fixedHeightFlag());
        }
    }
}

void DRVTable::setBounds(const QRectF& bounds)
{
    QRectF wanted = bounds;
    const bool hasColumns = std::any_of(m_cells.cbegin(), m_cells.cend(),
                                        [](const myTextView* cell) { return cell->rowSpot() == 0; });
    const bool hasRows = std::any_of(m_cells.cbegin(), m_cells.cend(),
                                     [](const myTextView* cell) { return cell->columnSpot() == 0; });

    // Shrinking stops at the threshold: a cell already at or under it keeps its size, and one
    // above it gives up only what takes it down to the threshold.
    auto spread = [](int size, int share) {
        if (share > 0)
            return size + share;
        if (share < 0 && size > kShrinkThreshold)
            return std::max(size + share, int(kShrinkThreshold));
        return size;
    };

    const int nonFixedColumns = numOfNonFixedColumns();
    const int totalWidth = tableTotalCellWidth();
    if (nonFixedColumns >= 1) {
        const int share = (platform::truncToInt(wanted.width()) - totalWidth) / nonFixedColumns;
        for (myTextView* cell : m_cells) {
            if (cell->fixedWidthFlag() != 1)
                cell->setWidth(spread(cell->width(), share));
        }
    } else if (hasColumns) {
        wanted.setWidth(totalWidth);
    }

    const int nonFixedRows = numOfNonFixedRows();
    const int totalHeight = tableTotalCellHeight();
    if (nonFixedRows >= 1) {
        const int share = (platform::truncToInt(wanted.height()) - totalHeight) / nonFixedRows;
        for (myTextView* cell : m_cells) {
            if (cell->fixedHeightFlag() == 0)
                cell->setHeight(spread(cell->height(), share));
        }
    } else if (hasRows) {
        wanted.setHeight(totalHeight);
    }

    DRVGraphic::setBounds(wanted);
}

void DRVTable::refreshLayout()
{
    setBounds(bounds());
    // Announcing the column count unchanged makes observers of the drawing redraw the table.
    const QString key = QStringLiteral("numOfColumns");
    willChangeValueForKey(key);
    didChangeValueForKey(key);
}
