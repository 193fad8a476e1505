#include "model/FakePageContext.h"

#include "editions/EditionSelection.h"
#include "model/DRVZoomingScrollView.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class ZoomView : public testing::Test
{
protected:
    void SetUp() override { edition().gZoomLevels = editions::zoomLevels(); }

    EditionGuard guard;
};

bool press(DRVZoomingScrollView& view, int key)
{
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
    return view.performKeyEquivalent(&event);
}

} // namespace

TEST_F(ZoomView, PopUpHoldsTheZoomTitles)
{
    DRVZoomingScrollView view;
    QComboBox* popUp = view.factorPopUpButton();
    ASSERT_EQ(popUp->count(), 26);
    EXPECT_EQ(popUp->itemText(0), QStringLiteral("5%"));
    EXPECT_EQ(popUp->itemText(25), QStringLiteral("600%"));
    EXPECT_EQ(popUp->itemData(0).typeId(), QMetaType::Float);
    EXPECT_EQ(popUp->itemData(0).toFloat(), 0.05f);
    EXPECT_EQ(popUp->itemData(popUp->findText("125%")).toFloat(), 1.25f);
    EXPECT_EQ(popUp->currentText(), QStringLiteral("100%")); // factor 1 at the start
    EXPECT_EQ(view.factorPopUpButton(), popUp);              // made once
}

TEST_F(ZoomView, ZoomKeys)
{
    struct Case
    {
        const char* selected;
        int key;
        bool consumed;
        const char* after;
        double factor;
    };
    const Case cases[] = {
        {"100%", Qt::Key_Equal, true, "125%", 1.25}, {"100%", Qt::Key_Minus, true, "90%", 0.9f},
        {"600%", Qt::Key_Equal, false, "600%", 6.0}, {"5%", Qt::Key_Minus, false, "5%", 0.05f},
        {"100%", Qt::Key_A, false, "100%", 1.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.selected);
        DRVZoomingScrollView view;
        view.updateScale(
            QString::fromLatin1(c.selected),
            view.factorPopUpButton()->itemData(view.factorPopUpButton()->findText(c.selected)).toFloat());
        QSignalSpy changes(&view, &DRVZoomingScrollView::factorChanged);
        EXPECT_EQ(press(view, c.key), c.consumed);
        EXPECT_EQ(view.factorPopUpButton()->currentText(), QString::fromLatin1(c.after));
        EXPECT_FLOAT_EQ(float(view.factor()), float(c.factor));
        EXPECT_EQ(changes.size(), c.consumed ? 1 : 0);
    }

    // With nothing selected the keys are left to others.
    DRVZoomingScrollView view;
    view.setFactor(0.33);
    EXPECT_EQ(view.factorPopUpButton()->currentIndex(), -1);
    EXPECT_FALSE(press(view, Qt::Key_Equal));
}

TEST_F(ZoomView, FactorScalesTheVisibleArea)
{
    DRVZoomingScrollView view;
    view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view.setFrameShape(QFrame::NoFrame);
    QSignalSpy changes(&view, &DRVZoomingScrollView::factorChanged);
    view.show();
    view.viewport()->resize(800, 600);
    view.setFactor(2.0);
    EXPECT_EQ(view.clipBoundsSize(), QSizeF(400, 300));
    EXPECT_EQ(edition().gCanvasDisplayScale, 2.0f);
    ASSERT_EQ(changes.size(), 1);
    EXPECT_EQ(changes.first().first().toDouble(), 2.0);
    EXPECT_EQ(view.factorPopUpButton()->currentText(), QStringLiteral("200%"));

    // Choosing from the pop-up zooms.
    view.factorPopUpButton()->setCurrentIndex(view.factorPopUpButton()->findText("50%"));
    emit view.factorPopUpButton()->activated(view.factorPopUpButton()->currentIndex());
    EXPECT_FLOAT_EQ(float(view.factor()), 0.5f);
    EXPECT_EQ(edition().gCanvasDisplayScale, 0.5f);
}

TEST_F(ZoomView, ClicksBesideTheCanvas)
{
    DRVZoomingScrollView view;
    view.resize(600, 400);
    auto* canvas = new QWidget;
    canvas->resize(200, 100);
    view.setWidget(canvas);
    view.show();
    QSignalSpy outside(&view, &DRVZoomingScrollView::clickedOutsideCanvas);
    QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_EQ(outside.size(), 0);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(400, 300));
    EXPECT_EQ(outside.size(), 1);
}
