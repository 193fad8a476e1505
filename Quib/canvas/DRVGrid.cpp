#include "canvas/DRVGrid.h"

#include "editions/EditionSettings.h"
#include "platform/ClockTimer.h"
#include "platform/UserDefaults.h"

#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <cmath>

namespace {

const QString kGridSpacingKey = QStringLiteral("gridSpacing");
const QString kDrawGridFlagKey = QStringLiteral("drawGridFlag");
const QString kSnapGridFlagKey = QStringLiteral("snapGridFlag");
const QString kAnyKey = QStringLiteral("any");

constexpr double kDefaultSpacing = 9.0;

double snapped(double value, double spacing)
{
    return std::floor(value / spacing + 0.5) * spacing;
}

} // namespace

DRVGrid::DRVGrid(QObject* parent)
    : platform::Observable(parent), m_color(QColor::fromRgbF(2.0f / 3, 2.0f / 3, 2.0f / 3)),
      m_hidingTimer(new platform::ClockTimer(this))
{
    m_hidingTimer->setInterval(kTemporaryDisplayMs);
    connect(m_hidingTimer, &platform::ClockTimer::timeout, this, &DRVGrid::stopShowingGridForTimer);

    platform::UserDefaults& defaults = platform::UserDefaults::standard();
    const double stored = defaults.floatForKey(kGridSpacingKey);
    m_spacing = stored > 0 ? stored : kDefaultSpacing;
    m_isAlwaysShown = defaults.boolForKey(kDrawGridFlagKey);
    m_isConstraining = defaults.boolForKey(kSnapGridFlagKey);

    if (edition().gCustomGridSpacingFlag) {
        m_isAlwaysShown = true;
        m_isConstraining = true;
        m_spacing = edition().gCustomGridSpacing;
    }
}

DRVGrid::~DRVGrid()
{
    m_hidingTimer->stop();
}

QStringList DRVGrid::keysAffectedByKey(const QString& key) const
{
    QStringList keys = platform::Observable::keysAffectedByKey(key);
    if (key == QLatin1String("color")) {
        keys << kAnyKey;
    } else if (key == QLatin1String("spacing")) {
        keys << kAnyKey << QStringLiteral("usable");
    } else if (key == QLatin1String("alwaysShown")) {
        keys << kAnyKey << QStringLiteral("canSetColor") << QStringLiteral("canSetSpacing");
    } else if (key == QLatin1String("constraining")) {
        keys << kAnyKey << QStringLiteral("canSetSpacing");
    } else if (key == QLatin1String("usable")) {
        keys << QStringLiteral("canSetColor");
    }
    return keys;
}

void DRVGrid::setSpacing(double spacing)
{
    platform::UserDefaults::standard().setObject(kGridSpacingKey, float(spacing));
    if (spacing == m_spacing)
        return;
    const QString key = QStringLiteral("spacing");
    willChangeValueForKey(key);
    m_spacing = spacing;
    // The timer runs before the change is announced, so the redraw it causes shows the grid.
    if (spacing > 0 && !m_isAlwaysShown)
        m_hidingTimer->start();
    didChangeValueForKey(key);
}

void DRVGrid::setAlwaysShown(bool flag)
{
    platform::UserDefaults::standard().setBool(kDrawGridFlagKey, flag);
    if (flag == m_isAlwaysShown)
        return;
    const QString key = QStringLiteral("alwaysShown");
    willChangeValueForKey(key);
    m_isAlwaysShown = flag;
    m_hidingTimer->stop();
    didChangeValueForKey(key);
}

void DRVGrid::setConstraining(bool flag)
{
    platform::UserDefaults::standard().setBool(kSnapGridFlagKey, flag);
    changeValue(m_isConstraining, flag, "constraining");
}

bool DRVGrid::isShowingTemporarily() const
{
    return m_hidingTimer->isActive();
}

bool DRVGrid::isShown() const
{
    return isUsable() && (m_isAlwaysShown || isShowingTemporarily());
}

void DRVGrid::stopShowingGridForTimer()
{
    m_hidingTimer->stop();
    // Nothing the grid stores changed, but what it draws did.
    willChangeValueForKey(kAnyKey);
    didChangeValueForKey(kAnyKey);
}

QPointF DRVGrid::constrainedPoint(QPointF point) const
{
    if (!isUsable() || !m_isConstraining)
        return point;
    return QPointF(snapped(point.x(), m_spacing), snapped(point.y(), m_spacing));
}

QRectF DRVGrid::alignedRect(const QRectF& rect) const
{
    const double s = m_spacing;
    const QPointF minCorner(snapped(rect.x(), s), snapped(rect.y(), s));
    const QPointF maxCorner(snapped(rect.x() + rect.width(), s), snapped(rect.y() + rect.height(), s));
    return QRectF(minCorner, maxCorner);
}

void DRVGrid::drawRect(QPainter* painter, const QRectF& rect) const
{
    if (!painter || !isShown())
        return;
    const double s = m_spacing;
    QPainterPath lines;
    const qint64 firstColumn = qint64(std::ceil(rect.left() / s));
    const qint64 lastColumn = qint64(std::floor(rect.right() / s));
    for (qint64 n = firstColumn; n <= lastColumn; ++n) {
        lines.moveTo(n * s, rect.top());
        lines.lineTo(n * s, rect.bottom());
    }
    const qint64 firstRow = qint64(std::ceil(rect.top() / s));
    const qint64 lastRow = qint64(std::floor(rect.bottom() / s));
    for (qint64 m = firstRow; m <= lastRow; ++m) {
        lines.moveTo(rect.left(), m * s);
        lines.lineTo(rect.right(), m * s);
    }
    painter->save();
    QPen pen(m_color, 0); // width 0: one device pixel at any zoom
    painter->setPen(pen);
    painter->setBrush(Qt::NoBrush);
    painter->drawPath(lines);
    painter->restore();
}
