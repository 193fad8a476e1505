// The document window: its interface per edition, the canvas bound to the document and the
// selection, what it redraws, the canvas size, undo and redo, other windows, notifications.
#include "WindowTestSupport.h"

#include "canvas/DRVGraphicView.h"
#include "canvas/DRVGrid.h"
#include "canvas/DRVSelectionModel.h"
#include "document/DRVDocument.h"
#include "model/DRVImage.h"
#include "model/DRVRectangle.h"
#include "platform/NotificationCenter.h"
#include "platform/UndoManager.h"
#include "window/DRVWindowController.h"
#include "window/WindowPageContext.h"

#include <QComboBox>
#include <QMainWindow>
#include <QPointer>

namespace {

class WindowControllerTest : public WindowTest
{
protected:
    WindowControllerTest()
    {
        doc.undoManager()->setGroupsByEvent(false);
        g0->setBounds(QRectF(10, 10, 40, 30));
        g1->setBounds(QRectF(60, 20, 30, 30));
        g2->setBounds(QRectF(100, 60, 50, 40));
        for (DRVGraphic* g : QList<DRVGraphic*>{g0, g1, g2})
            g->setSelectable(true);
        doc.undoManager()->disableUndoRegistration();
        doc.insertGraphics({g0, g1, g2}, {0, 1, 2});
        doc.undoManager()->enableUndoRegistration();
        controller.setDocument(&doc);
        controller.window();
        view()->setRecordsDirtyRects(true);
    }

    DRVGraphicView* view() const { return controller.graphicView(); }
    QRect dirty(DRVGraphic* g) const { return view()->viewRectForCanvasRect(g->drawingBounds()); }

    DRVDocument doc;
    DRVRectangle* g0 = new DRVRectangle;
    DRVRectangle* g1 = new DRVRectangle;
    DRVRectangle* g2 = new DRVRectangle;
    DRVWindowController controller;
};

} // namespace

TEST(WindowInterface, CatalogEditionsLoadTheirOwnWindow)
{
    const struct
    {
        const char* edition;
        const char* interface;
    } rows[] = {{"Ostrevin", "PhotoCatalogSettingsWindowController"},
                {"Quellam", "PhotoCatalogSettingsWindowController"},
                {"Tirrabel", "PhotoCatalogSettingsWindowController"},
                {"quellam", "DrawWindow"},
                {"Ulmira Pro 2", "DrawWindow"},
                {"", "DrawWindow"}};
    for (const auto& row : rows)
        EXPECT_EQ(DRVWindowController::windowInterfaceNameForEdition(QString::fromUtf8(row.edition)),
                  QString::fromLatin1(row.interface))
            << row.edition;
}

TEST_F(WindowControllerTest, LoadedWindowBindsTheCanvasToTheDocumentSelectionGridAndZoom)
{
    EXPECT_EQ(controller.window()->objectName(), QStringLiteral("DrawWindow"));
    EXPECT_EQ(view()->graphicsDocument(), &doc);
    EXPECT_EQ(view()->graphics(), (QList<DRVGraphic*>{g0, g1, g2}));
    EXPECT_EQ(view()->selectionModel(), controller.graphicsController());
    EXPECT_EQ(view()->grid(), controller.grid());
    EXPECT_EQ(controller.zoomingScrollView()->widget(), view());

    // The zoom pop-up's factor reaches the canvas through the controller.
    controller.zoomingScrollView()->setFactor(2.0);
    EXPECT_DOUBLE_EQ(controller.zoomFactor(), 2.0);
    EXPECT_DOUBLE_EQ(view()->scale(), 2.0);
}

TEST_F(WindowControllerTest, PropertyChangeRedrawsOnlyTheOldAndNewDrawingBounds)
{
    const QRect before = dirty(g1);
    g1->setBounds(QRectF(70, 25, 30, 30));
    const QRect after = dirty(g1);
    EXPECT_EQ(view()->recordedDirtyRects(), (QList<QRect>{before, after}));

    view()->clearRecordedDirtyRects();
    g2->setFillColor(Qt::red);
    EXPECT_EQ(view()->recordedDirtyRects(), QList<QRect>{dirty(g2)});
}

TEST_F(WindowControllerTest, SelectionChangeRedrawsOnlyWhatChanged)
{
    controller.graphicsController()->setSelectionIndexes({0, 1});
    EXPECT_EQ(view()->recordedDirtyRects(), (QList<QRect>{dirty(g0), dirty(g1)}));

    // g1 stays selected: only g0 (now unselected) and g2 (now selected) are redrawn.
    view()->clearRecordedDirtyRects();
    controller.graphicsController()->setSelectionIndexes({1, 2});
    QList<QRect> rects = view()->recordedDirtyRects();
    std::sort(rects.begin(), rects.end(), [](const QRect& a, const QRect& b) { return a.x() < b.x(); });
    EXPECT_EQ(rects, (QList<QRect>{dirty(g0), dirty(g2)}));

    view()->clearRecordedDirtyRects();
    controller.deSelectAllObjects();
    rects = view()->recordedDirtyRects();
    std::sort(rects.begin(), rects.end(), [](const QRect& a, const QRect& b) { return a.x() < b.x(); });
    EXPECT_EQ(rects, (QList<QRect>{dirty(g1), dirty(g2)}));
}

