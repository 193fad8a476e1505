#include "window/RulerWidget.h"

#include <QPaintEvent>
#include <QPainter>

#include <cmath>

namespace {

constexpr double kDefaultPointsPerInch = 72.0;
constexpr double kDefaultPointsPerCentimeter = 28.3465;
constexpr double kMinimumLabelSpacing = 40.0;

double& pointsPerInch()
{
    static double value = kDefaultPointsPerInch;
    return value;
}

double& pointsPerCentimeter()
{
    static double value = kDefaultPointsPerCentimeter;
    return value;
}

} // namespace

RulerWidget::RulerWidget(Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent), m_orientation(orientation)
{
    setObjectName(orientation == Qt::Horizontal ? QStringLiteral("horizontalRuler")
                                                : QStringLiteral("verticalRuler"));
    setAutoFillBackground(false);
}

double RulerWidget::pointsPerUnit(const QString& unitName)
{
    if (unitName == QLatin1String("Inches"))
        return pointsPerInch();
    if (unitName == QLatin1String("Centimeters"))
        return pointsPerCentimeter();
    return 1.0;
}

void RulerWidget::registerUnitScales(double inch, double centimeter)
{
    const auto usable = [](double v) { return std::isfinite(v) && v > 0 && v < 1e6; };
    pointsPerInch() = usable(inch) ? inch : kDefaultPointsPerInch;
    pointsPerCentimeter() = usable(centimeter) ? centimeter : kDefaultPointsPerCentimeter;
}

void RulerWidget::resetUnitScales()
{
    registerUnitScales(kDefaultPointsPerInch, kDefaultPointsPerCentimeter);
}

void RulerWidget::setUnitName(const QString& unitName)
{
    m_unitName = unitName;
    update();
}

void RulerWidget::setScale(double scale)
{
    if (!(scale > 0) || !std::isfinite(scale))
        return;
    m_scale = scale;
    update();
}

void RulerWidget::setOffset(int offset)
{
    m_offset = offset;
    update();
}

double RulerWidget::pixelForValue(double value) const
{
    return value * pointsPerUnit(m_unitName) * m_scale - m_offset;
}

double RulerWidget::labelStep() const
{
    const double pixelsPerUnit = pointsPerUnit(m_unitName) * m_scale;
    double step = 1.0;
    // 1, 2, 5, 10, 20, 50, ... bounded so a tiny zoom cannot loop for long.
    for (int i = 0; i < 30 && step * pixelsPerUnit < kMinimumLabelSpacing; ++i)
        step *= (i % 3 == 1) ? 2.5 : 2.0;
    return step;
}

void RulerWidget::moveRulerlineFromLocation(double from, double to)
{
    if (from >= 0) {
        const qsizetype at = m_lines.indexOf(from);
        if (at >= 0)
            m_lines.removeAt(at);
    }
    if (to >= 0)
        m_lines.append(to);
    update();
}

QSize RulerWidget::sizeHint() const
{
    return m_orientation == Qt::Horizontal ? QSize(200, kThickness) : QSize(kThickness, 200);
}

void RulerWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0xF2, 0xF2, 0xF2));
    const bool horizontal = m_orientation == Qt::Horizontal;
    const int length = horizontal ? width() : height();
    painter.setPen(QColor(0xB0, 0xB0, 0xB0));
    if (horizontal)
        painter.drawLine(0, height() - 1, width(), height() - 1);
    else
        painter.drawLine(width() - 1, 0, width() - 1, height());

    QFont font = painter.font();
    font.setPixelSize(9);
    painter.setFont(font);
    painter.setPen(QColor(0x55, 0x55, 0x55));
    const double step = labelStep();
    const double pixelsPerUnit = pointsPerUnit(m_unitName) * m_scale;
    const double minorStep = step / 5.0;
    const double first = std::floor(m_offset / pixelsPerUnit / step) * step;
    for (int i = 0; i < 5000; ++i) {
        const double value = first + i * minorStep;
        const double at = pixelForValue(value);
        if (at > length)
            break;
        if (at < 0)
            continue;
        const bool major = i % 5 == 0;
        const int tick = major ? kThickness - 2 : kThickness / 4;
        const int p = int(std::lround(at));
        if (horizontal)
            painter.drawLine(p, kThickness - 1 - tick, p, kThickness - 1);
        else
            painter.drawLine(kThickness - 1 - tick, p, kThickness - 1, p);
        if (major) {
            const QString label = QString::number(value, 'g', 6);
            if (horizontal) {
                painter.drawText(p + 2, 9, label);
            } else {
                painter.save();
                painter.translate(1, p + 2);
                painter.rotate(90);
                painter.drawText(0, 0, label);
                painter.restore();
            }
        }
    }
    painter.setPen(QColor(0x2E, 0x6B, 0xD6));
    for (double line : std::as_const(m_lines)) {
        const int p = int(std::lround(line * m_scale - m_offset));
        if (horizontal)
            painter.drawLine(p, 0, p, kThickness);
        else
            painter.drawLine(0, p, kThickness, p);
    }
}
