// Editing a page with the mouse and the keyboard on the canvas of a real document window: real
// mouse and key events reach the canvas widget, and each gesture is checked on the graphics' bounds,
// the selection and the undo step it left.
#include "GuiTestSupport.h"
#include "canvas/DRVGraphicView.h"
#include "canvas/SectionPage.h"
#include "canvas/DRVGrid.h"
#include "canvas/DRVSelectionModel.h"
#include "document/DRVDocument.h"
#include "document/PageImageFiles.h"
#include "editions/EditionSettings.h"
#include "model/DRVRectangle.h"
#include "model/DRVText.h"
#include "platform/Dialogs.h"
#include "platform/ManualClock.h"
#include "platform/UndoManager.h"
#include "window/DRVWindowController.h"
#include "window/WindowPageContext.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QScrollBar>
#include <QDir>
#include <QMainWindow>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <gtest/gtest.h>
#include <cmath>
#include <memory>

namespace {

class CanvasEditingTest : public ::testing::Test
{
protected:
    CanvasEditingTest() : m_edition(QStringLiteral("Quib"))
    {
        EditionSettings& e = edition();
        e.gCanvasDisplayScale = 1.0f;
        e.gSelectionHandleSize = 2.0f;
        e.gCanvasWidth = 600;
        e.gCanvasHeight = 400;
        e.gResponsiveLayoutFlag = false;
        e.gOverlapCheckFlag = false;
        e.gCustomGridSpacingFlag = false;
        useWorkFoldersIn(m_root);
    }
    ~CanvasEditingTest() override
    {
        controller.reset();
        // A graphic the test never put on the page belongs to no document.
        for (DRVRectangle* graphic : {a, b, c}) {
            if (!graphic->parent())
                delete graphic;
        }
    }

    // Opens the window on document (graphics given front to back, inserted without undo).
    void open(const QList<DRVGraphic*>& graphics)
    {
        QList<int> indexes;
        for (qsizetype i = 0; i < graphics.size(); ++i) {
            graphics.at(i)->setSelectable(true);
            graphics.at(i)->setGroupNumber(-99);
            indexes.append(int(i));
        }
        doc.undoManager()->disableUndoRegistration();
        doc.insertGraphics(graphics, indexes);
        doc.undoManager()->enableUndoRegistration();
        controller = std::make_unique<DRVWindowController>();
        controller->setDocument(&doc);
        controller->window()->resize(900, 700);
        controller->showWindow();
        canvas()->setFocus();
    }

    DRVGraphicView* canvas() const { return controller->graphicView(); }
    QList<int> selection() const { return canvas()->selectionIndexes(); }
    platform::UndoManager* undo() const { return doc.undoManager(); }
    // The name of the step Undo would take back; empty when there is none.
    QString topStep() const { return undo()->canUndo() ? undo()->undoActionName() : QString(); }

    // A drag on the canvas from one view point through others, by real mouse events.
    void drag(QPoint from, const QList<QPoint>& through, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mousePress(canvas(), Qt::LeftButton, modifiers, from);
        QPoint last = from;
        for (const QPoint& point : through) {
            QTest::mouseMove(canvas(), point);
            last = point;
        }
        QTest::mouseRelease(canvas(), Qt::LeftButton, modifiers, last);
    }
    void click(QPoint at, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mouseClick(canvas(), Qt::LeftButton, modifiers, at);
    }

    QTemporaryDir m_root;
    ScopedEdition m_edition;
    // No dialog may wait for a hand.
    platform::ScopedDialogs m_dialogs;
    DRVDocument doc;
    DRVRectangle* a = new DRVRectangle;
    DRVRectangle* b = new DRVRectangle;
    DRVRectangle* c = new DRVRectangle;
    std::unique_ptr<DRVWindowController> controller;

    // Another window, on document, in front of the one under test.
    static void bringToFront(DRVWindowController& front, DRVDocument& document)
    {
        front.setDocument(&document);
        front.showWindow();
        front.window()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(front.window()));
        ASSERT_EQ(DRVWindowController::mainWindowController(), &front);
    }

    // A text box of a group, added behind the others without an undo step.
    DRVText* addGroupedText(const QRectF& bounds, int group)
    {
        auto* text = new DRVText(&doc);
        text->setBounds(bounds);
        text->setSelectable(true);
        text->setGroupNumber(group);
        doc.undoManager()->disableUndoRegistration();
        doc.insertGraphics({text}, {int(doc.graphics().size())});
        doc.undoManager()->enableUndoRegistration();
        return text;
    }

