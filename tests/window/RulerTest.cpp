// The canvas's rulers: placed on the scroll view, following scroll and zoom, in the unit the user
// chose last, with a print sheet's own inch.
#include "WindowTestSupport.h"

#include "canvas/DRVGraphicView.h"
#include "document/DRVDocument.h"
#include "editions/DataCentre.h"
#include "editions/LabelHelper.h"
#include "model/DRVZoomingScrollView.h"
#include "window/CanvasRulers.h"
#include "window/DRVWindowController.h"
#include "window/RulerWidget.h"

#include <QApplication>
#include <QDir>
#include <QMainWindow>
#include <QScrollBar>
#include <QTest>

namespace {

class RulerTest : public WindowTest
{
protected:
    RulerTest()
    {
        edition().gCanvasWidth = 2000;
        edition().gCanvasHeight = 3000;
        controller.setDocument(&doc);
        controller.window()->resize(1100, 760);
    }
    ~RulerTest() override { RulerWidget::resetUnitScales(); }

    RulerWidget* top() const { return controller.rulers()->horizontalRuler(); }
    RulerWidget* left() const { return controller.rulers()->verticalRuler(); }

    DRVDocument doc;
    DRVWindowController controller;
};

} // namespace

TEST_F(RulerTest, RulersSitAlongTheViewport)
{
    controller.window()->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(controller.window()));
    DRVZoomingScrollView* scroll = controller.zoomingScrollView();
    const QRect port = scroll->viewport()->geometry();
    const int inset = scroll->frameWidth() + RulerWidget::kThickness;
    EXPECT_EQ(port.topLeft(), QPoint(inset, inset));
    EXPECT_EQ(top()->geometry(), QRect(port.left(), port.top() - RulerWidget::kThickness, port.width(),
                                       RulerWidget::kThickness));
    EXPECT_EQ(left()->geometry(), QRect(port.left() - RulerWidget::kThickness, port.top(),
                                        RulerWidget::kThickness, port.height()));
    EXPECT_TRUE(controller.rulers()->rulersVisible());
}

TEST_F(RulerTest, AUnitChosenInOneWindowCarriesToTheNext)
{
    EXPECT_EQ(top()->unitName(), QLatin1String("Points"));
    const struct
    {
        const char* action;
        const char* unit;
    } rows[] = {{"updateRulers_centimeters:", "Centimeters"},
                {"updateRulers_inches:", "Inches"},
                {"updateRulers_points:", "Points"},
                {"updateRulers_inches:", "Inches"}};
    for (const auto& row : rows) {
        ASSERT_TRUE(controller.performAction(QLatin1String(row.action)));
        EXPECT_EQ(top()->unitName(), QLatin1String(row.unit));
        EXPECT_EQ(left()->unitName(), QLatin1String(row.unit));
        EXPECT_EQ(platform::UserDefaults::standard().stringForKey(QStringLiteral("RulerUnits")),
                  QLatin1String(row.unit));
    }
    DRVWindowController next;
    next.window();
    EXPECT_EQ(next.rulers()->horizontalRuler()->unitName(), QLatin1String("Inches"));
    EXPECT_EQ(next.rulers()->verticalRuler()->unitName(), QLatin1String("Inches"));
}

TEST_F(RulerTest, TicksScaleWithZoomAndFollowTheScroll)
{
    controller.performAction(QStringLiteral("updateRulers_inches:"));
    controller.setZoomFactor(1.0);
    EXPECT_DOUBLE_EQ(top()->pixelForValue(1), 72.0);
    controller.setZoomFactor(2.0);
    EXPECT_DOUBLE_EQ(top()->pixelForValue(1), 144.0);
    EXPECT_DOUBLE_EQ(left()->pixelForValue(1), 144.0);
    // The zoom pop-up reaches the rulers too.
    controller.zoomingScrollView()->setFactor(0.5);
    EXPECT_DOUBLE_EQ(top()->pixelForValue(2), 72.0);

    controller.performAction(QStringLiteral("updateRulers_centimeters:"));
    controller.setZoomFactor(1.0);
    EXPECT_NEAR(top()->pixelForValue(1), 28.3465, 1e-9);

    controller.window()->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(controller.window()));
    QScrollBar* bar = controller.zoomingScrollView()->horizontalScrollBar();
    ASSERT_GT(bar->maximum(), 100);
    bar->setValue(100);
    EXPECT_EQ(top()->offset(), 100);
    EXPECT_NEAR(top()->pixelForValue(10), 283.465 - 100, 1e-9);
    controller.zoomingScrollView()->verticalScrollBar()->setValue(40);
    EXPECT_EQ(left()->offset(), 40);
}

