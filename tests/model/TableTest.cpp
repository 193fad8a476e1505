#include "model/FakePageContext.h"

#include "editions/DataCentre.h"
#include "model/DRVTable.h"
#include "model/GraphicRegistry.h"
#include "model/QuibTextEditor.h"
#include "platform/Geometry.h"

#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace {

// A cell as the factories make one: black Liberation Sans text on no background.
myTextView* makeCell(int row, int column, int width, int height, const QString& text = QStringLiteral("cell"))
{
    auto* cell = new myTextView(QRectF(0, 0, width, height));
    cell->setRowSpot(row);
    cell->setColumnSpot(column);
    cell->setWidth(width);
    cell->setHeight(height);
    cell->setFamilyName(QStringLiteral("Liberation Sans"));
    cell->setFontSize(12);
    cell->setLineSpacing(1.0f);
    cell->setTextColorString(QStringLiteral("000000"));
    cell->setBackgroundHexColorString(QStringLiteral("CLEAR0"));
    cell->setBorderHexColorString(QStringLiteral("000000"));
    cell->setTextAlignment(QStringLiteral("left"));
    cell->textView()->setFont(DRVTable::fontNamed(QStringLiteral("Liberation Sans"), 12));
    cell->textView()->setBorderLine(QStringLiteral("none"));
    auto* storage = new QTextDocument;
    storage->setPlainText(text);
    cell->setTextStorage(storage);
    return cell;
}

// A rows x columns table of cells of the given column widths and row heights, with spacing and
// border, whose bounds are exactly what the cells need.
std::unique_ptr<DRVTable> makeTable(const QList<int>& widths, const QList<int>& heights, int padding = 0,
                                    int borderWidth = 0, QPointF origin = {})
{
    QList<myTextView*> cells;
    for (int r = 0; r < heights.size(); ++r) {
        for (int c = 0; c < widths.size(); ++c) {
            myTextView* cell = makeCell(r, c, widths[c], heights[r]);
            cell->setBorderWidth(borderWidth);
            cells.append(cell);
        }
    }
    int width = (int(widths.size()) + 1) * (padding + borderWidth);
    for (int w : widths)
        width += w;
    int height = (int(heights.size()) + 1) * (padding + borderWidth);
    for (int h : heights)
        height += h;
    QVariantMap p;
    p.insert("bounds", platform::stringFromRect(QRectF(origin, QSizeF(width, height))));
    p.insert("numOfColumns", QString::number(widths.size()));
    p.insert("numOfRows", QString::number(heights.size()));
    p.insert("padding", QString::number(padding));
    p.insert("cellArray", QVariant::fromValue(cells));
    auto table = std::make_unique<DRVTable>();
    table->initWithProperties(p);
    return table;
}

QList<int> columnWidths(const DRVTable& table)
{
    QList<int> widths;
    for (int c = 0; c < table.numOfColumns(); ++c)
        widths << table.grabColumnWidth(c);
    return widths;
}

QImage render(DRVTable& table, QSize size, bool editing = false)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    table.drawContentsInView(&painter, editing);
    painter.end();
    return image;
}

} // namespace

TEST(Table, SpreadsASizeChangeOverTheColumnsNotFixed)
{
    struct Case
    {
        const char* name;
        QList<int> widths;
        QList<int> fixed; // columns whose fixedWidthFlag is 1
        int delta;
        QList<int> expected;
        int expectedDelta; // of the stored bounds width
    };
    const Case cases[] = {
        {"widen by 7 over two columns", {100, 100}, {}, 7, {103, 103}, 7},
        {"narrow by 7 truncates toward zero", {100, 100}, {}, -7, {97, 97}, -7},
        {"a fixed column keeps its width", {100, 50, 100}, {1}, 10, {105, 50, 105}, 10},
        {"a cell never shrinks below 20", {25, 100}, {}, -20, {20, 90}, -20},
        {"cells at 20 or under keep their size", {20, 15}, {}, -10, {20, 15}, -10},
        {"all fixed keeps the width the cells need", {100, 100}, {0, 1}, 37, {100, 100}, 0},
    };
    for (const Case& c : cases) {
        std::unique_ptr<DRVTable> table = makeTable(c.widths, {30, 30}, 2, 1);
        for (myTextView* cell : table->cellHelperArray()) {
            if (c.fixed.contains(cell->columnSpot()))
                cell->setFixedWidthFlag(1);
        }
        const QRectF before = table->bounds();
        ASSERT_EQ(table->tableTotalCellWidth(), int(before.width())) << c.name;
        table->setBounds(before.adjusted(0, 0, c.delta, 0));
        EXPECT_EQ(columnWidths(*table), c.expected) << c.name;
        // Every row of a column follows.
        for (const myTextView* cell : table->cellHelperArray())
            EXPECT_EQ(cell->width(), c.expected[cell->columnSpot()]) << c.name;
        EXPECT_EQ(table->bounds().width(), before.width() + c.expectedDelta) << c.name;
        EXPECT_EQ(table->bounds().height(), before.height()) << c.name;
    }
}

