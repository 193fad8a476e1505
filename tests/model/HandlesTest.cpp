#include "model/FakePageContext.h"

#include "model/DRVGraphic.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

const QColor kBackground(200, 220, 255);

bool isWhite(QRgb p)
{
    return qRed(p) > 240 && qGreen(p) > 240 && qBlue(p) > 240;
}
bool isBackground(QRgb p)
{
    return qAbs(qRed(p) - kBackground.red()) < 6 && qAbs(qGreen(p) - kBackground.green()) < 6 &&
           qAbs(qBlue(p) - kBackground.blue()) < 6;
}
// Red blended over white or the background, as a thin antialiased ring leaves it.
bool isReddish(QRgb p)
{
    return qRed(p) > qGreen(p) + 30 && qRed(p) > qBlue(p);
}

// Draws the graphic's handles the way the canvas does at the edition's display scale.
QImage drawHandles(DRVGraphic& g, float scale, QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(kBackground);
    QPainter painter(&image);
    painter.scale(scale, scale);
    g.drawHandlesInView(&painter);
    painter.end();
    return image;
}

} // namespace

TEST(Handles, HandlePointsStandOnTheBounds)
{
    DRVGraphic g;
    g.setBounds(QRectF(10, 20, 100, 50));
    const QPointF expected[] = {{},        {10, 20}, {60, 20}, {110, 20}, {10, 45},
                                {110, 45}, {10, 70}, {60, 70}, {110, 70}};
    for (int h = 1; h <= 8; ++h)
        EXPECT_EQ(g.handlePoint(h), expected[h]) << h;
}

TEST(Handles, HitsAtScalesHalfOneAndFour)
{
    EditionGuard guard;
    struct Case
    {
        float scale;
        QPointF offset; // from the lower-right handle
        int handle;
    };
    // The hit square is 10 / scale wide: its left and top edges are inside, right and bottom outside.
    const Case cases[] = {
        {1.0f, {4.9, 0}, 8}, {1.0f, {5, 0}, 0},    {1.0f, {-5, -5}, 8},       {1.0f, {0, 4.99}, 8},
        {0.5f, {9.9, 0}, 8}, {0.5f, {10, 0}, 0},   {0.5f, {-10, -10}, 8},     {0.5f, {0, 6}, 8},
        {4.0f, {1.2, 0}, 8}, {4.0f, {1.25, 0}, 0}, {4.0f, {-1.25, -1.25}, 8}, {4.0f, {2, 0}, 0},
    };
    DRVGraphic g;
    g.setBounds(QRectF(100, 100, 200, 100));
    for (const Case& c : cases) {
        edition().gCanvasDisplayScale = c.scale;
        EXPECT_EQ(g.handleUnderPoint(QPointF(300, 200) + c.offset), c.handle)
            << "scale " << c.scale << " offset " << c.offset.x() << "," << c.offset.y();
    }
    edition().gCanvasDisplayScale = 1.0f;
    EXPECT_EQ(g.handleUnderPoint(QPointF(200, 100)), 2);
    EXPECT_EQ(g.handleUnderPoint(QPointF(200, 150)), 0);
}

TEST(Handles, LowestNumberWinsAndHiddenSideHandlesStillHit)
{
    EditionGuard guard;
    DRVGraphic thin;
    thin.setBounds(QRectF(50, 50, 0, 20));
    EXPECT_EQ(thin.handleUnderPoint(QPointF(50, 50)), 1);

    edition().gResponsiveLayoutFlag = true;
    DRVGraphic g;
    g.setBounds(QRectF(0, 0, 100, 100));
    EXPECT_EQ(g.handleUnderPoint(QPointF(100, 50)), 5);
    EXPECT_EQ(g.handleUnderPoint(QPointF(0, 50)), 4);
}

