#include "model/FakePageContext.h"

#include "model/DRVGraphic.h"

#include <gtest/gtest.h>

namespace {

struct Spacing
{
    int number;
    const char* unit;
};

struct BoxCase
{
    const char* name;
    QRectF bounds;
    int border;
    Spacing margins[4];  // top, bottom, left, right
    Spacing paddings[4]; // top, bottom, left, right
    QRectF drawRect, noMarginRect, noMarginNoBorderRect, noPaddingNoMarginRect, contentRect;
};

void expectRect(const QRectF& actual, const QRectF& expected, const char* what, const char* name)
{
    EXPECT_DOUBLE_EQ(actual.x(), expected.x()) << name << " " << what;
    EXPECT_DOUBLE_EQ(actual.y(), expected.y()) << name << " " << what;
    EXPECT_DOUBLE_EQ(actual.width(), expected.width()) << name << " " << what;
    EXPECT_DOUBLE_EQ(actual.height(), expected.height()) << name << " " << what;
}

} // namespace

TEST(BoxModel, FiveRectanglesFromBoundsBorderMarginsAndPaddings)
{
    const BoxCase cases[] = {
        {"border only, odd width",
         {10, 20, 100, 50},
         3,
         {{0, "pixel"}, {0, "pixel"}, {0, "pixel"}, {0, "pixel"}},
         {{0, "pixel"}, {0, "pixel"}, {0, "pixel"}, {0, "pixel"}},
         {11, 21, 97, 47},
         {10, 20, 100, 50},
         {13, 23, 94, 44},
         {10, 20, 100, 50},
         {13, 23, 94, 44}},
        {"pixel margins and paddings",
         {0, 0, 200, 100},
         2,
         {{5, "pixel"}, {6, "pixel"}, {7, "pixel"}, {8, "pixel"}},
         {{1, "pixel"}, {2, ""}, {3, "pixel"}, {4, "px"}},
         {1, 1, 198, 98},
         {7, 5, 185, 89},
         {9, 7, 181, 85},
         {10, 6, 178, 86},
         {12, 8, 174, 82}},
        {"percentages of height and width",
         {0, 0, 200, 100},
         0,
         {{10, "%"}, {0, "%"}, {10, "%"}, {0, "%"}},
         {{0, "%"}, {20, "%"}, {0, "%"}, {5, "%"}},
         {0, 0, 200, 100},
         {20, 10, 180, 90},
         {20, 10, 180, 90},
         {20, 10, 170, 70},
         {20, 10, 170, 70}},
        {"nothing clamps negative sizes",
         {0, 0, 10, 10},
         5,
         {{0, "pixel"}, {0, "pixel"}, {20, "pixel"}, {0, "pixel"}},
         {{0, "pixel"}, {0, "pixel"}, {0, "pixel"}, {0, "pixel"}},
         {2, 2, 5, 5},
         {20, 0, -10, 10},
         {25, 5, -20, 0},
         {20, 0, -10, 10},
         {25, 5, -20, 0}},
    };
    for (const BoxCase& c : cases) {
        DRVGraphic g;
        g.setBounds(c.bounds);
        g.setBorderWidth(c.border);
        g.setTopMargin(c.margins[0].number);
        g.setTopMarginType(c.margins[0].unit);
        g.setBottomMargin(c.margins[1].number);
        g.setBottomMarginType(c.margins[1].unit);
        g.setLeftMargin(c.margins[2].number);
        g.setLeftMarginType(c.margins[2].unit);
        g.setRightMargin(c.margins[3].number);
        g.setRightMarginType(c.margins[3].unit);
        g.setTopPadding(c.paddings[0].number);
        g.setTopPaddingType(c.paddings[0].unit);
        g.setBottomPadding(c.paddings[1].number);
        g.setBottomPaddingType(c.paddings[1].unit);
        g.setLeftPadding(c.paddings[2].number);
        g.setLeftPaddingType(c.paddings[2].unit);
        g.setRightPadding(c.paddings[3].number);
        g.setRightPaddingType(c.paddings[3].unit);
        g.drawBoxModel();
        expectRect(g.drawRect(), c.drawRect, "drawRect", c.name);
        expectRect(g.noMarginRect(), c.noMarginRect, "noMarginRect", c.name);
        expectRect(g.noMarginNoBorderRect(), c.noMarginNoBorderRect, "noMarginNoBorderRect", c.name);
        expectRect(g.noPaddingNoMarginRect(), c.noPaddingNoMarginRect, "noPaddingNoMarginRect", c.name);
        expectRect(g.contentRect(), c.contentRect, "contentRect", c.name);
    }
}