TEST(Table, SpreadsAHeightChangeOverTheRowsNotFixed)
{
    std::unique_ptr<DRVTable> table = makeTable({50}, {40, 40, 40});
    table->grabFirstCellAtRow(1)->setFixedHeightFlag(2); // any non-zero value fixes a row
    const QRectF before = table->bounds();
    table->setBounds(before.adjusted(0, 0, 0, 9));
    EXPECT_EQ(table->grabRowHeight(0), 44);
    EXPECT_EQ(table->grabRowHeight(1), 40);
    EXPECT_EQ(table->grabRowHeight(2), 44);
    EXPECT_EQ(table->bounds().height(), before.height() + 9);
}

TEST(Table, ATableWithoutCellsKeepsItsBounds)
{
    DRVTable table;
    QVariantMap p;
    p.insert("bounds", "{{10, 20}, {300, 120}}");
    p.insert("numOfRows", "2");
    p.insert("numOfColumns", "3");
    table.initWithProperties(p);
    EXPECT_EQ(table.gridType(), "table");
    EXPECT_EQ(table.bounds(), QRectF(10, 20, 300, 120));
    const QVariantMap written = table.properties();
    EXPECT_EQ(written.value("numOfRows").toString(), "2");
    EXPECT_EQ(written.value("numOfColumns").toString(), "3");
    EXPECT_EQ(written.value("gridType").toString(), "table");

    QVariantMap again = written;
    again.insert("className", "DRVTable");
    std::unique_ptr<DRVGraphic> rebuilt(DRVGraphic::graphicWithProperties(again));
    auto* copy = qobject_cast<DRVTable*>(rebuilt.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->numOfRows(), 2);
    EXPECT_EQ(copy->numOfColumns(), 3);
    EXPECT_EQ(copy->gridType(), "table");
    EXPECT_TRUE(copy->cellHelperArray().isEmpty());
    EXPECT_TRUE(copy->imageArray().isEmpty());
    EXPECT_EQ(copy->tableBackgroundImage(), nullptr);
    EXPECT_EQ(copy->bounds(), table.bounds());
}

TEST(Table, AveragesDivideByTheCount)
{
    struct Case
    {
        QList<int> widths;
        float average;
    };
    const Case cases[] = {{{100, 100, 100}, 100.0f}, {{80}, 80.0f}, {{10, 20}, 15.0f}};
    for (const Case& c : cases) {
        std::unique_ptr<DRVTable> table = makeTable(c.widths, c.widths);
        EXPECT_FLOAT_EQ(table->averageColumnWidth(), c.average);
        EXPECT_FLOAT_EQ(table->averageRowHeight(), c.average);
    }
    DRVTable empty;
    EXPECT_FLOAT_EQ(empty.averageColumnWidth(), 0.0f);
    EXPECT_FLOAT_EQ(empty.averageRowHeight(), 0.0f);
}

