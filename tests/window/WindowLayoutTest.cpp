// The document window's layout: canvas presets, the split view's dividers, fitting the canvas's
// scroll view, the delayed page-tile rebuild, and the inspector's collapse and reopen.
#include "WindowTestSupport.h"

#include "canvas/DRVGraphicView.h"
#include "document/DRVDocument.h"
#include "editions/DataCentre.h"
#include "editions/LabelHelper.h"
#include "editions/PrintSheetGeometry.h"
#include "model/DRVZoomingScrollView.h"
#include "platform/ManualClock.h"
#include "window/DRVWindowController.h"
#include "window/InspectorView.h"
#include "window/WindowSplitView.h"
#include "window/inspector/InspectorPanel.h"

#include <QApplication>
#include <QDir>
#include <QMainWindow>
#include <QSplitterHandle>
#include <QTest>

namespace {

class WindowLayoutTest : public WindowTest
{
protected:
    WindowLayoutTest()
    {
        controller.setDocument(&doc);
        controller.window()->resize(1200, 800);
    }

    QSizeF canvas() const { return controller.graphicView()->canvasSize(); }

    void showAndSettle()
    {
        controller.window()->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(controller.window()));
        QApplication::processEvents();
    }

    DRVDocument doc;
    DRVWindowController controller;
};

} // namespace

TEST_F(WindowLayoutTest, CanvasPresetsSetTheCanvasFrame)
{
    const struct
    {
        int segment;
        QSizeF size;
    } rows[] = {{0, {450, 5000}}, {1, {1250, 10000}}, {5, {2500, 50000}}, {2, {2500, 50000}}};
    for (const auto& row : rows) {
        controller.setCanvasSize(row.segment);
        EXPECT_EQ(canvas(), row.size) << row.segment;
    }
    // The toolbar's plain preset actions reach the same presets.
    EXPECT_TRUE(controller.performAction(QStringLiteral("setMobileCanvasSize:")));
    EXPECT_EQ(canvas(), QSizeF(450, 5000));
}

TEST_F(WindowLayoutTest, MailWidthsBelongToTheOpenPage)
{
    edition().gCanvasHeight = 3000;
    const struct
    {
        int segment;
        const char* type;
        int width;
    } rows[] = {{0, "Standard", 700}, {1, "Extra Wide", 900}, {2, "Flex", 900}};
    for (const auto& row : rows) {
        controller.setMailCanvasSize(row.segment);
        EXPECT_EQ(doc.canvasSizeTypeName(), QLatin1String(row.type));
        EXPECT_EQ(edition().gCanvasWidth, row.width);
        EXPECT_EQ(canvas(), QSizeF(row.width, 3000));
    }
    // An unknown segment changes nothing.
    controller.setMailCanvasSize(0);
    controller.setMailCanvasSize(3);
    EXPECT_EQ(doc.canvasSizeTypeName(), QLatin1String("Standard"));
    EXPECT_EQ(canvas(), QSizeF(700, 3000));

    // Another window's page keeps its own choice.
    DRVDocument other;
    DRVWindowController second;
    second.setDocument(&other);
    second.setMailCanvasSize(2);
    EXPECT_EQ(doc.canvasSizeTypeName(), QLatin1String("Standard"));
    EXPECT_EQ(other.canvasSizeTypeName(), QLatin1String("Flex"));
}

TEST_F(WindowLayoutTest, AdjustCanvasSizeTypeGivesStandardItsNarrowWidth)
{
    edition().gCanvasHeight = 1000;
    const struct
    {
        QString type;
        int width;
    } rows[] = {{QStringLiteral("Standard"), 700},
                {QString(), 900},
                {QStringLiteral("Flex"), 900},
                {QStringLiteral("Extra Wide"), 900}};
    for (const auto& row : rows) {
        doc.setCanvasSizeTypeName(row.type);
        controller.adjustCanvasSizeType();
        EXPECT_EQ(canvas(), QSizeF(row.width, 1000)) << row.type.toStdString();
        EXPECT_EQ(doc.canvasSizeTypeName(), row.type);
    }
}

TEST_F(WindowLayoutTest, APageWithAMailWidthOpensAtThatWidth)
{
    edition().gCanvasHeight = 1200;
    DRVDocument page;
    page.setCanvasSizeTypeName(QStringLiteral("Standard"));
    DRVWindowController window;
    window.setDocument(&page);
    window.window();
    EXPECT_EQ(window.graphicView()->canvasSize(), QSizeF(700, 1200));
}

