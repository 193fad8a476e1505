// The arrange commands run from the window's own menu items: resulting bounds, stacking order,
// selection and the undo step's name; undo and redo put things back and select them.
#include "AppTestSupport.h"

#include "canvas/DRVGraphicView.h"
#include "model/DRVImage.h"
#include "model/DRVLine.h"
#include "model/DRVRectangle.h"
#include "model/DRVSlideshow.h"
#include "model/DRVTable.h"
#include "model/DRVText.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <memory>

namespace {

class ArrangeCommandsTest : public WindowedAppTest
{
protected:
    // A window on a page of selectable rectangles, front to back, named by their index.
    DRVWindowController* windowWith(const QList<QRectF>& rects)
    {
        QList<DRVGraphic*> graphics;
        for (const QRectF& rect : rects) {
            auto* graphic = new DRVRectangle;
            graphic->setBounds(rect);
            graphics.append(graphic);
        }
        return windowWith(graphics);
    }

    DRVWindowController* windowWith(const QList<DRVGraphic*>& graphics)
    {
        auto document = std::make_unique<DRVDocument>();
        document->undoManager()->disableUndoRegistration();
        QList<int> indexes;
        for (int i = 0; i < int(graphics.size()); ++i) {
            graphics.at(i)->setSelectable(true);
            graphics.at(i)->setObjectName(QString::number(i));
            indexes.append(i);
        }
        document->insertGraphics(graphics, indexes);
        document->undoManager()->enableUndoRegistration();
        return documents.addDocument(std::move(document));
    }

    static QString order(DRVWindowController* window)
    {
        QString out;
        for (const DRVGraphic* graphic : window->document()->graphics())
            out += graphic->objectName();
        return out;
    }

    // Runs the item as a shortcut would: validated afresh, then dispatched.
    static void run(DRVWindowController* window, const QString& action)
    {
        QAction* item = MenuModel::actionNamed(window->window()->menuBar(), action);
        ASSERT_TRUE(item) << qPrintable(action);
        // A menu opened by validatedItem closes first, as it would before a shortcut.
        emit qobject_cast<QMenu*>(item->parent())->aboutToHide();
        item->trigger();
    }
};

struct BoundsCase
{
    const char* action;
    QList<QRectF> start;
    QList<int> selection;
    QPointF touch;
    QList<QRectF> expected;
    const char* undoName;
};

} // namespace

