// The inspector's colours: what a picked swatch writes for each target and kind, the button faces,
// the palette popover opened from a colour button, and each window's own colour target.
#include "window/inspector/SidebarInspectorTest.h"

#include "document/DRVDocument.h"
#include "editions/DataCentre.h"
#include "model/DRVCircle.h"
#include "model/DRVImage.h"
#include "model/DRVLine.h"
#include "model/DRVTable.h"
#include "model/DRVText.h"
#include "platform/UndoManager.h"
#include "window/DRVWindowController.h"
#include "window/FlippedNSView.h"
#include "window/Popover.h"
#include "window/inspector/ColorSelector.h"
#include "window/inspector/FormatIconView.h"
#include "window/inspector/FormattingOptions.h"
#include "window/inspector/InspectorPanel.h"
#include "window/inspector/SegmentedControl.h"

#include <QCoreApplication>
#include <QDir>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <memory>

namespace {

struct Written
{
    QString text, hover, hoverText, border, background;
};

Written writtenBy(DRVGraphic* g)
{
    return {g->textHexColorString(), g->hoverColorString(), g->hoverTextColorString(),
            g->borderHexColorString(), g->backgroundHexColorString()};
}

std::unique_ptr<DRVGraphic> makeKind(const QString& kind)
{
    if (kind == QLatin1String("text"))
        return std::make_unique<DRVText>();
    if (kind == QLatin1String("table"))
        return std::make_unique<DRVTable>();
    if (kind == QLatin1String("line"))
        return std::make_unique<DRVLine>();
    if (kind == QLatin1String("image"))
        return std::make_unique<DRVImage>();
    return std::make_unique<DRVCircle>();
}

QStringList palette141()
{
    QStringList palette{QStringLiteral("CLEAR0")};
    for (int i = 1; i < 141; ++i)
        palette.append(QStringLiteral("%1%2%3")
                           .arg(i, 2, 16, QLatin1Char('0'))
                           .arg(255 - i, 2, 16, QLatin1Char('0'))
                           .arg(0x40, 2, 16)
                           .toUpper());
    palette[5] = QStringLiteral("FFFFFF");
    return palette;
}

} // namespace

TEST(ColorPickTable, EachTargetColoursTheKindsThatTakeIt)
{
    using C = ColorSelector;
    const struct
    {
        int code;
        const char* kind;
        const char* hex;
        Written expected;
    } rows[] = {
        {C::Text, "text", "112233", {"112233", "", "", "", ""}},
        {C::Text, "table", "112233", {"112233", "", "", "", ""}},
        {C::Text, "image", "112233", {"", "", "", "", ""}},
        {C::HoverBackground, "text", "445566", {"", "445566", "", "", ""}},
        {C::HoverText, "table", "445566", {"", "", "445566", "", ""}},
        {C::HoverText, "line", "445566", {"", "", "", "", ""}},
        {C::Border, "line", "778899", {"", "", "", "778899", ""}},
        {C::Border, "image", "778899", {"", "", "", "778899", ""}},
        {C::Border, "circle", "778899", {"", "", "", "", ""}},
        {C::Shape, "text", "CLEAR0", {"", "", "", "", "CLEAR0"}},
        {C::Shape, "image", "AABBCC", {"", "", "", "", ""}},
        {7, "table", "AABBCC", {"", "", "", "", "AABBCC"}},
        {C::Canvas, "text", "AABBCC", {"", "", "", "", ""}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.code) + " " + row.kind);
        auto graphic = makeKind(QString::fromLatin1(row.kind));
        const Written before = writtenBy(graphic.get());
        C::applyColorToGraphic(graphic.get(), row.code, QString::fromLatin1(row.hex));
        const Written after = writtenBy(graphic.get());
        // The target's string takes the entry; no other string does.
        const QString hex = QString::fromLatin1(row.hex);
        auto expect = [&hex](const QString& got, const QString& was, const QString& want) {
            if (!want.isEmpty())
                EXPECT_EQ(got, want);
            else if (was != hex)
                EXPECT_NE(got, hex);
        };
        expect(after.text, before.text, row.expected.text);
        expect(after.hover, before.hover, row.expected.hover);
        expect(after.hoverText, before.hoverText, row.expected.hoverText);
        expect(after.border, before.border, row.expected.border);
        expect(after.background, before.background, row.expected.background);
    }
    // "CLEAR0" as text colour writes the string but draws black; as fill it is clear.
    DRVText text;
    C::applyColorToGraphic(&text, C::Text, QStringLiteral("CLEAR0"));
    EXPECT_EQ(text.fontColor(), QColor(Qt::black));
    C::applyColorToGraphic(&text, C::Shape, QStringLiteral("CLEAR0"));
    EXPECT_EQ(text.fillColor().alpha(), 0);
}

