// Sections on the canvas: which section or cell lies where, who belongs to it, free places, the
// push-down of the sections below, and fitting members into their cells.
#include "CanvasTestSupport.h"
#include "SectionPage.h"

#include "canvas/DRVGraphicView.h"
#include "canvas/DRVSelectionModel.h"
#include "model/DRVText.h"
#include "platform/UndoManager.h"
#include "model/TransformView.h"

namespace {

class SectionsTest : public CanvasTest
{
protected:
    SectionsTest() : page(sectionpage::fill(doc))
    {
        selection.setContent(&doc);
        view.bindGraphics(&doc);
        view.bindSelectionIndexes(&selection);
    }

    DRVDocument doc;
    sectionpage::Page page;
    DRVSelectionModel selection;
    DRVGraphicView view;
};

} // namespace

TEST_F(SectionsTest, LookUpsFindSectionsCellsAndMembers)
{
    EXPECT_EQ(view.grabMySection(1), page.first);
    EXPECT_EQ(view.grabMySection(2), page.second);
    EXPECT_EQ(view.grabMySection(3), nullptr);
    EXPECT_EQ(view.findNextSectionNumber(), 3);

    // Members are marked as travelling with their section unless they are selected.
    view.changeSelectionIndexes({0});
    EXPECT_EQ(view.findObjectsInSection(page.first), (QList<DRVGraphic*>{page.left, page.right}));
    EXPECT_FALSE(page.left->movingAsPartOfSection());
    EXPECT_TRUE(page.right->movingAsPartOfSection());
    EXPECT_TRUE(view.findObjectsInSection(page.left).isEmpty());
    EXPECT_EQ(view.grabTopMostObjectInSection(page.first), page.left);
    EXPECT_EQ(view.grabBottomMostObjectInSection(page.first), page.right);
    EXPECT_EQ(view.grabTopMostObjectInSection(page.lower), nullptr);

    // The cell under a point, and its section becomes the selected table.
    EXPECT_EQ(view.grabOverLappingSectionCell(QPointF(450.7, 50.2)), QRectF(300, 0, 300, 200));
    EXPECT_EQ(view.selectedTable(), page.first);
    EXPECT_EQ(view.grabOverLappingSectionCell(QPointF(100, 300)), QRectF(0, 200, 600, 150));
    EXPECT_EQ(view.selectedTable(), page.second);
    EXPECT_EQ(view.grabOverLappingSectionCell(QPointF(700, 50)), QRectF());
    EXPECT_EQ(view.selectedTable(), page.second); // no hit keeps the last one
    EXPECT_EQ(view.grabOverLappingSectionCellView(QPointF(310, 10)),
              page.first->grabSelectedTableCellHelper(0, 1));

    // A new object goes to the x and width of the cell under its point.
    EXPECT_EQ(view.grabSectionRect(QPointF(320, 40), QRectF(320, 40, 50, 30.8)), QRectF(300, 40, 300, 30));
    EXPECT_EQ(view.grabSectionRect(QPointF(900, 40), QRectF(900, 40, 50, 30)), QRectF(900, 40, 50, 30));
    EXPECT_EQ(view.grabOverLappingSection(QRectF(0, 150, 600, 100)), page.first);
    EXPECT_EQ(view.grabOverLappingSection(QRectF(0, 350, 600, 10)), nullptr); // touches only
}

TEST_F(SectionsTest, SectionTemplatesAreSectionsButNotFoundByNumber)
{
    DRVTable* templ =
        sectionpage::makeSection(7, QPointF(0, 400), {600}, 50, QStringLiteral("sectionTemplate"));
    doc.insertGraphics({templ}, {0});
    EXPECT_EQ(view.grabMySection(7), nullptr);
    EXPECT_EQ(view.grabOverLappingSectionCell(QPointF(5, 410)), QRectF(0, 400, 600, 50));
    EXPECT_EQ(view.findNextSectionNumber(), 8);
}

TEST_F(SectionsTest, PlacesAreFreeOnlyFromGraphicsOfTheirOwnSort)
{
    const struct
    {
        const DRVGraphic* moving;
        QRectF rect;
        bool occupied;
    } rows[] = {
        {page.left, QRectF(50, 30, 10, 10), false},    // over itself and a section only
        {page.left, QRectF(330, 110, 10, 10), true},   // over another member
        {page.left, QRectF(400, 20, 10, 10), false},   // over the section alone
        {page.first, QRectF(0, 10, 600, 200), true},   // a section over the next section
        {page.first, QRectF(0, 0, 600, 200), false},   // where it is: touches the next one only
        {page.second, QRectF(0, 500, 600, 10), false}, // empty canvas
    };
    for (const auto& row : rows)
        EXPECT_EQ(view.isThereGraphicAtNewLocation(row.moving, row.rect), row.occupied)
            << qPrintable(platform::stringFromRect(row.rect));

    EXPECT_FALSE(view.isThereGraphicAtRect(QRectF(500, 10, 20, 20)));
    EXPECT_TRUE(view.isThereGraphicAtRect_includingSection(QRectF(500, 10, 20, 20)));
    EXPECT_FALSE(view.isThereGraphicAtRect(QRectF(110, 20, 5, 5))); // touches left's edge only
    EXPECT_TRUE(view.isThereGraphicAtPoint(QPointF(15, 25)));
    EXPECT_FALSE(view.isThereGraphicAtPoint(QPointF(250, 150)));
}