TEST_F(ArrangeCommandsTest, AlignAndSizeCommandsSetBoundsAsOneNamedStep)
{
    const QList<QRectF> three{{10, 10, 50, 20}, {100, 40, 30, 60}, {300, 80, 40, 10}};
    const BoundsCase cases[] = {
        {"alignLeftEdges:",
         three,
         {0, 1, 2},
         {110, 50},
         {{100, 10, 50, 20}, {100, 40, 30, 60}, {100, 80, 40, 10}},
         "Align Left Edges"},
        // No selected graphic under the point: the front-most selected one is the reference.
        {"alignLeftEdges:",
         three,
         {1, 2},
         {0, 0},
         {{10, 10, 50, 20}, {100, 40, 30, 60}, {100, 80, 40, 10}},
         "Align Left Edges"},
        {"alignRightEdges:",
         three,
         {0, 1, 2},
         {20, 20},
         {{10, 10, 50, 20}, {30, 40, 30, 60}, {20, 80, 40, 10}},
         "Align Right Edges"},
        {"alignTopEdges:",
         three,
         {0, 2},
         {310, 85},
         {{10, 80, 50, 20}, {100, 40, 30, 60}, {300, 80, 40, 10}},
         "Align Top Edges"},
        {"alignBottomEdges:",
         three,
         {0, 1},
         {110, 50},
         {{10, 80, 50, 20}, {100, 40, 30, 60}, {300, 80, 40, 10}},
         "Align Bottom Edges"},
        {"alignHorizontalCenters:",
         three,
         {0, 1, 2},
         {310, 85},
         {{10, 10, 50, 20}, {20, 40, 30, 60}, {15, 80, 40, 10}},
         "Align Horizontal Centers"},
        {"alignHorizontalSpacing:",
         three,
         {0, 1, 2},
         {0, 0},
         {{10, 10, 50, 20}, {100, 40, 30, 60}, {170, 80, 40, 10}},
         nullptr},
        {"makeSameSize:",
         three,
         {0, 1},
         {110, 50},
         {{10, 10, 30, 60}, {100, 40, 30, 60}, {300, 80, 40, 10}},
         "Make Same Height"},
        {"makeSameWidth:",
         three,
         {0, 1},
         {900, 900},
         {{10, 10, 50, 20}, {100, 40, 50, 60}, {300, 80, 40, 10}},
         "Make Same Width"},
    };
    for (const BoundsCase& c : cases) {
        SCOPED_TRACE(c.action);
        DRVWindowController* window = windowWith(c.start);
        DRVGraphicView* canvas = window->graphicView();
        canvas->changeSelectionIndexes(c.selection);
        canvas->setLastTouchPoint(c.touch);
        run(window, QString::fromLatin1(c.action));
        const QList<DRVGraphic*> graphics = window->document()->graphics();
        for (int i = 0; i < int(graphics.size()); ++i)
            EXPECT_EQ(graphics.at(i)->bounds(), c.expected.at(i)) << "graphic " << i;
        platform::UndoManager* undo = window->document()->undoManager();
        ASSERT_TRUE(undo->canUndo());
        if (c.undoName) {
            EXPECT_EQ(undo->undoActionName(), QString::fromUtf8(c.undoName));
        }

        // Undo from the Edit menu puts everything back as one step and selects what it touched.
        canvas->changeSelectionIndexes({});
        run(window, QStringLiteral("undo:"));
        for (int i = 0; i < int(graphics.size()); ++i)
            EXPECT_EQ(graphics.at(i)->bounds(), c.start.at(i)) << "undone graphic " << i;
        EXPECT_FALSE(undo->canUndo());
        EXPECT_FALSE(canvas->selectionIndexes().isEmpty());
        run(window, QStringLiteral("redo:"));
        for (int i = 0; i < int(graphics.size()); ++i)
            EXPECT_EQ(graphics.at(i)->bounds(), c.expected.at(i)) << "redone graphic " << i;
        dialogs->queueAlertAnswer(1);
        window->performClose();
    }
}

TEST_F(ArrangeCommandsTest, StackingCommandsReorderThePage)
{
    // 0 and 2 overlap 3; 1 lies apart.
    const QList<QRectF> rects{{0, 0, 50, 50}, {200, 200, 10, 10}, {30, 30, 50, 50}, {40, 40, 20, 20}};
    const struct
    {
        const char* action;
        QList<int> selection;
        const char* order;
        QList<int> selectionAfter;
        const char* undoName;
    } cases[] = {
        {"bringForward:", {3}, "3012", {}, nullptr},
        {"sendBackward:", {0}, "1203", {}, nullptr},
        {"bringToFront:", {1, 3}, "1302", {0, 1}, "Bring To Front"},
        {"sendToBack:", {0, 2}, "1302", {2, 3}, "Send To Back"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.action);
        DRVWindowController* window = windowWith(rects);
        DRVGraphicView* canvas = window->graphicView();
        canvas->changeSelectionIndexes(c.selection);
        run(window, QString::fromLatin1(c.action));
        EXPECT_EQ(order(window), QString::fromLatin1(c.order));
        if (!c.selectionAfter.isEmpty()) {
            EXPECT_EQ(canvas->selectionIndexes(), c.selectionAfter);
        }
        platform::UndoManager* undo = window->document()->undoManager();
        if (c.undoName) {
            EXPECT_EQ(undo->undoActionName(), QString::fromUtf8(c.undoName));
        }
        run(window, QStringLiteral("undo:"));
        EXPECT_EQ(order(window), QStringLiteral("0123"));
        run(window, QStringLiteral("redo:"));
        EXPECT_EQ(order(window), QString::fromLatin1(c.order));
        dialogs->queueAlertAnswer(1);
        window->performClose();
    }
}

