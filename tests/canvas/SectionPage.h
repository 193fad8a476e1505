// A responsive page of two sections for the section tests of the canvas, the window and the
// application: section 1 at the top with two cells side by side, section 2 below it with one cell,
// and ordinary graphics in their cells.
#pragma once
#include "document/DRVDocument.h"
#include "model/DRVRectangle.h"
#include "model/DRVTable.h"
#include "model/myTextView.h"
#include "platform/Geometry.h"
#include "platform/UndoManager.h"

#include <QTextDocument>

namespace sectionpage {

// A section of one row of cells of the given widths, at origin, with no spacing.
inline DRVTable* makeSection(int number, QPointF origin, const QList<int>& widths, int height,
                             const QString& gridType = QStringLiteral("section"))
{
    QList<myTextView*> cells;
    int width = 0;
    for (int c = 0; c < widths.size(); ++c) {
        auto* cell = new myTextView(QRectF(0, 0, widths[c], height));
        cell->setRowSpot(0);
        cell->setColumnSpot(c);
        cell->setSectionNumber(number);
        cell->setWidth(widths[c]);
        cell->setHeight(height);
        cell->setBorderWidth(0);
        auto* storage = new QTextDocument;
        cell->setTextStorage(storage);
        cells.append(cell);
        width += widths[c];
    }
    QVariantMap p;
    p.insert("bounds", platform::stringFromRect(QRectF(origin, QSizeF(width, height))));
    p.insert("numOfColumns", QString::number(widths.size()));
    p.insert("numOfRows", QStringLiteral("1"));
    p.insert("padding", QStringLiteral("0"));
    p.insert("gridType", gridType);
    p.insert("cellArray", QVariant::fromValue(cells));
    auto* table = new DRVTable;
    table->initWithProperties(p);
    table->setSectionNumber(number);
    table->setSectionRowSpot(-99);
    table->setSectionColumnSpot(-99);
    return table;
}

inline DRVRectangle* makeMember(int section, int column, const QRectF& bounds)
{
    auto* member = new DRVRectangle;
    member->setBounds(bounds);
    member->setSectionNumber(section);
    member->setSectionRowSpot(0);
    member->setSectionColumnSpot(column);
    member->setFormOptionTag(-99);
    member->setSelectable(true);
    return member;
}

struct Page
{
    DRVTable* first = nullptr;     // number 1, (0, 0, 600, 200), cells 300 wide
    DRVTable* second = nullptr;    // number 2, (0, 200, 600, 150), one cell
    DRVRectangle* left = nullptr;  // in section 1, cell 0
    DRVRectangle* right = nullptr; // in section 1, cell 1
    DRVRectangle* lower = nullptr; // in section 2
};

// Fills document with the page, front to back: the members, then the sections.
inline Page fill(DRVDocument& document)
{
    Page page;
    page.first = makeSection(1, QPointF(0, 0), {300, 300}, 200);
    page.second = makeSection(2, QPointF(0, 200), {600}, 150);
    page.left = makeMember(1, 0, QRectF(10, 20, 100, 40));
    page.right = makeMember(1, 1, QRectF(320, 100, 80, 60));
    page.lower = makeMember(2, 0, QRectF(30, 260, 120, 50));
    document.undoManager()->disableUndoRegistration();
    document.insertGraphics({page.left, page.right, page.lower, page.first, page.second}, {0, 1, 2, 3, 4});
    document.undoManager()->enableUndoRegistration();
    return page;
}

} // namespace sectionpage
