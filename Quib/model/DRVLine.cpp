#include "model/DRVLine.h"

#include "editions/DataCentre.h"
#include "platform/Drawing.h"
#include "platform/Geometry.h"
#include "platform/StringsTable.h"

#include <QHash>
#include <QPainter>

#include <cmath>

namespace {

const QString kBeginPoint = QStringLiteral("beginPoint");
const QString kEndPoint = QStringLiteral("endPoint");

QPointF pointFromProperty(const QVariant& value)
{
    if (value.typeId() != QMetaType::QString)
        return {};
    return platform::pointFromString(value.toString());
}

} // namespace

DRVLine::DRVLine(QObject* parent) : DRVGraphic(parent) {}

std::unique_ptr<DRVGraphic> DRVLine::copy() const
{
    std::unique_ptr<DRVGraphic> graphic = DRVGraphic::copy();
    if (auto* line = qobject_cast<DRVLine*>(graphic.get())) {
        line->m_pointsRight = m_pointsRight;
        line->m_pointsDown = m_pointsDown;
    }
    return graphic;
}

QRectF DRVLine::boundsWithBeginPoint(QPointF begin, QPointF end, bool* pointsRight, bool* pointsDown)
{
    if (pointsRight)
        *pointsRight = end.x() > begin.x();
    if (pointsDown)
        *pointsDown = end.y() > begin.y();
    return QRectF(std::min(begin.x(), end.x()), std::min(begin.y(), end.y()), std::abs(end.x() - begin.x()),
                  std::abs(end.y() - begin.y()));
}

QPointF DRVLine::beginPoint() const
{
    const QRectF b = bounds();
    return QPointF(m_pointsRight ? b.x() : b.x() + b.width(), m_pointsDown ? b.y() : b.y() + b.height());
}

QPointF DRVLine::endPoint() const
{
    const QRectF b = bounds();
    return QPointF(m_pointsRight ? b.x() + b.width() : b.x(), m_pointsDown ? b.y() + b.height() : b.y());
}

void DRVLine::setBeginPoint(const QPointF& point)
{
    setPoints(point, endPoint());
}

void DRVLine::setEndPoint(const QPointF& point)
{
    setPoints(beginPoint(), point);
}

void DRVLine::setPoints(QPointF begin, QPointF end)
{
    bool right = false, down = false;
    const QRectF r = boundsWithBeginPoint(begin, end, &right, &down);
    // The points depend on the flags as well as on the bounds: a line turned end for end may keep
    // its bounds, and its observers must still hear of the new points.
    const bool turned = right != m_pointsRight || down != m_pointsDown;
    if (turned) {
        willChangeValueForKey(kBeginPoint);
        willChangeValueForKey(kEndPoint);
    }
    m_pointsRight = right;
    m_pointsDown = down;
    setBounds(r);
    if (turned) {
        didChangeValueForKey(kEndPoint);
        didChangeValueForKey(kBeginPoint);
    }
}

QStringList DRVLine::keysAffectedByKey(const QString& key) const
{
    QStringList keys = DRVGraphic::keysAffectedByKey(key);
    if (key == QLatin1String("bounds")) {
        keys << kBeginPoint << kEndPoint;
    } else if (key == QLatin1String("opacity") || key == QLatin1String("borderWidth") ||
               key == QLatin1String("borderStyle") || key == QLatin1String("borderHexColorString") ||
               key == QLatin1String("borderColor") || key == QLatin1String("drawEndArrow") ||
               key == QLatin1String("drawBeginArrow")) {
        keys << QStringLiteral("drawingContents");
    }
    return keys;
}

QVariantMap DRVLine::properties() const
{
    QVariantMap p = DRVGraphic::properties();
    p.remove(QStringLiteral("bounds"));
    p.insert(kBeginPoint, platform::stringFromPoint(beginPoint()));
    p.insert(kEndPoint, platform::stringFromPoint(endPoint()));
    p.insert(QStringLiteral("drawBeginArrow"), intProperty(drawBeginArrow() ? 1 : 0));
    p.insert(QStringLiteral("drawEndArrow"), intProperty(drawEndArrow() ? 1 : 0));
    return p;
}

void DRVLine::initWithProperties(const QVariantMap& properties)
{
    DRVGraphic::initWithProperties(properties);
    setPoints(pointFromProperty(properties.value(kBeginPoint)),
              pointFromProperty(properties.value(kEndPoint)));
    setDrawBeginArrow(intFromProperty(properties.value(QStringLiteral("drawBeginArrow"))) != 0);
    setDrawEndArrow(intFromProperty(properties.value(QStringLiteral("drawEndArrow"))) != 0);
    applyDashedWidthRule();
}

GraphicPath DRVLine::bezierPathForDrawing() const
{
    const QPointF begin = beginPoint(), end = endPoint();
    QPointF p0 = begin, p1 = end;
    if (drawBeginArrow())
        p0 = generateArrowBasePoint(end, begin);
    if (drawEndArrow())
        p1 = generateArrowBasePoint(begin, end);
    GraphicPath outline;
    outline.path.moveTo(p0);
    outline.path.lineTo(p1);
    outline.path.closeSubpath();
    outline.lineWidth = borderWidth();
    return outline;
}

QPointF DRVLine::generateArrowBasePoint(QPointF from, QPointF tip) const
{
    const float fx = float(from.x()), fy = float(from.y()), tx = float(tip.x()), ty = float(tip.y());
    const float theta = std::atan2(ty - fy, tx - fx);
    const float w = float(borderWidth());
    return QPointF(tx - w * std::cos(theta), ty - w * std::sin(theta));
}

