#include "model/DRVGraphic.h"

#include "editions/DataCentre.h"
#include "editions/EditionSettings.h"
#include "model/PageContext.h"
#include "platform/Drawing.h"
#include "platform/Geometry.h"
#include "platform/StringsTable.h"
#include "platform/Threads.h"

#include <QCursor>
#include <QDebug>
#include <QHash>
#include <QPainter>
#include <QPixmap>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <mutex>
#include <stdexcept>

namespace {

const QString kUndoStrings = QStringLiteral("UndoStrings");

// The canvas scale; an edition that has not set one yet draws at 1.
float displayScale()
{
    const float scale = edition().gCanvasDisplayScale;
    return scale > 0.0f ? scale : 1.0f;
}

// The drawn size of a handle: 10 canvas pixels on screen, but never under 5 units.
float drawnHandleSize()
{
    return float(std::max(double(10.0f / displayScale()), 5.0));
}

// The hit size of a handle: 10 pixels on screen, with no minimum.
float hitHandleSize()
{
    return 10.0f / displayScale();
}

bool isLeftHandle(int h)
{
    return h == 1 || h == 4 || h == 6;
}
bool isRightHandle(int h)
{
    return h == 3 || h == 5 || h == 8;
}
bool isTopHandle(int h)
{
    return h == 1 || h == 2 || h == 3;
}
bool isBottomHandle(int h)
{
    return h == 6 || h == 7 || h == 8;
}

// A margin or padding in pixels: "%" is a share of the side's extent, anything else is pixels.
float resolveSpacing(int number, const QString& unit, double extent)
{
    if (unit == QLatin1String("%"))
        return float(float(number) / 100.0 * extent);
    return float(number);
}

// Whole device pixels for a rectangle drawn with painter, so handles look crisp at any scale.
QRectF centerScanRect(QPainter* painter, const QRectF& rect)
{
    const QTransform toDevice = painter->deviceTransform();
    if (!toDevice.isInvertible() || toDevice.isRotating())
        return rect;
    const QRectF device = toDevice.mapRect(rect);
    const QRectF aligned(QPointF(std::round(device.left()), std::round(device.top())),
                         QPointF(std::round(device.right()), std::round(device.bottom())));
    return toDevice.inverted().mapRect(aligned);
}

// The number and unit a spacing level stands for; false for a level outside the seven.
bool spacingForLevel(const QString& level, bool horizontalSide, int* number)
{
    static const QHash<QString, QPair<int, int>> levels{
        {QStringLiteral("None"), {0, 0}},    {QStringLiteral("Tiny"), {10, 2}},
        {QStringLiteral("Small"), {20, 5}},  {QStringLiteral("Medium"), {30, 10}},
        {QStringLiteral("Large"), {50, 15}}, {QStringLiteral("XL"), {75, 20}},
        {QStringLiteral("XXL"), {100, 30}},
    };
    const auto it = levels.constFind(level);
    if (it == levels.constEnd())
        return false;
    *number = horizontalSide ? it->second : it->first;
    return true;
}

QColor colourFromHexSetting(const QString& hex)
{
    if (hex.isEmpty() || hex == QLatin1String("CLEAR0"))
        return QColor(Qt::transparent);
    return DataCentre::colorWithHexString(hex);
}

} // namespace

GraphicError graphicErrorWithCode(int code)
{
    const QString table = QStringLiteral("DRVError");
    const QString descriptionKey = QStringLiteral("description%1").arg(code);
    const QString reasonKey = QStringLiteral("failureReason%1").arg(code);
    GraphicError error;
    error.domain = QStringLiteral("DrovinErrorDomain");
    error.code = code;
    error.localizedDescription =
        platform::StringsTable::contains(descriptionKey, table)
            ? platform::StringsTable::lookup(descriptionKey, table)
            : QStringLiteral("Drovin could not complete the operation because an unknown error occurred.");
    error.localizedFailureReason = platform::StringsTable::contains(reasonKey, table)
                                       ? platform::StringsTable::lookup(reasonKey, table)
                                       : QStringLiteral("An unknown error occurred.");
    return error;
}