    void openThree()
    {
        a->setBounds(QRectF(20, 20, 60, 40));
        b->setBounds(QRectF(120, 20, 60, 40));
        c->setBounds(QRectF(220, 100, 60, 40));
        open({a, b, c});
    }
};

} // namespace

TEST_F(CanvasEditingTest, ClicksSelectAndShiftClicksToggleWithoutUndoSteps)
{
    openThree();
    click({40, 40});
    EXPECT_EQ(selection(), QList<int>{0});
    click({140, 40}, Qt::ShiftModifier);
    EXPECT_EQ(selection(), (QList<int>{0, 1}));
    // A click on a member of the selection keeps the whole selection.
    click({145, 45});
    EXPECT_EQ(selection(), (QList<int>{0, 1}));
    // Shift on a selected graphic deselects it, and the drag that follows moves nothing.
    drag({140, 40}, {{160, 60}, {180, 80}}, Qt::ShiftModifier);
    EXPECT_EQ(selection(), QList<int>{0});
    EXPECT_EQ(b->bounds(), QRectF(120, 20, 60, 40));
    EXPECT_EQ(a->bounds(), QRectF(20, 20, 60, 40));
    click({500, 300});
    EXPECT_TRUE(selection().isEmpty());
    EXPECT_EQ(topStep(), QString());
}

TEST_F(CanvasEditingTest, ADragMovesOnlyPastTheThresholdAsOneStep)
{
    const struct
    {
        double zoom;
        QPoint by; // in view pixels
        QPointF moved;
    } rows[] = {
        {1.0, {1, 1}, {0, 0}},   // below 2 in both axes
        {1.0, {2, 0}, {2, 0}},   // 2 along x starts the move, by the full distance
        {1.0, {0, -2}, {0, -2}}, // and along y
        {2.0, {3, 3}, {0, 0}},   // 1.5 canvas points at zoom 2
        {2.0, {4, 0}, {2, 0}},   // 2.0 canvas points
    };
    openThree();
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.zoom << " " << row.by.x() << "," << row.by.y());
        controller->setZoomFactor(row.zoom);
        undo()->removeAllActions();
        const QPoint start = QPointF(QPointF(150, 40) * row.zoom).toPoint();
        drag(start, {start + row.by});
        EXPECT_EQ(selection(), QList<int>{1});
        EXPECT_EQ(b->bounds(), QRectF(QPointF(120, 20) + row.moved, QSizeF(60, 40)));
        EXPECT_EQ(a->bounds(), QRectF(20, 20, 60, 40));
        if (row.moved.isNull()) {
            EXPECT_EQ(topStep(), QString());
            continue;
        }
        EXPECT_EQ(topStep(), QStringLiteral("Move"));
        undo()->undo();
        EXPECT_EQ(b->bounds(), QRectF(120, 20, 60, 40));
        EXPECT_FALSE(undo()->canUndo());
    }
}

TEST_F(CanvasEditingTest, ADragOfASelectionAndItsGroupIsOneStepThatUndoesWhole)
{
    openThree();
    c->setGroupNumber(4);
    // A text box of the group follows.
    DRVText* text = addGroupedText(QRectF(400, 300, 80, 30), 4);

    click({40, 40});
    click({140, 40}, Qt::ShiftModifier);
    click({240, 120}, Qt::ShiftModifier);
    ASSERT_EQ(selection(), (QList<int>{0, 1, 2}));
    drag({40, 40}, {{45, 42}, {50, 50}, {60, 55}});
    EXPECT_EQ(a->bounds(), QRectF(40, 35, 60, 40));
    EXPECT_EQ(b->bounds(), QRectF(140, 35, 60, 40));
    EXPECT_EQ(c->bounds(), QRectF(240, 115, 60, 40));
    EXPECT_EQ(text->bounds(), QRectF(420, 315, 80, 30));
    EXPECT_EQ(topStep(), QStringLiteral("Move"));
    EXPECT_EQ(canvas()->lastTouchPoint(), QPointF(60, 55));
    EXPECT_FALSE(canvas()->isHidingHandles());
    undo()->undo();
    EXPECT_EQ(a->bounds(), QRectF(20, 20, 60, 40));
    EXPECT_EQ(b->bounds(), QRectF(120, 20, 60, 40));
    EXPECT_EQ(c->bounds(), QRectF(220, 100, 60, 40));
    EXPECT_EQ(text->bounds(), QRectF(400, 300, 80, 30));
    EXPECT_FALSE(undo()->canUndo());
}

