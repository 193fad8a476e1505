// Shared set-up of the sidebar inspector's tests: a page of the given graphics in a shown window of
// the "Quib" category, its Format tab chosen, and the helpers the tests drive it with.
#pragma once
#include "window/WindowTestSupport.h"

#include "document/DRVDocument.h"
#include "platform/UndoManager.h"
#include "window/DRVWindowController.h"
#include "window/inspector/InspectorPanel.h"
#include "window/inspector/SegmentedControl.h"

#include <QCoreApplication>
#include <QDir>
#include <QTest>
#include <QToolButton>

// Kept in <build>/artefacts beside the test executable for a person to look at.
inline void keepScreenshot(QWidget* widget, const QString& name)
{
    const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/artefacts");
    QDir().mkpath(folder);
    const QImage image = widget->grab().toImage();
    EXPECT_FALSE(image.isNull());
    image.save(folder + QLatin1Char('/') + name);
}

class SidebarInspectorTest : public WindowTest
{
protected:
    SidebarInspectorTest()
    {
        EditionSettings& e = edition();
        e.gSidebarInspectorFlag = true;
        e.gPaletteResourcePrefix = QStringLiteral("Quib");
        e.gResponsiveLayoutFlag = false;
    }

    // Puts the graphics on the page (front to back), shows the window and chooses a sidebar tab.
    void open(const QList<DRVGraphic*>& graphics, int tab = 1)
    {
        QList<int> indexes;
        for (int i = 0; i < int(graphics.size()); ++i)
            indexes.append(i);
        doc.undoManager()->disableUndoRegistration();
        doc.insertGraphics(graphics, indexes);
        doc.undoManager()->enableUndoRegistration();
        for (DRVGraphic* g : doc.graphics())
            g->setSelectable(true);
        controller.setDocument(&doc);
        controller.showWindow();
        panel = controller.inspector();
        clickTab(tab);
    }
    void clickTab(int segment)
    {
        QTest::mouseClick(panel->sidebarSwitchSegmentedControl()->segmentButton(segment), Qt::LeftButton);
    }
    void select(const QList<int>& indexes) { controller.graphicView()->changeSelectionIndexes(indexes); }
    template <class T = QWidget> T* control(const char* name)
    {
        return panel->control<T>(QString::fromLatin1(name));
    }

    DRVDocument doc;
    DRVWindowController controller;
    InspectorPanel* panel = nullptr;
};
