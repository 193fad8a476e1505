#include "CanvasTestSupport.h"

#include "canvas/DRVGrid.h"
#include "platform/ManualClock.h"
#include "platform/UserDefaults.h"

#include <QPainter>

namespace {

using GridTest = CanvasTest;

platform::UserDefaults& defaults()
{
    return platform::UserDefaults::standard();
}

// Counts the announcements of "any", which make the canvas redraw.
struct AnyCounter
{
    explicit AnyCounter(DRVGrid& grid)
    {
        platform::observe(
            &grid, &context,
            [this](platform::Observable*, const QString& key, const QVariant&, const QVariant&) {
                if (key == QLatin1String("any"))
                    ++count;
            });
    }
    QObject context;
    int count = 0;
};

} // namespace

TEST_F(GridTest, SnapsPointsToTheNearestIntersectionOnlyWhenConstrainingAndUsable)
{
    struct Case
    {
        double spacing;
        bool constraining;
        QPointF point;
        QPointF expected;
    };
    const Case cases[] = {
        {10, true, {14.9, 15.0}, {10, 20}},
        {10, true, {-15, -14.9}, {-10, -10}}, // halfway goes to the larger line, also below zero
        {10, true, {-5, 5}, {0, 10}},
        {10, true, {30, 40}, {30, 40}},
        {9, true, {13.6, 4.4}, {18, 0}},
        {10, false, {14.9, 15.0}, {14.9, 15.0}},
        {0, true, {14.9, 15.0}, {14.9, 15.0}},
        {-4, true, {14.9, 15.0}, {14.9, 15.0}},
    };
    for (const Case& c : cases) {
        DRVGrid grid;
        grid.setAlwaysShown(true);
        grid.setSpacing(c.spacing);
        grid.setConstraining(c.constraining);
        EXPECT_EQ(grid.constrainedPoint(c.point), c.expected)
            << c.spacing << " " << c.constraining << " " << c.point.x() << "," << c.point.y();
    }
}

TEST_F(GridTest, AlignsEachEdgeToItsNearestLine)
{
    struct Case
    {
        QRectF rect;
        QRectF expected;
    };
    const Case cases[] = {
        {{3, 4, 12, 2}, {0, 0, 20, 10}},
        {{12, 12, 2, 2}, {10, 10, 0, 0}}, // both edges snap to the same line
        {{-16, 25, 30, 10}, {-20, 30, 30, 10}},
    };
    DRVGrid grid;
    grid.setSpacing(10);
    EXPECT_TRUE(grid.canAlign());
    for (const Case& c : cases)
        EXPECT_EQ(grid.alignedRect(c.rect), c.expected) << c.rect.x() << "," << c.rect.y();
    grid.setSpacing(0);
    EXPECT_FALSE(grid.canAlign());
}

TEST_F(GridTest, StartsFromTheUserDefaults)
{
    {
        DRVGrid grid;
        EXPECT_EQ(grid.spacing(), 9.0);
        EXPECT_FALSE(grid.isAlwaysShown());
        EXPECT_FALSE(grid.isConstraining());
    }
    defaults().setObject(QStringLiteral("gridSpacing"), 12.5f);
    defaults().setBool(QStringLiteral("drawGridFlag"), true);
    defaults().setBool(QStringLiteral("snapGridFlag"), true);
    {
        DRVGrid grid;
        EXPECT_EQ(grid.spacing(), 12.5);
        EXPECT_TRUE(grid.isAlwaysShown());
        EXPECT_TRUE(grid.isConstraining());
        EXPECT_TRUE(grid.canSetColor());
        EXPECT_TRUE(grid.canSetSpacing());
    }
    for (double stored : {0.0, -3.0}) {
        defaults().setObject(QStringLiteral("gridSpacing"), stored);
        EXPECT_EQ(DRVGrid().spacing(), 9.0) << stored;
    }

    // An edition with its own spacing overrides whatever the user chose.
    defaults().setBool(QStringLiteral("drawGridFlag"), false);
    defaults().setBool(QStringLiteral("snapGridFlag"), false);
    edition().gCustomGridSpacingFlag = true;
    edition().gCustomGridSpacing = 50;
    DRVGrid custom;
    EXPECT_TRUE(custom.isAlwaysShown());
    EXPECT_TRUE(custom.isConstraining());
    EXPECT_EQ(custom.spacing(), 50.0);
}

