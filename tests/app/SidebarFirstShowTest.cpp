// The sidebar inspector as a page window first shows it: its selected "Add" tab already holds the
// edition's objects, with no click on another tab first.
#include "AppTestSupport.h"

#include "window/DragIconView.h"
#include "window/PaletteCatalogue.h"
#include "window/inspector/InspectorPanel.h"
#include "window/inspector/SegmentedControl.h"

#include <QApplication>

namespace {

class SidebarFirstShowTest : public WindowedAppTest, public ::testing::WithParamInterface<const char*>
{
};

int listedFor(const QString& category, const QString& extension)
{
    int n = 0;
    for (const PaletteEntry& entry : PaletteCatalogue::entries())
        n += PaletteCatalogue::isListed(entry, category, extension) ? 1 : 0;
    return n;
}

} // namespace

TEST_P(SidebarFirstShowTest, AddTabHoldsItsTilesWhenThePageOpens)
{
    ScopedEdition chosen{QString::fromLatin1(GetParam())};
    useWorkingFolders();
    ASSERT_TRUE(edition().gSidebarInspectorFlag);
    DRVDocument page;
    const QString path = m_root.filePath(QStringLiteral("first.") + edition().gDocumentExtension);
    ASSERT_TRUE(page.saveDocumentTo(path)) << qPrintable(page.lastFileErrorText());
    DRVWindowController* window = documents.openDocumentWithContentsOfPath(path);
    ASSERT_NE(window, nullptr);
    window->window()->show();
    QApplication::processEvents();

    auto* tabs =
        window->window()->findChild<SegmentedControl*>(QStringLiteral("sidebarSwitchSegmentedControl"));
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->selectedIndex(), 0);
    const int expected = listedFor(edition().gPaletteResourcePrefix, window->document()->pageFileExtension());
    ASSERT_GT(expected, 0);
    const QList<DragIconView*> tiles = window->paletteTiles();
    ASSERT_EQ(int(tiles.size()), expected);
    for (DragIconView* tile : tiles)
        EXPECT_TRUE(tile->isVisible());
    keepScreenshot(window->window(),
                   QStringLiteral("sidebar-first-show-%1.png").arg(GetParam()).replace(' ', '-'));
}

INSTANTIATE_TEST_SUITE_P(Editions, SidebarFirstShowTest,
                         ::testing::Values("Kestrin Label Maker", "Brumel Responsive Website Designer"));
