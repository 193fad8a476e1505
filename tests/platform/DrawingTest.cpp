#include "platform/Drawing.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

QImage canvas(int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

bool inked(const QImage& image, int x, int y)
{
    return qAlpha(image.pixel(x, y)) > 200;
}

bool blank(const QImage& image, int x, int y)
{
    return qAlpha(image.pixel(x, y)) < 20;
}

} // namespace

// Dashes {9, 6} in painter units whatever the pen width and the painter's scale; probes sit in the
// middle of dashes and gaps (device pixels).
struct DashCase
{
    const char* name;
    double scale;
    double width;
    double phase;
    double lineY; // device y of the line's centre
    std::vector<int> inkX;
    std::vector<int> gapX;
    int firstRow, lastRow; // device rows the stroke covers
};

void PrintTo(const DashCase& c, std::ostream* os)
{
    *os << c.name;
}

class DashedStroke : public ::testing::TestWithParam<DashCase>
{
};

TEST_P(DashedStroke, DashesAreInAbsoluteUnits)
{
    const DashCase& c = GetParam();
    QImage image = canvas(200, 40);
    {
        QPainter p(&image);
        p.scale(c.scale, c.scale);
        QPainterPath path;
        path.moveTo(0, c.lineY / c.scale);
        path.lineTo(200 / c.scale, c.lineY / c.scale);
        strokePath(p, path, Qt::black, c.width, {9, 6}, c.phase);
    }
    const int y = (c.firstRow + c.lastRow) / 2;
    for (int x : c.inkX)
        EXPECT_TRUE(inked(image, x, y)) << c.name << " dash expected at x=" << x;
    for (int x : c.gapX)
        EXPECT_TRUE(blank(image, x, y)) << c.name << " gap expected at x=" << x;
    const int probe = c.inkX.front();
    EXPECT_TRUE(inked(image, probe, c.firstRow)) << c.name;
    EXPECT_TRUE(inked(image, probe, c.lastRow)) << c.name;
    EXPECT_TRUE(blank(image, probe, c.firstRow - 1)) << c.name;
    EXPECT_TRUE(blank(image, probe, c.lastRow + 1)) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Drawing, DashedStroke,
    ::testing::Values(
        // width 3: dash 0..9, gap 9..15, dash 15..24, gap 24..30
        DashCase{"width3", 1, 3, 0, 20.5, {4, 19, 34}, {12, 27, 42}, 19, 21},
        // phase 3 moves the pattern left: dash 0..6, gap 6..12, dash 12..21
        DashCase{"width3_phase3", 1, 3, 3, 20.5, {2, 16}, {8, 23}, 19, 21},
        // painter scale 2: dash 0..18, gap 18..30 device pixels, stroke 6 device rows
        DashCase{"width3_scaled", 2, 3, 0, 20, {12, 42}, {20, 50}, 17, 22},
        // width 0: one device pixel thick, dashes still {9, 6} painter units (18, 12 device pixels)
        DashCase{"hairline_scaled", 2, 0, 0, 20.5, {12, 42}, {20, 50}, 20, 20}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Drawing, MakePenConvertsDashesToPenWidths)
{
    const QPen pen = makePen(Qt::red, 2, {9, 6, 3}, 4);
    // An odd pattern repeats itself to make an even one.
    EXPECT_EQ(pen.dashPattern(), (QList<qreal>{4.5, 3, 1.5, 4.5, 3, 1.5}));
    EXPECT_DOUBLE_EQ(pen.dashOffset(), 2);
    EXPECT_EQ(pen.capStyle(), Qt::FlatCap);

    // A pattern without any length, or with a negative one, strokes solid.
    EXPECT_EQ(makePen(Qt::red, 2, {0, 0}).style(), Qt::SolidLine);
    EXPECT_EQ(makePen(Qt::red, 2, {4, -1}).style(), Qt::SolidLine);

    const QPen hairline = makePen(Qt::red, 0, {9, 6}, 0, Qt::FlatCap, Qt::MiterJoin, 2);
    EXPECT_TRUE(hairline.isCosmetic());
    EXPECT_EQ(hairline.dashPattern(), (QList<qreal>{18, 12}));
}

TEST(Drawing, RoundedRectRadiiAreClamped)
{
    const QRectF rect(0, 0, 100, 40);
    struct Case
    {
        double rx, ry;
        QPointF point;
        bool inside;
    };
    const Case cases[] = {
        {1000, 1000, {1, 20}, true},   // clamped to 50 x 20: the left edge's middle is still inside
        {1000, 1000, {3, 3}, false},   // ... but the corner is cut
        {1000, 1000, {50, 0.5}, true}, // the top edge's middle
        {0, 10, {0.5, 0.5}, true},     // a zero radius gives a plain rectangle
        {-5, -5, {0.5, 39.5}, true},   // so does a negative one
        {10, 10, {1, 1}, false},
    };
    for (const Case& c : cases) {
        const QPainterPath path = roundedRectPath(rect, c.rx, c.ry);
        EXPECT_EQ(path.contains(c.point), c.inside)
            << c.rx << "," << c.ry << " at " << c.point.x() << "," << c.point.y();
        EXPECT_EQ(path.boundingRect(), rect);
    }
}

// A rounded rectangle (50,50 80x80, radius 20) filled blue with a black shadow, blur 6, offset (15, 15):
// the cut corner stays empty, the body is blue, the shadow shows right of and below the body, and
// beyond the blur nothing is drawn. The same picture must come out at painter scale 2.
class ShadowedRect : public ::testing::TestWithParam<double>
{
};

TEST_P(ShadowedRect, ProbesMatch)
{
    const double scale = GetParam();
    QImage image = canvas(200, 200);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(scale, scale);
        const QRectF rect(50 / scale, 50 / scale, 80 / scale, 80 / scale);
        const Shadow shadow{QColor(0, 0, 0), 6 / scale, QPointF(15 / scale, 15 / scale)};
        fillPathWithShadow(p, roundedRectPath(rect, 20 / scale, 20 / scale), QColor(0, 0, 255), shadow);
    }
    EXPECT_TRUE(blank(image, 52, 52)) << "corner outside the radius";
    const QRgb body = image.pixel(90, 90);
    EXPECT_EQ(qAlpha(body), 255);
    EXPECT_EQ(qBlue(body), 255);
    EXPECT_EQ(qRed(body), 0);

    for (const QPoint at : {QPoint(137, 100), QPoint(100, 137), QPoint(135, 135)}) {
        const QRgb px = image.pixel(at);
        EXPECT_GT(qAlpha(px), 150) << "shadow at " << at.x() << "," << at.y();
        EXPECT_LT(qBlue(px), 40) << "shadow is black, not the fill";
    }
    // The shadow fades out at its edge (x = 145): part way at the edge, nothing past the blur.
    EXPECT_GT(qAlpha(image.pixel(145, 100)), 40);
    EXPECT_LT(qAlpha(image.pixel(145, 100)), 220);
    for (const QPoint at : {QPoint(160, 100), QPoint(100, 160), QPoint(40, 100), QPoint(100, 40)})
        EXPECT_TRUE(blank(image, at.x(), at.y())) << "beyond the blur at " << at.x() << "," << at.y();
}

INSTANTIATE_TEST_SUITE_P(Drawing, ShadowedRect, ::testing::Values(1.0, 2.0));

TEST(Drawing, ImageCastsShadowOfItsOwnOutline)
{
    QImage picture(40, 40, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    {
        QPainter p(&picture);
        p.fillRect(0, 0, 20, 40, Qt::red); // only the left half is opaque
    }
    QImage image = canvas(100, 100);
    {
        QPainter p(&image);
        drawImageWithShadow(p, QRectF(20, 20, 40, 40), picture, Shadow{Qt::black, 0, QPointF(10, 10)});
    }
    EXPECT_EQ(image.pixel(25, 40), qRgba(255, 0, 0, 255));
    EXPECT_EQ(image.pixel(45, 55), qRgba(0, 0, 0, 255)) << "shadow of the opaque half";
    EXPECT_TRUE(blank(image, 55, 40)) << "the transparent half casts none";
    EXPECT_TRUE(blank(image, 15, 15));
}
