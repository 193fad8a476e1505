#include "model/FakePageContext.h"

#include "model/DRVGraphic.h"
#include "platform/ManualClock.h"
#include "platform/Threads.h"

#include <gtest/gtest.h>

namespace {

class CountingGraphic : public DRVGraphic
{
public:
    int horizontalFlips = 0;
    int verticalFlips = 0;
    void flipHorizontally() override { ++horizontalFlips; }
    void flipVertically() override { ++verticalFlips; }
};

DRVGraphic* member(std::vector<std::unique_ptr<DRVGraphic>>& owner, QRectF bounds, int section = -99)
{
    owner.push_back(std::make_unique<DRVGraphic>());
    DRVGraphic* g = owner.back().get();
    g->setBounds(bounds);
    g->setSelectable(true);
    g->setSectionNumber(section);
    return g;
}

} // namespace

TEST(Resize, EachHandleWithFlips)
{
    EditionGuard guard;
    struct Case
    {
        int handle;
        QPointF to;
        QRectF bounds;
        int continuesWith;
        int horizontalFlips, verticalFlips;
    };
    // From (10, 10, 100, 50): right edge 110, bottom edge 60.
    const Case cases[] = {
        {8, {60, 40}, {10, 10, 50, 30}, 8, 0, 0},   {8, {0, 40}, {0, 10, 10, 30}, 6, 1, 0},
        {8, {0, 0}, {0, 0, 10, 10}, 1, 1, 1},       {1, {20, 20}, {20, 20, 90, 40}, 1, 0, 0},
        {1, {120, 70}, {110, 60, 10, 10}, 8, 1, 1}, {2, {999, 0}, {10, 0, 100, 60}, 2, 0, 0},
        {2, {50, 80}, {10, 60, 100, 20}, 7, 0, 1},  {3, {130, 0}, {10, 0, 120, 60}, 3, 0, 0},
        {3, {0, 70}, {0, 60, 10, 10}, 6, 1, 1},     {4, {0, 999}, {0, 10, 110, 50}, 4, 0, 0},
        {4, {150, 0}, {110, 10, 40, 50}, 5, 1, 0},  {5, {50, 0}, {10, 10, 40, 50}, 5, 0, 0},
        {5, {-10, 0}, {-10, 10, 20, 50}, 4, 1, 0},  {6, {0, 70}, {0, 10, 110, 60}, 6, 0, 0},
        {6, {20, 0}, {20, 0, 90, 10}, 1, 0, 1},     {7, {0, 100}, {10, 10, 100, 90}, 7, 0, 0},
        {7, {0, 0}, {10, 0, 100, 10}, 2, 0, 1},     {0, {0, 0}, {10, 10, 100, 50}, 0, 0, 0},
    };
    for (const Case& c : cases) {
        CountingGraphic g;
        g.setBounds(QRectF(10, 10, 100, 50));
        EXPECT_EQ(g.resizeByMovingHandle(c.handle, c.to), c.continuesWith) << "handle " << c.handle;
        EXPECT_EQ(g.bounds(), c.bounds) << "handle " << c.handle << " to " << c.to.x() << "," << c.to.y();
        EXPECT_EQ(g.horizontalFlips, c.horizontalFlips) << "handle " << c.handle;
        EXPECT_EQ(g.verticalFlips, c.verticalFlips) << "handle " << c.handle;
    }
}

TEST(Resize, ImagesKeepTheirProportions)
{
    EditionGuard guard;
    FakeImageGraphic image;
    image.setBounds(QRectF(0, 0, 100, 50));
    image.resizeByMovingHandle(5, QPointF(200, 999));
    EXPECT_EQ(image.bounds(), QRectF(0, 0, 200, 100));
    EXPECT_EQ(image.originalRectUpdates, 1);
    image.resizeByMovingHandle(7, QPointF(0, 50));
    EXPECT_EQ(image.bounds(), QRectF(0, 0, 100, 50));
}