TEST_F(WindowLayoutTest, PaperAndCardsSegmentOneGiveTheA4SheetOfEight)
{
    DataCentre::loadPrintLabels();
    edition().gPaperSizeControlFlag = true;
    edition().gCanvasRotation = 0;
    controller.setPaperSizeSegment(1);
    controller.setNumOfCardsPerSheetSegment(1);
    ASSERT_TRUE(controller.performAction(QStringLiteral("adjustPageSize:")));
    const LabelHelper* row = DataCentre::grabLabelHelperBasedOnSelection(8, QStringLiteral("A4"));
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->paperSize, QLatin1String("A4"));
    const PrintSheetGeometry& geometry = printSheetGeometry();
    EXPECT_EQ(geometry.gPrintNumOfRowsPerSheet * geometry.gPrintNumOfColumnsPerSheet, 8);
    EXPECT_EQ(canvas(), QSizeF(edition().gCanvasWidth, edition().gCanvasHeight));
    EXPECT_EQ(canvas(), QSizeF(row->canvasWidth, row->canvasHeight));
}

TEST_F(WindowLayoutTest, RotationSwapsThePrintCanvas)
{
    DataCentre::loadPrintLabels();
    const LabelHelper* any = DataCentre::grabLabelHelperBasedOnSelection(8, QStringLiteral("A4"));
    ASSERT_NE(any, nullptr);
    ASSERT_NE(any->canvasWidth, any->canvasHeight);
    edition().gSelectedLabelSheet = any->printDescription;
    controller.rotateCanvas90Right();
    EXPECT_EQ(edition().gCanvasRotation, 90);
    EXPECT_EQ(canvas(), QSizeF(any->canvasHeight, any->canvasWidth));
    controller.rotateCanvas0();
    EXPECT_EQ(edition().gCanvasRotation, 0);
    EXPECT_EQ(canvas(), QSizeF(any->canvasWidth, any->canvasHeight));
}

TEST_F(WindowLayoutTest, OnlyTheDividerAfterThePageListMoves)
{
    controller.setOpenWebsiteFolder(QStringLiteral("/tmp/site"));
    showAndSettle();
    WindowSplitView* split = controller.splitView();
    ASSERT_EQ(split->count(), 3);
    auto dragHandle = [&](int index, int dx) {
        QSplitterHandle* handle = split->handle(index);
        const QPoint middle = handle->rect().center();
        QTest::mousePress(handle, Qt::LeftButton, {}, middle);
        QTest::mouseMove(handle, middle + QPoint(dx / 2, 0));
        QTest::mouseMove(handle, middle + QPoint(dx, 0));
        QTest::mouseRelease(handle, Qt::LeftButton, {}, middle + QPoint(dx, 0));
        QApplication::processEvents();
    };
    const QList<int> before = split->sizes();
    dragHandle(2, -80); // before the inspector: locked
    EXPECT_EQ(split->sizes(), before);
    dragHandle(1, 60); // after the page list
    EXPECT_NE(split->sizes(), before);
    // The sidebar's own dividers never move.
    WindowSplitView* sidebar = controller.sidebarSplitView();
    const QList<int> sidebarBefore = sidebar->sizes();
    QSplitterHandle* handle = sidebar->handle(1);
    QTest::mousePress(handle, Qt::LeftButton, {}, handle->rect().center());
    QTest::mouseMove(handle, handle->rect().center() + QPoint(0, 50));
    QTest::mouseRelease(handle, Qt::LeftButton, {}, handle->rect().center() + QPoint(0, 50));
    EXPECT_EQ(sidebar->sizes(), sidebarBefore);
}

TEST_F(WindowLayoutTest, TheScrollViewTakesTheNarrowerOfSpaceAndCanvas)
{
    showAndSettle();
    controller.setOpenWebsiteFolder(QStringLiteral("/tmp/site"));
    auto available = [&] {
        int width = controller.splitView()->width() - controller.sidebarSplitView()->width();
        if (!controller.isInspectorHidden())
            width -= controller.splitView()->widget(2)->width();
        return width;
    };
    // The canvas width counts as it was before the fit (the fit then re-applies the page's size).
    auto check = [&](const char* what) {
        const int expected = std::min(available(), controller.graphicView()->width());
        // Qt's dividers take their few pixels from the same space.
        const int room = controller.mainCanvasView()->width();
        controller.resetZoomScrollViewSize();
        QApplication::processEvents();
        EXPECT_EQ(controller.zoomingScrollView()->width(), std::min(expected, room)) << what;
        EXPECT_LE(available() - room, 2 * controller.splitView()->handleWidth()) << what;
    };
    controller.setCanvasSize(0); // 450 wide: narrower than the space
    check("narrow canvas");
    EXPECT_EQ(controller.zoomingScrollView()->width(), 450);
    controller.setWideCanvasSize();
    check("wide canvas");
    controller.collapseInspector();
    QApplication::processEvents();
    controller.setWideCanvasSize();
    check("inspector hidden");
    EXPECT_GT(controller.zoomingScrollView()->width(), 450);
}

TEST_F(WindowLayoutTest, WithoutAProjectTheScrollViewIsLeftAlone)
{
    showAndSettle();
    const int before = controller.zoomingScrollView()->maximumWidth();
    controller.setCanvasSize(0);
    controller.resetZoomScrollViewSize();
    EXPECT_EQ(controller.zoomingScrollView()->maximumWidth(), before);
}

