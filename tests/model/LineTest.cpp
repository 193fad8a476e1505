#include "model/FakePageContext.h"

#include "model/DRVLine.h"
#include "platform/Geometry.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <memory>

namespace {

std::unique_ptr<DRVLine> lineFrom(QPointF begin, QPointF end, int width = 1, const QString& style = "solid",
                                  bool beginArrow = false, bool endArrow = false)
{
    auto line = std::make_unique<DRVLine>();
    line->initWithProperties({{"beginPoint", platform::stringFromPoint(begin)},
                              {"endPoint", platform::stringFromPoint(end)},
                              {"borderWidth", double(width)},
                              {"borderStyle", style},
                              {"borderColor", DRVGraphic::archivedColor(QColor(Qt::black))},
                              {"opacity", "1.000000"},
                              {"drawBeginArrow", beginArrow ? "1" : "0"},
                              {"drawEndArrow", endArrow ? "1" : "0"}});
    return line;
}

QList<QPointF> pathPoints(const QPainterPath& path)
{
    QList<QPointF> points;
    for (int i = 0; i < path.elementCount(); ++i)
        points << QPointF(path.elementAt(i));
    return points;
}

void expectNear(QPointF actual, QPointF expected)
{
    EXPECT_NEAR(actual.x(), expected.x(), 1e-3);
    EXPECT_NEAR(actual.y(), expected.y(), 1e-3);
}

QImage paint(DRVLine& line)
{
    QImage image(120, 40, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    line.drawContentsInView(&painter, false);
    painter.end();
    return image;
}

} // namespace

TEST(Line, GeometryFromPoints)
{
    struct Case
    {
        QPointF begin, end;
        QRectF bounds;
        bool right, down;
    };
    const Case cases[] = {
        {{10, 20}, {110, 20}, {10, 20, 100, 0}, true, false},
        {{100, 100}, {40, 160}, {40, 100, 60, 60}, false, true},
        {{0, 0}, {-30, -20}, {-30, -20, 30, 20}, false, false},
        {{5, 50}, {5, 10}, {5, 10, 0, 40}, false, false},
        {{1.5, 2.5}, {3.5, 7.5}, {1.5, 2.5, 2, 5}, true, true},
    };
    for (const Case& c : cases) {
        const auto line = lineFrom(c.begin, c.end);
        EXPECT_TRUE(platform::rectEqual(line->bounds(), c.bounds)) << c.begin.x() << "," << c.begin.y();
        EXPECT_EQ(line->pointsRight(), c.right);
        EXPECT_EQ(line->pointsDown(), c.down);
        // Points that coincide on an axis report the start at the minimum.
        const QPointF begin(c.right || c.begin.x() != c.end.x() ? c.begin.x() : c.bounds.x(),
                            c.down || c.begin.y() != c.end.y() ? c.begin.y() : c.bounds.y());
        EXPECT_EQ(line->beginPoint(), begin);
        EXPECT_EQ(line->endPoint(), c.end);
    }

    bool right = true, down = true;
    EXPECT_TRUE(
        platform::rectEqual(DRVLine::boundsWithBeginPoint({3, 3}, {3, 3}, &right, &down), {3, 3, 0, 0}));
    EXPECT_FALSE(right);
    EXPECT_FALSE(down);

    // Missing or non-string points read as the zero point, and "bounds" is overridden.
    DRVLine odd;
    odd.initWithProperties({{"beginPoint", 5}, {"endPoint", "{8, 6}"}, {"bounds", "{{1, 1}, {1, 1}}"}});
    EXPECT_EQ(odd.beginPoint(), QPointF(0, 0));
    EXPECT_TRUE(platform::rectEqual(odd.bounds(), {0, 0, 8, 6}));
}

TEST(Line, HandlesMovePointsAndNeverSwap)
{
    const auto line = lineFrom({0, 0}, {50, 50});
    EXPECT_EQ(line->resizeByMovingHandle(2, {-30, 20}), 2);
    EXPECT_TRUE(platform::rectEqual(line->bounds(), {-30, 0, 30, 20}));
    EXPECT_FALSE(line->pointsRight());
    EXPECT_EQ(line->beginPoint(), QPointF(0, 0));
    EXPECT_EQ(line->endPoint(), QPointF(-30, 20));

    EXPECT_EQ(line->resizeByMovingHandle(1, {10, 40}), 1);
    EXPECT_EQ(line->beginPoint(), QPointF(10, 40));
    EXPECT_EQ(line->endPoint(), QPointF(-30, 20));
    EXPECT_EQ(line->resizeByMovingHandle(5, {100, 100}), 5);
    EXPECT_EQ(line->beginPoint(), QPointF(10, 40));

    // A move of the bounds moves both points and keeps the direction.
    line->setBounds(line->bounds().translated(5, 5));
    EXPECT_EQ(line->beginPoint(), QPointF(15, 45));
    EXPECT_EQ(line->endPoint(), QPointF(-25, 25));

    EXPECT_EQ(line->creationSizingHandle(), 2);
    EXPECT_FALSE(line->canMakeNaturalSize());
    EXPECT_TRUE(line->isLineGraphic());
}

TEST(Line, HandleUnderPoint)
{
    EditionGuard guard;
    const auto shortLine = lineFrom({0, 0}, {3, 0});
    EXPECT_EQ(shortLine->handleUnderPoint({1.5, 0}), 1);
    const auto line = lineFrom({0, 0}, {100, 0});
    EXPECT_EQ(line->handleUnderPoint({1, 1}), 1);
    EXPECT_EQ(line->handleUnderPoint({99, -1}), 2);
    EXPECT_EQ(line->handleUnderPoint({50, 0}), 0);
}

TEST(Line, PropertiesRoundTrip)
{
    const auto line = lineFrom({100, 100}, {40, 160}, 3, "dashed", true, false);
    const QVariantMap p = line->properties();
    EXPECT_FALSE(p.contains("bounds"));
    EXPECT_EQ(p.value("beginPoint").toString(), "{100, 100}");
    EXPECT_EQ(p.value("endPoint").toString(), "{40, 160}");
    EXPECT_EQ(p.value("drawBeginArrow").toString(), "1");
    EXPECT_EQ(p.value("drawEndArrow").toString(), "0");

    DRVLine back;
    back.initWithProperties(p);
    EXPECT_EQ(back.beginPoint(), line->beginPoint());
    EXPECT_EQ(back.endPoint(), line->endPoint());
    EXPECT_EQ(back.pointsRight(), line->pointsRight());
    EXPECT_EQ(back.pointsDown(), line->pointsDown());
    EXPECT_TRUE(back.drawBeginArrow());
    EXPECT_FALSE(back.drawEndArrow());
    EXPECT_EQ(back.borderWidth(), 3);

    const std::unique_ptr<DRVGraphic> copy = line->copy();
    EXPECT_EQ(copy->beginPoint(), line->beginPoint());
    EXPECT_EQ(copy->endPoint(), line->endPoint());
}

TEST(Line, ArrowHeadAndShortenedStroke)
{
    const auto line = lineFrom({0, 0}, {100, 0}, 4, "solid", false, true);
    const QList<QPointF> stroke = pathPoints(line->bezierPathForDrawing().path);
    ASSERT_GE(stroke.size(), 2);
    expectNear(stroke[0], {0, 0});
    expectNear(stroke[1], {96, 0});
    EXPECT_EQ(line->bezierPathForDrawing().lineWidth, 4);

    const QList<QPointF> head = pathPoints(line->generateArrowPath({0, 0}, {100, 0}));
    ASSERT_EQ(head.size(), 4);
    expectNear(head[0], {100, 0});
    expectNear(head[1], {94.343, 5.657});
    expectNear(head[2], {94.343, -5.657});
    expectNear(head[3], {100, 0});

    // The start arrow points back along the line.
    expectNear(line->generateArrowBasePoint({100, 0}, {0, 0}), {4, 0});
    const QList<QPointF> diagonal =
        pathPoints(lineFrom({0, 0}, {10, 10}, 2)->generateArrowPath({0, 0}, {10, 10}));
    expectNear(diagonal[1], {6, 10});
    expectNear(diagonal[2], {10, 6});
}

TEST(Line, DashedAndDottedLinesGetWidthOne)
{
    struct Case
    {
        const char* style;
        int width;
    };
    for (const Case c : {Case{"dashed", 1}, Case{"dotted", 1}, Case{"solid", 0}, Case{"none", 0}}) {
        const auto line = lineFrom({0, 0}, {10, 0}, 0, c.style);
        EXPECT_EQ(line->borderWidth(), c.width) << c.style;
        line->setBorderWidth(0);
        paint(*line);
        EXPECT_EQ(line->borderWidth(), c.width) << c.style;
    }
}

TEST(Line, DrawingByStyle)
{
    auto dark = [](QRgb p) { return qRed(p) < 128; };
    const auto solid = lineFrom({10, 20}, {110, 20}, 4, "solid");
    const QImage solidImage = paint(*solid);
    EXPECT_TRUE(dark(solidImage.pixel(60, 20)));
    EXPECT_FALSE(dark(solidImage.pixel(60, 30)));

    // With no stroke style only the arrow head shows.
    const auto headOnly = lineFrom({10, 20}, {110, 20}, 4, "none", false, true);
    const QImage headImage = paint(*headOnly);
    EXPECT_FALSE(dark(headImage.pixel(60, 20)));
    EXPECT_TRUE(dark(headImage.pixel(107, 20)));

    // Opacity becomes the colour's alpha.
    const auto faint = lineFrom({10, 20}, {110, 20}, 4, "solid");
    faint->setOpacity(0.0);
    EXPECT_FALSE(dark(paint(*faint).pixel(60, 20)));
}

TEST(Line, HitBand)
{
    FakePageContext context;
    ScopedPageContext scope(&context);
    struct Case
    {
        QPointF begin, end;
        int width;
        QPointF point;
        bool hit;
    };
    const Case cases[] = {
        {{50, 0}, {50, 100}, 1, {50.5, 50}, true},
        {{50, 0}, {50, 100}, 1, {51, 50}, false}, // the grown bounds end before the tolerance does
        {{50, 0}, {50, 100}, 1, {49, 50}, true},  // minimum edge inside
        {{50, 0}, {50, 100}, 1, {50, 101}, false},
        {{0, 0}, {100, 100}, 1, {50, 60}, true},
        {{0, 0}, {100, 100}, 1, {50, 61}, false},
        {{0, 0}, {100, 100}, 5, {50, 60.5}, true}, // tolerance 10.5
        {{0, 0}, {100, 100}, 5, {50, 61}, false},
        {{0, 0}, {100, 10}, 1, {50, 5}, true},
        {{0, 0}, {100, 10}, 1, {50, 12}, false},
    };
    for (const Case& c : cases) {
        const auto line = lineFrom(c.begin, c.end, c.width);
        EXPECT_EQ(line->isContentsUnderPoint(c.point), c.hit) << c.point.x() << "," << c.point.y();
    }
    // Hit-testing shows the line's colours in the colour buttons.
    EXPECT_GT(context.colourButtonRefreshes, 0);
}

TEST(Line, ObservationAndUndo)
{
    const auto line = lineFrom({0, 0}, {10, 10});
    QStringList changed;
    platform::observe(
        line.get(), line.get(),
        [&](platform::Observable*, const QString& key, const QVariant&, const QVariant&) { changed << key; });
    line->setBounds(QRectF(5, 5, 10, 10));
    EXPECT_TRUE(changed.contains("beginPoint"));
    EXPECT_TRUE(changed.contains("endPoint"));

    changed.clear();
    line->setEndPoint(QPointF(0, 30));
    EXPECT_TRUE(changed.contains("endPoint"));
    EXPECT_TRUE(changed.contains("bounds"));

    changed.clear();
    line->setDrawEndArrow(true);
    EXPECT_TRUE(changed.contains("drawingContents"));

    const QSet<QString> keys = line->keysForValuesToObserveForUndo();
    EXPECT_FALSE(keys.contains("bounds"));
    EXPECT_TRUE(keys.contains("beginPoint"));
    EXPECT_TRUE(keys.contains("endPoint"));
    EXPECT_TRUE(keys.contains("strokeWidth"));
    EXPECT_EQ(line->presentablePropertyNameForKey("beginPoint"), "Beginpoint");
    EXPECT_EQ(line->presentablePropertyNameForKey("endPoint"), "Endpoint");
    EXPECT_EQ(line->presentablePropertyNameForKey("strokeWidth"), "Stroke Width");
}