TEST_F(WindowControllerTest, CanvasSizeFollowsTheDocument)
{
    EXPECT_EQ(view()->canvasSize(), QSizeF(200, 150));
    doc.setDocSpecificPageWidth(640);
    doc.setDocSpecificPageHeight(480);
    doc.setDocSpecificFixedCanvasFlag(1);
    EXPECT_EQ(view()->canvasSize(), QSizeF(640, 480));
    EXPECT_EQ(view()->size(), QSize(640, 480));

    // An invalid size is ignored: the canvas keeps its frame.
    controller.observeDocumentCanvasSize(QSizeF());
    EXPECT_EQ(view()->canvasSize(), QSizeF(640, 480));
}

TEST_F(WindowControllerTest, UndoAndRedoRestoreThePropertyAndSelectWhatTheyTouched)
{
    doc.undoManager()->beginUndoGrouping();
    g1->setFillColor(Qt::blue);
    doc.undoManager()->endUndoGrouping();
    ASSERT_EQ(doc.undoManager()->undoActionName(), QStringLiteral("Change of Fill Color"));

    controller.undo();
    EXPECT_NE(g1->fillColor(), QColor(Qt::blue));
    EXPECT_EQ(controller.graphicsController()->selectionIndexes(), QList<int>{1});
    EXPECT_EQ(doc.undoManager()->redoActionName(), QStringLiteral("Change of Fill Color"));

    controller.graphicsController()->setSelectionIndexes({});
    controller.redo();
    EXPECT_EQ(g1->fillColor(), QColor(Qt::blue));
    EXPECT_EQ(controller.graphicsController()->selectionIndexes(), QList<int>{1});

    // Nothing left to redo: nothing happens.
    controller.redo();
    EXPECT_EQ(g1->fillColor(), QColor(Qt::blue));
}

TEST_F(WindowControllerTest, DetachingTheDocumentKeepsOnlyTheSelectionBinding)
{
    controller.setDocument(nullptr);
    EXPECT_EQ(view()->graphicsDocument(), nullptr);
    EXPECT_EQ(view()->grid(), nullptr);
    EXPECT_EQ(view()->selectionModel(), controller.graphicsController());

    // The zoom binding went too.
    controller.zoomingScrollView()->setFactor(3.0);
    EXPECT_DOUBLE_EQ(controller.zoomFactor(), 1.0);
}

TEST_F(WindowControllerTest, DocumentDestroyedBehindTheWindowUnbindsTheCanvas)
{
    auto* other = new DRVDocument;
    auto* r = new DRVRectangle;
    other->insertGraphics({r}, {0});
    DRVWindowController second;
    second.setDocument(other);
    second.window();
    ASSERT_EQ(second.graphicView()->graphicsDocument(), other);
    delete other;
    EXPECT_EQ(second.document(), nullptr);
    EXPECT_TRUE(second.graphicView()->graphics().isEmpty());
}

TEST_F(WindowControllerTest, AnotherWindowBindsItsOwnCanvasToTheSameGraphics)
{
    QPointer<DRVWindowController> created;
    QObject::connect(&controller, &DRVWindowController::windowControllerCreated,
                     [&created](DRVWindowController* c) { created = c; });
    DRVWindowController* second = controller.newDocumentWindow();
    ASSERT_TRUE(second);
    EXPECT_EQ(created, second);
    EXPECT_NE(second->graphicView(), view());
    EXPECT_EQ(second->graphicView()->graphics(), view()->graphics());
    EXPECT_EQ(DRVWindowController::controllersForDocument(&doc).size(), 2);

    // Both canvases redraw a change of the shared graphic.
    second->graphicView()->setRecordsDirtyRects(true);
    g0->setFillColor(Qt::green);
    EXPECT_FALSE(second->graphicView()->recordedDirtyRects().isEmpty());
    EXPECT_FALSE(view()->recordedDirtyRects().isEmpty());
    delete second;
}

TEST_F(WindowControllerTest, PageColourGoesToTheCanvas)
{
    doc.setPageColor(QColor(0x33, 0x66, 0x99));
    doc.setPageColorHexString(QStringLiteral("336699"));
    controller.refreshPageBackgroundColor();
    EXPECT_EQ(controller.getDocumentColor(), QColor(0x33, 0x66, 0x99));
    EXPECT_EQ(controller.getDocumentColorHexString(), QStringLiteral("336699"));
    EXPECT_EQ(view()->pageColorHexString(), QStringLiteral("336699"));

    // The document rebuilt in place brings its new colour.
    doc.setPageColor(Qt::yellow);
    doc.setPageColorHexString(QStringLiteral("FFFF00"));
    emit doc.pageReloaded();
    EXPECT_EQ(controller.getDocumentColor(), QColor(Qt::yellow));
}