TEST(ColorButtonFace, TitlesInTheInverseAndClearInBlack)
{
    EXPECT_EQ(ColorSelector::titleForColor(QColor(Qt::white)), QStringLiteral("FFFFFF"));
    EXPECT_EQ(ColorSelector::titleColorForColor(QColor(Qt::white)), QColor(Qt::black));
    EXPECT_EQ(ColorSelector::titleColorForColor(QColor(Qt::black)), QColor(Qt::white));
    EXPECT_EQ(ColorSelector::titleForColor(QColor(Qt::transparent)), QStringLiteral("Clear"));
    EXPECT_EQ(ColorSelector::titleColorForColor(QColor()), QColor(Qt::black));
    EXPECT_EQ(ColorSelector::returnInvertedColor(QColor(10, 20, 30, 40)), QColor(245, 235, 225, 40));
    const QImage face = ColorSelector::buttonFace(QColor(0x20, 0x80, 0x20));
    EXPECT_EQ(face.size(), QSize(200, 30));
    EXPECT_EQ(face.pixelColor(0, 15), QColor(Qt::black)); // the 2-wide stroke
    EXPECT_EQ(face.pixelColor(10, 15), QColor(0x20, 0x80, 0x20));
}

class ColorSelectorTest : public SidebarInspectorTest
{
protected:
    ColorSelectorTest()
    {
        edition().gColorPalette = palette141();
        text->setBounds(QRectF(10, 10, 100, 40));
        line->setBounds(QRectF(10, 80, 100, 2));
        open({text, line});
    }
    ColorSelector* colours() { return controller.inspector()->colorSelector(); }

    DRVText* text = new DRVText;
    DRVLine* line = new DRVLine;
};

TEST_F(ColorSelectorTest, AButtonOpensThePaletteAndASwatchColoursTheSelection)
{
    controller.graphicView()->changeSelectionIndexes({0});
    QPushButton* shape = controller.selectedShapeColorButton();
    ASSERT_TRUE(shape->isVisibleTo(controller.inspectorView()));
    QTest::mouseClick(shape, Qt::LeftButton);
    EXPECT_EQ(colours()->typeOfColorFlag(), ColorSelector::Shape);
    ASSERT_TRUE(colours()->popover() && colours()->popover()->isVisible());
    const QList<QPushButton*> swatches = colours()->swatches();
    // Every entry has a swatch: 141 entries make eight rows.
    ASSERT_EQ(swatches.size(), 141);
    EXPECT_EQ(colours()->colorPanelSelectorView()->size(), QSize(400, 160));
    EXPECT_EQ(swatches.at(140)->geometry(), QRect(0, 140, 20, 20));
    EXPECT_TRUE(swatches.at(0)->isEnabled());
    keepScreenshot(colours()->popover(), QStringLiteral("palette-popover.png"));

    QTest::mouseClick(swatches.at(5), Qt::LeftButton);
    EXPECT_EQ(text->backgroundHexColorString(), QStringLiteral("FFFFFF"));
    EXPECT_EQ(line->backgroundHexColorString(), QString());
    // The tile's button shows the picked colour, titled in black.
    EXPECT_EQ(shape->accessibleName(), QStringLiteral("FFFFFF"));
    EXPECT_EQ(shape->property("titleColor").value<QColor>(), QColor(Qt::black));

    // The text and border buttons offer no clear swatch.
    colours()->popover()->close();
    QTest::mouseClick(controller.selectedTextColorButton(), Qt::LeftButton);
    EXPECT_FALSE(colours()->swatches().at(0)->isEnabled());
    EXPECT_EQ(colours()->typeOfColorFlag(), ColorSelector::Text);
    colours()->popover()->close();
    QTest::mouseClick(controller.selectedBorderColorButton(), Qt::LeftButton);
    EXPECT_FALSE(colours()->swatches().at(0)->isEnabled());
    EXPECT_EQ(colours()->typeOfColorFlag(), ColorSelector::Border);
}