DRVGraphic::DRVGraphic(QObject* parent) : platform::Observable(parent) {}

DRVGraphic::~DRVGraphic() = default;

std::unique_ptr<DRVGraphic> DRVGraphic::copy() const
{
    std::unique_ptr<DRVGraphic> graphic(qobject_cast<DRVGraphic*>(metaObject()->newInstance()));
    if (!graphic) {
        qWarning() << metaObject()->className() << "has no invokable constructor; copied as a DRVGraphic";
        graphic = std::make_unique<DRVGraphic>();
    }
    graphic->m_bounds = m_bounds;
    graphic->m_drawingFill = m_drawingFill;
    graphic->m_fillColor = m_fillColor;
    graphic->m_drawingStroke = m_drawingStroke;
    graphic->m_strokeColor = m_strokeColor;
    graphic->m_strokeWidth = m_strokeWidth;
    return graphic;
}

void DRVGraphic::setBounds(const QRectF& bounds)
{
    changeValue(m_bounds, bounds, "bounds");
}

void DRVGraphic::setXPosition(double value)
{
    QRectF r = bounds();
    r.moveLeft(value);
    setBounds(r);
}

void DRVGraphic::setYPosition(double value)
{
    QRectF r = bounds();
    r.moveTop(value);
    setBounds(r);
}

void DRVGraphic::setWidth(double value)
{
    QRectF r = bounds();
    r.setWidth(value);
    setBounds(r);
}

void DRVGraphic::setHeight(double value)
{
    QRectF r = bounds();
    r.setHeight(value);
    setBounds(r);
}

QStringList DRVGraphic::keysAffectedByKey(const QString& key) const
{
    QStringList keys = platform::Observable::keysAffectedByKey(key);
    if (key == QLatin1String("bounds")) {
        keys << QStringLiteral("xPosition") << QStringLiteral("yPosition") << QStringLiteral("width")
             << QStringLiteral("height") << QStringLiteral("drawingBounds");
    } else if (key == QLatin1String("strokeWidth") || key == QLatin1String("cornerRadius")) {
        keys << QStringLiteral("drawingBounds");
    } else if (key == QLatin1String("drawingFill") || key == QLatin1String("fillColor") ||
               key == QLatin1String("drawingStroke") || key == QLatin1String("strokeColor") ||
               key == QLatin1String("fontColor")) {
        keys << QStringLiteral("drawingContents");
    }
    return keys;
}

// ---- box model ----

void DRVGraphic::drawBoxModel() const
{
    const QRectF r = m_bounds;
    const double x = r.x(), y = r.y(), w = r.width(), h = r.height();
    const int b = m_borderWidth;

    m_topMarginInPx = resolveSpacing(m_topMargin, m_topMarginType, h);
    m_bottomMarginInPx = resolveSpacing(m_bottomMargin, m_bottomMarginType, h);
    m_leftMarginInPx = resolveSpacing(m_leftMargin, m_leftMarginType, w);
    m_rightMarginInPx = resolveSpacing(m_rightMargin, m_rightMarginType, w);
    m_topPaddingInPx = resolveSpacing(m_topPadding, m_topPaddingType, h);
    m_bottomPaddingInPx = resolveSpacing(m_bottomPadding, m_bottomPaddingType, h);
    m_leftPaddingInPx = resolveSpacing(m_leftPadding, m_leftPaddingType, w);
    m_rightPaddingInPx = resolveSpacing(m_rightPadding, m_rightPaddingType, w);

    const double mT = m_topMarginInPx, mB = m_bottomMarginInPx, mL = m_leftMarginInPx, mR = m_rightMarginInPx;
    const double pT = m_topPaddingInPx, pB = m_bottomPaddingInPx, pL = m_leftPaddingInPx,
                 pR = m_rightPaddingInPx;

    m_drawRect = QRectF(x + b / 2, y + b / 2, w - b, h - b);
    m_noMarginRect = QRectF(x + mL, y + mT, w - mL - mR, h - mT - mB);
    m_noMarginNoBorderRect = QRectF(x + mL + b, y + mT + b, w - mL - mR - 2.0 * b, h - mT - mB - 2.0 * b);
    m_noPaddingNoMarginRect = QRectF(x + mL + pL, y + mT + pT, w - mL - mR - pL - pR, h - mT - mB - pT - pB);
    m_contentRect = QRectF(x + mL + pL + b, y + mT + pT + b, w - mL - mR - pL - pR - 2.0 * b,
                           h - mT - mB - pT - pB - 2.0 * b);
}