TEST_F(ArrangeCommandsTest, DisabledCommandsDoNothingFromTheirShortcut)
{
    DRVWindowController* window = windowWith({{0, 0, 50, 50}, {30, 30, 50, 50}});
    DRVGraphicView* canvas = window->graphicView();
    canvas->changeSelectionIndexes({0, 1});
    // Bring forward needs exactly one selected graphic.
    run(window, QStringLiteral("bringForward:"));
    EXPECT_EQ(order(window), QStringLiteral("01"));
    EXPECT_FALSE(window->document()->undoManager()->canUndo());

    // Opening the menu shows it greyed; an item whose command comes later stays greyed.
    QAction* forward = validatedItem(window, QStringLiteral("bringForward:"));
    EXPECT_FALSE(forward->isEnabled());
    EXPECT_TRUE(forward->isVisible());
    QAction* front = validatedItem(window, QStringLiteral("bringToFront:"));
    EXPECT_TRUE(front->isEnabled());
    QAction* later = validatedItem(window, QStringLiteral("showIOSEdition:"));
    ASSERT_NE(later, nullptr);
    EXPECT_FALSE(later->isEnabled());

    canvas->changeSelectionIndexes({});
    run(window, QStringLiteral("selectAll:"));
    EXPECT_EQ(canvas->selectionIndexes(), (QList<int>{0, 1}));
}

TEST_F(ArrangeCommandsTest, PlacementRadioPairFollowsTheStoredFlag)
{
    DRVWindowController* window = windowWith({{0, 0, 10, 10}});
    QAction* current = validatedItem(window, QStringLiteral("switchAddNewLayout_Current:"));
    QAction* end = validatedItem(window, QStringLiteral("switchAddNewLayout_End:"));
    ASSERT_TRUE(current && end);
    EXPECT_TRUE(current->isChecked());
    EXPECT_FALSE(end->isChecked());
    end->trigger();
    EXPECT_TRUE(platform::UserDefaults::standard().boolForKey(QStringLiteral("InsertNewAtEndFlag")));
    validatedItem(window, QStringLiteral("switchAddNewLayout_End:"));
    EXPECT_TRUE(end->isChecked());
    EXPECT_FALSE(current->isChecked());
}

namespace {

template <class T> T* graphicAt(QRectF bounds, int group)
{
    auto* graphic = new T;
    graphic->setBounds(bounds);
    graphic->setGroupNumber(group);
    return graphic;
}

} // namespace