TEST_F(WindowLayoutTest, SidebarResizesRebuildThePageTilesOnce)
{
    platform::ManualClock clock;
    controller.setOpenWebsiteFolder(QStringLiteral("/tmp/site"));
    showAndSettle();
    clock.advance(1000);
    const int before = controller.pageIconRefreshCount();
    WindowSplitView* split = controller.splitView();
    for (int width : {200, 240, 280}) {
        QList<int> sizes = split->sizes();
        const int delta = width - sizes[0];
        sizes[0] = width;
        sizes[1] -= delta;
        split->setSizes(sizes);
        QApplication::processEvents();
        clock.advance(30);
    }
    EXPECT_EQ(controller.pageIconRefreshCount(), before);
    clock.advance(100);
    EXPECT_EQ(controller.pageIconRefreshCount(), before + 1);
}

TEST_F(WindowLayoutTest, CollapsingUnbindsAndReopeningRebinds)
{
    showAndSettle();
    InspectorPanel* panel = controller.inspector();
    ASSERT_NE(panel, nullptr);
    ASSERT_GT(panel->binder().bindingCount(), 0);
    ASSERT_TRUE(controller.performAction(QStringLiteral("toggleInspector:")));
    EXPECT_TRUE(controller.isInspectorHidden());
    EXPECT_EQ(panel->binder().bindingCount(), 0);
    const int restored = panel->restoreBindingCount();
    ASSERT_TRUE(controller.performAction(QStringLiteral("toggleSidebarDrawer:")));
    EXPECT_FALSE(controller.isInspectorHidden());
    EXPECT_GT(panel->binder().bindingCount(), 0);
    EXPECT_GT(panel->restoreBindingCount(), restored);
}

TEST_F(WindowLayoutTest, ColumnsAreStoredAndRebuildTheTiles)
{
    const int before = controller.pageIconRefreshCount();
    ASSERT_TRUE(controller.performAction(QStringLiteral("view3Column:")));
    EXPECT_EQ(platform::UserDefaults::standard().integerForKey(QStringLiteral("numOfColumnListings")), 3);
    EXPECT_EQ(controller.pageIconRefreshCount(), before + 1);
}

TEST_F(WindowLayoutTest, AStandalonePageHasNoSidebarAndThinDividers)
{
    showAndSettle();
    // A page opened by itself.
    controller.refreshPageBackgroundColor();
    EXPECT_TRUE(controller.sidebarSplitView()->isHidden());
    EXPECT_EQ(controller.splitView()->dividerStyle(), 2);
    EXPECT_EQ(controller.splitView()->handleWidth(), 1);
    // Opening the project brings the page list back.
    controller.setOpenWebsiteFolder(QStringLiteral("/tmp/site"));
    EXPECT_FALSE(controller.sidebarSplitView()->isHidden());
    EXPECT_EQ(controller.splitView()->dividerStyle(), 1);
}

TEST_F(WindowLayoutTest, FullScreenAndToolbarHeight)
{
    EXPECT_EQ(DRVWindowController::toolbarHeightForWindow(nullptr), 0.0f);
    QMainWindow bare;
    EXPECT_EQ(DRVWindowController::toolbarHeightForWindow(&bare), 0.0f);
    EXPECT_FALSE(controller.mn_isFullScreen());
    controller.window()->showFullScreen();
    QApplication::processEvents();
    EXPECT_TRUE(controller.mn_isFullScreen());
}

TEST(WindowLayoutScreenshots, AWebAnEmailAndAPrintEditionsWindow)
{
    const struct
    {
        const char* edition;
        const char* file;
    } rows[] = {{"HTML Quib Pro", "window-layout-web.png"},
                {"Brumel Responsive Email Designer", "window-layout-email.png"},
                {"Kestrin Label Maker", "window-layout-print.png"}};
    const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/artefacts");
    QDir().mkpath(folder);
    for (const auto& row : rows) {
        ScopedEdition scoped{QString::fromLatin1(row.edition)};
        QTemporaryDir store;
        platform::UserDefaults::standard().useStoreFile(store.filePath(QStringLiteral("defaults.ini")));
        DRVDocument doc;
        DRVWindowController controller;
        controller.setDocument(&doc);
        QMainWindow* window = controller.window();
        window->resize(1200, 760);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        controller.setOpenWebsiteFolder(QStringLiteral("/tmp/project"));
        QApplication::processEvents();
        EXPECT_EQ(controller.splitView()->count(), 3) << row.edition;
        EXPECT_TRUE(controller.splitView()->widget(0)->isVisible()) << row.edition;
        EXPECT_TRUE(controller.inspectorView()->isVisible() || !edition().gInspectorOpenAtStartFlag);
        const QImage shot = window->grab().toImage();
        ASSERT_FALSE(shot.isNull());
        EXPECT_TRUE(shot.save(folder + u'/' + QLatin1String(row.file))) << row.file;
    }
}
