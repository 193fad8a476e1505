// What the canvas paints: page, grid, graphics back to front, handles, marquee.
#include "CanvasTestSupport.h"

#include "canvas/DRVGraphicView.h"
#include "canvas/DRVGrid.h"
#include "canvas/DRVSelectionModel.h"
#include "document/DRVDocument.h"
#include "model/DRVRectangle.h"
#include "platform/UndoManager.h"

#include <QPainter>

namespace {

const QColor kPage(200, 255, 200);
const QColor kRed(220, 0, 0);
const QColor kBlue(0, 0, 220);
const QColor kGreen(0, 128, 0);
const QColor kCheckerGrey(0xD6, 0xD6, 0xD6);

// Remembers how it was last asked to draw itself, and can be edited in place.
class RecordingRectangle : public DRVRectangle
{
public:
    void drawContentsInView(QPainter* painter, bool isBeingCreateOrEdited) override
    {
        lastEditedFlag = isBeingCreateOrEdited;
        DRVRectangle::drawContentsInView(painter, isBeingCreateOrEdited);
    }
    QWidget* newEditingViewWithSuperviewBounds(const QRectF&) override { return new QWidget; }
    bool lastEditedFlag = false;
};

class GraphicViewDrawingTest : public CanvasTest
{
protected:
    GraphicViewDrawingTest()
    {
        // front, middle, back
        front->setBounds(QRectF(20, 20, 60, 40));
        front->setColor(kRed);
        middle->setBounds(QRectF(50, 30, 60, 40));
        middle->setColor(kBlue);
        back->setBounds(QRectF(40, 10, 30, 80));
        back->setColor(kGreen);
        for (DRVGraphic* g : QList<DRVGraphic*>{front, middle, back})
            g->setSelectable(true);
        doc.undoManager()->disableUndoRegistration();
        doc.insertGraphics({front, middle, back}, {0, 1, 2});
        doc.undoManager()->enableUndoRegistration();
        selection.setContent(&doc);
        view.bindGraphics(&doc);
        view.bindSelectionIndexes(&selection);
        view.setPageColor(kPage);
        view.setPageColorHexString(QStringLiteral("C8FFC8"));
    }

    // Through the widget's own painting, at its scale.
    QImage rendered()
    {
        QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::black);
        view.render(&image);
        return image;
    }

    // Straight into an image that starts out opaque red, in canvas units.
    QImage drawn()
    {
        QImage image(200, 150, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::red);
        QPainter painter(&image);
        view.drawRect(&painter, QRectF(0, 0, 200, 150));
        return image;
    }

    DRVDocument doc;
    DRVSelectionModel selection;
    RecordingRectangle* front = new RecordingRectangle;
    DRVRectangle* middle = new DRVRectangle;
    DRVRectangle* back = new DRVRectangle;
    DRVGraphicView view;
};

} // namespace

TEST_F(GraphicViewDrawingTest, GraphicsAreDrawnBackToFrontOverThePage)
{
    struct Probe
    {
        QPoint point;
        QColor colour;
    };
    const Probe probes[] = {
        {{60, 40}, kRed},    // front over middle
        {{45, 25}, kRed},    // front over back
        {{65, 65}, kBlue},   // middle over back
        {{100, 50}, kBlue},  // middle alone
        {{45, 80}, kGreen},  // back alone
        {{150, 120}, kPage}, // no graphic
        {{113, 73}, kPage},  // nothing selected: no handles
    };
    const QImage image = rendered();
    ASSERT_EQ(image.size(), QSize(200, 150));
    for (const Probe& p : probes)
        EXPECT_TRUE(near(image.pixel(p.point), p.colour))
            << p.point.x() << "," << p.point.y() << " is "
            << QColor(image.pixel(p.point)).name().toStdString();

    view.setScale(2.0);
    const QImage doubled = rendered();
    ASSERT_EQ(doubled.size(), QSize(400, 300));
    for (const Probe& p : probes)
        EXPECT_TRUE(near(doubled.pixel(p.point * 2), p.colour)) << p.point.x() << "," << p.point.y();
}

TEST_F(GraphicViewDrawingTest, SelectedGraphicsShowHandlesUnlessHiddenOrEdited)
{
    // Just outside a corner of a graphic, inside its round handle.
    const QPoint middleHandle(112, 72); // lower right
    const QPoint frontHandle(17, 17);   // upper left

    selection.setSelectionIndexes({0, 1});
    QImage image = rendered();
    EXPECT_TRUE(near(image.pixel(middleHandle), Qt::white));
    EXPECT_TRUE(near(image.pixel(frontHandle), Qt::white));

    view.setHidingHandles(true);
    image = rendered();
    EXPECT_TRUE(near(image.pixel(middleHandle), kPage));
    EXPECT_TRUE(near(image.pixel(frontHandle), kPage));
    view.setHidingHandles(false);

    view.startEditingGraphic(front);
    image = rendered();
    EXPECT_TRUE(front->lastEditedFlag);
    EXPECT_TRUE(near(image.pixel(frontHandle), kPage)) << "no handles on the graphic being edited";
    EXPECT_TRUE(near(image.pixel(middleHandle), Qt::white));

    view.stopEditing();
    image = rendered();
    EXPECT_FALSE(front->lastEditedFlag);
    EXPECT_TRUE(near(image.pixel(frontHandle), Qt::white));
}