QPainterPath DRVLine::generateArrowPath(QPointF from, QPointF tip) const
{
    const float fx = float(from.x()), fy = float(from.y()), tx = float(tip.x()), ty = float(tip.y());
    const float theta = std::atan2(ty - fy, tx - fx);
    const float length = 2.0f * float(borderWidth());
    const float quarter = float(M_PI / 4);
    const float ax = tx - length * std::cos(theta - quarter), ay = ty - length * std::sin(theta - quarter);
    const float bx = tx - length * std::cos(theta + quarter), by = ty - length * std::sin(theta + quarter);
    QPainterPath head;
    head.moveTo(tx, ty);
    head.lineTo(ax, ay);
    head.lineTo(bx, by);
    head.lineTo(tx, ty);
    return head;
}

void DRVLine::applyDashedWidthRule()
{
    if (borderWidth() == 0 &&
        (borderStyle() == QLatin1String("dashed") || borderStyle() == QLatin1String("dotted")))
        setBorderWidth(1);
}

QColor DRVLine::lineColor() const
{
    // The colour's own alpha times the opacity: a clear colour stays clear. A line whose colour was
    // given as hex alone is drawn in it, as the page writer writes it (a page saved with no window
    // would otherwise get a thumbnail without its lines).
    QColor c = borderColor();
    if (!c.isValid()) {
        const QString hex = borderHexColorString();
        c = hex == QLatin1String("CLEAR0") ? QColor(Qt::transparent) : DataCentre::colorWithHexString(hex);
    }
    if (c.isValid())
        c.setAlphaF(float(c.alphaF() * std::clamp(opacity(), 0.0, 1.0)));
    return c;
}

void DRVLine::paintLine(QPainter* painter)
{
    applyDashedWidthRule();
    if (!painter)
        return;
    const QColor c = lineColor();
    if (!c.isValid())
        return;
    const QPointF begin = beginPoint(), end = endPoint();
    QPointF p0 = begin, p1 = end;
    if (drawBeginArrow())
        p0 = generateArrowBasePoint(end, begin);
    if (drawEndArrow())
        p1 = generateArrowBasePoint(begin, end);
    QPainterPath segment;
    segment.moveTo(p0);
    segment.lineTo(p1);

    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    const double w = borderWidth();
    const QString style = borderStyle();
    if (style == QLatin1String("solid"))
        platform::strokePath(*painter, segment, c, w);
    else if (style == QLatin1String("dashed"))
        platform::strokePath(*painter, segment, c, w, {3 * w, 3 * w}, 1.0);
    else if (style == QLatin1String("dotted"))
        platform::strokePath(*painter, segment, c, w, {w, w}, 1.0);
    if (drawBeginArrow())
        painter->fillPath(generateArrowPath(end, begin), c);
    if (drawEndArrow())
        painter->fillPath(generateArrowPath(begin, end), c);
    painter->restore();
}

void DRVLine::drawContentsInView(QPainter* painter, bool isBeingCreateOrEdited)
{
    paintLine(painter);
    if (isBeingCreateOrEdited)
        paintLine(painter);
}

void DRVLine::drawHandlesInView(QPainter* painter)
{
    drawHandleInView(painter, beginPoint());
    drawHandleInView(painter, endPoint());
}

bool DRVLine::isContentsUnderPoint(QPointF point)
{
    refreshSelectedColors();
    const int w = borderWidth();
    if (!platform::pointInRect(point, bounds().adjusted(-w, -w, w, w)))
        return false;
    const float tolerance = float(w) / 10.0f + 10.0f;
    const QPointF s = beginPoint(), e = endPoint();
    const double dx = e.x() - s.x();
    if (dx == 0)
        return std::abs(point.x() - s.x()) <= tolerance;
    const double slope = (e.y() - s.y()) / dx;
    return std::abs((point.x() - s.x()) * slope - (point.y() - s.y())) <= tolerance;
}

int DRVLine::handleUnderPoint(QPointF point) const
{
    if (isHandleAtPoint(beginPoint(), point))
        return 1;
    if (isHandleAtPoint(endPoint(), point))
        return 2;
    return NoHandle;
}

int DRVLine::resizeByMovingHandle(int handle, QPointF point)
{
    if (handle == 1)
        setBeginPoint(point);
    else if (handle == 2)
        setEndPoint(point);
    return handle;
}

QSet<QString> DRVLine::keysForValuesToObserveForUndo() const
{
    QSet<QString> keys = DRVGraphic::keysForValuesToObserveForUndo();
    keys.remove(QStringLiteral("bounds"));
    keys << kBeginPoint << kEndPoint;
    return keys;
}

QString DRVLine::presentablePropertyNameForKey(const QString& key) const
{
    static const QHash<QString, QString> names = [] {
        const QString table = QStringLiteral("UndoStrings");
        QHash<QString, QString> missing;
        for (const QString& name : {QStringLiteral("Beginpoint"), QStringLiteral("Endpoint")}) {
            if (!platform::StringsTable::contains(name, table))
                missing.insert(name, name);
        }
        platform::StringsTable::registerEntries(table, missing);
        return QHash<QString, QString>{
            {kBeginPoint, platform::StringsTable::lookup(QStringLiteral("Beginpoint"), table)},
            {kEndPoint, platform::StringsTable::lookup(QStringLiteral("Endpoint"), table)},
        };
    }();
    const auto it = names.constFind(key);
    return it != names.constEnd() ? *it : DRVGraphic::presentablePropertyNameForKey(key);
}