int DRVGraphic::textHeight() const
{
    const_cast<DRVGraphic*>(this)->measureDeferredTextHeight();
    return m_textHeight;
}

QRectF DRVGraphic::drawingBounds() const
{
    const double outset = isLineGraphic() ? 50.0 : double(drawnHandleSize() / 2.0f);
    const double grow = outset + 2.0;
    QRectF r = m_bounds.adjusted(-grow, -grow, grow, grow);
    if (m_rotationAngle != 0.0f) {
        QTransform turn;
        DataCentre::transformRotatingAroundPoint(r.center(), m_rotationAngle, turn);
        r = turn.mapRect(r);
    }
    drawBoxModel();
    return r;
}

void DRVGraphic::applyPaddingAndMargin()
{
    // The content height below is that of the graphic as it stands, whether or not it was drawn.
    drawBoxModel();
    const QRectF old = m_bounds;
    const double contentHeight = m_contentRect.height();

    struct Side
    {
        const QString& level;
        void (DRVGraphic::*setNumber)(int);
        void (DRVGraphic::*setUnit)(const QString&);
        bool horizontal;
    };
    const Side sides[] = {
        {m_topMarginLevelString, &DRVGraphic::setTopMargin, &DRVGraphic::setTopMarginType, false},
        {m_bottomMarginLevelString, &DRVGraphic::setBottomMargin, &DRVGraphic::setBottomMarginType, false},
        {m_rightMarginLevelString, &DRVGraphic::setRightMargin, &DRVGraphic::setRightMarginType, true},
        {m_leftMarginLevelString, &DRVGraphic::setLeftMargin, &DRVGraphic::setLeftMarginType, true},
        {m_topPaddingLevelString, &DRVGraphic::setTopPadding, &DRVGraphic::setTopPaddingType, false},
        {m_bottomPaddingLevelString, &DRVGraphic::setBottomPadding, &DRVGraphic::setBottomPaddingType, false},
        {m_rightPaddingLevelString, &DRVGraphic::setRightPadding, &DRVGraphic::setRightPaddingType, true},
        {m_leftPaddingLevelString, &DRVGraphic::setLeftPadding, &DRVGraphic::setLeftPaddingType, true},
    };
    for (const Side& side : sides) {
        int number = 0;
        if (!spacingForLevel(side.level, side.horizontal, &number))
            continue;
        (this->*side.setNumber)(number);
        (this->*side.setUnit)(side.horizontal ? QStringLiteral("%") : QStringLiteral("pixel"));
    }

    const double w = old.width(), h = old.height();
    const float mT = resolveSpacing(m_topMargin, m_topMarginType, h);
    const float mB = resolveSpacing(m_bottomMargin, m_bottomMarginType, h);
    const float pT = resolveSpacing(m_topPadding, m_topPaddingType, h);
    const float pB = resolveSpacing(m_bottomPadding, m_bottomPaddingType, h);
    m_topMarginInPx = mT;
    m_bottomMarginInPx = mB;
    m_leftMarginInPx = resolveSpacing(m_leftMargin, m_leftMarginType, w);
    m_rightMarginInPx = resolveSpacing(m_rightMargin, m_rightMarginType, w);
    m_topPaddingInPx = pT;
    m_bottomPaddingInPx = pB;
    m_leftPaddingInPx = resolveSpacing(m_leftPadding, m_leftPaddingType, w);
    m_rightPaddingInPx = resolveSpacing(m_rightPadding, m_rightPaddingType, w);

    // The content rectangle excludes the border twice; adding it back keeps a bordered graphic from
    // shrinking each time the same presets are applied.
    const double newHeight = double(mT + pT) + contentHeight + mB + pB + 2.0 * m_borderWidth;
    const int growth = platform::truncToInt((old.y() + newHeight) - (old.y() + h));
    if (growth > 0 && isSectionTable()) {
        PageContext::current().identifyAndPushSectionsDownwardByDifference(
            QRectF(old.x(), old.y() + h, w, growth));
    }
    setBounds(QRectF(old.x(), old.y(), w, newHeight));
}

