// String forms of points, sizes and rectangles, rectangle predicates, clamped truncation.
#pragma once
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>

namespace platform {

// "{x, y}", "{w, h}", "{{x, y}, {w, h}}", each number in its shortest round-trip form
// ("{{0, 0}, {100.5, 20}}").
QString stringFromPoint(QPointF p);
QString stringFromSize(QSizeF s);
QString stringFromRect(const QRectF& r);
// Lenient: braces, commas and white space are skipped and the numbers read in order; whatever is
// missing or follows unreadable text is 0.
QPointF pointFromString(const QString& s);
QSizeF sizeFromString(const QString& s);
QRectF rectFromString(const QString& s);

// Rectangles as the stored geometry uses them: origin at (x, y), extent (width, height), y growing
// upwards or downwards alike (no flipped-view adjustment). Minimum edges are inside, maximum edges
// outside.
bool rectIsEmpty(const QRectF& r); // width <= 0 or height <= 0
bool pointInRect(QPointF p, const QRectF& r);
// False when inner is empty.
bool rectContainsRect(const QRectF& outer, const QRectF& inner);
// Empty rectangles and rectangles that only share an edge do not intersect.
bool rectIntersectsRect(const QRectF& a, const QRectF& b);
// The zero rectangle when they do not intersect.
QRectF rectIntersection(const QRectF& a, const QRectF& b);
// Empty rectangles are ignored; the zero rectangle when both are empty.
QRectF rectUnion(const QRectF& a, const QRectF& b);
QRectF insetRect(const QRectF& r, double dx, double dy);
QRectF offsetRect(const QRectF& r, double dx, double dy);
// The smallest whole-number rectangle enclosing r; the zero rectangle when r is empty.
QRectF integralRect(const QRectF& r);
// Exact comparison (QRectF's operator== is fuzzy).
bool rectEqual(const QRectF& a, const QRectF& b);

// Truncation toward zero that clamps to the type's range instead of overflowing; NaN gives 0.
int truncToInt(double v);
qint64 truncToInt64(double v);

} // namespace platform