TEST(Handles, SectionHandlesAreWideBars)
{
    EditionGuard guard;
    FakeSectionTable section;
    DRVGraphic plain;
    // The bar runs from 5 handle sizes left of the handle point to 45 right of it.
    EXPECT_TRUE(section.isHandleAtPoint(QPointF(200, 100), QPointF(640, 100)));
    EXPECT_TRUE(section.isHandleAtPoint(QPointF(200, 100), QPointF(150, 95)));
    EXPECT_FALSE(section.isHandleAtPoint(QPointF(200, 100), QPointF(149, 100)));
    EXPECT_FALSE(plain.isHandleAtPoint(QPointF(200, 100), QPointF(210, 100)));
}

TEST(Handles, DrawnHandlesKeepAMinimumSize)
{
    EditionGuard guard;
    struct Case
    {
        float scale;
        double radiusPx; // drawn radius in device pixels
    };
    // 10 canvas units at scale 1 and 20 at 0.5 are both 10 device pixels; at scale 4 the 5-unit
    // minimum makes 20 device pixels.
    for (const Case& c : {Case{1.0f, 5}, Case{0.5f, 5}, Case{4.0f, 10}}) {
        edition().gCanvasDisplayScale = c.scale;
        DRVGraphic g;
        g.setSelectable(true);
        g.setBounds(QRectF(20, 20, 60, 40));
        const QImage image = drawHandles(g, c.scale, QSize(int(100 * c.scale), int(80 * c.scale)));
        // The middle-right handle, away from the dashed outline that runs through it vertically.
        const QPoint centre(int(std::lround(80 * c.scale)), int(std::lround(40 * c.scale)));
        const int r = int(c.radiusPx);
        EXPECT_TRUE(isWhite(image.pixel(centre + QPoint(2, 2)))) << c.scale;
        EXPECT_TRUE(isWhite(image.pixel(centre + QPoint(r - 3, 0)))) << c.scale;
        EXPECT_TRUE(isBackground(image.pixel(centre + QPoint(r + 3, 0)))) << c.scale;
        bool red = false;
        for (int dx = r - 1; dx <= r + 2; ++dx)
            red = red || isReddish(image.pixel(centre + QPoint(dx, 0)));
        EXPECT_TRUE(red) << "red ring at scale " << c.scale;
    }
}

TEST(Handles, OutlineIsDashedAndHandlesFollowTheLayout)
{
    EditionGuard guard;
    DRVGraphic g;
    g.setSelectable(true);
    g.setBounds(QRectF(20, 20, 160, 60));
    QImage image = drawHandles(g, 1.0f, QSize(200, 100));
    // The bottom edge between the handles: dashes of 7 with gaps of 7.
    int dark = 0, light = 0;
    for (int x = 40; x < 90; ++x) {
        const QRgb p = image.pixel(x, 80);
        (qRed(p) < 80 && qGreen(p) < 80 && qBlue(p) < 80 ? dark : light) += 1;
    }
    EXPECT_GT(dark, 15);
    EXPECT_GT(light, 15);
    EXPECT_TRUE(isWhite(image.pixel(22, 52))); // middle-left handle

    edition().gResponsiveLayoutFlag = true;
    image = drawHandles(g, 1.0f, QSize(200, 100));
    EXPECT_FALSE(isWhite(image.pixel(22, 52))); // no middle-left handle
    EXPECT_TRUE(isWhite(image.pixel(102, 82))); // lower-middle handle
}

TEST(Handles, UnselectableGraphicsAndChoiceFieldsShowNoHandles)
{
    EditionGuard guard;
    const QImage blank = [] {
        QImage image(QSize(100, 80), QImage::Format_ARGB32_Premultiplied);
        image.fill(kBackground);
        return image;
    }();
    DRVGraphic g;
    g.setBounds(QRectF(20, 20, 60, 40));
    EXPECT_EQ(drawHandles(g, 1.0f, blank.size()), blank);
    g.setSelectable(true);
    for (const char* type : {"radio", "checkbox"}) {
        g.setFormType(type);
        EXPECT_EQ(drawHandles(g, 1.0f, blank.size()), blank) << type;
    }
    g.setFormType("text");
    EXPECT_NE(drawHandles(g, 1.0f, blank.size()), blank);
}