// ---- undo ----

QSet<QString> DRVGraphic::keysForValuesToObserveForUndo() const
{
    return {QStringLiteral("drawingFill"), QStringLiteral("fillColor"),   QStringLiteral("drawingStroke"),
            QStringLiteral("strokeColor"), QStringLiteral("strokeWidth"), QStringLiteral("bounds")};
}

QStringList DRVGraphic::keysForValuesToObserveForUndoList() const
{
    QStringList keys = keysForValuesToObserveForUndo().values();
    keys.sort();
    return keys;
}

void DRVGraphic::registerUndoStrings()
{
    static std::once_flag once;
    std::call_once(once, [] {
        const QStringList names{
            QStringLiteral("Filling"),      QStringLiteral("Fill Color"),
            QStringLiteral("Stroking"),     QStringLiteral("Stroke Color"),
            QStringLiteral("Stroke Width"), QStringLiteral("Bounds"),
            QStringLiteral("Change of %@"), QStringLiteral("Change of Multiple Graphic Properties"),
            QStringLiteral("Property")};
        QHash<QString, QString> entries;
        for (const QString& name : names) {
            if (!platform::StringsTable::contains(name, kUndoStrings))
                entries.insert(name, name);
        }
        platform::StringsTable::registerEntries(kUndoStrings, entries);
    });
}

QString DRVGraphic::presentablePropertyNameForKey(const QString& key) const
{
    static const QHash<QString, QString> names = [] {
        registerUndoStrings();
        const QList<QPair<QString, QString>> pairs{
            {QStringLiteral("drawingFill"), QStringLiteral("Filling")},
            {QStringLiteral("fillColor"), QStringLiteral("Fill Color")},
            {QStringLiteral("drawingStroke"), QStringLiteral("Stroking")},
            {QStringLiteral("strokeColor"), QStringLiteral("Stroke Color")},
            {QStringLiteral("strokeWidth"), QStringLiteral("Stroke Width")},
            {QStringLiteral("bounds"), QStringLiteral("Bounds")},
        };
        QHash<QString, QString> table;
        for (const auto& [k, name] : pairs)
            table.insert(k, platform::StringsTable::lookup(name, kUndoStrings));
        return table;
    }();
    return names.value(key);
}

// ---- drawing ----

void DRVGraphic::drawContentsInView(QPainter* painter, bool isBeingCreateOrEdited)
{
    Q_UNUSED(painter);
    Q_UNUSED(isBeingCreateOrEdited);
}

GraphicPath DRVGraphic::bezierPathForDrawing() const
{
    throw std::logic_error("Neither drawContentsInView nor bezierPathForDrawing has been overridden.");
}

