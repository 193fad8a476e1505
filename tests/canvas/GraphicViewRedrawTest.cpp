// What the canvas redraws when graphics, the selection, the grid and the page size change.
#include "CanvasTestSupport.h"

#include "canvas/DRVGraphicView.h"
#include "canvas/DRVGrid.h"
#include "canvas/DRVSelectionModel.h"
#include "document/DRVDocument.h"
#include "model/DRVRectangle.h"
#include "platform/ManualClock.h"
#include "platform/UndoManager.h"

#include <functional>
#include <stdexcept>

namespace {

// A rectangle that can be edited in place with a plain widget.
class EditableRectangle : public DRVRectangle
{
public:
    QWidget* newEditingViewWithSuperviewBounds(const QRectF&) override { return new QWidget; }
    void finalizeEditingView(QWidget* view) override { finalized = view; }
    QWidget* finalized = nullptr;
};

class GraphicViewRedrawTest : public CanvasTest
{
protected:
    GraphicViewRedrawTest()
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
        selection.setContent(&doc);
        view.bindGraphics(&doc);
        view.bindSelectionIndexes(&selection);
        view.setRecordsDirtyRects(true);
    }

    QRect dirty(DRVGraphic* g) const { return view.viewRectForCanvasRect(g->drawingBounds()); }

    DRVDocument doc;
    DRVSelectionModel selection;
    EditableRectangle* g0 = new EditableRectangle;
    DRVRectangle* g1 = new DRVRectangle;
    DRVRectangle* g2 = new DRVRectangle;
    DRVGraphicView view;
};

} // namespace

TEST_F(GraphicViewRedrawTest, PropertyChangeRedrawsOnlyTheOldAndNewDrawingBounds)
{
    // Handles are 10 wide at scale 1, so a drawing bound reaches 7 past the bounds.
    ASSERT_EQ(dirty(g1), QRect(53, 13, 44, 44));

    g1->setBounds(QRectF(70, 25, 30, 30));
    EXPECT_EQ(view.recordedDirtyRects(), (QList<QRect>{QRect(53, 13, 44, 44), QRect(63, 18, 44, 44)}));

    view.clearRecordedDirtyRects();
    g1->setFillColor(Qt::red);
    EXPECT_EQ(view.recordedDirtyRects(), QList<QRect>{QRect(63, 18, 44, 44)});

    view.clearRecordedDirtyRects();
    g1->setLink(QStringLiteral("http://example.com")); // not drawn: nothing to redraw
    EXPECT_TRUE(view.recordedDirtyRects().isEmpty());
}

TEST_F(GraphicViewRedrawTest, DirtyRectanglesFollowTheScale)
{
    view.setScale(2.0);
    view.clearRecordedDirtyRects();
    g1->setBounds(QRectF(70.25, 25, 30, 30));
    // Canvas (53, 13, 44, 44) doubled; the new one rounds outward to whole pixels.
    EXPECT_EQ(view.recordedDirtyRects(), (QList<QRect>{QRect(106, 26, 88, 88), QRect(126, 36, 89, 88)}));
}

TEST_F(GraphicViewRedrawTest, BindingTwiceObservesEachGraphicOnce)
{
    view.bindGraphics(&doc);
    view.clearRecordedDirtyRects();
    g0->setFillColor(Qt::blue);
    EXPECT_EQ(view.recordedDirtyRects(), QList<QRect>{dirty(g0)});
}

TEST_F(GraphicViewRedrawTest, InsertionsAndRemovalsRedrawTheirAreasAndChangeWhatIsObserved)
{
    auto* added = new DRVRectangle;
    added->setBounds(QRectF(0, 100, 20, 20));
    doc.insertGraphics({added}, {0});
    EXPECT_EQ(view.recordedDirtyRects(), QList<QRect>{dirty(added)});
    view.clearRecordedDirtyRects();
    added->setFillColor(Qt::green);
    EXPECT_EQ(view.recordedDirtyRects(), QList<QRect>{dirty(added)});

    view.clearRecordedDirtyRects();
    const QRect removedArea = dirty(g2);
    doc.undoManager()->beginUndoGrouping();
    doc.removeGraphicsAtIndexes({3});
    doc.undoManager()->endUndoGrouping();
    EXPECT_EQ(view.recordedDirtyRects(), QList<QRect>{removedArea});
    view.clearRecordedDirtyRects();
    g2->setBounds(QRectF(0, 0, 5, 5)); // kept for undo, but no longer on the page
    EXPECT_TRUE(view.recordedDirtyRects().isEmpty());

    // Undo puts it back, observed again.
    doc.undoManager()->undo();
    ASSERT_TRUE(doc.graphics().contains(g2));
    view.clearRecordedDirtyRects();
    g2->setFillColor(Qt::red);
    EXPECT_EQ(view.recordedDirtyRects(), QList<QRect>{dirty(g2)});
}

