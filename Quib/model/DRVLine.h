// A straight line from a start point to an end point, stroked solid, dashed or dotted in the
// border colour and width, with an optional arrow head at either end. It stores no points: they
// follow from the bounds and two direction flags, so moving the bounds moves the line.
#pragma once
#include "model/DRVGraphic.h"

class DRVLine : public DRVGraphic
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit DRVLine(QObject* parent = nullptr);

    std::unique_ptr<DRVGraphic> copy() const override;

    // The smallest rectangle holding both points; the flags tell whether the end lies strictly to
    // the right of and strictly below the start.
    static QRectF boundsWithBeginPoint(QPointF begin, QPointF end, bool* pointsRight = nullptr,
                                       bool* pointsDown = nullptr);
    bool pointsRight() const { return m_pointsRight; }
    bool pointsDown() const { return m_pointsDown; }

    QPointF beginPoint() const override;
    QPointF endPoint() const override;
    // Each recomputes bounds and flags from the new point and the other current one.
    void setBeginPoint(const QPointF& point) override;
    void setEndPoint(const QPointF& point) override;

    QVariantMap properties() const override;
    void initWithProperties(const QVariantMap& properties) override;

    // The segment as stroked: it stops borderWidth short of each arrow tip. Closed, with the
    // border width as its line width.
    GraphicPath bezierPathForDrawing() const override;
    // The tip moved back towards from by borderWidth along the line (single precision).
    QPointF generateArrowBasePoint(QPointF from, QPointF tip) const;
    // The arrow head at tip: a right-angled triangle whose sides run 45 degrees either side of the
    // line, each 2 * borderWidth long (single precision).
    QPainterPath generateArrowPath(QPointF from, QPointF tip) const;
    // A dashed or dotted line of width 0 gets width 1 (a change like any other).
    void applyDashedWidthRule();
    // Strokes the segment by borderStyle and fills the arrow heads, in the border colour with the
    // graphic's opacity as alpha. A style other than solid, dashed and dotted strokes nothing.
    void paintLine(QPainter* painter);

    void drawContentsInView(QPainter* painter, bool isBeingCreateOrEdited) override;
    void drawHandlesInView(QPainter* painter) override;
    int creationSizingHandle() const override { return 2; }
    bool canMakeNaturalSize() const override { return false; }
    bool isLineGraphic() const override { return true; }
    // Within the bounds grown by borderWidth, and within borderWidth / 10 + 10 of the line through
    // both points measured along y (along x for a vertical line).
    bool isContentsUnderPoint(QPointF point) override;
    // 1 for the start handle (which wins where both overlap), 2 for the end handle, else 0.
    int handleUnderPoint(QPointF point) const override;
    // Handle 1 moves the start, 2 the end; returns the same handle.
    int resizeByMovingHandle(int handle, QPointF point) override;

    QSet<QString> keysForValuesToObserveForUndo() const override;
    QString presentablePropertyNameForKey(const QString& key) const override;

protected:
    QStringList keysAffectedByKey(const QString& key) const override;

private:
    void setPoints(QPointF begin, QPointF end);
    QColor lineColor() const;

    bool m_pointsRight = false;
    bool m_pointsDown = false;
};