TEST(Table, NextSpotAndCapacity)
{
    // 3 rows of 4 columns.
    std::unique_ptr<DRVTable> table = makeTable({50, 50, 50, 50}, {30, 30, 30}, 4, 1);
    auto centre = [&](int r, int c) { return QPointF(table->grabSelectedCellRect(r, c).center()); };
    EXPECT_EQ(table->grabMaxNumToAdd(centre(0, 0)), 12);
    EXPECT_EQ(table->grabMaxNumToAdd(centre(1, 2)), 6);
    EXPECT_EQ(table->grabMaxNumToAdd(centre(2, 3)), 1);
    // The spacing between cells and the outside hold no cell: nothing can be added there.
    EXPECT_EQ(table->grabMaxNumToAdd(QPointF(2, 2)), 0);
    EXPECT_EQ(table->grabMaxNumToAdd(QPointF(-50, 400)), 0);

    struct Step
    {
        QPoint from, to;
    };
    const Step steps[] = {{{0, 0}, {0, 1}}, {{0, 2}, {0, 3}}, {{0, 3}, {1, 0}}, {{2, 3}, {3, 0}}};
    for (const Step& s : steps)
        EXPECT_EQ(table->grabNextSpot(s.from.x(), s.from.y()), s.to) << s.from.x() << "," << s.from.y();
}

TEST(Table, HitRectanglesAreTheDrawnCells)
{
    EditionGuard guard;
    std::unique_ptr<DRVTable> table = makeTable({60, 40}, {30, 20}, 5, 2, QPointF(10, 20));
    const QColor colours[2][2] = {{QColor("#ff0000"), QColor("#00ff00")},
                                  {QColor("#0000ff"), QColor("#ffff00")}};
    for (myTextView* cell : table->cellHelperArray()) {
        cell->setBackgroundHexColorString(
            DataCentre::asHexString(colours[cell->rowSpot()][cell->columnSpot()]));
        cell->textStorage()->clear();
    }
    table->drawBoxModel();
    const QRectF content = table->contentRect();
    // First cell after the spacing and the border, the next ones one cell, spacing and border on.
    const int x0 = int(content.x()) + 5 + 2, y0 = int(content.y()) + 5 + 2;
    EXPECT_EQ(table->grabSelectedCellRect(0, 0), QRect(x0, y0, 60, 30));
    EXPECT_EQ(table->grabSelectedCellRect(1, 1), QRect(x0 + 60 + 7, y0 + 30 + 7, 40, 20));
    EXPECT_EQ(table->grabSelectedCellRect(5, 5), QRect());

    const QImage picture = render(*table, QSize(200, 120));
    for (int r = 0; r < 2; ++r) {
        for (int c = 0; c < 2; ++c) {
            const QRect cell = table->grabSelectedCellRect(r, c);
            const QPoint inside[] = {cell.topLeft() + QPoint(1, 1), cell.center(),
                                     cell.bottomRight() - QPoint(1, 1)};
            for (QPoint p : inside) {
                EXPECT_EQ(table->grabRowSpot(p.x(), p.y()), r);
                EXPECT_EQ(table->grabColumnSpot(p.x(), p.y()), c);
                EXPECT_EQ(picture.pixelColor(p), colours[r][c]) << r << "," << c;
            }
            // Just past the maximum edges lies the spacing: no cell there.
            const QPoint past = cell.topLeft() + QPoint(cell.width(), cell.height());
            EXPECT_EQ(table->grabRowSpot(past.x(), past.y()), DRVTable::kNoSpot);
            EXPECT_EQ(table->grabCurrentCellRect(past.x(), past.y()), QRect());
        }
    }
}

