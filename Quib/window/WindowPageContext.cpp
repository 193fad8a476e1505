#include "window/WindowPageContext.h"

#include "canvas/DRVGraphicView.h"
#include "document/DRVDocument.h"
#include "window/DRVWindowController.h"

void WindowPageContext::installForProcess()
{
    static WindowPageContext context;
    PageContext::install(&context);
}

DRVWindowController* WindowPageContext::mainController()
{
    return DRVWindowController::mainWindowController();
}

QString WindowPageContext::nextImageName()
{
    DRVWindowController* controller = mainController();
    return controller ? controller->grabNextImageName() : QString();
}

QString WindowPageContext::currentDocPath()
{
    DRVWindowController* controller = mainController();
    return controller ? controller->grabCurrentDocPath() : QString();
}

QPointF WindowPageContext::lastTouchPoint()
{
    DRVWindowController* controller = mainController();
    return controller && controller->graphicView() ? controller->graphicView()->lastTouchPoint() : QPointF();
}

bool WindowPageContext::hasWindowController()
{
    return mainController() != nullptr;
}

QString WindowPageContext::documentPageName()
{
    DRVWindowController* controller = mainController();
    return controller && controller->document() ? controller->document()->pageName() : QString();
}

void WindowPageContext::setSelectedTextColor(const QColor& color)
{
    if (DRVWindowController* controller = mainController())
        controller->setSelectedTextColor(color);
}

void WindowPageContext::setSelectedShapeColor(const QColor& color)
{
    if (DRVWindowController* controller = mainController())
        controller->setSelectedShapeColor(color);
}

void WindowPageContext::setSelectedHoverColor(const QColor& color)
{
    if (DRVWindowController* controller = mainController())
        controller->setSelectedHoverColor(color);
}

void WindowPageContext::setSelectedHoverTextColor(const QColor& color)
{
    if (DRVWindowController* controller = mainController())
        controller->setSelectedHoverTextColor(color);
}

void WindowPageContext::setSelectedBorderColor(const QColor& color)
{
    if (DRVWindowController* controller = mainController())
        controller->setSelectedBorderColor(color);
}
