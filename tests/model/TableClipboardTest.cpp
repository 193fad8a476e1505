// A table carried whole by the clipboard: what is read back equals what was written, and data
// from another program that is damaged or hostile gives a bounded table or none.
#include "model/TableClipboard.h"
#include "../canvas/TableFixture.h"
#include "model/DRVTable.h"
#include "model/GraphicClipboard.h"

#include <QTextCursor>
#include <QTextDocument>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

// A 2 x 2 table's dictionary with its carried form, as it comes out of the clipboard format.
QVariantMap carriedDictionary(const std::function<void(QVariantMap& carried)>& spoil = {})
{
    std::unique_ptr<DRVTable> table(tablefixture::makeTable(2, 2, QPointF(10, 20), 'A', {QPoint(1, 0)}));
    table->imageArray().constFirst()->setImageType(QStringLiteral("PNG"));
    QVariantMap dictionary = table->properties();
    dictionary.insert(QStringLiteral("className"), QStringLiteral("DRVTable"));
    QVariantMap carried = TableClipboard::encode(table.get(), [](const TransformView*) {
        return TableClipboard::PictureFiles{{QStringLiteral("o.PNG"), QByteArray("original")}};
    });
    if (spoil)
        spoil(carried);
    dictionary.insert(TableClipboard::key(), carried);
    return GraphicClipboard::decode(GraphicClipboard::encode({dictionary}))->constFirst().toMap();
}

// Sets one value of one entry's part ("values", "textView", "files") in place.
void setIn(QVariantMap& carried, const QString& list, int index, const QString& part, const QString& key,
           const QVariant& value)
{
    QVariantList entries = carried[list].toList();
    QVariantMap e = entries[index].toMap();
    QVariantMap values = e[part].toMap();
    values.insert(key, value);
    e[part] = values;
    entries[index] = e;
    carried[list] = entries;
}

TEST(TableClipboardTest, WhatIsWrittenIsReadBack)
{
    std::unique_ptr<DRVTable> source(tablefixture::makeTable(2, 3, QPointF(10, 20), 'A', {QPoint(1, 2)}));
    myTextView* styled = source->grabSelectedTableCellHelper(1, 1);
    QTextCursor cursor(styled->textStorage());
    cursor.movePosition(QTextCursor::End);
    QTextCharFormat italic;
    italic.setFontItalic(true);
    italic.setFontPointSize(21);
    cursor.insertText(QStringLiteral("\u00e9t\u00e9"), italic);
    cursor.insertBlock();
    cursor.insertText(QStringLiteral("second line"));
    styled->setLink(QStringLiteral("page2.html"));
    styled->setTopPadding(7);
    styled->setBorderColor(QColor(1, 2, 3, 4));
    styled->textView()->setTextLink(QStringLiteral("inner"));
    TransformView* picture = source->imageArray().constFirst();
    picture->setImageType(QStringLiteral("JPG"));
    picture->setAltText(QStringLiteral("alt"));
    picture->setOpacity(0.5f);
    source->setPadding(3);
    source->setGridType(QStringLiteral("section"));

    QVariantMap dictionary = source->properties();
    dictionary.insert(QStringLiteral("className"), QStringLiteral("DRVTable"));
    dictionary.insert(
        TableClipboard::key(), TableClipboard::encode(source.get(), [](const TransformView* p) {
            return TableClipboard::PictureFiles{{QStringLiteral("o.") + p->imageType(), "bytes"}};
        }));
    const std::optional<QVariantList> read = GraphicClipboard::decode(GraphicClipboard::encode({dictionary}));
    ASSERT_TRUE(read);
    std::optional<TableClipboard::Decoded> decoded = TableClipboard::decode(read->constFirst().toMap());
    ASSERT_TRUE(decoded);
    const DRVTable* table = decoded->table.get();

    EXPECT_EQ(tablefixture::texts(table), QStringLiteral("A B C / D E\u00e9t\u00e9\nsecond line F"));
    EXPECT_EQ(table->padding(), 3);
    EXPECT_EQ(table->gridType(), QStringLiteral("section"));
    EXPECT_EQ(table->cellHelperArray().size(), 6);
    const myTextView* cell = table->grabSelectedTableCellHelper(1, 1);
    ASSERT_TRUE(cell);
    EXPECT_EQ(cell->link(), QStringLiteral("page2.html"));
    EXPECT_EQ(cell->topPadding(), 7);
    EXPECT_EQ(cell->borderColor(), QColor(1, 2, 3, 4));
    EXPECT_EQ(cell->width(), 120);
    EXPECT_EQ(cell->textView()->textLink(), QStringLiteral("inner"));
    EXPECT_EQ(cell->textStorage()->blockCount(), 2);
    QTextCursor at(cell->textStorage());
    at.setPosition(2);
    EXPECT_TRUE(at.charFormat().fontItalic());
    EXPECT_EQ(at.charFormat().fontPointSize(), 21);
    at.setPosition(1);
    EXPECT_FALSE(at.charFormat().fontItalic());

    ASSERT_EQ(decoded->pictures.size(), 1);
    const auto& [image, files] = decoded->pictures.constFirst();
    EXPECT_EQ(table->imageArray(), QList<TransformView*>{image});
    EXPECT_EQ(image->imageName(), picture->imageName());
    EXPECT_EQ(image->altText(), QStringLiteral("alt"));
    EXPECT_EQ(image->opacity(), 0.5f);
    EXPECT_EQ(image->rowSpot(), 1);
    EXPECT_EQ(image->columnSpot(), 2);
    EXPECT_EQ(files, (TableClipboard::PictureFiles{{QStringLiteral("o.JPG"), "bytes"}}));
}