TEST(Table, LayoutPlacesCellsAndPicturesWithoutPainting)
{
    EditionGuard guard;
    edition().gTableImagesFlag = true;
    std::unique_ptr<DRVTable> table = makeTable({100, 100}, {100}, 4, 1);
    table->cellHelperArray().at(1)->textStorage()->clear();
    auto* picture = new TransformView;
    picture->setRowSpot(0);
    picture->setColumnSpot(1);
    picture->setOriginalWidth(200);
    picture->setOriginalHeight(100);
    picture->setImage(QImage(200, 100, QImage::Format_ARGB32));
    table->addIntoImageArray(picture);
    table->cellHelperArray().at(1)->setLink("https://example.com");

    table->layoutCells();
    table->drawBoxModel();
    const QRectF content = table->contentRect();
    const myTextView* first = table->grabSelectedTableCellHelper(0, 0);
    const myTextView* second = table->grabSelectedTableCellHelper(0, 1);
    EXPECT_EQ(first->originX(), int(content.x()) + 4);
    EXPECT_EQ(first->originY(), int(content.y()) + 4);
    EXPECT_EQ(second->originX(), first->originX() + 100 + 4 + 1);
    EXPECT_EQ(second->originY(), first->originY());
    for (const myTextView* cell : {first, second}) {
        EXPECT_EQ(cell->textType(), "Text");
        EXPECT_EQ(cell->partOfTableFlag(), 1);
        EXPECT_EQ(cell->borderWidth(), 1);
        EXPECT_EQ(cell->selectable(), 1);
    }
    EXPECT_GT(first->textHeight(), 10);
    EXPECT_EQ(second->textHeight(), 0);
    // A picture twice as wide as high in a 100 x 100 cell: 100 x 50, 25 down.
    EXPECT_EQ(picture->galleryDimension(), QRectF(second->originX(), second->originY() + 25, 100, 50));
    EXPECT_EQ(picture->frame(), picture->galleryDimension());
    EXPECT_EQ(picture->link(), "https://example.com");
    EXPECT_EQ(picture->alpha(), 1.0f);

    // Painting afterwards changes none of it.
    const int height = first->textHeight();
    const QRectF placed = picture->galleryDimension();
    render(*table, QSize(260, 140));
    EXPECT_EQ(first->textHeight(), height);
    EXPECT_EQ(picture->galleryDimension(), placed);

    // The responsive layout turns cells into snippets.
    edition().gResponsiveLayoutFlag = true;
    table->layoutCells();
    EXPECT_EQ(first->textType(), "HTMLSnippet");
    EXPECT_EQ(first->snippetFormatFlag(), 1);
}

TEST(Table, TextOriginFollowsTheVerticalAlignment)
{
    std::unique_ptr<DRVTable> table = makeTable({80}, {51}, 0, 3);
    myTextView* cell = table->cellHelperArray().constFirst();
    cell->setOriginX(40);
    cell->setOriginY(100);
    cell->setTextHeight(20);
    struct Case
    {
        int alignment;
        QPointF origin;
    };
    // The text stands in the page's content box: the padding of a 51 high cell, 5 (the border
    // style draws no border, so the page gives it no width), leaving 41 of which 20 are text.
    const Case cases[] = {{0, {45, 105}}, {1, {45, 115}}, {2, {45, 126}}, {7, {45, 105}}};
    for (const Case& c : cases) {
        cell->setVerticalAlignment(c.alignment);
        EXPECT_EQ(table->cellTextOrigin(cell), c.origin) << c.alignment;
    }
}

TEST(Table, PicturesWithoutAUsableSizeAreNotPlaced)
{
    std::unique_ptr<DRVTable> table = makeTable({100}, {60});
    myTextView* cell = table->cellHelperArray().constFirst();
    TransformView picture;
    EXPECT_TRUE(table->fittedImageRect(&picture, cell).isNull());
    // Its own pixels stand in for a missing original size; tall pictures fit the height.
    picture.setImage(QImage(50, 100, QImage::Format_ARGB32));
    EXPECT_EQ(table->fittedImageRect(&picture, cell), QRect(cell->originX() + 35, cell->originY(), 30, 60));
}

TEST(Table, DrawnBorderStylesGetAWidth)
{
    EditionGuard guard;
    for (const char* style : {"solid", "dashed", "dotted", "none"}) {
        std::unique_ptr<DRVTable> table = makeTable({40}, {40});
        table->setBorderStyle(style);
        ASSERT_EQ(table->borderWidth(), 0);
        render(*table, QSize(60, 60));
        EXPECT_EQ(table->borderWidth(), QString(style) == "none" ? 0 : 1) << style;
    }
}

TEST(Table, NoBorderDrawsOnlyTheGuides)
{
    for (bool guides : {false, true}) {
        EditionGuard guard;
        edition().gResponsiveTableDrawingFlag = guides;
        std::unique_ptr<DRVTable> table = makeTable({40}, {40}, 0, 2, QPointF(5, 5));
        table->setBorderStyle("none");
        for (myTextView* cell : table->cellHelperArray()) {
            cell->setBorderHexColorString("FF0000");
            cell->textStorage()->clear();
        }
        const QImage picture = render(*table, QSize(60, 60));
        int red = 0, grey = 0;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                const QColor c = picture.pixelColor(x, y);
                red += c.red() > 200 && c.green() < 100;
                grey += c != QColor(Qt::white) && qAbs(c.red() - c.green()) < 8 && c.red() < 250;
            }
        }
        EXPECT_EQ(red, 0);
        EXPECT_EQ(grey > 0, guides);
    }
}

