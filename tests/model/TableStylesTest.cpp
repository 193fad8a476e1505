#include "model/FakePageContext.h"

#include "model/DRVTable.h"
#include "platform/Geometry.h"

#include <QTextBlock>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace {

// A 3 x 3 table of 60 x 30 cells in 12-point Liberation Sans, cell (r, c) with font size 10 + r.
std::unique_ptr<DRVTable> makeStyledTable()
{
    QList<myTextView*> cells;
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            auto* cell = new myTextView(QRectF(0, 0, 60, 30));
            cell->setRowSpot(r);
            cell->setColumnSpot(c);
            cell->setWidth(60);
            cell->setHeight(30);
            cell->setFamilyName("Liberation Sans");
            cell->setFontSize(10 + r);
            cell->setLineSpacing(1.0f);
            cell->setTextColorString("000000");
            cell->setBackgroundHexColorString("FFFFFF");
            cell->setTextAlignment("left");
            cell->setGroupNumber(3);
            cell->setFormType("text");
            cell->textView()->setFont(DRVTable::fontNamed("Liberation Sans", 10 + r));
            auto* text = new QTextDocument;
            text->setPlainText(QStringLiteral("r%1c%2").arg(r).arg(c));
            cell->setTextStorage(text);
            cells.append(cell);
        }
    }
    QVariantMap p;
    p.insert("bounds", platform::stringFromRect(QRectF(0, 0, 180, 90)));
    p.insert("numOfColumns", "3");
    p.insert("numOfRows", "3");
    p.insert("cellArray", QVariant::fromValue(cells));
    auto table = std::make_unique<DRVTable>();
    table->initWithProperties(p);
    return table;
}

void markTwoCells(DRVTable& table)
{
    table.grabSelectedTableCellHelper(1, 1)->setSelected(1);
    table.grabSelectedTableCellHelper(2, 0)->setSelected(1);
}

int cellsWithFontSize(const DRVTable& table, int size)
{
    int count = 0;
    for (const myTextView* cell : table.cellHelperArray())
        count += cell->fontSize() == size && cell->textView()->font().pixelSize() == size;
    return count;
}

} // namespace

TEST(TableStyles, TargetsTheMarkedCellsOnlyWithPerCellStyling)
{
    struct Case
    {
        bool perCellStyling;
        bool marked;
        int changed;
    };
    const Case cases[] = {{true, true, 2}, {true, false, 9}, {false, true, 9}, {false, false, 9}};
    for (const Case& c : cases) {
        EditionGuard guard;
        edition().gTableCellEditingFlag = c.perCellStyling;
        std::unique_ptr<DRVTable> table = makeStyledTable();
        if (c.marked)
            markTwoCells(*table);
        table->setFontSize(31);
        table->updateFontSize();
        EXPECT_EQ(cellsWithFontSize(*table, 31), c.changed) << c.perCellStyling << c.marked;
        if (c.changed == 2) {
            EXPECT_EQ(table->grabSelectedTableCellHelper(1, 1)->fontSize(), 31);
            EXPECT_EQ(table->grabSelectedTableCellHelper(2, 0)->fontSize(), 31);
        }
    }
}

TEST(TableStyles, FontFamilyKeepsEachCellsSizeAndSizeKeepsTheFamily)
{
    EditionGuard guard;
    std::unique_ptr<DRVTable> table = makeStyledTable();
    table->setFontFamily("Cabin");
    table->updateFontFamily();
    for (const myTextView* cell : table->cellHelperArray()) {
        EXPECT_EQ(cell->familyName(), "Cabin");
        EXPECT_EQ(cell->fontSize(), 10 + cell->rowSpot());
        EXPECT_EQ(cell->textView()->font().family(), "Cabin");
        EXPECT_EQ(cell->textView()->font().pixelSize(), 10 + cell->rowSpot());
        EXPECT_EQ(cell->textStorage()->begin().charFormat().font().pixelSize(), 10 + cell->rowSpot());
    }
    table->setFontSize(18);
    table->updateFontSize();
    for (const myTextView* cell : table->cellHelperArray()) {
        EXPECT_EQ(cell->textView()->font().family(), "Cabin");
        EXPECT_EQ(cell->textView()->font().pixelSize(), 18);
    }
}

