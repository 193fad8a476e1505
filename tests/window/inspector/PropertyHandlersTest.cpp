// What the Format tab's controls do beyond their bindings, driven through the controls themselves.
#include "window/inspector/SidebarInspectorTest.h"

#include "document/DRVDocument.h"
#include "model/DRVTable.h"
#include "model/DRVText.h"
#include "platform/ManualClock.h"
#include "platform/Threads.h"
#include "platform/UndoManager.h"
#include "window/DRVWindowController.h"
#include "window/inspector/InspectorPanel.h"
#include "window/inspector/PropertyHandlers.h"
#include "window/inspector/SegmentedControl.h"

#include <QAbstractSlider>
#include <QCheckBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

namespace {

class PropertyHandlersTest : public SidebarInspectorTest
{
protected:
    PropertyHandlersTest()
    {
        text->setBounds(QRectF(10, 10, 100, 40));
        text->setFontSize(30);
        table->setBounds(QRectF(10, 80, 100, 60));
        open({text, table});
    }
    void clickSegment(const char* name, int index)
    {
        QTest::mouseClick(control<SegmentedControl>(name)->segmentButton(index), Qt::LeftButton);
    }

    DRVText* text = new DRVText;
    DRVTable* table = new DRVTable;
};

} // namespace

TEST_F(PropertyHandlersTest, BorderStyleGivesOrTakesTheWidth)
{
    select({0});
    const struct
    {
        int widthBefore;
        int segment;
        int widthAfter;
    } rows[] = {{3, 3, 0}, {0, 0, 2}, {5, 1, 5}, {0, 2, 2}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.segment);
        text->setBorderWidth(row.widthBefore);
        clickSegment("borderSegmentedControl", row.segment);
        EXPECT_EQ(text->borderWidth(), row.widthAfter);
    }
    EXPECT_EQ(text->borderStyle(), QStringLiteral("dotted"));
}

TEST_F(PropertyHandlersTest, DetailedShadowReplacesTheSimpleOneOnTextBoxes)
{
    text->setShadowFlag(1);
    table->setShadowFlag(1);
    select({0, 1});
    control<QAbstractSlider>("shadowBlurSlider")->setValue(4);
    EXPECT_EQ(text->shadowFlag(), 0);
    EXPECT_FLOAT_EQ(text->shadowRadius(), 4);
    EXPECT_EQ(table->shadowFlag(), 1);
    EXPECT_EQ(control<QLineEdit>("shadowBlurTextField")->text(), QStringLiteral("4"));
}

TEST_F(PropertyHandlersTest, RotationAppliesOnceTheDialRests)
{
    platform::ManualClock clock;
    select({0});
    PropertyHandlers* handlers = panel->handlers();
    auto* dial = control<QAbstractSlider>("rotationSlider");
    for (int angle : {10, 20, 45}) {
        dial->setValue(angle);
        clock.advance(50);
    }
    // Each move replaced the pending application: one is left.
    EXPECT_EQ(clock.armedTimerCount(), 1);
    EXPECT_TRUE(platform::DelayedPerform::isPending(handlers, QStringLiteral("proceedToUpdateRotation")));
    EXPECT_EQ(control<QLineEdit>("rotationAngleTextField")->text(), QStringLiteral("45"));
    clock.advance(49);
    EXPECT_TRUE(platform::DelayedPerform::isPending(handlers, QStringLiteral("proceedToUpdateRotation")));
    clock.advance(1);
    EXPECT_FALSE(platform::DelayedPerform::isPending(handlers, QStringLiteral("proceedToUpdateRotation")));
    EXPECT_FLOAT_EQ(text->rotationAngle(), 45);

    // Unticking "Apply Rotation" takes every selected graphic's rotation away, tables included.
    table->setRotationAngle(30);
    select({0, 1});
    auto* box = control<QCheckBox>("rotationApplyCheckmark");
    box->setChecked(true);
    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_FLOAT_EQ(text->rotationAngle(), 0);
    EXPECT_FLOAT_EQ(table->rotationAngle(), 0);
}

TEST_F(PropertyHandlersTest, FontSizeFieldAndStepper)
{
    select({0});
    PropertyHandlers* handlers = panel->handlers();
    auto* field = control<QLineEdit>("fontSizeTextbox");
    // Not a number: nothing is written and the field shows the size again.
    field->setText(QStringLiteral("abc"));
    handlers->updateTextViewFontSize(QStringLiteral("abc"));
    EXPECT_EQ(text->fontSize(), 30);
    EXPECT_EQ(field->text(), QStringLiteral("30"));
    handlers->updateTextViewFontSize(QStringLiteral("400"));
    EXPECT_EQ(text->fontSize(), 295);
    handlers->updateTextViewFontSize(QStringLiteral("2"));
    EXPECT_EQ(text->fontSize(), 5);
    handlers->updateTextViewFontSize(QStringLiteral("30"));

    // The stepper moves one step, with no jump at 31.
    auto* stepper = control<QSpinBox>("fontSizeStepper");
    ASSERT_TRUE(stepper->isEnabled());
    ASSERT_EQ(stepper->value(), 30);
    stepper->stepUp();
    EXPECT_EQ(text->fontSize(), 31);
    EXPECT_EQ(stepper->value(), 31);
}

TEST(SectionAlignment, PlacesTheGraphicInItsCell)
{
    const QRectF cell(100, 0, 300, 50);
    const struct
    {
        QRectF bounds;
        QRectF cell;
        int alignment;
        std::optional<double> x;
    } rows[] = {
        {{130, 5, 101, 20}, cell, 1, 200},
        {{130, 5, 101, 20}, cell, 0, 100},
        {{130, 5, 101, 20}, cell, 2, 299},
        {{130, 5, 101, 20}, cell, 3, std::nullopt},
        // Outside every section: the graphic stays.
        {{130, 5, 101, 20}, QRectF(), 0, std::nullopt},
        {{130, 5, 101, 20}, QRectF(), 2, std::nullopt},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.alignment);
        EXPECT_EQ(PropertyHandlers::alignedX(row.bounds, row.cell, row.alignment), row.x);
    }
}

TEST_F(PropertyHandlersTest, LinkAndTooltipFieldsShowEditingAndCommitted)
{
    select({0});
    auto* link = control<QLineEdit>("hyperLinkTextField");
    auto* alt = control<QLineEdit>("altTextField");
    ASSERT_TRUE(link->isVisibleTo(controller.inspectorView()));
    QTest::keyClicks(link, QStringLiteral("example.com"));
    EXPECT_TRUE(link->styleSheet().contains(QStringLiteral("#0000FF")));
    EXPECT_TRUE(alt->styleSheet().contains(QStringLiteral("#000000")));
    QTest::keyClick(link, Qt::Key_Return);
    EXPECT_TRUE(link->styleSheet().contains(QStringLiteral("#008000")));
    EXPECT_FALSE(link->hasFocus());
    EXPECT_EQ(text->link(), QStringLiteral("example.com"));
}