TEST_F(CanvasEditingTest, WithTheGridConstrainingTheBoundsOriginStaysOnTheGrid)
{
    a->setBounds(QRectF(13, 27, 50, 30));
    open({a});
    controller->grid()->setSpacing(10);
    controller->grid()->setConstraining(true);
    // Grabbed 3 points right of the left edge.
    drag({16, 40}, {{24, 44}, {37, 61}, {52, 78}});
    EXPECT_EQ(a->bounds().topLeft(), QPointF(50, 70));
    EXPECT_EQ(a->bounds().size(), QSizeF(50, 30));
    EXPECT_EQ(topStep(), QStringLiteral("Move"));
}

TEST_F(CanvasEditingTest, AHandleDraggedThroughTheOppositeEdgeFlipsTheGraphic)
{
    openThree();
    click({40, 40});
    // The lower-right handle, dragged left past the left edge and up past the top.
    drag({80, 60}, {{60, 50}, {10, 30}, {5, 10}});
    EXPECT_EQ(a->bounds(), QRectF(5, 10, 15, 10));
    EXPECT_EQ(selection(), QList<int>{0});
    EXPECT_EQ(topStep(), QStringLiteral("Resize"));
    undo()->undo();
    EXPECT_EQ(a->bounds(), QRectF(20, 20, 60, 40));

    // A handle pressed and released in place leaves no step, and renames none.
    drag({40, 40}, {{60, 40}});
    ASSERT_EQ(topStep(), QStringLiteral("Move"));
    drag({100, 60}, {});
    EXPECT_EQ(topStep(), QStringLiteral("Move"));
}

TEST_F(CanvasEditingTest, TheMarqueeSelectsTheSameBothWaysAndShiftInvertsWhatItCovers)
{
    openThree();
    auto* radio = new DRVRectangle;
    radio->setBounds(QRectF(60, 80, 10, 10));
    radio->setSelectable(true);
    radio->setFormType(QStringLiteral("radio"));
    doc.undoManager()->disableUndoRegistration();
    doc.insertGraphics({radio}, {3});
    doc.undoManager()->enableUndoRegistration();

    drag({10, 10}, {{100, 60}, {200, 95}});
    EXPECT_EQ(selection(), (QList<int>{0, 1})); // the radio button is never caught
    EXPECT_TRUE(canvas()->marqueeSelectionBounds().isNull());
    drag({200, 95}, {{100, 40}, {10, 10}});
    EXPECT_EQ(selection(), (QList<int>{0, 1}));
    // The rectangle follows the pointer live: going back releases what it left.
    QTest::mousePress(canvas(), Qt::LeftButton, {}, {10, 10});
    QTest::mouseMove(canvas(), {200, 95});
    EXPECT_EQ(selection(), (QList<int>{0, 1}));
    EXPECT_EQ(canvas()->marqueeSelectionBounds(), QRectF(10, 10, 190, 85));
    QTest::mouseMove(canvas(), {100, 50});
    EXPECT_EQ(selection(), QList<int>{0});
    QTest::mouseRelease(canvas(), Qt::LeftButton, {}, {100, 50});

    // With Shift the marquee inverts: b deselected, c added.
    click({140, 40}, Qt::ShiftModifier);
    ASSERT_EQ(selection(), (QList<int>{0, 1}));
    drag({110, 10}, {{300, 150}}, Qt::ShiftModifier);
    EXPECT_EQ(selection(), (QList<int>{0, 2}));
    // A rectangle that only touches drawing bounds catches nothing.
    const QRectF left = a->drawingBounds();
    const QRectF right = b->drawingBounds();
    ASSERT_EQ(left.right(), std::floor(left.right()));
    ASSERT_EQ(right.left(), std::floor(right.left()));
    drag(QPoint(int(left.right()), 150), {QPoint(int(right.left()), 60)});
    EXPECT_TRUE(selection().isEmpty());

    // A double click on empty canvas is a click: the selection goes and a marquee starts.
    click({40, 40});
    QTest::mouseDClick(canvas(), Qt::LeftButton, {}, {10, 10});
    EXPECT_TRUE(selection().isEmpty());
    QTest::mouseMove(canvas(), {100, 50});
    EXPECT_EQ(selection(), QList<int>{0});
    QTest::mouseRelease(canvas(), Qt::LeftButton, {}, {100, 50});
    EXPECT_EQ(canvas()->editingGraphic(), nullptr);
    EXPECT_EQ(topStep(), QString());
}