TEST(TableStyles, AlignmentByTheTablesFontAlignment)
{
    struct Case
    {
        int fontAlignment;
        const char* name;
        Qt::Alignment flag;
    };
    const Case cases[] = {{0, "left", Qt::AlignLeft},
                          {1, "center", Qt::AlignHCenter},
                          {2, "right", Qt::AlignRight},
                          {3, "justify", Qt::AlignJustify},
                          {7, "justify", Qt::AlignJustify}};
    for (const Case& c : cases) {
        for (bool whole : {false, true}) {
            EditionGuard guard;
            std::unique_ptr<DRVTable> table = makeStyledTable();
            table->setFontAlignment(c.fontAlignment);
            if (whole)
                table->refreshStyle();
            else
                table->updateTextAlignment();
            for (const myTextView* cell : table->cellHelperArray()) {
                EXPECT_EQ(cell->textAlignment(), c.name) << c.fontAlignment;
                EXPECT_EQ(cell->textStorage()->begin().blockFormat().alignment(), c.flag) << c.fontAlignment;
            }
        }
    }
}

TEST(TableStyles, AClearFillWritesClearZero)
{
    EditionGuard guard;
    std::unique_ptr<DRVTable> table = makeStyledTable();
    table->setFillColor(QColor(Qt::transparent));
    table->setBackgroundHexColorString("ABCDEF");
    table->updateBackgroundColor();
    for (const myTextView* cell : table->cellHelperArray()) {
        EXPECT_EQ(cell->backgroundHexColorString(), "CLEAR0");
        EXPECT_EQ(cell->colorString(), "CLEAR0");
    }
    table->setFillColor(QColor("#ABCDEF"));
    table->updateBackgroundColor();
    for (const myTextView* cell : table->cellHelperArray()) {
        EXPECT_EQ(cell->backgroundHexColorString(), "ABCDEF");
        EXPECT_EQ(cell->colorString(), "ABCDEF");
    }
}

TEST(TableStyles, SimpleValuesReachTheTargets)
{
    EditionGuard guard;
    edition().gTableCellEditingFlag = true;
    std::unique_ptr<DRVTable> table = makeStyledTable();
    markTwoCells(*table);
    table->setHoverTextColorString("111111");
    table->updateHoverTextColor();
    table->setHoverColorString("222222");
    table->updateHoverBackgroundColor();
    table->setLineSpacing(1.5f);
    table->updateLineSpacing();
    table->setBorderHexColorString("333333");
    table->updateBorderColor();
    table->setOpacity(0.25);
    table->updateOpacity();
    table->setShadowFlag(1);
    table->updateShadow();
    table->setFontColor(QColor("#445566"));
    table->setTextHexColorString("445566");
    table->updateTextColor();
    for (const myTextView* cell : table->cellHelperArray()) {
        const bool target = cell->selected();
        EXPECT_EQ(cell->hoverTextColorString() == "111111", target);
        EXPECT_EQ(cell->hoverColorString() == "222222", target);
        EXPECT_EQ(cell->lineSpacing() == 1.5f, target);
        EXPECT_EQ(cell->borderHexColorString() == "333333", target);
        EXPECT_EQ(cell->alphaValue() == 0.25 && cell->opacity() == 0.25f, target);
        EXPECT_EQ(cell->shadowFlag() == 1, target);
        EXPECT_EQ(cell->textColorString() == "445566" && cell->textHexColorString() == "445566", target);
        const QColor foreground = cell->textStorage()->begin().charFormat().foreground().color();
        EXPECT_EQ(foreground.rgb() == QColor("#445566").rgb() && qAbs(foreground.alphaF() - 0.25f) < 0.01f,
                  target);
    }
}

