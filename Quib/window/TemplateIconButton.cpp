#include "window/TemplateIconButton.h"

#include "editions/DataCentre.h"

#include <QPainter>

TemplateIconButton::TemplateIconButton(QWidget* parent) : QPushButton(parent)
{
    setFlat(true);
    setFocusPolicy(Qt::NoFocus);
}

QColor TemplateIconButton::borderColor()
{
    return DataCentre::colorWithHexString(QStringLiteral("33A1C9"));
}

void TemplateIconButton::setBorderFlag(bool flag)
{
    if (m_borderFlag == flag)
        return;
    m_borderFlag = flag;
    update();
}

void TemplateIconButton::setThumbnail(const QImage& image)
{
    m_thumbnail = image;
    setFixedSize(image.isNull() ? QSize(200, 200) : image.size() / image.devicePixelRatio());
    update();
}

void TemplateIconButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!m_thumbnail.isNull())
        painter.drawImage(rect(), m_thumbnail);
    if (m_borderFlag) {
        // The frame lies inside the tile, so neighbours never cover it.
        QPen pen(borderColor(), kBorderWidth);
        pen.setJoinStyle(Qt::MiterJoin);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        const qreal half = kBorderWidth / 2.0;
        painter.drawRect(QRectF(rect()).adjusted(half, half, -half, -half));
    }
}

void TemplateIconButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    QPushButton::mouseDoubleClickEvent(event);
    emit doubleClicked();
}
