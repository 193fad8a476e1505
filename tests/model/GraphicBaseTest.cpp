#include "model/FakePageContext.h"

#include "model/DRVCircle.h"
#include "model/DRVGraphic.h"
#include "model/DRVRectangle.h"
#include "platform/StringsTable.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace {

QStringList changedKeys(DRVGraphic& graphic, const std::function<void()>& change)
{
    QStringList keys;
    QObject context;
    platform::observe(&graphic, &context,
                      [&keys](platform::Observable*, const QString& key, const QVariant&, const QVariant&) {
                          keys.append(key);
                      });
    change();
    return keys;
}

} // namespace

TEST(GraphicBase, InitGivesTheDefaults)
{
    DRVGraphic g;
    EXPECT_EQ(g.bounds(), QRectF());
    EXPECT_FALSE(g.isDrawingFill());
    EXPECT_EQ(g.fillColor(), QColor(Qt::transparent));
    EXPECT_TRUE(g.isDrawingStroke());
    EXPECT_FALSE(g.strokeColor().isValid());
    EXPECT_EQ(g.strokeWidth(), 1.0);
    EXPECT_EQ(g.opacity(), 1.0);
    EXPECT_EQ(g.borderStyle(), "none");
    EXPECT_EQ(g.fillColorIndex(), -99);
    EXPECT_EQ(g.fontColorIndex(), -99);
    EXPECT_EQ(g.linkOption(), "_self");
    EXPECT_EQ(g.linkType(), "text");
    EXPECT_EQ(g.shadowFlag(), 0);
    EXPECT_TRUE(g.imageName().isNull());
    EXPECT_FALSE(g.selectable());
    EXPECT_EQ(g.sectionNumber(), 0);
}

TEST(GraphicBase, EveryDeclaredPropertyIsReachableByKey)
{
    DRVGraphic g;
    const QStringList keys{
        "opacity",          "cornerRadius",     "borderStyle", "borderWidth",       "fillColorIndex",
        "linkOption",       "imageLastModDate", "beginPoint",  "lastNoOverlapRect", "rightPaddingLevelString",
        "largeGridColumns", "bottomEdgeY"};
    for (const QString& key : keys)
        EXPECT_TRUE(g.valueForKey(key).isValid()) << key.toStdString();
    EXPECT_TRUE(g.setValueForKey("cornerRadius", 12.0));
    EXPECT_EQ(g.cornerRadius(), 12.0);
    EXPECT_TRUE(g.setValueForKey("topMarginType", QStringLiteral("%")));
    EXPECT_EQ(g.topMarginType(), "%");
    // Box-model values are computed, not set.
    EXPECT_FALSE(g.setValueForKey("contentRect", QRectF(1, 2, 3, 4)));
}

TEST(GraphicBase, CopyKeepsBoundsFillAndStrokeOnly)
{
    DRVRectangle source;
    source.setBounds(QRectF(1, 2, 30, 40));
    source.setDrawingFill(true);
    source.setFillColor(Qt::red);
    source.setDrawingStroke(false);
    source.setStrokeColor(Qt::blue);
    source.setStrokeWidth(4);
    source.setLinkOption("_blank");
    source.setOpacity(0.3);
    source.setImageName("image1");

    const std::unique_ptr<DRVGraphic> copy = source.copy();
    ASSERT_NE(qobject_cast<DRVRectangle*>(copy.get()), nullptr);
    EXPECT_EQ(copy->bounds(), QRectF(1, 2, 30, 40));
    EXPECT_TRUE(copy->isDrawingFill());
    EXPECT_EQ(copy->fillColor(), QColor(Qt::red));
    EXPECT_FALSE(copy->isDrawingStroke());
    EXPECT_EQ(copy->strokeColor(), QColor(Qt::blue));
    EXPECT_EQ(copy->strokeWidth(), 4.0);
    EXPECT_EQ(copy->linkOption(), "_self");
    EXPECT_EQ(copy->opacity(), 1.0);
    EXPECT_TRUE(copy->imageName().isNull());
}

TEST(GraphicBase, DerivedGeometryGoesThroughBounds)
{
    DRVGraphic g;
    g.setBounds(QRectF(10, 20, 30, 40));
    const QStringList keys = changedKeys(g, [&g] { g.setWidth(50); });
    EXPECT_EQ(g.bounds(), QRectF(10, 20, 50, 40));
    for (const char* key : {"bounds", "xPosition", "yPosition", "width", "height", "drawingBounds"})
        EXPECT_TRUE(keys.contains(key)) << key;

    g.setXPosition(5);
    g.setYPosition(6);
    g.setHeight(7);
    EXPECT_EQ(g.bounds(), QRectF(5, 6, 50, 7));
}

TEST(GraphicBase, DependentKeysFollowTheirSources)
{
    DRVGraphic g;
    EXPECT_TRUE(changedKeys(g, [&g] { g.setStrokeWidth(3); }).contains("drawingBounds"));
    EXPECT_TRUE(changedKeys(g, [&g] { g.setCornerRadius(3); }).contains("drawingBounds"));
    for (const char* key : {"drawingFill", "fillColor", "drawingStroke", "strokeColor", "fontColor"}) {
        const QVariant value = key == QByteArray("drawingFill") || key == QByteArray("drawingStroke")
                                   ? QVariant(!g.valueForKey(key).toBool())
                                   : QVariant(QColor(Qt::green));
        EXPECT_TRUE(changedKeys(g, [&] { g.setValueForKey(key, value); }).contains("drawingContents")) << key;
    }
    // Setting a value it already has reports nothing.
    EXPECT_TRUE(changedKeys(g, [&g] { g.setStrokeWidth(3); }).isEmpty());
}

