// Test doubles for the model: a page context with scripted answers that records what it is told,
// a section table, an image graphic, and a guard that puts the edition settings back.
#pragma once
#include "editions/EditionSettings.h"
#include "model/DRVGraphic.h"
#include "model/PageContext.h"
#include "platform/Geometry.h"

#include <QHash>
#include <QList>

class FakePageContext : public PageContext
{
public:
    QHash<int, DRVGraphic*> sections;
    QList<QRectF> occupied; // other graphics' bounds
    QList<DRVGraphic*> sectionMembers;
    DRVGraphic* topMost = nullptr;
    DRVGraphic* bottomMost = nullptr;
    QPointF touchPoint;
    QString nextImage;
    QString docPath;

    QList<QRectF> pushedByOnePixel;
    QList<QRectF> pushedByDifference;
    QList<DRVGraphic*> realignedSections;
    QList<DRVGraphic*> gridChecks;
    int formRealignments = 0;
    QHash<QString, QColor> colours;
    int colourButtonRefreshes = 0;
    int inspectorRefreshes = 0;

    QString nextImageName() override { return nextImage; }
    QString currentDocPath() override { return docPath; }
    QPointF lastTouchPoint() override { return touchPoint; }
    DRVGraphic* grabMySection(int number) override { return sections.value(number); }
    QList<DRVGraphic*> findObjectsInSection(DRVGraphic* section) override
    {
        return section->isSectionTable() ? sectionMembers : QList<DRVGraphic*>{};
    }
    bool isThereGraphicAtNewLocation(DRVGraphic*, const QRectF& rect) override
    {
        return isThereGraphicAtRect(rect);
    }
    bool isThereGraphicAtRect(const QRectF& rect) override
    {
        for (const QRectF& other : occupied) {
            if (platform::rectIntersectsRect(other, rect))
                return true;
        }
        return false;
    }
    DRVGraphic* grabTopMostObjectInSection(DRVGraphic*) override { return topMost; }
    DRVGraphic* grabBottomMostObjectInSection(DRVGraphic*) override { return bottomMost; }
    void identifyAndPushSectionsDownwardByOnePixel(const QRectF& strip) override
    {
        pushedByOnePixel.append(strip);
    }
    void identifyAndPushSectionsDownwardByDifference(const QRectF& strip) override
    {
        pushedByDifference.append(strip);
    }
    void reAlignSectionObjects(DRVGraphic* section) override { realignedSections.append(section); }
    DRVGraphic* isObjectStillInSameSectionGrid(QPointF, DRVGraphic* graphic) override
    {
        gridChecks.append(graphic);
        return graphic;
    }
    void reAlignFormOptions() override { ++formRealignments; }
    void setSelectedTextColor(const QColor& c) override { colours.insert(QStringLiteral("text"), c); }
    void setSelectedShapeColor(const QColor& c) override { colours.insert(QStringLiteral("shape"), c); }
    void setSelectedHoverColor(const QColor& c) override { colours.insert(QStringLiteral("hover"), c); }
    void setSelectedHoverTextColor(const QColor& c) override
    {
        colours.insert(QStringLiteral("hoverText"), c);
    }
    void setSelectedBorderColor(const QColor& c) override { colours.insert(QStringLiteral("border"), c); }
    void refreshColorButtons() override { ++colourButtonRefreshes; }
    void refreshInspectorPanel() override { ++inspectorRefreshes; }
};

// A section table as the section rules see it.
class FakeSectionTable : public DRVGraphic
{
public:
    QString type = QStringLiteral("section");
    QString gridType() const override { return type; }
};

// An image graphic as resizing sees it.
class FakeImageGraphic : public DRVGraphic
{
public:
    QSizeF picture{100, 50};
    int originalRectUpdates = 0;
    bool isImageGraphic() const override { return true; }
    QSizeF inputImageSize() const override { return picture; }
    void updateOriginalRect() override { ++originalRectUpdates; }
};

// Puts the edition settings back as they were.
class EditionGuard
{
public:
    EditionGuard() : m_saved(edition())
    {
        edition().gCanvasDisplayScale = 1.0f;
        edition().gSelectionHandleSize = 2.0f;
        edition().gResponsiveLayoutFlag = false;
        edition().gOverlapCheckFlag = false;
    }
    ~EditionGuard() { edition() = m_saved; }
    EditionGuard(const EditionGuard&) = delete;
    EditionGuard& operator=(const EditionGuard&) = delete;

private:
    EditionSettings m_saved;
};