TEST(BoxModel, DrawingBoundsGrowByHalfAHandleAndTwoAndRecomputeTheBox)
{
    EditionGuard guard;
    struct Case
    {
        float scale;
        double grow;
    };
    for (const Case& c : {Case{1.0f, 7.0}, Case{0.5f, 12.0}, Case{4.0f, 4.5}}) {
        edition().gCanvasDisplayScale = c.scale;
        DRVGraphic g;
        g.setBounds(QRectF(10, 20, 100, 50));
        g.setBorderWidth(4);
        expectRect(g.drawingBounds(), QRectF(10 - c.grow, 20 - c.grow, 100 + 2 * c.grow, 50 + 2 * c.grow),
                   "drawingBounds", "scale");
        // Asking for the drawing bounds lays the box out.
        expectRect(g.contentRect(), QRectF(14, 24, 92, 42), "contentRect", "scale");
    }
}

TEST(BoxModel, DrawingBoundsOfARotatedGraphicHoldTheTurnedRectangle)
{
    EditionGuard guard;
    DRVGraphic g;
    g.setBounds(QRectF(0, 0, 100, 50));
    g.setRotationAngle(90);
    const QRectF r = g.drawingBounds();
    EXPECT_NEAR(r.x(), 18, 1e-9);
    EXPECT_NEAR(r.y(), -32, 1e-9);
    EXPECT_NEAR(r.width(), 64, 1e-9);
    EXPECT_NEAR(r.height(), 114, 1e-9);
}

TEST(BoxModel, SpacingPresetsSetNumberAndUnit)
{
    struct Case
    {
        const char* level;
        int vertical;   // top and bottom, "pixel"
        int horizontal; // left and right, "%"
    };
    const Case cases[] = {{"None", 0, 0},    {"Tiny", 10, 2}, {"Small", 20, 5}, {"Medium", 30, 10},
                          {"Large", 50, 15}, {"XL", 75, 20},  {"XXL", 100, 30}};
    for (const Case& c : cases) {
        DRVGraphic g;
        g.setBounds(QRectF(0, 0, 100, 100));
        g.setTopMarginLevelString(c.level);
        g.setLeftMarginLevelString(c.level);
        g.setBottomPaddingLevelString(c.level);
        g.setRightPaddingLevelString(c.level);
        g.applyPaddingAndMargin();
        EXPECT_EQ(g.topMargin(), c.vertical) << c.level;
        EXPECT_EQ(g.topMarginType(), "pixel") << c.level;
        EXPECT_EQ(g.bottomPadding(), c.vertical) << c.level;
        EXPECT_EQ(g.bottomPaddingType(), "pixel") << c.level;
        EXPECT_EQ(g.leftMargin(), c.horizontal) << c.level;
        EXPECT_EQ(g.leftMarginType(), "%") << c.level;
        EXPECT_EQ(g.rightPadding(), c.horizontal) << c.level;
        EXPECT_EQ(g.rightPaddingType(), "%") << c.level;
    }

    DRVGraphic unknown;
    unknown.setTopMargin(7);
    unknown.setTopMarginType("%");
    unknown.setTopMarginLevelString("Huge");
    unknown.applyPaddingAndMargin();
    EXPECT_EQ(unknown.topMargin(), 7);
    EXPECT_EQ(unknown.topMarginType(), "%");
}

TEST(BoxModel, PresetsGiveTheHeightOfSpacingAndContentWhetherOrNotDrawn)
{
    DRVGraphic g;
    g.setBounds(QRectF(5, 6, 100, 100));
    g.setBorderWidth(2);
    g.setTopMarginLevelString("Small");    // 20 px
    g.setBottomPaddingLevelString("Tiny"); // 10 px
    g.setLeftMarginLevelString("Medium");  // 10 %
    g.applyPaddingAndMargin();
    EXPECT_EQ(g.bounds(), QRectF(5, 6, 100, 130));
    // Applying the same presets again changes nothing.
    g.applyPaddingAndMargin();
    EXPECT_EQ(g.bounds(), QRectF(5, 6, 100, 130));
    EXPECT_FLOAT_EQ(g.leftMarginInPx(), 10.0f);
}

TEST(BoxModel, AGrowingSectionPushesTheSectionsBelowDown)
{
    FakePageContext fake;
    ScopedPageContext scope(&fake);
    FakeSectionTable section;
    section.setBounds(QRectF(0, 100, 500, 200));
    section.setTopPaddingLevelString("XL");     // 75
    section.setBottomMarginLevelString("Tiny"); // 10
    section.applyPaddingAndMargin();            // grows by 85
    ASSERT_EQ(fake.pushedByDifference.size(), 1);
    EXPECT_EQ(fake.pushedByDifference.first(), QRectF(0, 300, 500, 85));
    EXPECT_EQ(section.bounds(), QRectF(0, 100, 500, 285));

    section.setTopPaddingLevelString("None");
    section.applyPaddingAndMargin(); // shrinks
    EXPECT_EQ(fake.pushedByDifference.size(), 1);
    EXPECT_EQ(section.bounds(), QRectF(0, 100, 500, 210));

    DRVGraphic plain;
    plain.setBounds(QRectF(0, 0, 10, 10));
    plain.setTopMarginLevelString("XXL");
    plain.applyPaddingAndMargin();
    EXPECT_EQ(fake.pushedByDifference.size(), 1);
}