TEST_F(CanvasEditingTest, ShiftedArrowsDoNotNudgeAndADragScrollsTheCanvas)
{
    openThree();
    click({40, 40});
    QTest::keyClick(canvas(), Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(canvas(), Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(a->bounds(), QRectF(20, 20, 60, 40));
    EXPECT_FALSE(undo()->canUndo());

    controller->setZoomFactor(4);
    QScrollBar* across = controller->zoomingScrollView()->horizontalScrollBar();
    ASSERT_GT(across->maximum(), 0);
    ASSERT_EQ(across->value(), 0);
    const int visible = controller->zoomingScrollView()->viewport()->width();
    drag({160, 160}, {{visible / 2, 160}, {visible + 200, 160}});
    EXPECT_GT(across->value(), 0);
    EXPECT_EQ(a->bounds().x(), 20 + (visible + 200 - 160) / 4.0);
}

TEST_F(CanvasEditingTest, ArrowKeysNudgeOneStepEachAndDeleteRemovesTheSelection)
{
    platform::ManualClock clock;
    openThree();
    c->setGroupNumber(7);
    DRVText* text = addGroupedText(QRectF(400, 300, 80, 30), 7);
    click({240, 120});
    ASSERT_EQ(selection(), QList<int>{2});

    for (int i = 0; i < 3; ++i)
        QTest::keyClick(canvas(), Qt::Key_Right);
    QTest::keyClick(canvas(), Qt::Key_Up);
    EXPECT_TRUE(canvas()->isHidingHandles());
    clock.advance(DRVGraphicView::kHandleHidingMs - 1);
    EXPECT_TRUE(canvas()->isHidingHandles());
    clock.advance(1);
    EXPECT_FALSE(canvas()->isHidingHandles());
    EXPECT_EQ(c->bounds(), QRectF(223, 99, 60, 40));
    EXPECT_EQ(text->bounds(), QRectF(403, 299, 80, 30)); // the group follows
    EXPECT_EQ(topStep(), QStringLiteral("Nudge"));
    undo()->undo();
    EXPECT_EQ(c->bounds(), QRectF(223, 100, 60, 40));
    EXPECT_EQ(text->bounds(), QRectF(403, 300, 80, 30));
    EXPECT_EQ(topStep(), QStringLiteral("Nudge"));
    undo()->undo();
    EXPECT_EQ(c->bounds(), QRectF(222, 100, 60, 40));

    // Backspace and forward delete both delete.
    click({40, 40});
    QTest::keyClick(canvas(), Qt::Key_Backspace);
    EXPECT_EQ(doc.graphics(), (QList<DRVGraphic*>{b, c, text}));
    EXPECT_TRUE(selection().isEmpty());
    EXPECT_EQ(topStep(), QStringLiteral("Delete"));
    click({140, 40});
    QTest::keyClick(canvas(), Qt::Key_Delete);
    EXPECT_EQ(doc.graphics(), (QList<DRVGraphic*>{c, text}));
    undo()->undo();
    undo()->undo();
    EXPECT_EQ(doc.graphics(), (QList<DRVGraphic*>{a, b, c, text}));
    // Nothing selected: nothing deleted, and the last step keeps its name.
    click({500, 380});
    QTest::keyClick(canvas(), Qt::Key_Delete);
    EXPECT_EQ(doc.graphics().size(), 4);
    EXPECT_EQ(topStep(), QStringLiteral("Nudge"));
}

TEST_F(CanvasEditingTest, DoubleClickingATextBoxEditsItInPlaceAsOneStepThatIsSaved)
{
    auto* text = new DRVText(&doc);
    text->setTextType(QStringLiteral("Text"));
    text->setFontSize(14);
    text->setFontFamily(QStringLiteral("DejaVu Sans"));
    text->setBounds(QRectF(40, 40, 200, 60));
    text->updateTextString(QStringLiteral("Old words"));
    a->setBounds(QRectF(300, 40, 60, 40));
    open({text, a});
    controller->window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(controller->window()));
    undo()->removeAllActions();

    // A shape has no editor.
    QTest::mouseDClick(canvas(), Qt::LeftButton, {}, {320, 60});
    QTest::mouseRelease(canvas(), Qt::LeftButton, {}, {320, 60});
    EXPECT_EQ(canvas()->editingGraphic(), nullptr);

    QTest::mouseClick(canvas(), Qt::LeftButton, {}, {100, 70});
    QTest::mouseDClick(canvas(), Qt::LeftButton, {}, {100, 70});
    QTest::mouseRelease(canvas(), Qt::LeftButton, {}, {100, 70});
    ASSERT_EQ(canvas()->editingGraphic(), text);
    QWidget* editor = canvas()->editingView();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(QApplication::focusWidget(), editor);
    EXPECT_TRUE(editor->isVisible());
    QTest::keyClicks(editor, QStringLiteral("New words"));
    // A picture of the editor over the page, kept beside the other window pictures.
    QDir().mkpath(QStringLiteral(QUIB_GUI_ARTEFACTS_DIR));
    EXPECT_TRUE(controller->window()->grab().save(
        QDir(QStringLiteral(QUIB_GUI_ARTEFACTS_DIR)).filePath(QStringLiteral("text-editing.png"))));

    // A click elsewhere ends the editing and gives the keyboard back to the canvas.
    click({500, 300});
    EXPECT_EQ(canvas()->editingGraphic(), nullptr);
    EXPECT_EQ(canvas()->editingView(), nullptr);
    EXPECT_EQ(QApplication::focusWidget(), canvas());
    EXPECT_EQ(text->textString(), QStringLiteral("New words"));
    EXPECT_EQ(topStep(), QStringLiteral("Change of Text"));

    const QString path = m_root.filePath(QStringLiteral("edited.quibpage"));
    ASSERT_TRUE(doc.saveDocumentTo(path)) << qPrintable(doc.lastFileErrorText());
    const std::unique_ptr<DRVDocument> reopened = DRVDocument::openDocument(path);
    ASSERT_TRUE(reopened);
    for (const platform::Alert& alert : m_dialogs->alerts())
        ADD_FAILURE() << qPrintable(alert.title) << ": " << qPrintable(alert.informativeText);
    QStringList texts;
    for (DRVGraphic* graphic : reopened->graphics()) {
        if (qobject_cast<DRVText*>(graphic))
            texts.append(graphic->textString());
    }
    EXPECT_EQ(texts, QStringList{QStringLiteral("New words")});

    undo()->undo();
    EXPECT_EQ(text->textString(), QStringLiteral("Old words"));
}

TEST_F(CanvasEditingTest, DoubleClickingATableCellEditsThatCellAlsoInAWindowBehind)
{
    // The model asks the page context for the clicked point, as in the application.
    WindowPageContext context;
    ScopedPageContext installed(&context);
    DRVTable* table = sectionpage::makeSection(1, QPointF(40, 40), {100, 120}, 60, QString());
    ASSERT_FALSE(table->isSectionTable());
    open({table});
    // Another window in front, whose canvas was last clicked elsewhere.
    DRVDocument other;
    DRVWindowController front;
    ASSERT_NO_FATAL_FAILURE(bringToFront(front, other));
    QTest::mouseClick(front.graphicView(), Qt::LeftButton, {}, {60, 60});

    QTest::mouseClick(canvas(), Qt::LeftButton, {}, {200, 70});
    QTest::mouseDClick(canvas(), Qt::LeftButton, {}, {200, 70});
    QTest::mouseRelease(canvas(), Qt::LeftButton, {}, {200, 70});
    ASSERT_EQ(canvas()->editingGraphic(), table);
    QWidget* editor = canvas()->editingView();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->geometry(), QRect(140, 40, 120, 60)); // over the second cell
    QTest::keyClicks(editor, QStringLiteral("Cell text"));
    click({500, 300});
    EXPECT_EQ(canvas()->editingView(), nullptr);
    EXPECT_EQ(table->grabSelectedTableCellHelper(0, 1)->textStorage()->toPlainText(), QStringLiteral("Cell text"));
    EXPECT_EQ(table->grabSelectedTableCellHelper(0, 0)->textStorage()->toPlainText(), QString());
    EXPECT_EQ(&PageContext::current(), &context); // the canvas answered only while it worked
    front.setDocument(nullptr);
}