TEST(Table, ACellWithoutAlignmentIsLeftAligned)
{
    EditionGuard guard;
    std::unique_ptr<DRVTable> table = makeTable({200}, {40});
    myTextView* cell = table->cellHelperArray().constFirst();
    struct Case
    {
        QString alignment;
        Qt::Alignment drawn;
    };
    const Case cases[] = {{"", Qt::AlignLeft},           {"left", Qt::AlignLeft},
                          {"center", Qt::AlignHCenter},  {"right", Qt::AlignRight},
                          {"justify", Qt::AlignJustify}, {"middle", Qt::AlignLeft}};
    for (const Case& c : cases) {
        cell->setTextAlignment(c.alignment);
        table->layoutCells();
        EXPECT_EQ(cell->textStorage()->begin().blockFormat().alignment(), c.drawn)
            << c.alignment.toStdString();
    }
    // The table's style reads the same.
    cell->setTextAlignment(QString());
    table->reflectSelectedCellProperties(cell);
    EXPECT_EQ(table->fontAlignment(), 0);
}

TEST(Table, TakesItsStyleFromTheFirstCell)
{
    QList<myTextView*> cells{makeCell(1, 1, 50, 20), makeCell(0, 0, 50, 20)};
    myTextView* first = cells.first();
    first->setBackgroundHexColorString("FF0000");
    first->setAlphaValue(0.5);
    first->setTextColorString("00FF00");
    first->textView()->setFont(DRVTable::fontNamed("Liberation Sans", 17));
    first->textView()->setBorderLine("dotted");
    first->setTextAlignment("justify");
    first->setBorderWidth(3);
    first->setCornerRadius(4.0f);
    first->setVerticalAlignment(2);
    first->setBorderHexColorString("0000FF");
    DRVTable table;
    QVariantMap p;
    p.insert("cellArray", QVariant::fromValue(cells));
    p.insert("numOfRows", "2");
    p.insert("numOfColumns", "2");
    table.initWithProperties(p);
    EXPECT_EQ(table.fillColor(), QColor(255, 0, 0));
    EXPECT_EQ(table.backgroundHexColorString(), "FF0000");
    EXPECT_DOUBLE_EQ(table.opacity(), 0.5);
    EXPECT_EQ(table.fontColor(), QColor(0, 255, 0));
    EXPECT_EQ(table.fontFamily(), "Liberation Sans");
    EXPECT_EQ(table.fontSize(), 17);
    EXPECT_EQ(table.borderStyle(), "dotted");
    EXPECT_EQ(table.fontAlignment(), 3);
    EXPECT_EQ(table.borderWidth(), 3);
    EXPECT_DOUBLE_EQ(table.cornerRadius(), 4.0);
    EXPECT_EQ(table.verticalAlignment(), 2);
    EXPECT_EQ(table.borderColor(), QColor(0, 0, 255));
    // The same carriers, now owned by the table.
    EXPECT_EQ(table.cellHelperArray(), cells);
    EXPECT_EQ(first->parent(), &table);

    myTextView* clearCell = makeCell(0, 0, 50, 20);
    clearCell->setBackgroundHexColorString("CLEAR0");
    DRVTable clear;
    p.insert("cellArray", QVariant::fromValue(QList<myTextView*>{clearCell}));
    clear.initWithProperties(p);
    EXPECT_EQ(clear.fillColor().alpha(), 0);
}

TEST(Table, AddingPicturesReplacesTheOneAtTheSpot)
{
    DRVTable table;
    auto* a = new TransformView;
    a->setRowSpot(1);
    a->setColumnSpot(2);
    table.addIntoImageArray(a);
    QPointer<TransformView> replaced(a);
    auto* b = new TransformView;
    b->setRowSpot(1);
    b->setColumnSpot(2);
    table.addIntoImageArray(b);
    EXPECT_EQ(table.imageArray(), QList<TransformView*>{b});
    EXPECT_TRUE(replaced.isNull());
    EXPECT_EQ(table.grabSelectedImageAtSpot(1, 2), b);

    TransformView nowhere;
    nowhere.setRowSpot(DRVTable::kNoSpot);
    table.addIntoImageArray(&nowhere);
    EXPECT_EQ(table.imageArray(), QList<TransformView*>{b});
    EXPECT_EQ(nowhere.parent(), nullptr);
}

