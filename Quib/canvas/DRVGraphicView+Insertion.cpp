#include "canvas/DRVGraphicView.h"
#include "document/DRVDocument.h"
#include "platform/UserDefaults.h"

#include <QRegion>
#include <cmath>

QPointF DRVGraphicView::visibleOrigin() const
{
    // A canvas outside any window shows from its origin.
    if (parentWidget() != nullptr) {
        const QRect shown = visibleRegion().boundingRect();
        if (!shown.isEmpty())
            return canvasPointForViewPoint(shown.topLeft());
    }
    return {};
}

QPointF DRVGraphicView::calculateOriginPoint() const
{
    const QPointF visible = visibleOrigin();
    const double x = std::trunc(visible.x() + 100);
    double y = std::trunc(visible.y() + 30);
    if (platform::UserDefaults::standard().boolForKey(QStringLiteral("InsertNewAtEndFlag")) &&
        m_graphicsContainer != nullptr)
        y = m_graphicsContainer->findMaxScreenHeight() + 30;
    return {x, y};
}
