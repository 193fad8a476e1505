// Small tables for the table editing tests: letters for texts, sizes and fills that tell every row
// and column apart, pictures in chosen cells, and dumps of what a table shows.
#pragma once
#include "model/DRVTable.h"
#include "model/TransformView.h"
#include "model/myTextView.h"
#include "platform/Geometry.h"

#include <QTextDocument>

namespace tablefixture {

// Texts go A, B, C ... in reading order; column c is 100 + 20c wide, row r 40 + 10r high, and each
// cell's fill names its spot, so moved cells can be told by their look too.
inline DRVTable* makeTable(int rows, int columns, QPointF origin, char firstLetter,
                           const QList<QPoint>& pictures)
{
    QList<myTextView*> cells;
    int width = 0;
    int height = 0;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            myTextView* cell = DRVTable::makeStandardCell();
            cell->setRowSpot(r);
            cell->setColumnSpot(c);
            cell->setWidth(100 + 20 * c);
            cell->setHeight(40 + 10 * r);
            cell->setBorderWidth(0);
            cell->setBackgroundHexColorString(QStringLiteral("00%1%2").arg(r).arg(c));
            cell->textStorage()->setPlainText(QString(QChar(firstLetter + r * columns + c)));
            cells.append(cell);
        }
    }
    for (int c = 0; c < columns; ++c)
        width += 100 + 20 * c;
    for (int r = 0; r < rows; ++r)
        height += 40 + 10 * r;
    QList<TransformView*> images;
    for (const QPoint& spot : pictures) {
        auto* image = new TransformView;
        image->setRowSpot(spot.x());
        image->setColumnSpot(spot.y());
        image->setImageName(QStringLiteral("pic%1").arg(QChar(firstLetter + spot.x() * columns + spot.y())));
        images.append(image);
    }
    QVariantMap p;
    p.insert("bounds", platform::stringFromRect(QRectF(origin, QSizeF(width, height))));
    p.insert("numOfColumns", QString::number(columns));
    p.insert("numOfRows", QString::number(rows));
    p.insert("padding", QStringLiteral("0"));
    p.insert("borderWidth", QStringLiteral("0"));
    p.insert("gridType", QStringLiteral("table"));
    p.insert("cellArray", QVariant::fromValue(cells));
    p.insert("imageArray", QVariant::fromValue(images));
    auto* table = new DRVTable;
    table->initWithProperties(p);
    table->setSelectable(true);
    return table;
}

// The texts in grid order, rows split by " / ", an empty cell as "." and a missing one as "?".
inline QString texts(const DRVTable* table)
{
    QStringList rows;
    for (int r = 0; r < table->numOfRows(); ++r) {
        QStringList row;
        for (int c = 0; c < table->numOfColumns(); ++c) {
            const myTextView* cell = table->grabSelectedTableCellHelper(r, c);
            const QString text =
                cell && cell->textStorage() ? cell->textStorage()->toPlainText() : QStringLiteral("?");
            row.append(text.isEmpty() ? QStringLiteral(".") : text);
        }
        rows.append(row.join(QLatin1Char(' ')));
    }
    return rows.join(QStringLiteral(" / "));
}

inline QString widths(const DRVTable* table)
{
    QStringList out;
    for (int c = 0; c < table->numOfColumns(); ++c)
        out.append(QString::number(table->grabColumnWidth(c)));
    return out.join(QLatin1Char(' '));
}

inline QString heights(const DRVTable* table)
{
    QStringList out;
    for (int r = 0; r < table->numOfRows(); ++r)
        out.append(QString::number(table->grabRowHeight(r)));
    return out.join(QLatin1Char(' '));
}

// Each picture as name@row,column, sorted.
inline QString pictures(const DRVTable* table)
{
    QStringList out;
    for (const TransformView* image : table->imageArray())
        out.append(QStringLiteral("%1@%2,%3")
                       .arg(image->imageName())
                       .arg(image->rowSpot())
                       .arg(image->columnSpot()));
    out.sort();
    return out.join(QLatin1Char(' '));
}

// Everything undo must give back: counts, bounds, every cell's spot, size, flags, look and text in
// array order, and the pictures.
inline QString everything(const DRVTable* table)
{
    QStringList out{QStringLiteral("%1x%2").arg(table->numOfRows()).arg(table->numOfColumns()),
                    platform::stringFromRect(table->bounds())};
    for (const myTextView* cell : table->cellHelperArray()) {
        out.append(QStringLiteral("%1,%2 %3x%4 f%5%6 %7 %8 '%9'")
                       .arg(cell->rowSpot())
                       .arg(cell->columnSpot())
                       .arg(cell->width())
                       .arg(cell->height())
                       .arg(cell->fixedWidthFlag())
                       .arg(cell->fixedHeightFlag())
                       .arg(cell->backgroundHexColorString(), cell->familyName(),
                            cell->textStorage() ? cell->textStorage()->toPlainText() : QString()));
    }
    out.append(pictures(table));
    return out.join(QLatin1Char('\n'));
}

} // namespace tablefixture