TEST(Table, CopyIsCompleteAndIndependent)
{
    EditionGuard guard;
    std::unique_ptr<DRVTable> table = makeTable({70, 30}, {25, 25}, 3, 1, QPointF(7, 9));
    table->setGridType("section");
    table->setBorderStyle("dashed");
    table->setSectionNumber(4);
    table->setTag(12);
    table->grabSelectedTableCellHelper(1, 1)->textStorage()->setPlainText("last");
    table->grabSelectedTableCellHelper(1, 1)->setFixedWidthFlag(1);
    auto* picture = new TransformView;
    picture->setRowSpot(1);
    picture->setColumnSpot(0);
    picture->setImageName("image3");
    table->addIntoImageArray(picture);
    auto* background = new TransformView;
    background->setImageName("image4");
    table->setTableBackgroundImage(background);
    table->setBounds(table->bounds().adjusted(0, 0, 9, 0)); // cells and bounds may disagree

    std::unique_ptr<DRVGraphic> made = table->copy();
    auto* copy = qobject_cast<DRVTable*>(made.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->bounds(), table->bounds());
    EXPECT_EQ(copy->gridType(), "section");
    EXPECT_EQ(copy->numOfRows(), 2);
    EXPECT_EQ(copy->numOfColumns(), 2);
    EXPECT_EQ(copy->padding(), 3);
    EXPECT_EQ(copy->borderStyle(), "dashed");
    EXPECT_EQ(copy->sectionNumber(), 4);
    EXPECT_EQ(copy->tag(), 12);
    ASSERT_EQ(copy->cellHelperArray().size(), 4);
    for (int i = 0; i < 4; ++i) {
        const myTextView* mine = table->cellHelperArray().at(i);
        const myTextView* theirs = copy->cellHelperArray().at(i);
        EXPECT_NE(mine, theirs);
        EXPECT_EQ(theirs->parent(), copy);
        EXPECT_EQ(theirs->rowSpot(), mine->rowSpot());
        EXPECT_EQ(theirs->columnSpot(), mine->columnSpot());
        EXPECT_EQ(theirs->width(), mine->width());
        EXPECT_EQ(theirs->fixedWidthFlag(), mine->fixedWidthFlag());
        EXPECT_EQ(theirs->textView()->font(), mine->textView()->font());
        EXPECT_EQ(theirs->textStorage()->toPlainText(), mine->textStorage()->toPlainText());
        EXPECT_NE(theirs->textStorage(), mine->textStorage());
    }
    ASSERT_EQ(copy->imageArray().size(), 1);
    EXPECT_NE(copy->imageArray().constFirst(), picture);
    EXPECT_EQ(copy->imageArray().constFirst()->imageName(), "image3");
    EXPECT_EQ(copy->imageArray().constFirst()->rowSpot(), 1);
    ASSERT_NE(copy->tableBackgroundImage(), nullptr);
    EXPECT_NE(copy->tableBackgroundImage(), background);
    EXPECT_EQ(copy->tableBackgroundImage()->imageName(), "image4");

    copy->grabSelectedTableCellHelper(0, 0)->setWidth(5);
    copy->grabSelectedTableCellHelper(0, 0)->textStorage()->setPlainText("changed");
    EXPECT_EQ(table->grabSelectedTableCellHelper(0, 0)->width(), 70 + 4);
    EXPECT_EQ(table->grabSelectedTableCellHelper(0, 0)->textStorage()->toPlainText(), "cell");
}