TEST_F(GridTest, SettersPersistTheUsersChoices)
{
    DRVGrid grid;
    grid.setAlwaysShown(true);
    grid.setConstraining(true);
    grid.setSpacing(7.5);
    EXPECT_TRUE(defaults().boolForKey(QStringLiteral("drawGridFlag")));
    EXPECT_TRUE(defaults().boolForKey(QStringLiteral("snapGridFlag")));
    EXPECT_EQ(defaults().floatForKey(QStringLiteral("gridSpacing")), 7.5f);

    DRVGrid again;
    EXPECT_TRUE(again.isAlwaysShown());
    EXPECT_TRUE(again.isConstraining());
    EXPECT_EQ(again.spacing(), 7.5);

    // A spacing of 0 is stored although it makes the grid unusable; the next grid starts at 9.
    again.setSpacing(0);
    EXPECT_FALSE(again.isUsable());
    EXPECT_FALSE(again.isShown());
    EXPECT_EQ(defaults().floatForKey(QStringLiteral("gridSpacing")), 0.0f);
    EXPECT_EQ(DRVGrid().spacing(), 9.0);
}

TEST_F(GridTest, SameSpacingIsStoredButNeitherShowsNorAnnounces)
{
    DRVGrid grid;
    AnyCounter any(grid);
    defaults().removeObject(QStringLiteral("gridSpacing"));
    grid.setSpacing(9);
    EXPECT_TRUE(defaults().hasUserValue(QStringLiteral("gridSpacing")));
    EXPECT_FALSE(grid.isShown());
    EXPECT_EQ(any.count, 0);
}

TEST_F(GridTest, HiddenGridIsShownForOneSecondAfterEachSpacingChange)
{
    platform::ManualClock clock;
    DRVGrid grid;
    AnyCounter any(grid);
    bool shownWhenAnnounced = false;
    QObject context;
    platform::observe(&grid, &context,
                      [&](platform::Observable*, const QString& key, const QVariant&, const QVariant&) {
                          if (key == QLatin1String("spacing"))
                              shownWhenAnnounced = grid.isShown();
                      });
    ASSERT_FALSE(grid.isShown());

    grid.setSpacing(12);
    EXPECT_TRUE(shownWhenAnnounced); // the canvas redraws with the grid in it
    EXPECT_EQ(any.count, 1);

    clock.advance(500);
    EXPECT_TRUE(grid.isShown());
    grid.setSpacing(15);
    EXPECT_EQ(any.count, 2);

    // Past the end of the first second, the second change keeps it shown for its own second.
    clock.advance(DRVGrid::kTemporaryDisplayMs - 1);
    EXPECT_TRUE(grid.isShown());
    EXPECT_EQ(any.count, 2);
    clock.advance(1);
    EXPECT_FALSE(grid.isShown());
    EXPECT_EQ(any.count, 3); // the end of the display is announced too
    clock.advance(5000);
    EXPECT_EQ(any.count, 3);
}

TEST_F(GridTest, SwitchingTheGridOnOrOffCancelsTheTemporaryDisplay)
{
    DRVGrid grid;
    grid.setSpacing(20);
    ASSERT_TRUE(grid.isShowingTemporarily());
    grid.setAlwaysShown(true);
    EXPECT_FALSE(grid.isShowingTemporarily());
    EXPECT_TRUE(grid.isShown());
    grid.setAlwaysShown(false);
    EXPECT_FALSE(grid.isShown());

    // Changing the spacing of a grid that is always shown starts no timer.
    grid.setAlwaysShown(true);
    grid.setSpacing(25);
    EXPECT_FALSE(grid.isShowingTemporarily());
}

TEST_F(GridTest, DrawsOnlyTheLinesInsideTheDirtyRectangle)
{
    DRVGrid grid;
    grid.setColor(Qt::black);
    grid.setSpacing(10);
    grid.stopShowingGridForTimer();
    QImage image(40, 40, QImage::Format_ARGB32_Premultiplied);
    auto render = [&](const QRectF& dirty) {
        image.fill(Qt::white);
        QPainter painter(&image);
        grid.drawRect(&painter, dirty);
    };
    auto darkColumn = [&](int x, int y) { return qRed(image.pixel(x, y)) < 128; };

    render(QRectF(0, 0, 40, 40));
    EXPECT_FALSE(darkColumn(20, 5)) << "a hidden grid draws nothing";

    grid.setAlwaysShown(true);
    render(QRectF(0, 0, 25, 25));
    EXPECT_TRUE(darkColumn(20, 5) || darkColumn(19, 5));
    EXPECT_TRUE(darkColumn(5, 20) || darkColumn(5, 19));
    EXPECT_FALSE(darkColumn(15, 15));
    EXPECT_FALSE(darkColumn(30, 5) || darkColumn(29, 5)) << "a line outside the dirty rectangle";
    EXPECT_FALSE(darkColumn(20, 32)) << "a line is not drawn past the dirty rectangle";
}