TEST_F(ArrangeCommandsTest, GroupUngroupAndLockThroughTheFormatMenu)
{
    edition().gHidePositionAndScrollFlag = false;
    DRVWindowController* window = windowWith(QList<DRVGraphic*>{
        graphicAt<DRVText>({0, 0, 40, 20}, -99), graphicAt<DRVText>({50, 0, 40, 20}, -99),
        graphicAt<DRVImage>({0, 50, 40, 40}, 4), graphicAt<DRVText>({50, 50, 40, 20}, 4),
        graphicAt<DRVRectangle>({100, 100, 10, 10}, -99), graphicAt<DRVRectangle>({120, 100, 10, 10}, -99)});
    DRVGraphicView* canvas = window->graphicView();
    const QList<DRVGraphic*> g = window->document()->graphics();

    canvas->changeSelectionIndexes({0, 1});
    EXPECT_TRUE(validatedItem(window, QStringLiteral("groupObjects:"))->isVisible());
    EXPECT_FALSE(validatedItem(window, QStringLiteral("unGroupObjects:"))->isVisible());
    run(window, QStringLiteral("groupObjects:"));
    EXPECT_EQ(g.at(0)->groupNumber(), 5);
    EXPECT_EQ(g.at(1)->groupNumber(), 5);
    // One group: Group goes, Ungroup comes.
    EXPECT_FALSE(validatedItem(window, QStringLiteral("groupObjects:"))->isVisible());
    EXPECT_TRUE(validatedItem(window, QStringLiteral("unGroupObjects:"))->isEnabled());
    run(window, QStringLiteral("undo:"));
    EXPECT_EQ(g.at(0)->groupNumber(), -99);
    EXPECT_EQ(g.at(1)->groupNumber(), -99);
    run(window, QStringLiteral("redo:"));
    EXPECT_EQ(g.at(1)->groupNumber(), 5);
    run(window, QStringLiteral("undo:"));
    EXPECT_EQ(canvas->selectionIndexes(), (QList<int>{0, 1}));

    // Locking one member of group 4 locks the whole group; unlocking frees it.
    canvas->changeSelectionIndexes({2});
    run(window, QStringLiteral("lockObjects:"));
    EXPECT_EQ(g.at(2)->moveLock(), 1);
    EXPECT_EQ(g.at(3)->moveLock(), 1);
    EXPECT_FALSE(validatedItem(window, QStringLiteral("lockObjects:"))->isVisible());
    run(window, QStringLiteral("unLockObjects:"));
    EXPECT_EQ(g.at(3)->moveLock(), 0);

    // Ungrouping changes only the selected member.
    canvas->changeSelectionIndexes({2});
    run(window, QStringLiteral("unGroupObjects:"));
    EXPECT_EQ(g.at(2)->groupNumber(), -99);
    EXPECT_EQ(g.at(3)->groupNumber(), 4);

    // Two plain rectangles: Group is offered and does nothing.
    canvas->changeSelectionIndexes({4, 5});
    QAction* group = validatedItem(window, QStringLiteral("groupObjects:"));
    EXPECT_TRUE(group->isVisible() && group->isEnabled());
    run(window, QStringLiteral("groupObjects:"));
    EXPECT_EQ(g.at(4)->groupNumber(), -99);
    EXPECT_EQ(g.at(5)->groupNumber(), -99);

    // Scroll locking a text shows the unlock; a line alone never offers either.
    canvas->changeSelectionIndexes({1});
    run(window, QStringLiteral("scrollLockObjects:"));
    EXPECT_EQ(g.at(1)->scrollFlag(), 1);
    EXPECT_TRUE(validatedItem(window, QStringLiteral("unScrollLockObjects:"))->isVisible());
}

TEST_F(ArrangeCommandsTest, ShortcutOfAnItemHiddenWhenItsMenuLastOpenedStillWorks)
{
    DRVWindowController* window = windowWith(QList<DRVGraphic*>{graphicAt<DRVText>({0, 0, 40, 20}, -99),
                                                                graphicAt<DRVText>({50, 0, 40, 20}, -99)});
    window->window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window->window()));
    DRVGraphicView* canvas = window->graphicView();
    canvas->changeSelectionIndexes({0});
    QAction* group = validatedItem(window, QStringLiteral("groupObjects:"));
    EXPECT_FALSE(group->isVisible());
    emit qobject_cast<QMenu*>(group->parent())->aboutToHide();

    canvas->changeSelectionIndexes({0, 1});
    canvas->setFocus();
    QTest::keyClick(canvas, Qt::Key_G, Qt::ControlModifier);
    EXPECT_EQ(window->document()->graphics().at(1)->groupNumber(), 1);
}