TEST(Table, RegisteredAndRedrawnOnGridChanges)
{
    std::unique_ptr<DRVGraphic> made(GraphicRegistry::create("DRVTable"));
    ASSERT_NE(qobject_cast<DRVTable*>(made.get()), nullptr);
    auto* table = static_cast<DRVTable*>(made.get());
    QStringList keys;
    QObject context;
    platform::observe(table, &context,
                      [&keys](platform::Observable*, const QString& key, const QVariant&, const QVariant&) {
                          keys << key;
                      });
    table->setPadding(4);
    EXPECT_TRUE(keys.contains("drawingContents"));
    keys.clear();
    table->refreshLayout();
    EXPECT_TRUE(keys.contains("numOfColumns"));
    EXPECT_TRUE(keys.contains("drawingContents"));
    EXPECT_TRUE(table->drawingBounds().contains(table->bounds().adjusted(-1, -1, 1, 1)));
}

TEST(Table, EditsTheCellUnderTheTouchPoint)
{
    EditionGuard guard;
    DataCentre::loadCustomFont();
    FakePageContext context;
    ScopedPageContext scoped(&context);
    std::unique_ptr<DRVTable> table = makeTable({120, 120}, {40, 100}, 4, 1, QPointF(10, 10));
    myTextView* target = table->grabSelectedTableCellHelper(1, 0);
    target->textStorage()->setPlainText("MMMMMMMM");
    target->setFontSize(20);
    table->layoutCells();
    const QRect cellRect = table->grabSelectedCellRect(1, 0);
    context.touchPoint = QPointF(cellRect.center());
    EXPECT_EQ(table->grabCurrentTableCellHelper(), target);
    EXPECT_EQ(table->grabCurrentTextStorage(), target->textStorage());

    auto darkPixels = [&](const QImage& image) {
        int dark = 0;
        for (int y = cellRect.top(); y <= cellRect.bottom(); ++y)
            for (int x = cellRect.left(); x <= cellRect.right(); ++x)
                dark += qGray(image.pixel(x, y)) < 100;
        return dark;
    };
    EXPECT_GT(darkPixels(render(*table, QSize(300, 200))), 20);

    std::unique_ptr<QWidget> editor(table->newEditingViewWithSuperviewBounds(QRectF(0, 0, 800, 600)));
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->geometry(), cellRect);
    EXPECT_EQ(editor->maximumHeight(), 600 - cellRect.y());
    EXPECT_EQ(table->editedCell(), target);
    auto* textEditor = qobject_cast<QuibTextEditor*>(editor.get());
    ASSERT_NE(textEditor, nullptr);
    EXPECT_EQ(textEditor->document(), target->textStorage());
    // The editor shows the text; the table does not draw it underneath.
    EXPECT_EQ(darkPixels(render(*table, QSize(300, 200), true)), 0);

    // Typing re-measures the cell one turn of the event loop later.
    const int oneLine = target->textHeight();
    ASSERT_GT(oneLine, 0);
    textEditor->textCursor().insertText("typed\nmore\nlines");
    EXPECT_EQ(target->textStorage()->toPlainText(), "typed\nmore\nlines");
    EXPECT_EQ(target->textHeight(), oneLine);
    QCoreApplication::processEvents();
    EXPECT_GT(target->textHeight(), oneLine);
    table->finalizeEditingView(editor.get());
    EXPECT_NE(textEditor->document(), target->textStorage());
    EXPECT_EQ(table->editedCell(), nullptr);
    EXPECT_GT(darkPixels(render(*table, QSize(300, 200), true)), 0);
}

TEST(Table, RefusesAnEditorWhereCellsAreNotEdited)
{
    FakePageContext context;
    ScopedPageContext scoped(&context);
    struct Case
    {
        const char* gridType;
        bool selectable;
        QPointF touch;
        bool offered;
    };
    const Case cases[] = {{"table", true, {20, 20}, true},
                          {"section", true, {20, 20}, false},
                          {"sectionTemplate", true, {20, 20}, false},
                          {"table", false, {20, 20}, false},
                          {"table", true, {500, 500}, false}};
    for (const Case& c : cases) {
        std::unique_ptr<DRVTable> table = makeTable({100}, {100});
        table->setGridType(c.gridType);
        table->setSelectable(c.selectable);
        context.touchPoint = c.touch;
        std::unique_ptr<QWidget> editor(table->newEditingViewWithSuperviewBounds(QRectF(0, 0, 400, 400)));
        EXPECT_EQ(editor != nullptr, c.offered) << c.gridType << " " << c.selectable;
        if (editor)
            table->finalizeEditingView(editor.get());
    }
}
