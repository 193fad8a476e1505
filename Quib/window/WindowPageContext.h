// The page context the model asks, answered from the main window: its document's image names and
// page path, the canvas's last touch point, and the inspector colours kept by its controller. With
// no document window open every question gets the "nothing" answer. The section questions keep
// those answers until the canvas's section commands exist.
#pragma once
#include "model/PageContext.h"

class DRVWindowController;

class WindowPageContext : public PageContext
{
public:
    // Installs the one context for the process (the application does this at start-up).
    static void installForProcess();

    QString nextImageName() override;
    QString currentDocPath() override;
    QPointF lastTouchPoint() override;
    bool hasWindowController() override;
    QString documentPageName() override;

    void setSelectedTextColor(const QColor& color) override;
    void setSelectedShapeColor(const QColor& color) override;
    void setSelectedHoverColor(const QColor& color) override;
    void setSelectedHoverTextColor(const QColor& color) override;
    void setSelectedBorderColor(const QColor& color) override;

private:
    static DRVWindowController* mainController();
};
