#include "platform/Geometry.h"

#include "platform/Format.h"
#include "platform/StringRules.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace platform {

namespace {

QString number(double v)
{
    // -0 reads back the same as 0 and looks like a fault in a saved file.
    return numberDescription(v == 0 ? 0.0 : v);
}

bool isNumberStart(const QString& s, qsizetype i)
{
    auto digitAt = [&](qsizetype k) {
        return k < s.size() && s.at(k).unicode() >= '0' && s.at(k).unicode() <= '9';
    };
    if (digitAt(i))
        return true;
    if (i < s.size() && s.at(i) == QLatin1Char('.'))
        return digitAt(i + 1);
    if (i < s.size() && (s.at(i) == QLatin1Char('-') || s.at(i) == QLatin1Char('+')))
        return digitAt(i + 1) || (i + 1 < s.size() && s.at(i + 1) == QLatin1Char('.') && digitAt(i + 2));
    return false;
}

// Reads up to count numbers; stops at the first text that is neither separator nor number.
void readNumbers(const QString& s, double* out, int count)
{
    std::fill(out, out + count, 0.0);
    qsizetype i = 0;
    int found = 0;
    while (i < s.size() && found < count) {
        const QChar c = s.at(i);
        if (c == QLatin1Char('{') || c == QLatin1Char('}') || c == QLatin1Char(',') || c.isSpace()) {
            ++i;
            continue;
        }
        if (!isNumberStart(s, i))
            break;
        qsizetype end = i + 1;
        while (end < s.size() && !(s.at(end) == QLatin1Char('{') || s.at(end) == QLatin1Char('}') ||
                                   s.at(end) == QLatin1Char(',') || s.at(end).isSpace()))
            ++end;
        out[found++] = doubleValue(s.mid(i, end - i));
        i = end;
    }
}

double minX(const QRectF& r)
{
    return r.x();
}
double maxX(const QRectF& r)
{
    return r.x() + r.width();
}
double minY(const QRectF& r)
{
    return r.y();
}
double maxY(const QRectF& r)
{
    return r.y() + r.height();
}

} // namespace

QString stringFromPoint(QPointF p)
{
    return QLatin1Char('{') + number(p.x()) + QLatin1String(", ") + number(p.y()) + QLatin1Char('}');
}

QString stringFromSize(QSizeF s)
{
    return QLatin1Char('{') + number(s.width()) + QLatin1String(", ") + number(s.height()) + QLatin1Char('}');
}

QString stringFromRect(const QRectF& r)
{
    return QLatin1Char('{') + stringFromPoint(r.topLeft()) + QLatin1String(", ") + stringFromSize(r.size()) +
           QLatin1Char('}');
}

QPointF pointFromString(const QString& s)
{
    double v[2];
    readNumbers(s, v, 2);
    return {v[0], v[1]};
}

QSizeF sizeFromString(const QString& s)
{
    double v[2];
    readNumbers(s, v, 2);
    return {v[0], v[1]};
}

QRectF rectFromString(const QString& s)
{
    double v[4];
    readNumbers(s, v, 4);
    return {v[0], v[1], v[2], v[3]};
}

bool rectIsEmpty(const QRectF& r)
{
    // Written so that NaN extents count as empty.
    return !(r.width() > 0 && r.height() > 0);
}

bool pointInRect(QPointF p, const QRectF& r)
{
    return p.x() >= minX(r) && p.x() < maxX(r) && p.y() >= minY(r) && p.y() < maxY(r);
}

bool rectContainsRect(const QRectF& outer, const QRectF& inner)
{
    return !rectIsEmpty(inner) && minX(outer) <= minX(inner) && minY(outer) <= minY(inner) &&
           maxX(inner) <= maxX(outer) && maxY(inner) <= maxY(outer);
}

bool rectIntersectsRect(const QRectF& a, const QRectF& b)
{
    if (rectIsEmpty(a) || rectIsEmpty(b))
        return false;
    return minX(a) < maxX(b) && minX(b) < maxX(a) && minY(a) < maxY(b) && minY(b) < maxY(a);
}

QRectF rectIntersection(const QRectF& a, const QRectF& b)
{
    if (!rectIntersectsRect(a, b))
        return QRectF(0, 0, 0, 0);
    const double x = std::max(minX(a), minX(b));
    const double y = std::max(minY(a), minY(b));
    return QRectF(x, y, std::min(maxX(a), maxX(b)) - x, std::min(maxY(a), maxY(b)) - y);
}

QRectF rectUnion(const QRectF& a, const QRectF& b)
{
    const bool aEmpty = rectIsEmpty(a);
    const bool bEmpty = rectIsEmpty(b);
    if (aEmpty && bEmpty)
        return QRectF(0, 0, 0, 0);
    if (aEmpty)
        return b;
    if (bEmpty)
        return a;
    const double x = std::min(minX(a), minX(b));
    const double y = std::min(minY(a), minY(b));
    return QRectF(x, y, std::max(maxX(a), maxX(b)) - x, std::max(maxY(a), maxY(b)) - y);
}

QRectF insetRect(const QRectF& r, double dx, double dy)
{
    return QRectF(r.x() + dx, r.y() + dy, r.width() - 2 * dx, r.height() - 2 * dy);
}

QRectF offsetRect(const QRectF& r, double dx, double dy)
{
    return QRectF(r.x() + dx, r.y() + dy, r.width(), r.height());
}

QRectF integralRect(const QRectF& r)
{
    if (rectIsEmpty(r))
        return QRectF(0, 0, 0, 0);
    const double x = std::floor(minX(r));
    const double y = std::floor(minY(r));
    return QRectF(x, y, std::ceil(maxX(r)) - x, std::ceil(maxY(r)) - y);
}

bool rectEqual(const QRectF& a, const QRectF& b)
{
    return a.x() == b.x() && a.y() == b.y() && a.width() == b.width() && a.height() == b.height();
}

int truncToInt(double v)
{
    if (std::isnan(v))
        return 0;
    if (v >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (v <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(v);
}

qint64 truncToInt64(double v)
{
    if (std::isnan(v))
        return 0;
    // 2^63 is exactly representable; every double below it converts without overflow.
    if (v >= 9223372036854775808.0)
        return std::numeric_limits<qint64>::max();
    if (v <= -9223372036854775808.0)
        return std::numeric_limits<qint64>::min();
    return static_cast<qint64>(v);
}

} // namespace platform