void DRVGraphic::paintBox(QPainter* painter, const QPainterPath& outline) const
{
    if (!painter)
        return;
    QPainterPath path = outline;
    if (m_rotationAngle != 0.0f) {
        QTransform turn;
        DataCentre::transformRotatingAroundPoint(m_bounds.center(), m_rotationAngle, turn);
        path = turn.map(path);
    }
    const double opacity = std::clamp(m_opacity, 0.0, 1.0);
    auto withOpacity = [opacity](QColor colour) {
        if (colour.isValid() && colour.alpha() > 0)
            colour.setAlphaF(float(colour.alphaF() * opacity));
        return colour;
    };

    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    platform::Shadow shadow;
    if (m_shadowFlag == 1) {
        shadow = {QColor(Qt::darkGray), 3.0, QPointF(0, 0)};
    } else if (m_shadowRadius != 0 && m_shadowHorizontalOffset != 0 && m_shadowVerticalOffset != 0) {
        shadow = {QColor(Qt::darkGray), m_shadowRadius,
                  QPointF(m_shadowHorizontalOffset, m_shadowVerticalOffset)};
    }
    if (shadow.color.isValid())
        platform::drawShadowForPath(*painter, path, shadow);

    if (isDrawingFill()) {
        const QColor fill = withOpacity(fillColor());
        if (fill.isValid())
            painter->fillPath(path, fill);
    }

    const QColor border = withOpacity(m_borderColor);
    if (isDrawingStroke() && border.isValid()) {
        const double w = m_borderWidth;
        if (m_borderStyle == QLatin1String("solid"))
            platform::strokePath(*painter, path, border, w);
        else if (m_borderStyle == QLatin1String("dashed"))
            platform::strokePath(*painter, path, border, w, {3 * w, 3 * w}, 1);
        else if (m_borderStyle == QLatin1String("dotted"))
            platform::strokePath(*painter, path, border, w, {w, w}, 1);
    }
    painter->restore();
}

QPointF DRVGraphic::handlePoint(int handle) const
{
    const QRectF r = m_bounds;
    const double x = r.x(), y = r.y(), w = r.width(), h = r.height();
    switch (handle) {
    case UpperLeftHandle:
        return {x, y};
    case UpperMiddleHandle:
        return {x + w / 2, y};
    case UpperRightHandle:
        return {x + w, y};
    case MiddleLeftHandle:
        return {x, y + h / 2};
    case MiddleRightHandle:
        return {x + w, y + h / 2};
    case LowerLeftHandle:
        return {x, y + h};
    case LowerMiddleHandle:
        return {x + w / 2, y + h};
    case LowerRightHandle:
        return {x + w, y + h};
    default:
        return {};
    }
}

void DRVGraphic::drawHandlesInView(QPainter* painter)
{
    if (!painter || !m_selectable || m_formType == QLatin1String("radio") ||
        m_formType == QLatin1String("checkbox"))
        return;
    static const QList<int> all{1, 2, 3, 4, 5, 6, 7, 8};
    static const QList<int> responsive{1, 2, 7, 3, 6, 8};
    for (int handle : edition().gResponsiveLayoutFlag ? responsive : all)
        drawHandleInView(painter, handlePoint(handle));

    const float width = float(std::max(double(edition().gSelectionHandleSize / displayScale()), 1.0));
    QPainterPath outline;
    outline.addRect(m_bounds);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    platform::strokePath(*painter, outline, Qt::black, width, {7.0, 7.0}, 5.0);
    painter->restore();
}

void DRVGraphic::drawHandleInView(QPainter* painter, QPointF point)
{
    if (!painter)
        return;
    const double s = drawnHandleSize();
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    const QRectF rect = centerScanRect(painter, QRectF(point.x() - s / 2, point.y() - s / 2, s, s));
    QPainterPath oval;
    oval.addEllipse(rect);
    platform::strokePath(*painter, oval, Qt::red, 1.0);
    painter->fillPath(oval, Qt::white);
    if (isSectionTable()) {
        const QRectF bar = centerScanRect(painter, QRectF(point.x() - 5 * s, point.y() - s / 2, 50 * s, s));
        QPainterPath barPath;
        barPath.addRect(bar);
        platform::strokePath(*painter, barPath, Qt::white, 5.0);
        painter->fillPath(barPath, DataCentre::colorWithHexString(QStringLiteral("228B22")));
    }
    painter->restore();
}

QCursor DRVGraphic::creationCursor()
{
    static const QCursor cursor = [] {
        QPixmap cross(16, 16);
        cross.fill(Qt::transparent);
        QPainter p(&cross);
        p.setPen(QPen(Qt::black, 1));
        p.drawLine(QPointF(8.5, 0), QPointF(8.5, 16));
        p.drawLine(QPointF(0, 8.5), QPointF(16, 8.5));
        p.end();
        return QCursor(cross, cross.width() / 2, cross.height() / 2);
    }();
    return cursor;
}

// ---- capabilities and editing ----

bool DRVGraphic::canMakeNaturalSize() const
{
    return m_bounds.width() != m_bounds.height();
}

