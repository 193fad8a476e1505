#include "model/FakePageContext.h"

#include "model/DRVCircle.h"
#include "model/DRVRectangle.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

QImage paint(DRVGraphic& g, QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    g.drawContentsInView(&painter, false);
    painter.end();
    return image;
}

bool near(QRgb p, QColor c, int tolerance = 12)
{
    return qAbs(qRed(p) - c.red()) <= tolerance && qAbs(qGreen(p) - c.green()) <= tolerance &&
           qAbs(qBlue(p) - c.blue()) <= tolerance;
}

bool isGreyShadow(QRgb p)
{
    return qRed(p) < 245 && qAbs(qRed(p) - qGreen(p)) < 8 && qAbs(qGreen(p) - qBlue(p)) < 8;
}

} // namespace

TEST(RectangleCircle, Outlines)
{
    DRVRectangle rect;
    rect.setBounds(QRectF(0, 0, 100, 50));
    rect.setCornerRadius(10);
    rect.setStrokeWidth(0);
    GraphicPath outline = rect.bezierPathForDrawing();
    EXPECT_EQ(outline.lineWidth, 1.0);
    EXPECT_EQ(outline.path.boundingRect(), QRectF(0, 0, 100, 50));
    EXPECT_FALSE(outline.path.contains(QPointF(1, 1))); // the rounded corner
    rect.setStrokeWidth(3);
    EXPECT_EQ(rect.bezierPathForDrawing().lineWidth, 3.0);

    DRVCircle circle;
    circle.setBounds(QRectF(0, 0, 100, 50));
    circle.setStrokeWidth(0);
    EXPECT_EQ(circle.bezierPathForDrawing().lineWidth, 0.0);
    EXPECT_EQ(circle.bezierPathForDrawing().path.boundingRect(), QRectF(0, 0, 100, 50));
}

TEST(RectangleCircle, HitTests)
{
    FakePageContext fake;
    ScopedPageContext scope(&fake);
    DRVCircle circle;
    circle.setBounds(QRectF(0, 0, 100, 50));
    EXPECT_TRUE(circle.isContentsUnderPoint(QPointF(50, 25)));
    EXPECT_FALSE(circle.isContentsUnderPoint(QPointF(2, 2)));
    // The oval's hit test leaves the inspector alone.
    EXPECT_EQ(fake.colourButtonRefreshes, 0);

    DRVRectangle rect;
    rect.setBounds(QRectF(0, 0, 100, 50));
    EXPECT_TRUE(rect.isContentsUnderPoint(QPointF(50, 25)));
    EXPECT_TRUE(rect.isContentsUnderPoint(QPointF(2, 2)));
    EXPECT_EQ(fake.colourButtonRefreshes, 2);
}

TEST(RectangleCircle, DrawsFillBorderShadowAndRoundedCorners)
{
    DRVRectangle rect;
    rect.setBounds(QRectF(50, 50, 200, 100));
    rect.setCornerRadius(30);
    rect.setDrawingFill(true);
    rect.setFillColor(Qt::blue);
    rect.setBorderStyle("solid");
    rect.setBorderWidth(6);
    rect.setBorderColor(Qt::red);
    rect.setShadowRadius(4);
    rect.setShadowHorizontalOffset(10);
    rect.setShadowVerticalOffset(10);
    const QImage image = paint(rect, QSize(300, 200));

    EXPECT_TRUE(near(image.pixel(150, 100), Qt::blue));
    EXPECT_TRUE(near(image.pixel(50, 100), Qt::red));  // left border, 3 either side of the edge
    EXPECT_TRUE(near(image.pixel(150, 148), Qt::red)); // bottom border
    EXPECT_TRUE(near(image.pixel(52, 52), Qt::white)); // cut off by the rounded corner
    EXPECT_TRUE(near(image.pixel(80, 80), Qt::blue));  // inside the corner's arc
    // The shadow falls 10 right and 10 down, outside the border only there.
    EXPECT_TRUE(isGreyShadow(image.pixel(257, 100)));
    EXPECT_TRUE(isGreyShadow(image.pixel(150, 157)));
    EXPECT_TRUE(near(image.pixel(44, 100), Qt::white));
    EXPECT_TRUE(near(image.pixel(150, 44), Qt::white));
}

TEST(RectangleCircle, BorderStylesOpacityAndDefaultShadow)
{
    DRVRectangle rect;
    rect.setBounds(QRectF(20, 20, 160, 60));
    rect.setDrawingFill(true);
    rect.setFillColor(Qt::black);
    rect.setOpacity(0.5);
    rect.setBorderColor(Qt::red);
    rect.setBorderWidth(4);
    rect.setBorderStyle("none");
    QImage image = paint(rect, QSize(200, 100));
    EXPECT_TRUE(near(image.pixel(100, 50), QColor(128, 128, 128), 3)); // half-opaque fill
    EXPECT_TRUE(near(image.pixel(20, 50), QColor(128, 128, 128), 3));  // no border line
    EXPECT_TRUE(near(image.pixel(100, 17), Qt::white, 0));
    rect.setShadowFlag(1);
    image = paint(rect, QSize(200, 100));
    EXPECT_TRUE(isGreyShadow(image.pixel(100, 18))); // blurred shadow past the edge

    rect.setOpacity(1.0);
    rect.setShadowFlag(0);
    rect.setDrawingFill(false);
    rect.setBorderStyle("dashed"); // 12 on, 12 off
    image = paint(rect, QSize(200, 100));
    int red = 0, white = 0;
    for (int x = 40; x < 160; ++x) {
        const QRgb p = image.pixel(x, 80);
        red += near(p, Qt::red, 40) ? 1 : 0;
        white += near(p, Qt::white, 40) ? 1 : 0;
    }
    EXPECT_GT(red, 40);
    EXPECT_GT(white, 40);
    EXPECT_TRUE(near(image.pixel(100, 50), Qt::white)); // no fill
}

TEST(RectangleCircle, CircleDrawsAnOval)
{
    DRVCircle circle;
    circle.setBounds(QRectF(0, 0, 100, 60));
    circle.setDrawingFill(true);
    circle.setFillColor(Qt::green);
    const QImage image = paint(circle, QSize(100, 60));
    EXPECT_TRUE(near(image.pixel(50, 30), Qt::green));
    EXPECT_TRUE(near(image.pixel(2, 2), Qt::white));
}
