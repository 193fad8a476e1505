#include "window/WindowPageContext.h"

#include "canvas/DRVGraphicView.h"
#include "document/DRVDocument.h"
#include "window/DRVWindowController.h"

namespace {

// The main window's answer, or the "nothing" answer when no document window is open.
template <typename Result, typename Question> Result answer(Result nothing, Question question)
{
    DRVWindowController* controller = DRVWindowController::mainWindowController();
    return controller ? question(*controller) : nothing;
}

template <typename Command> void tell(Command command)
{
    if (DRVWindowController* controller = DRVWindowController::mainWindowController())
        command(*controller);
}

} // namespace

void WindowPageContext::installForProcess()
{
    static WindowPageContext context;
    PageContext::install(&context);
}

QString WindowPageContext::nextImageName()
{
    return answer(QString(), [](DRVWindowController& c) { return c.grabNextImageName(); });
}

QString WindowPageContext::currentDocPath()
{
    return answer(QString(), [](DRVWindowController& c) { return c.grabCurrentDocPath(); });
}

QPointF WindowPageContext::lastTouchPoint()
{
    return answer(QPointF(), [](DRVWindowController& c) {
        return c.graphicView() ? c.graphicView()->lastTouchPoint() : QPointF();
    });
}

bool WindowPageContext::hasWindowController()
{
    return answer(false, [](DRVWindowController&) { return true; });
}

QString WindowPageContext::documentPageName()
{
    return answer(QString(),
                  [](DRVWindowController& c) { return c.document() ? c.document()->pageName() : QString(); });
}

DRVGraphic* WindowPageContext::grabMySection(int sectionNumber)
{
    return answer<DRVGraphic*>(nullptr,
                               [=](DRVWindowController& c) { return c.grabMySection(sectionNumber); });
}

QList<DRVGraphic*> WindowPageContext::findObjectsInSection(DRVGraphic* section)
{
    return answer(QList<DRVGraphic*>(),
                  [=](DRVWindowController& c) { return c.findObjectsInSection(section); });
}

bool WindowPageContext::isThereGraphicAtNewLocation(DRVGraphic* graphic, const QRectF& rect)
{
    return answer(false,
                  [&](DRVWindowController& c) { return c.isThereGraphicAtNewLocation(graphic, rect); });
}

bool WindowPageContext::isThereGraphicAtRect(const QRectF& rect)
{
    return answer(false, [&](DRVWindowController& c) { return c.isThereGraphicAtRect(rect); });
}

DRVGraphic* WindowPageContext::grabTopMostObjectInSection(DRVGraphic* section)
{
    return answer<DRVGraphic*>(nullptr,
                               [=](DRVWindowController& c) { return c.grabTopMostObjectInSection(section); });
}

DRVGraphic* WindowPageContext::grabBottomMostObjectInSection(DRVGraphic* section)
{
    return answer<DRVGraphic*>(
        nullptr, [=](DRVWindowController& c) { return c.grabBottomMostObjectInSection(section); });
}

void WindowPageContext::identifyAndPushSectionsDownwardByOnePixel(const QRectF& strip)
{
    tell([&](DRVWindowController& c) { c.identifyAndPushSectionsDownwardByOnePixel(strip); });
}

void WindowPageContext::identifyAndPushSectionsDownwardByDifference(const QRectF& strip)
{
    tell([&](DRVWindowController& c) { c.identifyAndPushSectionsDownwardByDifference(strip); });
}

void WindowPageContext::reAlignSectionObjects(DRVGraphic* section)
{
    tell([=](DRVWindowController& c) { c.reAlignSectionObjects(section); });
}

DRVGraphic* WindowPageContext::isObjectStillInSameSectionGrid(QPointF point, DRVGraphic* graphic)
{
    return answer(graphic,
                  [=](DRVWindowController& c) { return c.isObjectStillInSameSectionGrid(point, graphic); });
}

void WindowPageContext::reAlignFormOptions()
{
    tell([](DRVWindowController& c) { c.reAlignFormOptions(); });
}

void WindowPageContext::setSelectedTextColor(const QColor& color)
{
    tell([&](DRVWindowController& c) { c.setSelectedTextColor(color); });
}

void WindowPageContext::setSelectedShapeColor(const QColor& color)
{
    tell([&](DRVWindowController& c) { c.setSelectedShapeColor(color); });
}

void WindowPageContext::setSelectedHoverColor(const QColor& color)
{
    tell([&](DRVWindowController& c) { c.setSelectedHoverColor(color); });
}

void WindowPageContext::setSelectedHoverTextColor(const QColor& color)
{
    tell([&](DRVWindowController& c) { c.setSelectedHoverTextColor(color); });
}

void WindowPageContext::setSelectedBorderColor(const QColor& color)
{
    tell([&](DRVWindowController& c) { c.setSelectedBorderColor(color); });
}

void WindowPageContext::refreshColorButtons()
{
    tell([](DRVWindowController& c) { c.refreshColorButtons(); });
}

void WindowPageContext::refreshInspectorPanel()
{
    tell([](DRVWindowController& c) { c.refreshInspectorPanel(); });
}