namespace {

// Rulers that remember each line move.
class RecordingRulers : public DRVRulerEcho
{
public:
    bool rulersVisible() const override { return true; }
    void moveRulerlineFromLocation(Qt::Orientation ruler, double from, double to) override
    {
        moves.append(QString::fromLatin1("%1 %2>%3").arg(ruler == Qt::Horizontal ? "H" : "V").arg(from).arg(to));
    }
    QStringList moves;
};

} // namespace

TEST_F(CanvasEditingTest, TheRulersEchoTheThreeEdgesOfAMoveAndLetGoAtTheRelease)
{
    openThree();
    RecordingRulers rulers;
    canvas()->setRulerEcho(&rulers);
    click({40, 40});
    rulers.moves.clear();
    drag({40, 40}, {{50, 44}});
    EXPECT_EQ(rulers.moves, (QStringList{"H -1>20", "H -1>50", "H -1>80", "V -1>20", "V -1>40", "V -1>60",
                                         "H 20>30", "H 50>60", "H 80>90", "V 20>24", "V 40>44", "V 60>64",
                                         "H 30>-1", "H 60>-1", "H 90>-1", "V 24>-1", "V 44>-1", "V 64>-1"}));
    EXPECT_TRUE(canvas()->rulerEchoedBounds().isNull());
    canvas()->setRulerEcho(nullptr);
}