TEST_F(RulerTest, NumberedTicksStayReadableAtEveryZoom)
{
    const struct
    {
        double zoom;
        double step;
    } rows[] = {{1.0, 50}, {2.0, 20}, {0.05, 1000}, {6.0, 10}};
    for (const auto& row : rows) {
        top()->setScale(row.zoom);
        EXPECT_DOUBLE_EQ(top()->labelStep(), row.step) << row.zoom;
        EXPECT_GE(top()->labelStep() * row.zoom, 40.0);
    }
}

TEST_F(RulerTest, APrintSheetBringsItsOwnInch)
{
    DataCentre::loadPrintLabels();
    ASSERT_FALSE(DataCentre::printLabels().isEmpty());
    const LabelHelper& row = DataCentre::printLabels().first();
    controller.performAction(QStringLiteral("updateRulers_inches:"));
    controller.setZoomFactor(1.0);
    ASSERT_NE(DataCentre::grabLabelHelper(row.printDescription), nullptr);
    EXPECT_DOUBLE_EQ(top()->pixelForValue(1), row.canvasPixelFactor);
    // Nonsense from a sheet leaves the defaults.
    RulerWidget::registerUnitScales(-1, std::nan(""));
    EXPECT_DOUBLE_EQ(RulerWidget::pointsPerUnit(QStringLiteral("Inches")), 72.0);
    EXPECT_DOUBLE_EQ(RulerWidget::pointsPerUnit(QStringLiteral("Centimeters")), 28.3465);
    EXPECT_DOUBLE_EQ(RulerWidget::pointsPerUnit(QStringLiteral("Furlongs")), 1.0);
}

TEST_F(RulerTest, TheCanvasEchoesAGraphicsEdgesOnTheRulers)
{
    DRVRulerEcho* echo = controller.rulers();
    echo->moveRulerlineFromLocation(Qt::Horizontal, -1, 10);
    echo->moveRulerlineFromLocation(Qt::Horizontal, -1, 60);
    echo->moveRulerlineFromLocation(Qt::Vertical, -1, 25);
    echo->moveRulerlineFromLocation(Qt::Horizontal, 10, 15);
    EXPECT_EQ(top()->rulerLines(), (QList<double>{60, 15}));
    EXPECT_EQ(left()->rulerLines(), (QList<double>{25}));
    echo->moveRulerlineFromLocation(Qt::Horizontal, 60, -1);
    EXPECT_EQ(top()->rulerLines(), (QList<double>{15}));
}

TEST_F(RulerTest, ScreenshotPerUnit)
{
    const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/artefacts");
    QDir().mkpath(folder);
    controller.window()->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(controller.window()));
    controller.rulers()->moveRulerlineFromLocation(Qt::Horizontal, -1, 144);
    for (const char* action : {"updateRulers_points:", "updateRulers_centimeters:", "updateRulers_inches:"}) {
        controller.performAction(QLatin1String(action));
        QApplication::processEvents();
        const QImage shot = controller.zoomingScrollView()->grab().toImage();
        ASSERT_FALSE(shot.isNull());
        const QString name = QStringLiteral("rulers-%1.png").arg(top()->unitName().toLower());
        EXPECT_TRUE(shot.save(folder + u'/' + name));
    }
}