bool DRVGraphic::isContentsUnderPoint(QPointF point)
{
    refreshSelectedColors();
    return platform::pointInRect(point, m_bounds);
}

void DRVGraphic::refreshSelectedColors()
{
    PageContext& context = PageContext::current();
    context.setSelectedTextColor(colourFromHexSetting(m_textHexColorString));
    if (!m_backgroundHexColorString.isEmpty() && m_backgroundHexColorString != QLatin1String("CLEAR0")) {
        context.setSelectedShapeColor(fillColor());
    } else {
        context.setSelectedShapeColor(QColor(Qt::transparent));
        setBackgroundHexColorString(QStringLiteral("CLEAR0"));
    }
    context.setSelectedHoverColor(colourFromHexSetting(m_hoverColorString));
    context.setSelectedHoverTextColor(colourFromHexSetting(m_hoverTextColorString));
    context.setSelectedBorderColor(colourFromHexSetting(m_borderHexColorString));
    context.refreshColorButtons();
    context.refreshInspectorPanel();
}

void DRVGraphic::setColor(const QColor& color)
{
    if (!canSetDrawingFill())
        return;
    if (!isDrawingFill())
        setValueForKey(QStringLiteral("drawingFill"), true);
    setValueForKey(QStringLiteral("fillColor"), color);
}

QWidget* DRVGraphic::newEditingViewWithSuperviewBounds(const QRectF& superviewBounds)
{
    Q_UNUSED(superviewBounds);
    return nullptr;
}

// ---- handles ----

int DRVGraphic::handleUnderPoint(QPointF point) const
{
    for (int handle = UpperLeftHandle; handle <= LowerRightHandle; ++handle) {
        if (isHandleAtPoint(handlePoint(handle), point))
            return handle;
    }
    return NoHandle;
}

bool DRVGraphic::isHandleAtPoint(QPointF handlePoint, QPointF point) const
{
    const double s = hitHandleSize();
    const QRectF area = isSectionTable() ? QRectF(handlePoint.x() - 5 * s, handlePoint.y() - s / 2, 50 * s, s)
                                         : QRectF(handlePoint.x() - s / 2, handlePoint.y() - s / 2, s, s);
    return platform::pointInRect(point, area);
}

int DRVGraphic::horizontalFlipOfHandle(int handle)
{
    static const int flips[] = {0, 3, 2, 1, 5, 4, 8, 7, 6};
    return handle >= 0 && handle <= 8 ? flips[handle] : handle;
}

int DRVGraphic::verticalFlipOfHandle(int handle)
{
    static const int flips[] = {0, 6, 7, 8, 4, 5, 1, 2, 3};
    return handle >= 0 && handle <= 8 ? flips[handle] : handle;
}

bool DRVGraphic::isSectionTable() const
{
    const QString type = gridType();
    return type == QLatin1String("section") || type == QLatin1String("sectionTemplate");
}

