#include "platform/Geometry.h"

#include <climits>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace platform;

namespace {

void expectRect(const QRectF& actual, const QRectF& expected, const char* what)
{
    EXPECT_TRUE(rectEqual(actual, expected)) << what << ": got " << stringFromRect(actual).toStdString()
                                             << ", want " << stringFromRect(expected).toStdString();
}

} // namespace

TEST(Geometry, StringForms)
{
    EXPECT_EQ(stringFromRect(QRectF(0, 0, 100.5, 20)), QStringLiteral("{{0, 0}, {100.5, 20}}"));
    EXPECT_EQ(stringFromPoint(QPointF(-3.25, 1e20)), QStringLiteral("{-3.25, 1e+20}"));
    EXPECT_EQ(stringFromSize(QSizeF(0.1, -0.0)), QStringLiteral("{0.1, 0}"));
}

TEST(Geometry, RectStringsRoundTrip)
{
    const QRectF rects[] = {
        QRectF(0, 0, 0, 0),
        QRectF(10, 20, 300, 400),
        QRectF(-5.5, 0.1, 1.0 / 3.0, 2e-7),
        QRectF(1e20, -1e-5, 12.5, 3),
        QRectF(0.3 * 3, 123456789.123, 7, 0.125),
    };
    for (const QRectF& r : rects)
        expectRect(rectFromString(stringFromRect(r)), r, stringFromRect(r).toUtf8().constData());
    const QPointF p(0.1 + 0.2, -7);
    EXPECT_EQ(pointFromString(stringFromPoint(p)), p);
    const QSizeF s(2.0 / 3.0, 1e300);
    EXPECT_EQ(sizeFromString(stringFromSize(s)), s);
}

TEST(Geometry, LenientParsers)
{
    const struct
    {
        const char* text;
        QRectF rect;
    } cases[] = {
        {"{{1, 2}, {3, 4}}", {1, 2, 3, 4}},
        {"{{1,2},{3,4}}", {1, 2, 3, 4}},
        {"  {{ -1.5 , 2e1 }, { .5 , +4 }}  ", {-1.5, 20, 0.5, 4}},
        {"{{1, 2}, {3}}", {1, 2, 3, 0}},
        {"{{1, 2}}", {1, 2, 0, 0}},
        {"", {0, 0, 0, 0}},
        {"garbage", {0, 0, 0, 0}},
        {"{{1, x}, {3, 4}}", {1, 0, 0, 0}},
    };
    for (const auto& c : cases)
        expectRect(rectFromString(QString::fromUtf8(c.text)), c.rect, c.text);
    EXPECT_EQ(pointFromString("{7, 8}"), QPointF(7, 8));
    EXPECT_EQ(pointFromString("nonsense"), QPointF(0, 0));
    EXPECT_EQ(sizeFromString("{640, 480}"), QSizeF(640, 480));
}

TEST(Geometry, EdgeRules)
{
    const QRectF r(0, 0, 10, 10);
    const struct
    {
        QPointF p;
        bool inside;
    } points[] = {
        {{0, 0}, true},   {{5, 5}, true},   {{9.999, 9.999}, true},
        {{10, 5}, false}, {{5, 10}, false}, {{-0.001, 5}, false},
    };
    for (const auto& c : points)
        EXPECT_EQ(pointInRect(c.p, r), c.inside) << c.p.x() << "," << c.p.y();
    EXPECT_FALSE(pointInRect(QPointF(0, 0), QRectF(0, 0, 0, 10)));

    EXPECT_TRUE(rectIsEmpty(QRectF(0, 0, 0, 5)));
    EXPECT_TRUE(rectIsEmpty(QRectF(0, 0, 5, -1)));
    EXPECT_TRUE(rectIsEmpty(QRectF(0, 0, std::nan(""), 5)));
    EXPECT_FALSE(rectIsEmpty(QRectF(0, 0, 0.5, 0.5)));

    EXPECT_TRUE(rectContainsRect(r, QRectF(0, 0, 10, 10)));
    EXPECT_TRUE(rectContainsRect(r, QRectF(2, 2, 3, 3)));
    EXPECT_FALSE(rectContainsRect(r, QRectF(2, 2, 9, 3)));
    EXPECT_FALSE(rectContainsRect(r, QRectF(2, 2, 0, 0)));

    const struct
    {
        QRectF other;
        bool intersects;
        QRectF intersection;
    } overlaps[] = {
        {{5, 5, 10, 10}, true, {5, 5, 5, 5}},
        {{10, 0, 5, 5}, false, {0, 0, 0, 0}},  // shares the right edge only
        {{0, 10, 5, 5}, false, {0, 0, 0, 0}},  // shares the top edge only
        {{2, 2, 0, 5}, false, {0, 0, 0, 0}},   // empty, although inside
        {{20, 20, 5, 5}, false, {0, 0, 0, 0}}, // apart
        {{-5, 2, 30, 1}, true, {0, 2, 10, 1}},
    };
    for (const auto& c : overlaps) {
        EXPECT_EQ(rectIntersectsRect(r, c.other), c.intersects) << stringFromRect(c.other).toStdString();
        EXPECT_EQ(rectIntersectsRect(c.other, r), c.intersects) << stringFromRect(c.other).toStdString();
        expectRect(rectIntersection(r, c.other), c.intersection, "intersection");
    }
}

TEST(Geometry, UnionIgnoresEmptyRectangles)
{
    const QRectF r(10, 10, 5, 5);
    expectRect(rectUnion(r, QRectF(0, 0, 0, 0)), r, "with zero rect");
    expectRect(rectUnion(QRectF(100, 100, 0, 50), r), r, "empty far away");
    expectRect(rectUnion(r, QRectF(0, 0, 1, 1)), QRectF(0, 0, 15, 15), "two real rects");
    expectRect(rectUnion(QRectF(3, 3, 0, 0), QRectF(5, 5, -1, 2)), QRectF(0, 0, 0, 0), "both empty");
}

TEST(Geometry, RectArithmetic)
{
    expectRect(insetRect(QRectF(0, 0, 10, 10), 2, 3), QRectF(2, 3, 6, 4), "inset");
    expectRect(insetRect(QRectF(0, 0, 10, 10), -1, -1), QRectF(-1, -1, 12, 12), "outset");
    expectRect(offsetRect(QRectF(1, 2, 3, 4), 10, -2), QRectF(11, 0, 3, 4), "offset");
    expectRect(integralRect(QRectF(0.5, -0.5, 2.2, 1)), QRectF(0, -1, 3, 2), "integral");
    expectRect(integralRect(QRectF(0.5, 0.5, 0, 1)), QRectF(0, 0, 0, 0), "integral of empty");
    EXPECT_FALSE(rectEqual(QRectF(0, 0, 1, 1), QRectF(0, 0, 1, 1 + 1e-13)));
}

TEST(Geometry, TruncationClamps)
{
    const struct
    {
        double v;
        int asInt;
        qint64 asInt64;
    } cases[] = {
        {2.9, 2, 2},
        {-2.9, -2, -2},
        {255.99998474121094, 255, 255},
        {3e9, INT_MAX, 3000000000LL},
        {-3e9, INT_MIN, -3000000000LL},
        {1e300, INT_MAX, LLONG_MAX},
        {-1e300, INT_MIN, LLONG_MIN},
        {std::numeric_limits<double>::infinity(), INT_MAX, LLONG_MAX},
        {std::nan(""), 0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(truncToInt(c.v), c.asInt) << c.v;
        EXPECT_EQ(truncToInt64(c.v), c.asInt64) << c.v;
    }
}