TEST_F(ArrangeCommandsTest, StyleCopyAndPasteScreenWidthAndLayerIndex)
{
    edition().gHidePositionAndScrollFlag = false;
    auto* source = graphicAt<DRVText>({0, 0, 40, 20}, -99);
    source->setFontFamily(QStringLiteral("Georgia"));
    source->setBorderWidth(3);
    source->setTextHexColorString(QStringLiteral("112233"));
    auto* table = new DRVTable;
    table->setBounds({0, 200, 100, 50});
    table->setBorderWidth(7);
    DRVWindowController* window = windowWith(QList<DRVGraphic*>{
        source, graphicAt<DRVText>({50, 0, 40, 20}, -99), graphicAt<DRVText>({100, 0, 40, 20}, -99), table});
    DRVGraphicView* canvas = window->graphicView();
    const QList<DRVGraphic*> g = window->document()->graphics();

    canvas->changeSelectionIndexes({1, 2, 3});
    EXPECT_FALSE(validatedItem(window, QStringLiteral("applyPasteStyle:"))->isVisible());
    EXPECT_FALSE(validatedItem(window, QStringLiteral("grabCopyStyle:"))->isVisible());
    canvas->changeSelectionIndexes({0});
    run(window, QStringLiteral("grabCopyStyle:"));
    canvas->changeSelectionIndexes({1, 2, 3});
    EXPECT_TRUE(validatedItem(window, QStringLiteral("applyPasteStyle:"))->isEnabled());
    run(window, QStringLiteral("applyPasteStyle:"));
    for (int i : {1, 2}) {
        EXPECT_EQ(g.at(i)->fontFamily(), QStringLiteral("Georgia"));
        EXPECT_EQ(g.at(i)->borderWidth(), 3);
        EXPECT_EQ(g.at(i)->textHexColorString(), QStringLiteral("112233"));
    }
    EXPECT_EQ(g.at(3)->borderWidth(), 7); // no table style was copied
    run(window, QStringLiteral("undo:"));
    EXPECT_NE(g.at(1)->fontFamily(), QStringLiteral("Georgia"));
    EXPECT_EQ(g.at(2)->borderWidth(), 0);

    // Full width is offered for a fixed text box only; unmatching goes to x 200, width 200.
    canvas->changeSelectionIndexes({1});
    g.at(1)->setBounds({120, 40, 300, 50});
    EXPECT_FALSE(validatedItem(window, QStringLiteral("matchScreenWidth:"))->isVisible());
    g.at(1)->setScrollFlag(1);
    EXPECT_TRUE(validatedItem(window, QStringLiteral("matchScreenWidth:"))->isVisible());
    EXPECT_FALSE(validatedItem(window, QStringLiteral("unMatchScreenWidth:"))->isVisible());
    run(window, QStringLiteral("matchScreenWidth:"));
    EXPECT_EQ(g.at(1)->bounds(), QRectF(0, 40, 9999, 50));
    EXPECT_TRUE(g.at(1)->matchScreenFlag());
    run(window, QStringLiteral("unMatchScreenWidth:"));
    EXPECT_EQ(g.at(1)->bounds(), QRectF(200, 40, 200, 50));
    EXPECT_FALSE(g.at(1)->matchScreenFlag());
    run(window, QStringLiteral("undo:"));
    EXPECT_EQ(g.at(1)->bounds(), QRectF(0, 40, 9999, 50));
    EXPECT_TRUE(g.at(1)->matchScreenFlag());

    // A manual stacking index is offered for removal and shown in the layer-index field.
    g.at(2)->setManualLayerIndex(7);
    canvas->changeSelectionIndexes({2});
    EXPECT_TRUE(validatedItem(window, QStringLiteral("removeManualLayerIndex:"))->isVisible());
    EXPECT_EQ(canvas->existingZIndex(), QStringLiteral("7"));
    run(window, QStringLiteral("removeManualLayerIndex:"));
    EXPECT_EQ(g.at(2)->manualLayerIndex(), 0);
    EXPECT_FALSE(validatedItem(window, QStringLiteral("removeManualLayerIndex:"))->isVisible());
    EXPECT_EQ(canvas->existingZIndex(), QString());
}