TEST(Resize, ResponsiveImagesTakeSidePaddingsInsteadOfWidth)
{
    EditionGuard guard;
    edition().gResponsiveLayoutFlag = true;
    FakeImageGraphic image; // picture 100 x 50
    image.setBounds(QRectF(0, 0, 100, 50));

    image.resizeByMovingHandle(5, QPointF(300, 20)); // no horizontal resizing
    EXPECT_EQ(image.bounds(), QRectF(0, 0, 100, 50));

    image.resizeByMovingHandle(7, QPointF(0, 40)); // picture 80 wide in a 100 box: 10 % each side
    EXPECT_EQ(image.bounds(), QRectF(0, 0, 100, 40));
    EXPECT_EQ(image.leftPadding(), 10);
    EXPECT_EQ(image.rightPadding(), 10);
    EXPECT_EQ(image.leftPaddingType(), "%");
    EXPECT_EQ(image.rightPaddingType(), "%");

    image.resizeByMovingHandle(7, QPointF(0, 60)); // would need negative paddings
    EXPECT_EQ(image.bounds(), QRectF(0, 0, 100, 40));

    DRVGraphic plain;
    plain.setBounds(QRectF(0, 0, 100, 50));
    plain.resizeByMovingHandle(8, QPointF(300, 80));
    EXPECT_EQ(plain.bounds(), QRectF(0, 0, 100, 80));
}

TEST(Resize, OverlapCheckRefusesOverlapsAndLeavingTheSection)
{
    EditionGuard guard;
    edition().gOverlapCheckFlag = true;
    FakePageContext fake;
    ScopedPageContext scope(&fake);

    // In no section there is no section edge to leave: the resize applies.
    DRVGraphic loose;
    loose.setBounds(QRectF(10, 10, 100, 50));
    loose.setSectionNumber(-99);
    loose.resizeByMovingHandle(8, QPointF(60, 40));
    EXPECT_EQ(loose.bounds(), QRectF(10, 10, 50, 30));

    FakeSectionTable section;
    section.setBounds(QRectF(0, 0, 200, 100));
    fake.sections.insert(3, &section);
    DRVGraphic inside;
    inside.setBounds(QRectF(10, 10, 50, 50));
    inside.setSectionNumber(3);
    inside.resizeByMovingHandle(8, QPointF(100, 101)); // bottom 101: within the 2-pixel allowance
    EXPECT_EQ(inside.bounds(), QRectF(10, 10, 90, 91));
    inside.resizeByMovingHandle(8, QPointF(100, 103)); // past it
    EXPECT_EQ(inside.bounds(), QRectF(10, 10, 90, 91));

    fake.occupied.append(QRectF(150, 0, 10, 10));
    inside.resizeByMovingHandle(3, QPointF(155, 5));
    EXPECT_EQ(inside.bounds(), QRectF(10, 10, 90, 91));
    inside.resizeByMovingHandle(3, QPointF(140, 5));
    EXPECT_EQ(inside.bounds(), QRectF(10, 5, 130, 96));
}

TEST(Resize, SectionRules)
{
    EditionGuard guard;
    FakePageContext fake;
    ScopedPageContext scope(&fake);
    FakeSectionTable section;
    section.setTopPadding(10);
    section.setTopPaddingType("pixel");
    section.setBottomMargin(5);
    section.setBottomMarginType("pixel");
    const QRectF start(0, 100, 500, 200); // bottom edge 300
    DRVGraphic member;
    member.setBounds(QRectF(10, 150, 50, 100)); // top 150, bottom 250

    // Growing down: applied; a graphic in the strip pushes the sections below by one pixel.
    section.setBounds(start);
    fake.occupied = {QRectF(0, 310, 10, 10)};
    section.resizeByMovingHandle(8, QPointF(500, 320));
    EXPECT_EQ(section.bounds(), QRectF(0, 100, 500, 220));
    ASSERT_EQ(fake.pushedByOnePixel.size(), 1);
    EXPECT_EQ(fake.pushedByOnePixel.first(), QRectF(0, 320, 500, 1));

    // Growing up: refused when another section is in the strip above.
    section.setBounds(start);
    fake.occupied = {QRectF(0, 85, 10, 10)};
    section.resizeByMovingHandle(2, QPointF(250, 80));
    EXPECT_EQ(section.bounds(), start);
    fake.occupied.clear();
    section.resizeByMovingHandle(2, QPointF(250, 80));
    EXPECT_EQ(section.bounds(), QRectF(0, 80, 500, 220));

    // Shrinking from the top past the top-most member: refused.
    section.setBounds(start);
    fake.topMost = &member;
    section.resizeByMovingHandle(2, QPointF(250, 160));
    EXPECT_EQ(section.bounds(), start);
    section.resizeByMovingHandle(2, QPointF(250, 140));
    EXPECT_EQ(section.bounds(), QRectF(0, 140, 500, 160));

    // Shrinking from the bottom past the bottom-most member: refused.
    section.setBounds(start);
    fake.bottomMost = &member;
    section.resizeByMovingHandle(7, QPointF(250, 240));
    EXPECT_EQ(section.bounds(), start);
    section.resizeByMovingHandle(7, QPointF(250, 260));
    EXPECT_EQ(section.bounds(), QRectF(0, 100, 500, 160));
}