TEST_F(SectionsTest, PushDownMovesTheSectionsBelowWithTheirMembers)
{
    // A strip at the new bottom of a growing section 1 pulls section 2 to the strip's top.
    view.identifyAndPushSectionsDownwardByOnePixel(QRectF(0, 230, 600, 1));
    EXPECT_EQ(page.second->bounds(), QRectF(0, 230, 600, 150));
    EXPECT_EQ(page.lower->bounds(), QRectF(30, 290, 120, 50));
    EXPECT_EQ(page.first->bounds(), QRectF(0, 0, 600, 200));
    EXPECT_EQ(page.left->bounds(), QRectF(10, 20, 100, 40));

    // Something reaching 40 below section 2's top moves it (and what lies below) to its bottom.
    view.identifyAndPushSectionsDownward(QRectF(0, 200, 600, 70.9));
    EXPECT_EQ(page.second->bounds(), QRectF(0, 270, 600, 150));
    EXPECT_EQ(page.lower->bounds(), QRectF(30, 330, 120, 50));

    // Nothing overlapping: nothing moves.
    view.identifyAndPushSectionsDownwardByDifference(QRectF(0, 900, 600, 10));
    EXPECT_EQ(page.second->bounds(), QRectF(0, 270, 600, 150));
}

TEST_F(SectionsTest, MembersAreFittedToTheirCells)
{
    auto* tall = sectionpage::makeMember(1, 0, QRectF(40, -30, 50, 80)); // sticks out above its cell
    auto* option = sectionpage::makeMember(1, 1, QRectF(310, 150, 40, 20));
    option->setFormOptionTag(2);
    auto* keeps = sectionpage::makeMember(1, 1, QRectF(350, 10, 40, 20));
    keeps->setResponsiveResizeFlag(1);
    auto* above = sectionpage::makeMember(2, 0, QRectF(50, 100, 60, 30)); // wholly above section 2
    doc.insertGraphics({tall, option, keeps, above}, {0, 1, 2, 3});

    view.reAlignSectionObjects(page.first);
    EXPECT_EQ(page.left->bounds(), QRectF(0, 20, 300, 40));
    EXPECT_EQ(page.right->bounds(), QRectF(300, 100, 300, 60));
    EXPECT_EQ(tall->bounds(), QRectF(0, 0, 300, 50));
    EXPECT_EQ(option->bounds(), QRectF(330, 150, 270, 20)); // option labels are indented
    EXPECT_EQ(keeps->bounds(), QRectF(300, 10, 40, 20));
    EXPECT_EQ(page.lower->bounds(), QRectF(30, 260, 120, 50)); // another section's member

    // Nothing is left of a graphic wholly above its cell once the part above is cut: it moves into
    // the cell with its own height instead of ending with none.
    view.reAlignSectionObjects(page.second);
    EXPECT_EQ(above->bounds(), QRectF(0, 200, 600, 30));
    EXPECT_EQ(page.lower->bounds(), QRectF(0, 260, 600, 50));
}

TEST_F(SectionsTest, AGraphicMovedIntoAnotherSectionJoinsIt)
{
    // Within its own section, into another cell: it keeps its recorded cell.
    EXPECT_EQ(view.isObjectStillInSameSectionGrid(QPointF(350, 50), page.left), page.left);
    EXPECT_EQ(page.left->sectionColumnSpot(), 0);
    EXPECT_EQ(page.left->bounds(), QRectF(10, 20, 100, 40));

    // Into section 2: its number and cell change and section 2 is re-aligned.
    page.left->setBounds(QRectF(10, 230, 100, 40));
    EXPECT_EQ(view.isObjectStillInSameSectionGrid(QPointF(20, 240), page.left), page.left);
    EXPECT_EQ(page.left->sectionNumber(), 2);
    EXPECT_EQ(page.left->sectionColumnSpot(), 0);
    EXPECT_EQ(page.left->bounds(), QRectF(0, 230, 600, 40));
    EXPECT_EQ(page.lower->bounds(), QRectF(0, 260, 600, 50));

    // A point outside every cell changes nothing; applySection finds no cell there either.
    EXPECT_EQ(view.isObjectStillInSameSectionGrid(QPointF(900, 900), page.right), page.right);
    EXPECT_EQ(page.right->sectionNumber(), 1);
    EXPECT_EQ(view.applySection(QPointF(900, 900), page.right), nullptr);
    EXPECT_EQ(view.applySection(QPointF(100, 300), page.right), page.right);
    EXPECT_EQ(page.right->sectionNumber(), 2);
}