TEST_F(ArrangeCommandsTest, PopoversOneAtATimeKeepingTheLinkTarget)
{
    auto* text = graphicAt<DRVText>({10, 10, 80, 20}, -99);
    text->setTextType(QStringLiteral("Text"));
    text->setLink(QStringLiteral("old.html"));
    text->setLinkOption(QStringLiteral("_blank"));
    text->setLinkType(QStringLiteral("shape"));
    auto* image = graphicAt<DRVImage>({10, 60, 40, 40}, -99);
    image->setAltText(QStringLiteral("A cat"));
    DRVWindowController* window = windowWith(QList<DRVGraphic*>{text, image});
    DRVGraphicView* canvas = window->graphicView();

    // Opening and saving the link popover unchanged keeps the link, its target and its type.
    canvas->changeSelectionIndexes({0});
    ASSERT_TRUE(validatedItem(window, QStringLiteral("applyLinkPopOver:"))->isEnabled());
    run(window, QStringLiteral("applyLinkPopOver:"));
    QPointer<QuibPopover> linkPopover = canvas->quibPopOver();
    ASSERT_TRUE(linkPopover);
    auto* field = linkPopover->findChild<QLineEdit*>(QStringLiteral("linkTextbox"));
    ASSERT_TRUE(field);
    EXPECT_EQ(field->text(), QStringLiteral("old.html"));
    linkPopover->grab().save(QDir(QCoreApplication::applicationDirPath())
                                 .filePath(QStringLiteral("app-artefacts/link-popover.png")));
    QTest::mouseClick(linkPopover->saveButton(), Qt::LeftButton);
    EXPECT_EQ(text->link(), QStringLiteral("old.html"));
    EXPECT_EQ(text->linkOption(), QStringLiteral("_blank"));
    EXPECT_EQ(text->linkType(), QStringLiteral("shape"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(linkPopover);

    // A typed link is normalised in the field and stored.
    run(window, QStringLiteral("applyLinkPopOver:"));
    linkPopover = canvas->quibPopOver();
    field = linkPopover->findChild<QLineEdit*>(QStringLiteral("linkTextbox"));
    field->setText(QStringLiteral(" my page.html "));
    linkPopover->findChild<QComboBox*>(QStringLiteral("linkOptionSegmentedControl"))->setCurrentIndex(2);
    QTest::mouseClick(linkPopover->saveButton(), Qt::LeftButton);
    EXPECT_EQ(text->link(), QStringLiteral("my%20page.html"));
    EXPECT_EQ(text->linkOption(), QStringLiteral("_parent"));

    // One popover at a time: the tooltip replaces an open link popover.
    canvas->changeSelectionIndexes({1});
    run(window, QStringLiteral("applyLinkPopOver:"));
    QPointer<QuibPopover> first = canvas->quibPopOver();
    EXPECT_TRUE(validatedItem(window, QStringLiteral("applyTooltip:"))->isEnabled());
    run(window, QStringLiteral("applyTooltip:"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(first);
    QuibPopover* tooltip = canvas->quibPopOver();
    ASSERT_TRUE(tooltip);
    auto* alt = tooltip->findChild<QLineEdit*>(QStringLiteral("tooltipTextbox"));
    EXPECT_EQ(alt->text(), QStringLiteral("A cat"));
    alt->setText(QStringLiteral("A dog\nsecond line"));
    QTest::mouseClick(tooltip->saveButton(), Qt::LeftButton);
    EXPECT_EQ(image->altText(), QStringLiteral("A dog"));

    // The layer index: every selected graphic takes it; text that is no number means none.
    canvas->changeSelectionIndexes({0, 1});
    run(window, QStringLiteral("applyLayerIndex:"));
    QuibPopover* layer = canvas->quibPopOver();
    layer->findChild<QLineEdit*>(QStringLiteral("zindexTextbox"))->setText(QStringLiteral("12"));
    QTest::mouseClick(layer->saveButton(), Qt::LeftButton);
    EXPECT_EQ(text->manualLayerIndex(), 12);
    EXPECT_EQ(image->manualLayerIndex(), 12);
    run(window, QStringLiteral("undo:"));
    EXPECT_EQ(image->manualLayerIndex(), 0);
}

TEST_F(ArrangeCommandsTest, SelectionDecidesTheSubmenusAndSnippetCommands)
{
    edition().gSnippetFormattingFlag = true;
    edition().gResponsiveLayoutFlag = false;
    auto* snippet = graphicAt<DRVText>({0, 0, 80, 20}, -99);
    snippet->setTextType(QStringLiteral("HTMLSnippet"));
    snippet->updateTextString(QStringLiteral("<b>old</b>"));
    auto* field = graphicAt<DRVText>({0, 40, 80, 20}, -99);
    field->setFormType(QStringLiteral("text"));
    auto* slideshow = new DRVSlideshow;
    slideshow->setBounds({0, 100, 80, 60});
    DRVWindowController* window = windowWith(QList<DRVGraphic*>{snippet, field, slideshow});
    DRVGraphicView* canvas = window->graphicView();

    const auto shown = [window](const char* action) {
        QAction* item = MenuModel::actionNamed(window->window()->menuBar(), QString::fromLatin1(action));
        EXPECT_TRUE(item) << action;
        if (!item)
            return false;
        // A submenu's own entry belongs to the menu that holds it.
        QMenu* owner = item->menu() ? qobject_cast<QMenu*>(item->menu()->parent())
                                    : qobject_cast<QMenu*>(item->parent());
        emit owner->aboutToShow();
        return item->isVisible();
    };
    canvas->changeSelectionIndexes({0});
    EXPECT_TRUE(shown("alignOptionsShown:"));
    EXPECT_TRUE(shown("layerOptionsShown:"));
    EXPECT_TRUE(shown("showCodeEditor:"));
    EXPECT_TRUE(shown("applyHTMLSnippetFormattingOption:"));
    EXPECT_FALSE(shown("removeHTMLSnippetFormattingOption:"));
    canvas->changeSelectionIndexes({0, 2});
    EXPECT_FALSE(shown("alignOptionsShown:"));
    EXPECT_FALSE(shown("layerOptionsShown:"));
    canvas->changeSelectionIndexes({0, 1});
    EXPECT_FALSE(shown("cut:"));
    EXPECT_FALSE(shown("duplicate:"));

    // Snippet formatting on and off, and the code editor writing back as one step.
    canvas->changeSelectionIndexes({0});
    run(window, QStringLiteral("applyHTMLSnippetFormattingOption:"));
    EXPECT_TRUE(snippet->snippetFormatFlag());
    EXPECT_TRUE(shown("removeHTMLSnippetFormattingOption:"));
    run(window, QStringLiteral("showCodeEditor:"));
    QDialog* editor = canvas->codeEditor();
    ASSERT_TRUE(editor && editor->isVisible());
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("Code Editor"));
    auto* code = editor->findChild<QPlainTextEdit*>(QStringLiteral("codeEditorTextView"));
    EXPECT_EQ(code->toPlainText(), QStringLiteral("<b>old</b>"));
    code->setPlainText(QStringLiteral("<i>new</i>"));
    QTest::mouseClick(editor->findChild<QPushButton*>(QStringLiteral("saveButton")), Qt::LeftButton);
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(snippet->textString(), QStringLiteral("<i>new</i>"));
    run(window, QStringLiteral("undo:"));
    EXPECT_EQ(snippet->textString(), QStringLiteral("<b>old</b>"));
    run(window, QStringLiteral("redo:"));
    EXPECT_EQ(snippet->textString(), QStringLiteral("<i>new</i>"));
}

TEST_F(ArrangeCommandsTest, SectionTablesNeverOfferTheLink)
{
    auto* plain = new DRVTable;
    plain->setBounds({0, 0, 100, 40});
    auto* section = new DRVTable;
    section->setBounds({0, 100, 100, 40});
    section->setGridType(QStringLiteral("section"));
    DRVWindowController* window = windowWith(QList<DRVGraphic*>{plain, section});
    window->graphicView()->changeSelectionIndexes({0});
    EXPECT_TRUE(validatedItem(window, QStringLiteral("applyLinkPopOver:"))->isVisible());
    window->graphicView()->changeSelectionIndexes({1});
    EXPECT_FALSE(validatedItem(window, QStringLiteral("applyLinkPopOver:"))->isVisible());
}