TEST_F(CanvasEditingTest, EachWindowEditsItsOwnPage)
{
    openThree();
    DRVDocument other;
    auto* elsewhere = new DRVRectangle;
    elsewhere->setBounds(QRectF(20, 20, 60, 40));
    elsewhere->setSelectable(true);
    other.undoManager()->disableUndoRegistration();
    other.insertGraphics({elsewhere}, {0});
    other.undoManager()->enableUndoRegistration();
    DRVWindowController front;
    ASSERT_NO_FATAL_FAILURE(bringToFront(front, other));

    // The window behind is edited on its own canvas: its page changes, the front one does not.
    drag({40, 40}, {{60, 70}});
    QTest::keyClick(canvas(), Qt::Key_Down);
    EXPECT_EQ(a->bounds(), QRectF(40, 51, 60, 40));
    EXPECT_EQ(elsewhere->bounds(), QRectF(20, 20, 60, 40));
    EXPECT_EQ(topStep(), QStringLiteral("Nudge"));
    EXPECT_FALSE(other.undoManager()->canUndo());
    EXPECT_TRUE(front.graphicsController()->selectionIndexes().isEmpty());

    // The folder of the page's pictures is the canvas's own page's, saved or not.
    const QString path = m_root.filePath(QStringLiteral("front.quibpage"));
    ASSERT_TRUE(other.saveDocumentTo(path));
    front.graphicView()->grab();
    canvas()->grab();
    ASSERT_FALSE(other.pagePath().isEmpty());
    EXPECT_EQ(front.graphicView()->tempPagePath(), PageImageFiles::imageFolderForPage(other.pagePath()));
    EXPECT_EQ(canvas()->tempPagePath(), QString());
    front.setDocument(nullptr);
}

TEST_F(CanvasEditingTest, TheContextMenuOffersTheCommandsAtTheRightClickedPoint)
{
    openThree();
    auto rightClick = [this](QPoint at) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, canvas()->mapToGlobal(at));
        QApplication::sendEvent(canvas(), &event);
        return canvas()->contextMenu();
    };
    auto titles = [](QMenu* menu) {
        QStringList found;
        for (QAction* action : menu->actions()) {
            if (!action->isSeparator())
                found.append(action->text() + (action->isEnabled() ? "" : " (off)"));
        }
        return found;
    };

    QMenu* menu = rightClick({250, 130});
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(canvas()->lastTouchPoint(), QPointF(250, 130));
    EXPECT_TRUE(selection().isEmpty());
    EXPECT_EQ(titles(menu), (QStringList{"Delete (off)", "Center on Canvas (off)"}));
    menu->close();

    click({140, 40});
    menu = rightClick({140, 40});
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(titles(menu), (QStringList{"Delete", "Center Group", "Center Within Group", "Center on Canvas"}));
    QDir().mkpath(QStringLiteral(QUIB_GUI_ARTEFACTS_DIR));
    EXPECT_TRUE(menu->grab().save(
        QDir(QStringLiteral(QUIB_GUI_ARTEFACTS_DIR)).filePath(QStringLiteral("canvas-context-menu.png"))));
    // Centred on the 600-point canvas.
    menu->actions().constLast()->trigger();
    EXPECT_EQ(b->bounds(), QRectF(270, 20, 60, 40));
    EXPECT_EQ(topStep(), QStringLiteral("Center on Canvas"));
}