TEST_F(WindowControllerTest, GridItemsToggleTheGrid)
{
    const bool shown = controller.grid()->isAlwaysShown();
    const bool constraining = controller.grid()->isConstraining();
    EXPECT_TRUE(controller.performAction(QStringLiteral("toggleGridShowing:")));
    EXPECT_TRUE(controller.performAction(QStringLiteral("toggleGridConstraining:")));
    EXPECT_EQ(controller.grid()->isAlwaysShown(), !shown);
    EXPECT_EQ(controller.grid()->isConstraining(), !constraining);
    EXPECT_FALSE(controller.performAction(QStringLiteral("noSuchAction:")));

    MenuItemState item;
    item = controller.validateMenuItem(QStringLiteral("toggleGridShowing:"), item);
    EXPECT_TRUE(item.checkable);
    EXPECT_EQ(item.checked, !shown);
}

TEST_F(WindowControllerTest, DocumentNotificationsCountOnlyForTheWindowsOwnDocument)
{
    platform::NotificationCenter& center = platform::NotificationCenter::defaultCenter();
    DRVDocument other;
    center.post(QStringLiteral("refreshDocIcon"), &other);
    center.post(QStringLiteral("displayProfilePopover"), &other);
    EXPECT_EQ(controller.handledNotificationCount(), 0);

    center.post(QStringLiteral("refreshDocIcon"), &doc);
    center.post(QStringLiteral("websiteUpdated"), &other); // any sender
    center.post(QStringLiteral("unbindEverything"));
    EXPECT_EQ(controller.handledNotificationCount(), 3);

    // A window that is gone hears nothing (and nothing crashes).
    auto* gone = new DRVWindowController;
    gone->setDocument(&doc);
    gone->window();
    delete gone;
    center.post(QStringLiteral("refreshDocIcon"), &doc);
    EXPECT_EQ(controller.handledNotificationCount(), 4);
}

TEST_F(WindowControllerTest, RulerUnitComesFromTheDefaultsThenTheEditionThenPoints)
{
    EXPECT_EQ(DRVWindowController::rulerUnitName(), QStringLiteral("Points"));
    edition().gRulerUnitName = QStringLiteral("Inches");
    EXPECT_EQ(DRVWindowController::rulerUnitName(), QStringLiteral("Inches"));
    platform::UserDefaults::standard().setObject(QStringLiteral("RulerUnits"), QStringLiteral("Centimeters"));
    EXPECT_EQ(DRVWindowController::rulerUnitName(), QStringLiteral("Centimeters"));
}

TEST(WindowTemplates, TitlesJoinBrandNumberAndDescriptionTrimmed)
{
    const QList<LabelTemplateHelper> templates{
        LabelTemplateHelper(QStringLiteral("Avery"), QStringLiteral("5160"),
                            QStringLiteral("Address Labels")),
        LabelTemplateHelper(QString(), QString(), QStringLiteral("Business Cards"))};
    EXPECT_EQ(DRVWindowController::labelTemplateTitles(templates),
              (QStringList{QStringLiteral("Avery 5160 Address Labels"), QStringLiteral("Business Cards")}));
    EXPECT_TRUE(DRVWindowController::labelTemplateTitles({}).isEmpty());
}

TEST_F(WindowControllerTest, TemplatePopUpsHoldOneItemPerLabelTemplate)
{
    ASSERT_EQ(controller.templatePopUps().size(), 7);
    for (QComboBox* popUp : controller.templatePopUps())
        EXPECT_EQ(popUp->count(), edition().gLabelTemplateList.size());
}

TEST_F(WindowControllerTest, PageContextAnswersFromTheMainWindow)
{
    QTemporaryDir folder;
    doc.setPagePath(folder.filePath(QStringLiteral("page.html")));
    auto* image = new DRVImage;
    image->setImageName(QStringLiteral("image4"));
    doc.insertGraphics({image}, {0});

    PageContext* previous = PageContext::install(nullptr);
    WindowPageContext::installForProcess();
    controller.showWindow();
    PageContext& context = PageContext::current();
    EXPECT_TRUE(context.hasWindowController());
    EXPECT_EQ(context.nextImageName(), QStringLiteral("image5"));
    EXPECT_EQ(context.currentDocPath(), folder.filePath(QStringLiteral("page")));
    view()->setLastTouchPoint(QPointF(12, 34));
    EXPECT_EQ(context.lastTouchPoint(), QPointF(12, 34));
    context.setSelectedShapeColor(Qt::magenta);
    EXPECT_EQ(controller.selectedShapeColor(), QColor(Qt::magenta));
    PageContext::install(previous);
}
