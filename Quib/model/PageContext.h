// What a graphic needs of the page around it: the next image name, the document's path, the last
// touch point, the page's sections, and the inspector's colour buttons. The window layer installs
// the real one at start-up; with none installed every question gets the "nothing" answer (a null
// string, the zero point, no section, no graphic in the way) and every message goes nowhere.
#pragma once
#include <QColor>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>

class DRVGraphic;

class PageContext
{
public:
    virtual ~PageContext();

    // The installed context, or one that answers nothing. Main thread only.
    static PageContext& current();
    // Installs context (not owned; nullptr uninstalls) and returns the one it replaces.
    static PageContext* install(PageContext* context);
    static bool isInstalled();

    // ---- page and document ----
    // The next free image file name of the page.
    virtual QString nextImageName() { return {}; }
    // The current document's page path without its extension.
    virtual QString currentDocPath() { return {}; }
    // The last point pressed on the canvas, in canvas coordinates.
    virtual QPointF lastTouchPoint() { return {}; }
    // Whether a document window controller stands behind the main window, and its page name.
    virtual bool hasWindowController() { return false; }
    virtual QString documentPageName() { return {}; }

    // ---- sections and overlap ----
    // The section table with that section number.
    virtual DRVGraphic* grabMySection(int sectionNumber)
    {
        Q_UNUSED(sectionNumber);
        return nullptr;
    }
    // The members of a section table, each marked with movingAsPartOfSection unless selected.
    virtual QList<DRVGraphic*> findObjectsInSection(DRVGraphic* section)
    {
        Q_UNUSED(section);
        return {};
    }
    // Whether another graphic of the graphic's kind (sections or non-sections) intersects rect.
    virtual bool isThereGraphicAtNewLocation(DRVGraphic* graphic, const QRectF& rect)
    {
        Q_UNUSED(graphic);
        Q_UNUSED(rect);
        return false;
    }
    // Whether any graphic that is not a section table intersects rect.
    virtual bool isThereGraphicAtRect(const QRectF& rect)
    {
        Q_UNUSED(rect);
        return false;
    }
    virtual DRVGraphic* grabTopMostObjectInSection(DRVGraphic* section)
    {
        Q_UNUSED(section);
        return nullptr;
    }
    virtual DRVGraphic* grabBottomMostObjectInSection(DRVGraphic* section)
    {
        Q_UNUSED(section);
        return nullptr;
    }
    virtual void identifyAndPushSectionsDownwardByOnePixel(const QRectF& strip) { Q_UNUSED(strip); }
    virtual void identifyAndPushSectionsDownwardByDifference(const QRectF& strip) { Q_UNUSED(strip); }
    virtual void reAlignSectionObjects(DRVGraphic* section) { Q_UNUSED(section); }
    // Moves the graphic into the section cell under point when it has left its own; returns it.
    virtual DRVGraphic* isObjectStillInSameSectionGrid(QPointF point, DRVGraphic* graphic)
    {
        Q_UNUSED(point);
        return graphic;
    }
    virtual void reAlignFormOptions() {}

    // ---- inspector colour buttons ----
    virtual void setSelectedTextColor(const QColor& color) { Q_UNUSED(color); }
    virtual void setSelectedShapeColor(const QColor& color) { Q_UNUSED(color); }
    virtual void setSelectedHoverColor(const QColor& color) { Q_UNUSED(color); }
    virtual void setSelectedHoverTextColor(const QColor& color) { Q_UNUSED(color); }
    virtual void setSelectedBorderColor(const QColor& color) { Q_UNUSED(color); }
    virtual void refreshColorButtons() {}
    virtual void refreshInspectorPanel() {}
};

// Installs a context for the lifetime of a scope (tests), putting the previous one back.
class ScopedPageContext
{
public:
    explicit ScopedPageContext(PageContext* context) : m_previous(PageContext::install(context)) {}
    ~ScopedPageContext() { PageContext::install(m_previous); }
    ScopedPageContext(const ScopedPageContext&) = delete;
    ScopedPageContext& operator=(const ScopedPageContext&) = delete;

private:
    PageContext* m_previous;
};