TEST(Move, EachGraphicStartsFromTheCallersDeltas)
{
    EditionGuard guard;
    edition().gOverlapCheckFlag = true;
    FakePageContext fake;
    ScopedPageContext scope(&fake);
    FakeSectionTable section;
    section.setBounds(QRectF(0, 0, 500, 100));
    fake.sections.insert(1, &section);

    std::vector<std::unique_ptr<DRVGraphic>> owner;
    DRVGraphic* nearTop = member(owner, QRectF(10, 5, 20, 20), 1); // y - 4 = 1: closer than 2
    DRVGraphic* loose = member(owner, QRectF(100, 200, 20, 20));
    DRVGraphic* roomy = member(owner, QRectF(50, 50, 20, 20), 1);
    DRVGraphic::translateGraphics({nearTop, loose, roomy}, 3, -4);
    EXPECT_EQ(nearTop->bounds(), QRectF(13, 5, 20, 20));
    EXPECT_EQ(loose->bounds(), QRectF(103, 196, 20, 20));
    EXPECT_EQ(roomy->bounds(), QRectF(53, 46, 20, 20));
    EXPECT_EQ(fake.formRealignments, 3);

    // Without the overlap check the section limit is not applied.
    edition().gOverlapCheckFlag = false;
    DRVGraphic::translateGraphics({nearTop}, 0, -4);
    EXPECT_EQ(nearTop->bounds(), QRectF(13, 1, 20, 20));
    for (auto& g : owner)
        platform::DelayedPerform::cancel(g.get(), DRVGraphic::overlapCheckAction());
}

TEST(Move, LocksSelectabilityAndTheResponsiveLayout)
{
    EditionGuard guard;
    std::vector<std::unique_ptr<DRVGraphic>> owner;
    DRVGraphic* locked = member(owner, QRectF(0, 0, 10, 10));
    locked->setMoveLock(1);
    DRVGraphic* fixed = member(owner, QRectF(0, 0, 10, 10));
    fixed->setSelectable(false);
    DRVGraphic::translateGraphics({locked, fixed}, 5, 5);
    EXPECT_EQ(locked->bounds(), QRectF(0, 0, 10, 10));
    EXPECT_EQ(fixed->bounds(), QRectF(0, 0, 10, 10));

    edition().gResponsiveLayoutFlag = true;
    DRVGraphic* above = member(owner, QRectF(40, -5, 10, 10));
    DRVGraphic* below = member(owner, QRectF(40, 15, 10, 10));
    DRVGraphic::translateGraphics({above, below}, 30, -20);
    EXPECT_EQ(above->bounds(), QRectF(40, -5, 10, 10));
    EXPECT_EQ(below->bounds(), QRectF(40, -5, 10, 10));
}

