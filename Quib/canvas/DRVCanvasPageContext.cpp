#include "canvas/DRVCanvasPageContext.h"

#include "canvas/DRVGraphicView.h"
#include "document/DRVDocument.h"

DRVCanvasPageContext::DRVCanvasPageContext(DRVGraphicView* canvas)
    : m_canvas(canvas), m_previous(PageContext::install(this))
{
}

DRVCanvasPageContext::~DRVCanvasPageContext()
{
    PageContext::install(m_previous);
}

PageContext& DRVCanvasPageContext::outer()
{
    static PageContext nothing;
    return m_previous ? *m_previous : nothing;
}

QString DRVCanvasPageContext::currentDocPath()
{
    return m_canvas->tempPagePath();
}

QPointF DRVCanvasPageContext::lastTouchPoint()
{
    return m_canvas->lastTouchPoint();
}

QString DRVCanvasPageContext::documentPageName()
{
    const DRVDocument* document = m_canvas->graphicsDocument();
    return document ? document->pageName() : QString();
}

DRVGraphic* DRVCanvasPageContext::grabMySection(int sectionNumber)
{
    return m_canvas->grabMySection(sectionNumber);
}

QList<DRVGraphic*> DRVCanvasPageContext::findObjectsInSection(DRVGraphic* section)
{
    return m_canvas->findObjectsInSection(section);
}

bool DRVCanvasPageContext::isThereGraphicAtNewLocation(DRVGraphic* graphic, const QRectF& rect)
{
    return m_canvas->isThereGraphicAtNewLocation(graphic, rect);
}

bool DRVCanvasPageContext::isThereGraphicAtRect(const QRectF& rect)
{
    return m_canvas->isThereGraphicAtRect(rect);
}

DRVGraphic* DRVCanvasPageContext::grabTopMostObjectInSection(DRVGraphic* section)
{
    return m_canvas->grabTopMostObjectInSection(section);
}

DRVGraphic* DRVCanvasPageContext::grabBottomMostObjectInSection(DRVGraphic* section)
{
    return m_canvas->grabBottomMostObjectInSection(section);
}

void DRVCanvasPageContext::identifyAndPushSectionsDownwardByOnePixel(const QRectF& strip)
{
    m_canvas->identifyAndPushSectionsDownwardByOnePixel(strip);
}

void DRVCanvasPageContext::identifyAndPushSectionsDownwardByDifference(const QRectF& strip)
{
    m_canvas->identifyAndPushSectionsDownwardByDifference(strip);
}

void DRVCanvasPageContext::reAlignSectionObjects(DRVGraphic* section)
{
    m_canvas->reAlignSectionObjects(section);
}

DRVGraphic* DRVCanvasPageContext::isObjectStillInSameSectionGrid(QPointF point, DRVGraphic* graphic)
{
    return m_canvas->isObjectStillInSameSectionGrid(point, graphic);
}

void DRVCanvasPageContext::reAlignFormOptions()
{
    m_canvas->reAlignFormOptions();
}