TEST_F(GraphicViewDrawingTest, AClearPageShowsThePatternTransparencyOrWhitePerEdition)
{
    struct Case
    {
        bool editionShowsPattern;
        bool clearBackground;
        QColor at5;  // in a light square of the pattern
        QColor at15; // in a grey square
        bool transparent;
    };
    const Case cases[] = {
        {false, false, Qt::white, Qt::white, false},
        {false, true, Qt::white, Qt::white, false},
        {true, false, Qt::white, kCheckerGrey, false},
        {true, true, {}, {}, true},
    };
    view.setPageColorHexString(QStringLiteral("CLEAR0"));
    for (const Case& c : cases) {
        edition().gClearCanvasBackgroundFlag = c.editionShowsPattern;
        view.setClearBackground(c.clearBackground);
        const QImage image = drawn();
        const QRgb at5 = image.pixel(5, 5), at15 = image.pixel(15, 5), below = image.pixel(15, 15);
        if (c.transparent) {
            EXPECT_EQ(qAlpha(at5), 0);
            EXPECT_EQ(qAlpha(at15), 0);
        } else {
            EXPECT_TRUE(near(at5, c.at5, 2)) << c.editionShowsPattern << c.clearBackground;
            EXPECT_TRUE(near(at15, c.at15, 2)) << c.editionShowsPattern << c.clearBackground;
            EXPECT_TRUE(near(below, c.at5, 2)) << "the squares alternate down the page too";
        }
    }
}

TEST_F(GraphicViewDrawingTest, ABackgroundPictureIsTiledOverThePageFromItsCorner)
{
    // A 30×30 picture, its left half yellow and right half magenta; the graphics stay on top.
    QImage picture(30, 30, QImage::Format_RGB32);
    picture.fill(Qt::yellow);
    for (int y = 0; y < 30; ++y)
        for (int x = 15; x < 30; ++x)
            picture.setPixelColor(x, y, Qt::magenta);
    doc.setBackgroundImage(picture);
    doc.setBackgroundImageFlag(2);
    QImage image = drawn();
    EXPECT_TRUE(near(image.pixel(5, 120), QColor(Qt::yellow), 2));
    EXPECT_TRUE(near(image.pixel(20, 120), QColor(Qt::magenta), 2));
    EXPECT_TRUE(near(image.pixel(35, 125), QColor(Qt::yellow), 2)) << "repeats across and down";
    EXPECT_TRUE(near(image.pixel(30, 30), kRed, 2)) << "graphics over the picture";

    // Removed (flag 0), the page colour is back even though the picture is still held.
    doc.setBackgroundImageFlag(0);
    image = drawn();
    EXPECT_TRUE(near(image.pixel(5, 120), kPage, 2));
}

TEST_F(GraphicViewDrawingTest, MarqueeIsFramedOneUnitInside)
{
    view.setRecordsDirtyRects(true);
    view.setMarqueeSelectionBounds(QRectF(120, 80, 40, 30));
    EXPECT_EQ(view.recordedDirtyRects(), QList<QRect>{QRect(120, 80, 40, 30)});
    QImage image = drawn();
    EXPECT_TRUE(near(image.pixel(120, 95), QColor(0x55, 0x55, 0x55)));
    EXPECT_TRUE(near(image.pixel(159, 95), QColor(0x55, 0x55, 0x55)));
    EXPECT_TRUE(near(image.pixel(140, 95), kPage));
    EXPECT_TRUE(near(image.pixel(161, 95), kPage));

    view.clearRecordedDirtyRects();
    view.setMarqueeSelectionBounds(QRectF());
    EXPECT_EQ(view.recordedDirtyRects(), QList<QRect>{QRect(120, 80, 40, 30)});
    image = drawn();
    EXPECT_TRUE(near(image.pixel(120, 95), kPage));
}

TEST_F(GraphicViewDrawingTest, PausedDrawingAndAnUnboundCanvasShowOnlyThePageAndGrid)
{
    view.setPauseDrawGraphicFlag(true);
    EXPECT_TRUE(near(drawn().pixel(100, 50), kPage));
    view.setPauseDrawGraphicFlag(false);
    EXPECT_TRUE(near(drawn().pixel(100, 50), kBlue));

    DRVGrid grid;
    grid.setColor(Qt::black);
    grid.setSpacing(50);
    grid.setAlwaysShown(true);
    DRVGraphicView unbound;
    unbound.setGrid(&grid);
    QImage image(200, 150, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::red);
    QPainter painter(&image);
    unbound.drawRect(&painter, QRectF(0, 0, 200, 150));
    painter.end();
    EXPECT_TRUE(near(image.pixel(25, 25), Qt::white));
    EXPECT_TRUE(near(image.pixel(50, 25), Qt::black) || near(image.pixel(49, 25), Qt::black));
}