TEST(Move, ASectionDragsItsUnselectedMembers)
{
    EditionGuard guard;
    FakePageContext fake;
    ScopedPageContext scope(&fake);
    std::vector<std::unique_ptr<DRVGraphic>> owner;
    FakeSectionTable section;
    section.setBounds(QRectF(0, 100, 500, 100));
    section.setSelectable(true);
    section.setMoveLock(1);
    DRVGraphic* carried = member(owner, QRectF(10, 110, 20, 20), 1);
    carried->setMovingAsPartOfSection(true);
    DRVGraphic* selected = member(owner, QRectF(50, 110, 20, 20), 1);
    fake.sectionMembers = {carried, selected};

    DRVGraphic::translateGraphics({&section}, 7, 30);
    EXPECT_EQ(section.bounds(), QRectF(0, 100, 500, 100)); // locked
    EXPECT_EQ(carried->bounds(), QRectF(10, 140, 20, 20));
    EXPECT_EQ(selected->bounds(), QRectF(50, 110, 20, 20));
}

TEST(Move, OverlapSnapsBackAfterTheLastMove)
{
    EditionGuard guard;
    edition().gOverlapCheckFlag = true;
    platform::ManualClock clock;
    FakePageContext fake;
    ScopedPageContext scope(&fake);
    DRVGraphic g;
    g.setBounds(QRectF(0, 0, 10, 10));
    g.setSelectable(true);
    g.setSectionNumber(-99);
    fake.occupied = {QRectF(100, 0, 10, 10)};

    DRVGraphic::translateGraphics({&g}, 50, 0);
    clock.advance(DRVGraphic::kOverlapCheckDelayMs - 50);
    DRVGraphic::translateGraphics({&g}, 50, 0); // onto the other graphic, restarting the delay
    EXPECT_EQ(g.bounds(), QRectF(100, 0, 10, 10));
    EXPECT_EQ(g.lastNoOverlapRect(), QRectF(50, 0, 10, 10));
    EXPECT_TRUE(platform::DelayedPerform::isPending(&g, DRVGraphic::overlapCheckAction()));

    // The check waits for the whole delay after the last move, then puts the graphic back.
    clock.advance(DRVGraphic::kOverlapCheckDelayMs - 1);
    EXPECT_EQ(g.bounds(), QRectF(100, 0, 10, 10));
    EXPECT_TRUE(platform::DelayedPerform::isPending(&g, DRVGraphic::overlapCheckAction()));
    clock.advance(1);
    EXPECT_FALSE(platform::DelayedPerform::isPending(&g, DRVGraphic::overlapCheckAction()));
    EXPECT_EQ(g.bounds(), QRectF(50, 0, 10, 10));
}

TEST(Move, OverlapCheckRealignsResponsiveSections)
{
    EditionGuard guard;
    edition().gResponsiveLayoutFlag = true;
    FakePageContext fake;
    ScopedPageContext scope(&fake);
    FakeSectionTable section;
    section.setMovingAsPartOfSection(true);
    DRVGraphic::checkforOverlap(&section);
    EXPECT_EQ(fake.realignedSections, QList<DRVGraphic*>{&section});
    EXPECT_FALSE(section.movingAsPartOfSection());

    DRVGraphic carried, dropped;
    carried.setMovingAsPartOfSection(true);
    DRVGraphic::checkforOverlap(&carried);
    DRVGraphic::checkforOverlap(&dropped);
    EXPECT_EQ(fake.gridChecks, QList<DRVGraphic*>{&dropped});
    EXPECT_FALSE(carried.movingAsPartOfSection());
}

TEST(Move, UnionOfBounds)
{
    EXPECT_EQ(DRVGraphic::boundsOfGraphics({}), QRectF());
    std::vector<std::unique_ptr<DRVGraphic>> owner;
    DRVGraphic* a = member(owner, QRectF(10, 10, 20, 20));
    DRVGraphic* empty = member(owner, QRectF(500, 500, 0, 0));
    DRVGraphic* b = member(owner, QRectF(50, 0, 10, 5));
    EXPECT_EQ(DRVGraphic::boundsOfGraphics({a}), QRectF(10, 10, 20, 20));
    EXPECT_EQ(DRVGraphic::boundsOfGraphics({a, empty, b}), QRectF(10, 0, 50, 30));
    EditionGuard guard;
    EXPECT_EQ(DRVGraphic::drawingBoundsOfGraphics({a, b}), QRectF(3, -7, 64, 44));
}