TEST(GraphicBase, UndoKeysAndPresentableNames)
{
    DRVGraphic g;
    const QSet<QString> keys = g.keysForValuesToObserveForUndo();
    EXPECT_EQ(keys, (QSet<QString>{"drawingFill", "fillColor", "drawingStroke", "strokeColor", "strokeWidth",
                                   "bounds"}));
    const QList<QPair<QString, QString>> names{
        {"drawingFill", "Filling"},      {"fillColor", "Fill Color"},     {"drawingStroke", "Stroking"},
        {"strokeColor", "Stroke Color"}, {"strokeWidth", "Stroke Width"}, {"bounds", "Bounds"}};
    for (const auto& [key, name] : names)
        EXPECT_EQ(g.presentablePropertyNameForKey(key), name) << key.toStdString();
    EXPECT_TRUE(g.presentablePropertyNameForKey("opacity").isNull());
    EXPECT_TRUE(platform::StringsTable::contains("Change of %@", "UndoStrings"));
    EXPECT_EQ(g.valueForKey("keysForValuesToObserveForUndo").toStringList().size(), 6);
}

TEST(GraphicBase, BaseOutlineIsAProgrammingError)
{
    DRVGraphic g;
    EXPECT_THROW(g.bezierPathForDrawing(), std::logic_error);
}

TEST(GraphicBase, NaturalSizeAndSetColor)
{
    DRVGraphic g;
    g.setBounds(QRectF(0, 0, 40, 40));
    EXPECT_FALSE(g.canMakeNaturalSize());
    g.setWidth(41);
    EXPECT_TRUE(g.canMakeNaturalSize());

    const QStringList keys = changedKeys(g, [&g] { g.setColor(Qt::yellow); });
    EXPECT_TRUE(g.isDrawingFill());
    EXPECT_EQ(g.fillColor(), QColor(Qt::yellow));
    EXPECT_TRUE(keys.contains("drawingFill"));
    EXPECT_TRUE(keys.contains("fillColor"));
}

TEST(GraphicBase, PageContextLookUpsAnswerNothingWithoutAContext)
{
    DRVGraphic g;
    EXPECT_TRUE(g.getNextImageName().isNull());
    EXPECT_TRUE(g.getCurrentDocPath().isNull());
    EXPECT_EQ(g.getLastTouchPoint(), QPointF());

    FakePageContext fake;
    fake.nextImage = "image7";
    fake.docPath = "/tmp/site/index";
    fake.touchPoint = QPointF(3, 4);
    ScopedPageContext scope(&fake);
    EXPECT_EQ(g.getNextImageName(), "image7");
    EXPECT_EQ(g.getCurrentDocPath(), "/tmp/site/index");
    EXPECT_EQ(g.getLastTouchPoint(), QPointF(3, 4));
}

TEST(GraphicBase, ContentsHitHandsTheColoursToTheInspector)
{
    FakePageContext fake;
    ScopedPageContext scope(&fake);
    DRVGraphic g;
    g.setBounds(QRectF(0, 0, 100, 50));
    g.setFillColor(Qt::red);
    g.setTextHexColorString("00FF00");
    g.setHoverColorString("CLEAR0");
    g.setBorderHexColorString("");

    // Left and top edges are inside, right and bottom edges outside.
    EXPECT_TRUE(g.isContentsUnderPoint(QPointF(0, 0)));
    EXPECT_FALSE(g.isContentsUnderPoint(QPointF(100, 25)));
    EXPECT_FALSE(g.isContentsUnderPoint(QPointF(50, 50)));

    EXPECT_EQ(fake.colours.value("text"), QColor(0, 255, 0));
    EXPECT_EQ(fake.colours.value("hover"), QColor(Qt::transparent));
    EXPECT_EQ(fake.colours.value("border"), QColor(Qt::transparent));
    // No background colour: the shape colour is clear and the background becomes "CLEAR0".
    EXPECT_EQ(fake.colours.value("shape"), QColor(Qt::transparent));
    EXPECT_EQ(g.backgroundHexColorString(), "CLEAR0");
    EXPECT_EQ(fake.colourButtonRefreshes, 3);
    EXPECT_EQ(fake.inspectorRefreshes, 3);

    g.setBackgroundHexColorString("FF0000");
    g.isContentsUnderPoint(QPointF(1, 1));
    EXPECT_EQ(fake.colours.value("shape"), QColor(Qt::red));
}

TEST(GraphicBase, ErrorsCarryTheirCodeAndDefaults)
{
    const GraphicError error = graphicErrorWithCode(2);
    EXPECT_EQ(error.domain, "DrovinErrorDomain");
    EXPECT_EQ(error.code, 2);
    EXPECT_EQ(error.localizedFailureReason, "An unknown error occurred.");
}

TEST(GraphicBase, PaletteIndexesOutsideThePaletteNameNoEntry)
{
    EditionGuard guard;
    edition().gColorPalette = {"CLEAR0", "FFFFFF", "FF0000"};
    EXPECT_EQ(DRVGraphic::paletteHexStringAtIndex(0), "CLEAR0");
    EXPECT_EQ(DRVGraphic::paletteHexStringAtIndex(2), "FF0000");
    for (int index : {3, -1, -98, -99})
        EXPECT_TRUE(DRVGraphic::paletteHexStringAtIndex(index).isNull()) << index;
}