TEST(TableClipboardTest, DamagedOrHostileDataGivesABoundedTable)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct
    {
        const char* name;
        std::function<void(QVariantMap&)> spoil;
        std::function<void(const TableClipboard::Decoded&)> expect;
    } cases[] = {
        {"a cell far outside the grid is dropped",
         [](QVariantMap& c) { setIn(c, "cells", 0, "values", "rowSpot", 5000); },
         [](const auto& d) { EXPECT_EQ(d.table->cellHelperArray().size(), 3); }},
        {"a negative spot is dropped",
         [](QVariantMap& c) { setIn(c, "cells", 1, "values", "columnSpot", -1); },
         [](const auto& d) { EXPECT_EQ(d.table->cellHelperArray().size(), 3); }},
        {"a picture outside the grid is dropped",
         [](QVariantMap& c) { setIn(c, "pictures", 0, "values", "columnSpot", 1 << 30); },
         [](const auto& d) {
             EXPECT_TRUE(d.table->imageArray().isEmpty());
             EXPECT_TRUE(d.pictures.isEmpty());
         }},
        {"rows and columns are held to the grid's limit",
         [](QVariantMap& c) {
             QVariantMap t = c["table"].toMap();
             t["numOfRows"] = qint64(1) << 40;
             t["numOfColumns"] = 1e300;
             c["table"] = t;
         },
         [](const auto& d) {
             EXPECT_LE(d.table->numOfRows(), TableClipboard::kMaximumSpot);
             EXPECT_LE(d.table->numOfColumns(), TableClipboard::kMaximumSpot);
         }},
        {"a number that is not one is ignored",
         [nan](QVariantMap& c) { setIn(c, "cells", 0, "values", "width", nan); },
         [](const auto& d) {
             for (const myTextView* cell : d.table->cellHelperArray())
                 EXPECT_LE(std::abs(cell->width()), 1000000);
         }},
        {"a value of the wrong kind is ignored",
         [](QVariantMap& c) {
             setIn(c, "cells", 0, "values", "backgroundHexColorString", 42);
             setIn(c, "cells", 0, "values", "borderColor", QStringLiteral("#zzzzzz"));
         },
         [](const auto& d) {
             const myTextView* cell = d.table->grabSelectedTableCellHelper(0, 0);
             ASSERT_TRUE(cell);
             EXPECT_TRUE(cell->backgroundHexColorString().isEmpty());
             EXPECT_FALSE(cell->borderColor().isValid());
         }},
        {"a negative size or spacing becomes none",
         [](QVariantMap& c) {
             QVariantMap t = c["table"].toMap();
             t["padding"] = -1e300;
             c["table"] = t;
             setIn(c, "cells", 0, "values", "leftMargin", -40);
             setIn(c, "cells", 0, "values", "height", -3.5);
         },
         [](const auto& d) {
             EXPECT_EQ(d.table->padding(), 0);
             const myTextView* cell = d.table->grabSelectedTableCellHelper(0, 0);
             ASSERT_TRUE(cell);
             EXPECT_EQ(cell->leftMargin(), 0);
             EXPECT_EQ(cell->height(), 0);
         }},
        {"a huge font in a run is held to a readable size",
         [](QVariantMap& c) {
             QVariantList cells = c["cells"].toList();
             QVariantMap cell = cells[0].toMap();
             cell["text"] = QVariantMap{
                 {"blocks", QVariantList{QVariantMap{
                                {"runs", QVariantList{QVariantMap{
                                             {"text", "big"}, {"font", "Sans,1e9,-1,5,700,0,0,0,0,0"}}}}}}}};
             cells[0] = cell;
             c["cells"] = cells;
         },
         [](const auto& d) {
             const myTextView* cell = d.table->grabSelectedTableCellHelper(0, 0);
             ASSERT_TRUE(cell);
             QTextCursor at(cell->textStorage());
             at.setPosition(1);
             EXPECT_EQ(cell->textStorage()->toPlainText(), QStringLiteral("big"));
             EXPECT_LE(at.charFormat().font().pointSizeF(), 1000);
         }},
        {"a picture file over the limit is left out",
         [](QVariantMap& c) {
             setIn(c, "pictures", 0, "files", "o.PNG",
                   QByteArray(TableClipboard::kMaximumFileBytes + 1, 'x'));
         },
         [](const auto& d) {
             ASSERT_EQ(d.pictures.size(), 1);
             EXPECT_TRUE(d.pictures.constFirst().second.isEmpty());
         }},
        {"cells beyond the limit are not read",
         [](QVariantMap& c) {
             QVariantList cells;
             for (int i = 0; i < TableClipboard::kMaximumCells + 50; ++i)
                 cells.append(
                     QVariantMap{{"values", QVariantMap{{"rowSpot", i % 200}, {"columnSpot", i / 200}}}});
             c["cells"] = cells;
         },
         [](const auto& d) { EXPECT_EQ(d.table->cellHelperArray().size(), TableClipboard::kMaximumCells); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::optional<TableClipboard::Decoded> decoded = TableClipboard::decode(carriedDictionary(c.spoil));
        ASSERT_TRUE(decoded);
        c.expect(*decoded);
    }
}

TEST(TableClipboardTest, WithoutACarriedFormThereIsNoTable)
{
    QVariantMap dictionary = carriedDictionary();
    EXPECT_TRUE(TableClipboard::decode(dictionary));
    dictionary.insert(TableClipboard::key(), QStringLiteral("cells"));
    EXPECT_FALSE(TableClipboard::decode(dictionary));
    dictionary.remove(TableClipboard::key());
    EXPECT_FALSE(TableClipboard::decode(dictionary));
}

} // namespace
