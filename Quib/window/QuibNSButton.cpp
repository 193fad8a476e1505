#include "window/QuibNSButton.h"

#include "editions/DataCentre.h"

#include <QChildEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

QuibNSButton::QuibNSButton(QWidget* parent) : QAbstractButton(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
}

void QuibNSButton::setBorderFlag(bool border)
{
    m_borderFlag = border;
    update();
}

void QuibNSButton::setButtonColor(const QColor& color)
{
    m_buttonColor = color;
    update();
}

void QuibNSButton::setImage(const QImage& image)
{
    m_image = image;
    update();
}

QSize QuibNSButton::sizeHint() const
{
    return m_image.isNull() ? QSize(40, 40) : m_image.size();
}

void QuibNSButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!m_image.isNull())
        painter.drawImage(rect(), m_image);
    else if (!text().isEmpty())
        painter.drawText(rect(), Qt::AlignCenter, text());
    m_editModeFlag = false;
    if (m_borderFlag) {
        QPen pen(DataCentre::colorWithHexString(QStringLiteral("3D9140")));
        pen.setWidth(5);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(rect()));
    }
    if (m_buttonColor.isValid())
        painter.fillRect(rect(), m_buttonColor);
}

void QuibNSButton::mousePressEvent(QMouseEvent* event)
{
    if (m_editModeFlag) {
        setBorderFlag(true);
        event->accept();
        return;
    }
    QAbstractButton::mousePressEvent(event);
}

void QuibNSButton::childEvent(QChildEvent* event)
{
    // Whatever is placed inside the tile lets the tile answer the click.
    if (event->added() && event->child()->isWidgetType())
        static_cast<QWidget*>(event->child())->setAttribute(Qt::WA_TransparentForMouseEvents);
    QAbstractButton::childEvent(event);
}

void QuibNSButton::setCaption(QLabel* label, const QString& text)
{
    if (!label)
        return;
    const QString shown =
        label->fontMetrics().elidedText(text, Qt::ElideRight, label->contentsRect().width());
    label->setText(shown);
    label->setToolTip(shown == text ? QString() : text);
}
