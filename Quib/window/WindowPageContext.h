// The page context the model asks, answered from the main window: its document's image names and
// page path, the canvas's last touch point, the page's sections and what lies where (through the
// window's canvas forwarders), and the inspector colours kept by its controller. With no document
// window open every question gets the "nothing" answer.
#pragma once
#include "model/PageContext.h"

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

    DRVGraphic* grabMySection(int sectionNumber) override;
    QList<DRVGraphic*> findObjectsInSection(DRVGraphic* section) override;
    bool isThereGraphicAtNewLocation(DRVGraphic* graphic, const QRectF& rect) override;
    bool isThereGraphicAtRect(const QRectF& rect) override;
    DRVGraphic* grabTopMostObjectInSection(DRVGraphic* section) override;
    DRVGraphic* grabBottomMostObjectInSection(DRVGraphic* section) override;
    void identifyAndPushSectionsDownwardByOnePixel(const QRectF& strip) override;
    void identifyAndPushSectionsDownwardByDifference(const QRectF& strip) override;
    void reAlignSectionObjects(DRVGraphic* section) override;
    DRVGraphic* isObjectStillInSameSectionGrid(QPointF point, DRVGraphic* graphic) override;
    void reAlignFormOptions() override;

    void setSelectedTextColor(const QColor& color) override;
    void setSelectedShapeColor(const QColor& color) override;
    void setSelectedHoverColor(const QColor& color) override;
    void setSelectedHoverTextColor(const QColor& color) override;
    void setSelectedBorderColor(const QColor& color) override;
    void refreshColorButtons() override;
    void refreshInspectorPanel() override;
};
