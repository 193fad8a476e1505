// The page context while a canvas runs one of its own commands: the model's questions about the
// page (sections, free places, the clicked point, the page path) are answered by that canvas, whose
// window need not be the one in front; everything else goes to the context it stands in for. It is
// installed for its lifetime. Main thread only.
#pragma once
#include "model/PageContext.h"

class DRVGraphicView;

class DRVCanvasPageContext : public PageContext
{
public:
    explicit DRVCanvasPageContext(DRVGraphicView* canvas);
    ~DRVCanvasPageContext() override;
    DRVCanvasPageContext(const DRVCanvasPageContext&) = delete;
    DRVCanvasPageContext& operator=(const DRVCanvasPageContext&) = delete;

    QString nextImageName() override { return outer().nextImageName(); }
    QString currentDocPath() override;
    QPointF lastTouchPoint() override;
    bool hasWindowController() override { return outer().hasWindowController(); }
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

    void setSelectedTextColor(const QColor& color) override { outer().setSelectedTextColor(color); }
    void setSelectedShapeColor(const QColor& color) override { outer().setSelectedShapeColor(color); }
    void setSelectedHoverColor(const QColor& color) override { outer().setSelectedHoverColor(color); }
    void setSelectedHoverTextColor(const QColor& color) override { outer().setSelectedHoverTextColor(color); }
    void setSelectedBorderColor(const QColor& color) override { outer().setSelectedBorderColor(color); }
    void refreshColorButtons() override { outer().refreshColorButtons(); }
    void refreshInspectorPanel() override { outer().refreshInspectorPanel(); }

private:
    PageContext& outer();

    DRVGraphicView* m_canvas;
    PageContext* m_previous;
};