TEST_F(ColorSelectorTest, EachWindowKeepsItsOwnTarget)
{
    DRVWindowController other;
    other.setDocument(&doc);
    other.showWindow();
    QTest::mouseClick(other.inspector()->sidebarSwitchSegmentedControl()->segmentButton(1), Qt::LeftButton);

    controller.graphicView()->changeSelectionIndexes({0});
    QTest::mouseClick(controller.selectedTextColorButton(), Qt::LeftButton);
    colours()->popover()->close();
    QTest::mouseClick(other.canvasColorButton(), Qt::LeftButton);
    EXPECT_EQ(other.inspector()->colorSelector()->typeOfColorFlag(), ColorSelector::Canvas);
    EXPECT_EQ(colours()->typeOfColorFlag(), ColorSelector::Text);

    // A swatch of this window colours the text, not the other window's page.
    QTest::mouseClick(controller.selectedTextColorButton(), Qt::LeftButton);
    QTest::mouseClick(colours()->swatches().at(3), Qt::LeftButton);
    EXPECT_EQ(text->textHexColorString(), edition().gColorPalette.at(3));
    EXPECT_NE(other.getDocumentColorHexString(), edition().gColorPalette.at(3));
    colours()->popover()->close();

    // The other window's canvas swatch colours the page, which keeps it for saving.
    QTest::mouseClick(other.canvasColorButton(), Qt::LeftButton);
    QTest::mouseClick(other.inspector()->colorSelector()->swatches().at(7), Qt::LeftButton);
    EXPECT_EQ(other.getDocumentColorHexString(), edition().gColorPalette.at(7));
    EXPECT_EQ(doc.pageColorHexString(), edition().gColorPalette.at(7));
    EXPECT_EQ(doc.pageColor(), DataCentre::colorWithHexString(edition().gColorPalette.at(7)));
    EXPECT_EQ(other.canvasColorButton()->accessibleName(), edition().gColorPalette.at(7));
}

class ColorPanelTest : public WindowTest
{
};

TEST_F(ColorPanelTest, TheTabbedPanelStacksTheButtonsUnderTheirCaptions)
{
    edition().gSidebarInspectorFlag = false;
    for (bool swatches : {true, false}) {
        SCOPED_TRACE(swatches);
        edition().gColorViewSwatchesFlag = swatches;
        DRVWindowController controller;
        controller.showWindow();
        QWidget* colorView = controller.inspector()->colorView();
        const struct
        {
            QPushButton* button;
            int y;
            bool shown;
        } rows[] = {{controller.selectedTextColorButton(), 55, true},
                    {controller.selectedShapeColorButton(), 120, true},
                    {controller.selectedBorderColorButton(), 185, true},
                    {controller.canvasColorButton(), 250, true},
                    {controller.selectedHoverTextColorButton(), 315, swatches},
                    {controller.selectedHoverColorButton(), 380, swatches}};
        for (const auto& row : rows) {
            EXPECT_EQ(row.button->parentWidget() == colorView, row.shown) << row.y;
            if (row.shown)
                EXPECT_EQ(row.button->geometry(), QRect(35, row.y, 200, 30));
        }
        // An unset colour shows clear.
        EXPECT_EQ(controller.selectedTextColorButton()->accessibleName(), QStringLiteral("Clear"));
    }
}
