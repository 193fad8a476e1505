// The canvas's grid: a spacing, a colour and two switches (draw it, snap to it). The switches and
// the spacing persist in the user defaults. When the spacing changes while the grid is hidden, the
// grid is drawn for a second so the user sees the new spacing. Main thread only.
#pragma once
#include "platform/Observable.h"

#include <QColor>
#include <QPointF>
#include <QRectF>

class QPainter;
namespace platform {
class ClockTimer;
}

class DRVGrid : public platform::Observable
{
    Q_OBJECT
    Q_PROPERTY(QColor color READ color WRITE setColor)
    Q_PROPERTY(double spacing READ spacing WRITE setSpacing)
    Q_PROPERTY(bool alwaysShown READ isAlwaysShown WRITE setAlwaysShown)
    Q_PROPERTY(bool constraining READ isConstraining WRITE setConstraining)
    // Derived keys. "any" changes with each of the four above and when the temporary display ends.
    Q_PROPERTY(int any READ any)
    Q_PROPERTY(bool usable READ isUsable)
    Q_PROPERTY(bool canSetColor READ canSetColor)
    Q_PROPERTY(bool canSetSpacing READ canSetSpacing)

public:
    // Reads "gridSpacing", "drawGridFlag" and "snapGridFlag"; an edition with its own grid spacing
    // always shows and snaps to that spacing instead.
    explicit DRVGrid(QObject* parent = nullptr);
    ~DRVGrid() override;

    // How long a hidden grid is drawn after a spacing change.
    static constexpr int kTemporaryDisplayMs = 1000;

    QColor color() const { return m_color; }
    void setColor(const QColor& color) { changeValue(m_color, color, "color"); }

    double spacing() const { return m_spacing; }
    // Stores the spacing under "gridSpacing" even when it is unchanged; a new positive spacing on a
    // hidden grid shows the grid for a second (each further change restarts the second).
    void setSpacing(double spacing);

    bool isAlwaysShown() const { return m_isAlwaysShown; }
    // Persists "drawGridFlag"; switching cancels a temporary display.
    void setAlwaysShown(bool flag);
    bool isConstraining() const { return m_isConstraining; }
    // Persists "snapGridFlag".
    void setConstraining(bool flag);

    int any() const { return 0; }
    bool isUsable() const { return m_spacing > 0; }
    bool canSetColor() const { return m_isAlwaysShown && isUsable(); }
    bool canSetSpacing() const { return m_isAlwaysShown || m_isConstraining; }
    bool canAlign() const { return isUsable(); }
    // Whether drawRect draws anything: usable, and shown always or for the moment.
    bool isShown() const;
    bool isShowingTemporarily() const;

    // The nearest grid intersection when usable and constraining; the point itself otherwise. A
    // coordinate halfway between two lines goes to the larger one.
    QPointF constrainedPoint(QPointF point) const;
    // Each edge snapped to its nearest grid line, whatever the switches say (ask canAlign first).
    // Edges that snap to the same line leave a size of 0.
    QRectF alignedRect(const QRectF& rect) const;

    // Strokes the grid lines that cross rect with the thinnest line the device draws, when shown.
    void drawRect(QPainter* painter, const QRectF& rect) const;

public slots:
    // Ends the temporary display.
    void stopShowingGridForTimer();

protected:
    QStringList keysAffectedByKey(const QString& key) const override;

private:
    QColor m_color;
    double m_spacing = 9.0;
    bool m_isAlwaysShown = false;
    bool m_isConstraining = false;
    platform::ClockTimer* m_hidingTimer = nullptr;
};