TEST_F(GraphicViewRedrawTest, SelectionChangesRedrawOnlyGraphicsWhoseSelectionChanged)
{
    struct Case
    {
        QList<int> before;
        QList<int> after;
        QList<int> redrawn; // graphics, in the order redrawn
    };
    const Case cases[] = {
        {{0, 2}, {2}, {0}},   {{2}, {1, 2}, {1}},   {{0}, {2}, {0, 2}},
        {{1, 2}, {1, 2}, {}}, {{}, {2, 0}, {0, 2}}, {{0, 1, 2}, {}, {0, 1, 2}},
    };
    const QList<DRVGraphic*> all = doc.graphics();
    for (const Case& c : cases) {
        view.changeSelectionIndexes(c.before);
        view.clearRecordedDirtyRects();
        view.changeSelectionIndexes(c.after);
        QList<QRect> expected;
        for (int index : c.redrawn)
            expected.append(dirty(all.at(index)));
        EXPECT_EQ(view.recordedDirtyRects(), expected) << c.before.size() << " -> " << c.after.size();
    }
}

TEST_F(GraphicViewRedrawTest, SelectionFollowsTheGraphicsWhenThePageChanges)
{
    view.changeSelectionIndexes({1, 2});
    auto* added = new DRVRectangle;
    doc.insertGraphics({added}, {0});
    EXPECT_EQ(view.selectedGraphics(), (QList<DRVGraphic*>{g1, g2}));
    doc.removeGraphicsAtIndexes({0, 2});
    EXPECT_EQ(view.selectionIndexes(), QList<int>{1});
    EXPECT_EQ(view.selectedGraphics(), QList<DRVGraphic*>{g2});

    // Indexes past the end or below zero select nothing.
    view.changeSelectionIndexes({-1, 1, 7});
    EXPECT_EQ(view.selectionIndexes(), QList<int>{1});
}

// A graphic inserted where a selected one stands pushes it on; the selection moves with it and
// never lands on the newcomer.
TEST_F(GraphicViewRedrawTest, InsertingAtASelectedIndexLeavesTheNewGraphicUnselected)
{
    const struct
    {
        QList<int> selected;
        QList<int> inserted;
        QList<int> expected; // indexes after the insertion
    } rows[] = {
        {{1}, {1}, {2}},
        {{0, 2}, {0}, {1, 3}},
        {{0, 1, 2}, {1, 2}, {0, 3, 4}},
        {{2}, {3}, {2}}, // appended after it: nothing moves
    };
    for (const auto& row : rows) {
        DRVDocument page;
        page.undoManager()->setGroupsByEvent(false);
        QList<DRVGraphic*> originals;
        for (int i = 0; i < 3; ++i)
            originals.append(new DRVRectangle);
        page.insertGraphics(originals, {0, 1, 2});
        DRVSelectionModel chosen;
        chosen.setContent(&page);
        DRVGraphicView canvas;
        canvas.bindGraphics(&page);
        canvas.bindSelectionIndexes(&chosen);
        canvas.changeSelectionIndexes(row.selected);
        const QList<DRVGraphic*> before = canvas.selectedGraphics();

        QList<DRVGraphic*> added;
        for (qsizetype i = 0; i < row.inserted.size(); ++i)
            added.append(new DRVRectangle);
        page.insertGraphics(added, row.inserted);
        EXPECT_EQ(canvas.selectionIndexes(), row.expected) << row.inserted.first();
        EXPECT_EQ(canvas.selectedGraphics(), before) << row.inserted.first();
        for (DRVGraphic* newcomer : added)
            EXPECT_FALSE(canvas.selectedGraphics().contains(newcomer));
    }
}

TEST_F(GraphicViewRedrawTest, TheCanvasTellsTheWindowAboutItsSelectionChanges)
{
    int told = 0;
    QObject::connect(&view, &DRVGraphicView::selectionChangedFromCanvas, [&] { ++told; });
    view.changeSelectionIndexes({0});
    EXPECT_EQ(told, 1);
    selection.setSelectionIndexes({1}); // from elsewhere, e.g. the inspector
    EXPECT_EQ(told, 1);
}

