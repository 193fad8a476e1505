// Where objects made by menu commands go: the visible part's corner, or below the lowest object.
#include "CanvasTestSupport.h"

#include "canvas/DRVGraphicView.h"
#include "document/DRVDocument.h"
#include "model/DRVRectangle.h"

#include <QScrollArea>
#include <QTest>
#include <QScrollBar>

namespace {

class InsertionPointTest : public CanvasTest
{
protected:
    InsertionPointTest()
    {
        edition().gCanvasWidth = 1200;
        edition().gCanvasHeight = 2000;
        view.bindGraphics(&doc);
        auto* lowest = new DRVRectangle;
        lowest->setBounds(QRectF(40, 400, 100, 80)); // ends at 480
        doc.insertGraphics({lowest}, {0});
    }

    DRVDocument doc;
    DRVGraphicView view;
};

} // namespace

TEST_F(InsertionPointTest, FollowsTheScrollOffsetOrTheLowestObject)
{
    // Outside any window the page shows from its origin.
    EXPECT_EQ(view.calculateOriginPoint(), QPointF(100, 30));

    QScrollArea scroller;
    scroller.resize(400, 300);
    scroller.setWidget(&view);
    view.resize(1200, 2000);
    scroller.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&scroller));
    EXPECT_EQ(view.calculateOriginPoint(), QPointF(100, 30));

    scroller.horizontalScrollBar()->setValue(250);
    scroller.verticalScrollBar()->setValue(700);
    QCoreApplication::processEvents();
    EXPECT_EQ(view.calculateOriginPoint(), QPointF(350, 730));

    // At the end of the page, y no longer follows the scroll position; x still does.
    platform::UserDefaults::standard().setBool(QStringLiteral("InsertNewAtEndFlag"), true);
    EXPECT_EQ(view.calculateOriginPoint(), QPointF(350, 510));
    scroller.verticalScrollBar()->setValue(0);
    QCoreApplication::processEvents();
    EXPECT_EQ(view.calculateOriginPoint(), QPointF(350, 510));
    scroller.takeWidget();
}