TEST(TableStyles, RefreshStyleMakesEveryTargetAPlainCell)
{
    EditionGuard guard;
    std::unique_ptr<DRVTable> table = makeStyledTable();
    table->setFontFamily("Liberation Sans");
    table->setFontSize(20);
    table->setLineSpacing(1.5f);
    table->setFontColor(QColor("#102030"));
    table->setTextHexColorString("102030");
    table->setOpacity(0.5);
    table->setBorderStyle("dotted");
    table->setBorderWidth(2);
    table->setCornerRadius(6);
    table->setScrollFlag(1);
    table->setFontAlignment(1);
    table->refreshStyle();
    for (const myTextView* cell : table->cellHelperArray()) {
        EXPECT_EQ(cell->groupNumber(), -99);
        EXPECT_EQ(cell->formType(), "");
        EXPECT_EQ(cell->formTag(), -99);
        EXPECT_EQ(cell->formOptionTag(), -99);
        EXPECT_EQ(cell->fontSize(), 20);
        EXPECT_EQ(cell->familyName(), "Liberation Sans");
        EXPECT_EQ(cell->borderStyle(), "dotted");
        EXPECT_EQ(cell->textView()->borderLine(), "dotted");
        EXPECT_EQ(cell->borderWidth(), 2);
        EXPECT_FLOAT_EQ(cell->cornerRadius(), 6.0f);
        EXPECT_EQ(cell->scrollFlag(), 1);
        EXPECT_EQ(cell->textColorString(), "102030");
        const QTextBlock block = cell->textStorage()->begin();
        EXPECT_EQ(block.blockFormat().lineHeightType(), int(QTextBlockFormat::FixedHeight));
        EXPECT_DOUBLE_EQ(block.blockFormat().lineHeight(), 30.0);
        EXPECT_EQ(block.blockFormat().alignment(), Qt::AlignHCenter);
        const QTextCharFormat characters = block.begin().fragment().charFormat();
        EXPECT_EQ(characters.font().pixelSize(), 20);
        EXPECT_NEAR(characters.foreground().color().alphaF(), 0.5, 0.01);
        EXPECT_FALSE(characters.fontUnderline());
    }
}

TEST(TableStyles, EveryOperationRelaysTheTableOut)
{
    EditionGuard guard;
    std::unique_ptr<DRVTable> table = makeStyledTable();
    const QList<void (DRVTable::*)()> operations{
        &DRVTable::updateHoverTextColor, &DRVTable::updateHoverBackgroundColor,
        &DRVTable::updateTextColor,      &DRVTable::updateLineSpacing,
        &DRVTable::updateBorderColor,    &DRVTable::updateBackgroundColor,
        &DRVTable::updateFontSize,       &DRVTable::updateFontFamily,
        &DRVTable::updateTextAlignment,  &DRVTable::updateOpacity,
        &DRVTable::updateShadow,         &DRVTable::refreshStyle};
    for (auto operation : operations) {
        int redraws = 0;
        QObject context;
        platform::observe(
            table.get(), &context,
            [&redraws](platform::Observable*, const QString& key, const QVariant&, const QVariant&) {
                redraws += key == QLatin1String("drawingContents");
            });
        (table.get()->*operation)();
        EXPECT_GE(redraws, 1);
    }
}

TEST(TableStyles, ReflectsAMarkedCellIntoTheTable)
{
    EditionGuard guard;
    std::unique_ptr<DRVTable> table = makeStyledTable();
    table->setCornerRadius(9);
    table->setBorderWidth(4);
    myTextView* cell = table->grabSelectedTableCellHelper(2, 2);
    cell->setBackgroundHexColorString("");
    cell->setAlphaValue(0.75);
    cell->setTextColorString("FF8800");
    cell->setTextAlignment("right");
    cell->setBorderHexColorString("00FF00");
    cell->setLineSpacing(2.0f);
    cell->setCornerRadius(1);
    cell->setBorderWidth(1);
    table->reflectSelectedCellProperties(cell);
    EXPECT_EQ(table->fillColor().alpha(), 0);
    EXPECT_EQ(table->backgroundHexColorString(), "");
    EXPECT_DOUBLE_EQ(table->opacity(), 0.75);
    EXPECT_EQ(table->fontColor(), QColor("#FF8800"));
    EXPECT_EQ(table->textHexColorString(), "FF8800");
    EXPECT_EQ(table->fontFamily(), "Liberation Sans");
    EXPECT_EQ(table->fontSize(), 12);
    EXPECT_EQ(table->fontAlignment(), 2);
    EXPECT_EQ(table->borderColor(), QColor("#00FF00"));
    EXPECT_FLOAT_EQ(table->lineSpacing(), 2.0f);
    // Corner radius and border width are not the inspector's business here.
    EXPECT_DOUBLE_EQ(table->cornerRadius(), 9);
    EXPECT_EQ(table->borderWidth(), 4);
}