int DRVGraphic::resizeByMovingHandle(int handle, QPointF point)
{
    const QRectF current = m_bounds;
    const bool responsive = edition().gResponsiveLayoutFlag;
    const bool image = isImageGraphic();
    const double px = point.x(), py = point.y();
    double X = current.x(), Y = current.y(), W = current.width(), H = current.height();
    float aspect = float(W) / float(H);
    if (responsive && image) {
        const QSizeF picture = inputImageSize();
        aspect = float(picture.width()) / float(picture.height());
    }

    if (!responsive) {
        if (isLeftHandle(handle)) {
            W = X + W - px;
            X = px;
            if (image)
                H = W / aspect;
        } else if (isRightHandle(handle)) {
            W = px - X;
            if (image)
                H = W / aspect;
        }
        if (W < 0) {
            handle = horizontalFlipOfHandle(handle);
            W = -W;
            X = X - W;
            flipHorizontally();
        }
        if (image)
            updateOriginalRect();
    }

    // For an image the vertical step starts from the height the horizontal step gave it.
    const bool top = isTopHandle(handle);
    if (top || isBottomHandle(handle)) {
        const float newHeight = top ? float(Y + H - py) : float(py - Y);
        if (responsive && image) {
            const float sidePadding = float((W - aspect * newHeight) / 2);
            if (sidePadding <= 0) {
                X = current.x(), Y = current.y(), W = current.width(), H = current.height();
            } else {
                const int percent = platform::truncToInt(sidePadding / W * 100);
                setLeftPadding(percent);
                setRightPadding(percent);
                setLeftPaddingType(QStringLiteral("%"));
                setRightPaddingType(QStringLiteral("%"));
                H = newHeight;
                if (top)
                    Y = py;
            }
        } else {
            H = newHeight;
            if (top)
                Y = py;
            if (image && !responsive)
                W = aspect * H;
        }
    }

    if (H < 0) {
        handle = verticalFlipOfHandle(handle);
        H = -H;
        Y = Y - H;
        flipVertically();
    }

    QRectF working(X, Y, W, H);
    if (isSectionTable()) {
        if (!sectionAllowsResize(handle, point, working))
            working = current;
    } else if (edition().gOverlapCheckFlag) {
        const QRectF computed = working;
        if (PageContext::current().isThereGraphicAtNewLocation(this, computed)) {
            working = current;
            qInfo() << "overlap";
        }
        if (isGraphicContainedWithinSection(this, computed)) {
            working = current;
            qInfo() << "exceeded edge";
        }
    }
    setBounds(working);
    return handle;
}

bool DRVGraphic::sectionAllowsResize(int handle, QPointF point, const QRectF& rect) const
{
    drawBoxModel();
    PageContext& context = PageContext::current();
    auto* self = const_cast<DRVGraphic*>(this);
    const bool top = isTopHandle(handle);
    const double py = point.y();
    const double m =
        top ? double(m_topMarginInPx) + m_topPaddingInPx : double(m_bottomMarginInPx) + m_bottomPaddingInPx;
    const QRectF strip =
        top ? QRectF(rect.x(), py, rect.width(), m) : QRectF(rect.x(), py - m, rect.width(), m);
    const double currentTop = m_bounds.top();
    const double currentBottom = m_bounds.y() + m_bounds.height();

    if (!top) {
        if (py > currentBottom) {
            if (context.isThereGraphicAtNewLocation(self, strip))
                context.identifyAndPushSectionsDownwardByOnePixel(QRectF(rect.x(), py, rect.width(), 1));
            return true;
        }
        if (DRVGraphic* bottomMost = context.grabBottomMostObjectInSection(self)) {
            const QRectF b = bottomMost->bounds();
            if (b.y() + b.height() > py)
                return false;
        }
        return !context.isThereGraphicAtRect(strip);
    }
    if (py <= currentTop)
        return !context.isThereGraphicAtNewLocation(self, strip);
    if (DRVGraphic* topMost = context.grabTopMostObjectInSection(self)) {
        if (py > topMost->bounds().y())
            return false;
    }
    return !context.isThereGraphicAtRect(strip);
}

// ---- colour palette ----

QString DRVGraphic::paletteHexStringAtIndex(int index)
{
    const QStringList& palette = edition().gColorPalette;
    if (index < 0 || index >= palette.size())
        return {};
    return palette.at(index);
}

// ---- page context ----

QString DRVGraphic::getNextImageName() const
{
    return PageContext::current().nextImageName();
}

QString DRVGraphic::getCurrentDocPath() const
{
    return PageContext::current().currentDocPath();
}

QPointF DRVGraphic::getLastTouchPoint() const
{
    return PageContext::current().lastTouchPoint();
}

// ---- arrays of graphics ----

QRectF DRVGraphic::boundsOfGraphics(const QList<DRVGraphic*>& graphics)
{
    if (graphics.isEmpty())
        return {};
    QRectF united = graphics.first()->bounds();
    for (qsizetype i = 1; i < graphics.size(); ++i)
        united = platform::rectUnion(united, graphics.at(i)->bounds());
    return united;
}