TEST_F(GraphicViewRedrawTest, AnUnboundCanvasHasNothingAndRefusesChanges)
{
    DRVGraphicView unbound;
    EXPECT_TRUE(unbound.graphics().isEmpty());
    EXPECT_TRUE(unbound.selectionIndexes().isEmpty());
    EXPECT_TRUE(unbound.selectedGraphics().isEmpty());
    try {
        unbound.mutableGraphics();
        ADD_FAILURE() << "no failure";
    } catch (const std::logic_error& e) {
        EXPECT_STREQ(e.what(), "An DRVGraphicView's 'graphics' property is not bound to anything.");
    }
    try {
        unbound.changeSelectionIndexes({0});
        ADD_FAILURE() << "no failure";
    } catch (const std::logic_error& e) {
        EXPECT_STREQ(e.what(), "An DRVGraphicView's 'selectionIndexes' property is not bound to anything.");
    }

    view.unbindGraphics();
    view.clearRecordedDirtyRects();
    g0->setFillColor(Qt::red);
    EXPECT_TRUE(view.recordedDirtyRects().isEmpty());
    EXPECT_TRUE(view.graphics().isEmpty());
}

TEST_F(GraphicViewRedrawTest, GridChangesRedrawTheWholeCanvas)
{
    DRVGrid grid;
    view.setGrid(&grid);
    view.clearRecordedDirtyRects();
    grid.setAlwaysShown(!grid.isAlwaysShown());
    grid.setColor(Qt::blue);
    EXPECT_EQ(view.recordedDirtyRects(), (QList<QRect>{view.rect(), view.rect()}));

    view.setGrid(nullptr);
    view.clearRecordedDirtyRects();
    grid.setColor(Qt::red);
    EXPECT_TRUE(view.recordedDirtyRects().isEmpty());
}

TEST_F(GraphicViewRedrawTest, CanvasSizeFollowsTheDocumentAndTheScale)
{
    EXPECT_EQ(view.size(), QSize(200, 150));
    doc.setDocSpecificPageWidth(320);
    doc.setDocSpecificPageHeight(480);
    doc.setDocSpecificFixedCanvasFlag(1);
    EXPECT_EQ(view.canvasSize(), QSizeF(320, 480));
    EXPECT_EQ(view.size(), QSize(320, 480));
    view.setProperty("scale", 0.5); // as a zooming host sets it
    EXPECT_EQ(view.size(), QSize(160, 240));
    doc.setDocSpecificFixedCanvasFlag(0);
    EXPECT_EQ(view.size(), QSize(100, 75));
}

TEST_F(GraphicViewRedrawTest, HandlesHideForHalfASecondAfterTheLastNudge)
{
    platform::ManualClock clock;
    view.changeSelectionIndexes({0, 1});
    const QRect selectedArea = view.viewRectForCanvasRect(DRVGraphic::drawingBoundsOfGraphics({g0, g1}));
    view.clearRecordedDirtyRects();

    view.hideHandlesMomentarily();
    EXPECT_TRUE(view.isHidingHandles());
    EXPECT_EQ(view.recordedDirtyRects(), QList<QRect>{selectedArea});

    clock.advance(300);
    view.hideHandlesMomentarily();
    // Past the end of the first half second, the second nudge keeps them hidden for its own.
    clock.advance(DRVGraphicView::kHandleHidingMs - 1);
    EXPECT_TRUE(view.isHidingHandles());
    clock.advance(1);
    EXPECT_FALSE(view.isHidingHandles());
    EXPECT_EQ(view.recordedDirtyRects(), (QList<QRect>{selectedArea, selectedArea, selectedArea}));
}

TEST_F(GraphicViewRedrawTest, RemovingTheEditedGraphicEndsTheEditing)
{
    view.startEditingGraphic(g0);
    ASSERT_EQ(view.editingGraphic(), g0);
    QWidget* editor = view.editingView();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->parentWidget(), &view);
    EXPECT_THROW(view.startEditingGraphic(g1), std::logic_error);

    doc.removeGraphicsAtIndexes({0});
    EXPECT_EQ(view.editingGraphic(), nullptr);
    EXPECT_EQ(view.editingView(), nullptr);
    EXPECT_EQ(g0->finalized, editor);

    // A graphic without an editor is simply not edited.
    view.startEditingGraphic(g1);
    EXPECT_EQ(view.editingGraphic(), nullptr);
}

TEST_F(GraphicViewRedrawTest, UndoCollectsTheIndexesOfTheGraphicsItTouches)
{
    doc.undoManager()->beginUndoGrouping();
    g2->setBounds(QRectF(0, 0, 10, 10));
    doc.undoManager()->endUndoGrouping();

    view.startCollectingUndoSelectionIndexes();
    doc.undoManager()->undo();
    EXPECT_EQ(view.takeUndoSelectionIndexes(), QList<int>{2});
    EXPECT_FALSE(view.isCollectingUndoSelectionIndexes());

    g1->setFillColor(Qt::red); // not collecting: nothing gathered
    view.startCollectingUndoSelectionIndexes();
    EXPECT_TRUE(view.takeUndoSelectionIndexes().isEmpty());
}
