#include "window/CanvasRulers.h"

#include "model/DRVZoomingScrollView.h"
#include "window/RulerWidget.h"

#include <QScrollBar>

CanvasRulers::CanvasRulers(DRVZoomingScrollView* scrollView, DRVGraphicView* canvas, QObject* parent)
    : QObject(parent), m_scrollView(scrollView), m_canvas(canvas)
{
    m_horizontal = new RulerWidget(Qt::Horizontal, scrollView);
    m_vertical = new RulerWidget(Qt::Vertical, scrollView);
    scrollView->setRulerViews(m_horizontal, m_vertical, RulerWidget::kThickness);
    connect(scrollView->horizontalScrollBar(), &QScrollBar::valueChanged, m_horizontal,
            &RulerWidget::setOffset);
    connect(scrollView->verticalScrollBar(), &QScrollBar::valueChanged, m_vertical, &RulerWidget::setOffset);
    connect(scrollView, &DRVZoomingScrollView::factorChanged, this, &CanvasRulers::setScale);
    setScale(scrollView->factor());
    if (canvas)
        canvas->setRulerEcho(this);
}

CanvasRulers::~CanvasRulers()
{
    if (m_canvas)
        m_canvas->setRulerEcho(nullptr);
}

void CanvasRulers::setUnitName(const QString& unitName)
{
    for (RulerWidget* ruler : {m_horizontal.data(), m_vertical.data()}) {
        if (ruler)
            ruler->setUnitName(unitName);
    }
}

void CanvasRulers::setScale(double scale)
{
    for (RulerWidget* ruler : {m_horizontal.data(), m_vertical.data()}) {
        if (ruler)
            ruler->setScale(scale);
    }
}

bool CanvasRulers::rulersVisible() const
{
    return m_horizontal && m_vertical && m_horizontal->isVisible() && m_vertical->isVisible();
}

void CanvasRulers::moveRulerlineFromLocation(Qt::Orientation ruler, double from, double to)
{
    RulerWidget* target = ruler == Qt::Horizontal ? m_horizontal.data() : m_vertical.data();
    if (target)
        target->moveRulerlineFromLocation(from, to);
}