QRectF DRVGraphic::drawingBoundsOfGraphics(const QList<DRVGraphic*>& graphics)
{
    if (graphics.isEmpty())
        return {};
    QRectF united = graphics.first()->drawingBounds();
    for (qsizetype i = 1; i < graphics.size(); ++i)
        united = platform::rectUnion(united, graphics.at(i)->drawingBounds());
    return united;
}

QString DRVGraphic::overlapCheckAction()
{
    return QStringLiteral("checkforOverlap");
}

void DRVGraphic::translateGraphics(const QList<DRVGraphic*>& graphics, double dx, double dy)
{
    PageContext& context = PageContext::current();
    const bool overlapCheck = edition().gOverlapCheckFlag;
    const bool responsive = edition().gResponsiveLayoutFlag;
    for (DRVGraphic* graphic : graphics) {
        if (!graphic)
            continue;
        // Each graphic starts from the caller's deltas: a limit met by one graphic of the
        // selection must not hold back the others.
        double gx = dx, gy = dy;
        if (overlapCheck) {
            if (!context.isThereGraphicAtNewLocation(graphic, graphic->bounds()))
                graphic->setLastNoOverlapRect(graphic->bounds());
            if (isGraphicOutsideOfSection(graphic, platform::truncToInt(gy)))
                gy = 0;
        }
        if (responsive) {
            gx = 0;
            if (gy < 0 && graphic->bounds().y() < 0)
                gy = 0;
        }
        if (graphic->moveLock() != 1 && graphic->selectable())
            graphic->setBounds(graphic->bounds().translated(gx, gy));
        if (graphic->isSectionTable()) {
            const QList<DRVGraphic*> members = context.findObjectsInSection(graphic);
            for (DRVGraphic* member : members) {
                if (member && member->movingAsPartOfSection())
                    member->setBounds(member->bounds().translated(0, gy));
            }
        }
        if (overlapCheck) {
            platform::DelayedPerform::schedule(graphic, overlapCheckAction(), kOverlapCheckDelayMs,
                                               [graphic] { checkforOverlap(graphic); });
        }
        context.reAlignFormOptions();
    }
}

bool DRVGraphic::isGraphicOutsideOfSection(DRVGraphic* graphic, int dy)
{
    if (!graphic)
        return false;
    DRVGraphic* section = PageContext::current().grabMySection(graphic->sectionNumber());
    if (!section || section == graphic)
        return false;
    section->drawBoxModel();
    const QRectF c = section->contentRect();
    const QRectF r = graphic->bounds();
    return r.y() + dy < c.y() + 2 || r.y() + r.height() + dy > c.y() + c.height() - 2;
}

bool DRVGraphic::isGraphicContainedWithinSection(DRVGraphic* graphic, const QRectF& rect)
{
    if (!graphic)
        return false;
    DRVGraphic* section = PageContext::current().grabMySection(graphic->sectionNumber());
    if (!section)
        return false;
    section->drawBoxModel();
    const QRectF area = section->contentRect().adjusted(-2, -2, 2, 2);
    return !platform::rectContainsRect(area, rect);
}

void DRVGraphic::checkforOverlap(DRVGraphic* graphic)
{
    if (!graphic)
        return;
    PageContext& context = PageContext::current();
    if (context.isThereGraphicAtNewLocation(graphic, graphic->bounds())) {
        const QRectF last = graphic->lastNoOverlapRect();
        const int d = platform::truncToInt(last.y() - graphic->bounds().y());
        graphic->setBounds(last);
        const QList<DRVGraphic*> members = context.findObjectsInSection(graphic);
        for (DRVGraphic* member : members) {
            if (member && member->movingAsPartOfSection())
                member->setBounds(member->bounds().translated(0, d));
        }
    }
    if (!edition().gResponsiveLayoutFlag)
        return;
    if (graphic->gridType() == QLatin1String("section")) {
        context.reAlignSectionObjects(graphic);
        graphic->setMovingAsPartOfSection(false);
        return;
    }
    if (!graphic->movingAsPartOfSection())
        context.isObjectStillInSameSectionGrid(graphic->getLastTouchPoint(), graphic);
    graphic->setMovingAsPartOfSection(false);
}