TEST_F(SectionsTest, NextSectionNumberOnPagesWithoutSections)
{
    DRVDocument empty;
    DRVGraphicView other;
    other.bindGraphics(&empty);
    EXPECT_EQ(other.findNextSectionNumber(), 1);
    auto* loose = new DRVRectangle;
    loose->setSectionNumber(-99);
    empty.insertGraphics({loose}, {0});
    // Graphics in no section carry -99: numbering still starts at 1.
    EXPECT_EQ(other.findNextSectionNumber(), 1);
    loose->setSectionNumber(4);
    EXPECT_EQ(other.findNextSectionNumber(), 5);
}

TEST_F(SectionsTest, MakingRoomInACellMovesTheMembersBelowAndGrowsAnOverflowingSection)
{
    const struct
    {
        const char* name;
        QRectF inserted;
        double secondTop; // where section 2 starts before
        QRectF left, first, second;
    } rows[] = {
        {"room enough", QRectF(10, 10, 100, 30), 200, QRectF(10, 40, 100, 40), QRectF(0, 0, 600, 200),
         QRectF(0, 200, 600, 150)},
        {"overflow pushes the next section to 50 below", QRectF(10, 10, 100, 180), 200,
         QRectF(10, 190, 100, 40), QRectF(0, 0, 600, 230), QRectF(0, 280, 600, 150)},
        {"a section far below stays", QRectF(10, 10, 100, 180), 300, QRectF(10, 190, 100, 40),
         QRectF(0, 0, 600, 230), QRectF(0, 300, 600, 150)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        page.left->setBounds(QRectF(10, 20, 100, 40));
        page.first->setBounds(QRectF(0, 0, 600, 200));
        page.second->setBounds(QRectF(0, row.secondTop, 600, 150));
        page.lower->setBounds(QRectF(30, row.secondTop + 60, 120, 50));
        EXPECT_EQ(view.shiftObjectsInSection(QPointF(50, 10), row.inserted), row.inserted);
        EXPECT_EQ(page.left->bounds(), row.left);
        EXPECT_EQ(page.right->bounds(), QRectF(320, 100, 80, 60)); // another cell
        EXPECT_EQ(page.first->bounds(), row.first);
        EXPECT_EQ(page.second->bounds(), row.second);
        EXPECT_EQ(page.lower->bounds().y(), row.second.y() + 60); // members travel along
    }
}

TEST_F(SectionsTest, GroupsGatherOnlyTheirOwnNumberAndOnlyTheKindsThatTakePart)
{
    auto* text = new DRVText;
    text->setBounds(QRectF(100, 250, 100, 20));
    auto* shape = sectionpage::makeMember(2, 0, QRectF(300, 250, 50, 20));
    doc.insertGraphics({text, shape}, {0, 1});
    for (DRVGraphic* g : doc.graphics())
        g->setGroupNumber(-99);
    // Ungrouped graphics share no group: the look-up finds nothing for them.
    EXPECT_TRUE(view.findMatchingGroupObjects(page.right).isEmpty());
    EXPECT_TRUE(view.findMatchingGroupObjects(text).isEmpty());

    page.right->setGroupNumber(5);
    text->setGroupNumber(5);
    shape->setGroupNumber(5);
    // Plain shapes take no part in groups; sections are tables and do.
    EXPECT_EQ(view.findMatchingGroupObjects(page.right), QList<DRVGraphic*>{text});
    EXPECT_EQ(view.findMatchingGroupObjects(text), QList<DRVGraphic*>{});
    page.first->setGroupNumber(5);
    EXPECT_EQ(view.findMatchingGroupObjects(text), QList<DRVGraphic*>{page.first});
    EXPECT_TRUE(DRVGraphicView::existInArray({3, 5, 9}, 5));
    EXPECT_FALSE(DRVGraphicView::existInArray({}, -99));
}

TEST_F(SectionsTest, CentringCommandsShiftTheSelectionAsOneNamedStep)
{
    auto* text = new DRVText;
    text->setBounds(QRectF(100, 250, 100, 20));
    doc.insertGraphics({text}, {0});
    for (DRVGraphic* g : doc.graphics())
        g->setGroupNumber(-99);
    doc.undoManager()->removeAllActions();
    const int right = int(doc.graphics().indexOf(page.right));
    auto undoTop = [&] { return doc.undoManager()->undoActionName(); };

    // Nothing selected: centring on the canvas does nothing.
    view.changeSelectionIndexes({});
    EXPECT_FALSE(view.centerGroupShown());
    view.centerOnCanvas();
    EXPECT_FALSE(doc.undoManager()->canUndo());

    const struct
    {
        const char* name;
        int groupNumber; // of right and the text box
        void (DRVGraphicView::*command)();
        double x; // right's x after
        const char* step;
    } rows[] = {
        // Page content 0..600: the middle of right lands at half the content width.
        {"group on the page", -99, &DRVGraphicView::centerGroup, 260, "Center Group"},
        // Canvas width 200.
        {"on the canvas", -99, &DRVGraphicView::centerOnCanvas, 60, "Center on Canvas"},
        // Ungrouped: its own extent, so it stays.
        {"within no group", -99, &DRVGraphicView::centerWithinGroup, 320, nullptr},
        // Grouped with the text box at 100..200.
        {"within its group", 5, &DRVGraphicView::centerWithinGroup, 110, "Center Within Group"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        page.right->setGroupNumber(row.groupNumber);
        text->setGroupNumber(row.groupNumber);
        doc.undoManager()->removeAllActions();
        view.changeSelectionIndexes({right});
        EXPECT_TRUE(view.centerGroupShown());
        (view.*row.command)();
        EXPECT_EQ(page.right->bounds(), QRectF(row.x, 100, 80, 60));
        EXPECT_EQ(text->bounds(), QRectF(100, 250, 100, 20));
        if (!row.step) {
            EXPECT_FALSE(doc.undoManager()->canUndo());
            continue;
        }
        EXPECT_EQ(undoTop(), QString::fromLatin1(row.step));
        doc.undoManager()->undo();
        EXPECT_EQ(page.right->bounds(), QRectF(320, 100, 80, 60));
    }
    edition().gHideCenterGroupFlag = true;
    EXPECT_FALSE(view.centerGroupShown());
}

TEST_F(SectionsTest, ReAlignmentNeverLeavesANonPositiveSize)
{
    // A cell narrower than the indent of an option label: the label keeps its width.
    DRVTable* narrow = sectionpage::makeSection(3, QPointF(0, 400), {20}, 100);
    auto* option = sectionpage::makeMember(3, 0, QRectF(5, 410, 40, 20));
    option->setFormOptionTag(1);
    doc.insertGraphics({option, narrow}, {0, 1});
    view.reAlignSectionObjects(narrow);
    EXPECT_EQ(option->bounds(), QRectF(30, 410, 40, 20));
}

TEST_F(SectionsTest, TheSelectedTablesBackgroundPatternCanBeRemoved)
{
    EXPECT_FALSE(view.doesSelectedTableContainBackgroundPattern());
    view.grabOverLappingSectionCell(QPointF(10, 10));
    page.first->setTableBackgroundImage(new TransformView);
    EXPECT_TRUE(view.doesSelectedTableContainBackgroundPattern());
    view.removeTableBackgroundImage();
    EXPECT_EQ(page.first->tableBackgroundImage(), nullptr);
    EXPECT_FALSE(view.doesSelectedTableContainBackgroundPattern());
}

TEST_F(SectionsTest, RadioButtonsGoBackBesideTheirLabels)
{
    auto makeText = [](const QString& type, int tag, int option, const QRectF& bounds) {
        auto* text = new DRVText;
        text->setFormType(type);
        text->setFormTag(tag);
        text->setFormOptionTag(option);
        text->setBounds(bounds);
        return text;
    };
    DRVText* label = makeText(QStringLiteral("textLabel"), 4, 1, QRectF(100, 300, 80, 20));
    DRVText* radio = makeText(QStringLiteral("radio"), 4, 1, QRectF(5, 5, 16, 16));
    DRVText* plain = makeText(QStringLiteral("textLabel"), 5, 1, QRectF(200, 300, 80, 20));
    DRVText* field = makeText(QStringLiteral("textField"), 5, 1, QRectF(7, 7, 50, 20));
    doc.insertGraphics({label, radio, plain, field}, {0, 1, 2, 3});

    view.reAlignFormOptions();
    EXPECT_EQ(radio->bounds(), QRectF(70, 308, 16, 16));
    EXPECT_EQ(field->bounds(), QRectF(7, 7, 50, 20)); // a label's partner that is no option stays

    edition().gOverlapCheckFlag = true;
    view.reAlignFormOptions();
    EXPECT_EQ(radio->bounds(), QRectF(80, 300, 16, 16));
}
