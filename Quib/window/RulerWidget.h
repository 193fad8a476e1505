// One ruler beside the canvas: ticks and numbers in a unit ("Points", "Centimeters", "Inches"),
// following the canvas's scroll position and zoom, and the echo lines of a graphic being moved.
#pragma once
#include <QList>
#include <QString>
#include <QWidget>

class RulerWidget : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kThickness = 18;

    explicit RulerWidget(Qt::Orientation orientation, QWidget* parent = nullptr);

    Qt::Orientation orientation() const { return m_orientation; }

    // Canvas units (points) per ruler unit; an unknown name counts as points.
    static double pointsPerUnit(const QString& unitName);
    // Print editions measure their canvas in their sheet's pixels: the sheet's inch and centimetre
    // replace the defaults of 72 and 28.3465. Non-positive or non-finite values restore them.
    static void registerUnitScales(double pointsPerInch, double pointsPerCentimeter);
    static void resetUnitScales();

    QString unitName() const { return m_unitName; }
    void setUnitName(const QString& unitName);
    double scale() const { return m_scale; }
    void setScale(double scale);
    // The scroll position along the ruler, in view pixels.
    int offset() const { return m_offset; }
    void setOffset(int offset);

    // Where a value in the ruler's unit is drawn, in ruler pixels.
    double pixelForValue(double value) const;
    // The step between numbered ticks, in the ruler's unit: the smallest of 1, 2, 5, 10, ... that
    // keeps numbers at least 40 pixels apart.
    double labelStep() const;

    // Echo lines in canvas units; moving from -1 adds a line, moving to -1 removes one.
    void moveRulerlineFromLocation(double from, double to);
    QList<double> rulerLines() const { return m_lines; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Qt::Orientation m_orientation;
    QString m_unitName = QStringLiteral("Points");
    double m_scale = 1.0;
    int m_offset = 0;
    QList<double> m_lines;
};