TEST_F(CanvasEditingTest, AClickMarksTheCellOfTheSelectedTableInEditionsThatStyleCells)
{
    edition().gTableCellEditingFlag = true;
    DRVTable* table = sectionpage::makeSection(1, QPointF(40, 40), {100, 120}, 60, QString());
    open({table});
    myTextView* second = table->grabSelectedTableCellHelper(0, 1);
    click({200, 70}); // selects the table; nothing was selected to mark a cell in
    EXPECT_EQ(second->selected(), 0);
    click({200, 70});
    EXPECT_EQ(second->selected(), 1);
    EXPECT_EQ(canvas()->selectedTable(), table);
    click({200, 70});
    EXPECT_EQ(second->selected(), 0);
    click({200, 70});
    ASSERT_EQ(second->selected(), 1);
    // A click with the table not selected alone clears every mark.
    click({500, 300});
    click({500, 300});
    EXPECT_EQ(second->selected(), 0);
}

TEST_F(CanvasEditingTest, DeletingAnOptionLabelTakesItsButtonAndASectionAsksAboutItsObjects)
{
    edition().gResponsiveLayoutFlag = true;
    auto formText = [this](const QString& type, int option, const QRectF& bounds) {
        auto* text = new DRVText(&doc);
        text->setFormType(type);
        text->setFormTag(3);
        text->setFormOptionTag(option);
        text->setBounds(bounds);
        return text;
    };
    DRVText* label = formText(QStringLiteral("textLabel"), 1, QRectF(60, 250, 100, 20));
    DRVText* radio = formText(QStringLiteral("radio"), 1, QRectF(30, 258, 16, 16));
    DRVTable* section = sectionpage::makeSection(1, QPointF(0, 0), {600}, 200);
    DRVRectangle* member = sectionpage::makeMember(1, 0, QRectF(20, 20, 60, 40));
    open({member, label, radio, section});

    canvas()->changeSelectionIndexes({1});
    QTest::keyClick(canvas(), Qt::Key_Delete);
    EXPECT_EQ(doc.graphics(), (QList<DRVGraphic*>{member, section}));
    EXPECT_TRUE(m_dialogs->alerts().isEmpty());

    // "Skip Sections" keeps the section, and its object unless that was selected too.
    m_dialogs->queueAlertAnswer(1);
    canvas()->changeSelectionIndexes({1});
    QTest::keyClick(canvas(), Qt::Key_Delete);
    EXPECT_EQ(doc.graphics(), (QList<DRVGraphic*>{member, section}));
    ASSERT_EQ(m_dialogs->alerts().size(), 1);
    EXPECT_EQ(m_dialogs->alerts().constFirst().buttons,
              (QStringList{QStringLiteral("Delete All"), QStringLiteral("Skip Sections")}));
    // "Delete All" deletes the section with everything in it, as one step.
    m_dialogs->queueAlertAnswer(0);
    canvas()->changeSelectionIndexes({1});
    QTest::keyClick(canvas(), Qt::Key_Delete);
    EXPECT_TRUE(doc.graphics().isEmpty());
    EXPECT_EQ(topStep(), QStringLiteral("Delete"));
    undo()->undo();
    EXPECT_EQ(doc.graphics(), (QList<DRVGraphic*>{member, section}));
}

TEST_F(CanvasEditingTest, AWindowClosedInTheMiddleOfADragLeavesNoUndoStepOpen)
{
    openThree();
    QTest::mousePress(canvas(), Qt::LeftButton, {}, {40, 40});
    QTest::mouseMove(canvas(), {60, 60});
    ASSERT_EQ(undo()->groupingLevel(), 1);
    controller->setDocument(nullptr);
    EXPECT_EQ(undo()->groupingLevel(), 0);
    EXPECT_EQ(topStep(), QStringLiteral("Move"));
    EXPECT_EQ(a->bounds(), QRectF(40, 40, 60, 40));
    QTest::mouseRelease(canvas(), Qt::LeftButton, {}, {60, 60});
    undo()->undo();
    EXPECT_EQ(a->bounds(), QRectF(20, 20, 60, 40));
}
