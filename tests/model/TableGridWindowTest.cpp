#include "model/FakePageContext.h"

#include "model/TableGridWindowController.h"
#include "platform/Dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct Shown
{
    QString name;
    QWidget* control;
};

QList<Shown> everyControl(TableGridWindowController& c)
{
    return {{"numOfColumnsTextField", c.numOfColumnsTextField()},
            {"columnStepper", c.columnStepper()},
            {"numOfRowsTextField", c.numOfRowsTextField()},
            {"rowStepper", c.rowStepper()},
            {"spacingTextField", c.spacingTextField()},
            {"spacingSlider", c.spacingSlider()},
            {"saveButton", c.saveButton()},
            {"columnWidthPopUpButton", c.columnWidthPopUpButton()},
            {"fixedWidthCheckmark", c.fixedWidthCheckmark()},
            {"widthTextField", c.widthTextField()},
            {"rowHeightPopUpButton", c.rowHeightPopUpButton()},
            {"fixedHeightCheckmark", c.fixedHeightCheckmark()},
            {"heightTextField", c.heightTextField()},
            {"columnWidthLabel", c.columnWidthLabel()},
            {"rowHeightLabel", c.rowHeightLabel()},
            {"sameWidthForAllColumnsCheckmark", c.sameWidthForAllColumnsCheckmark()},
            {"sameHeightForAllRowsCheckmark", c.sameHeightForAllRowsCheckmark()}};
}

// The first seven controls are always shown; the others only with per-column sizes.
constexpr int kAlwaysShown = 7;

} // namespace

TEST(TableGridWindow, PerCellControlsFollowTheEdition)
{
    for (bool perColumn : {false, true}) {
        EditionGuard guard;
        edition().gEqualColumnWidthsFlag = perColumn;
        platform::ScopedDialogs dialogs;
        TableGridWindowController controller;
        QWidget* window = controller.window();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));

        const QList<Shown> controls = everyControl(controller);
        for (int i = 0; i < controls.size(); ++i) {
            const bool expected = i < kAlwaysShown || perColumn;
            ASSERT_NE(controls[i].control, nullptr) << controls[i].name.toStdString();
            EXPECT_EQ(controls[i].control->isVisible(), expected)
                << controls[i].name.toStdString() << " per-column " << perColumn;
            EXPECT_EQ(window->isAncestorOf(controls[i].control), expected) << controls[i].name.toStdString();
        }
        EXPECT_TRUE(dialogs->alerts().isEmpty());
    }
}

TEST(TableGridWindow, SameSizeBoxesHaveWhiteTitlesInEveryEdition)
{
    for (bool perColumn : {false, true}) {
        EditionGuard guard;
        edition().gEqualColumnWidthsFlag = perColumn;
        TableGridWindowController controller;
        QCheckBox* sameWidth = controller.sameWidthForAllColumnsCheckmark();
        QCheckBox* sameHeight = controller.sameHeightForAllRowsCheckmark();
        EXPECT_EQ(sameWidth->text(), "Make all columns the same width");
        EXPECT_EQ(sameHeight->text(), "Make all rows the same height");
        for (QCheckBox* box : {sameWidth, sameHeight}) {
            EXPECT_EQ(box->palette().color(QPalette::Active, QPalette::WindowText), QColor(Qt::white));
            EXPECT_EQ(box->palette().color(QPalette::Inactive, QPalette::ButtonText), QColor(Qt::white));
        }
    }
}

TEST(TableGridWindow, ControlsTakenOutStayUsable)
{
    EditionGuard guard;
    edition().gEqualColumnWidthsFlag = false;
    TableGridWindowController controller;
    controller.window();
    // The table editing fills and reads these in every edition.
    controller.columnWidthPopUpButton()->addItems({"Column 1", "Column 2"});
    controller.columnWidthPopUpButton()->setCurrentIndex(1);
    controller.widthTextField()->setText("120");
    controller.fixedWidthCheckmark()->setChecked(true);
    EXPECT_EQ(controller.columnWidthPopUpButton()->currentText(), "Column 2");
    EXPECT_EQ(controller.widthTextField()->text(), "120");
    EXPECT_TRUE(controller.fixedWidthCheckmark()->isChecked());
    // Loading happens once.
    QWidget* window = controller.window();
    controller.windowDidLoad();
    EXPECT_EQ(controller.window(), window);
    EXPECT_FALSE(window->isAncestorOf(controller.heightTextField()));
}

TEST(TableGridWindow, DrivenByKeyboardAndMouse)
{
    EditionGuard guard;
    edition().gEqualColumnWidthsFlag = true;
    platform::ScopedDialogs dialogs;
    TableGridWindowController controller;
    QWidget* window = controller.window();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));

    QLineEdit* columns = controller.numOfColumnsTextField();
    columns->setFocus();
    QTest::keyClicks(columns, "12");
    EXPECT_EQ(columns->text(), "12");

    QSpinBox* stepper = controller.columnStepper();
    stepper->setValue(3);
    QSignalSpy stepped(stepper, &QSpinBox::valueChanged);
    stepper->stepUp();
    EXPECT_EQ(stepper->value(), 4);
    EXPECT_EQ(stepped.count(), 1);
    stepper->setValue(1);
    stepper->stepDown();
    EXPECT_EQ(stepper->value(), 1) << "a stepper stops at 1";

    QSlider* slider = controller.spacingSlider();
    EXPECT_EQ(slider->minimum(), 0);
    EXPECT_EQ(slider->maximum(), 40);
    slider->setValue(40);
    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_Right);
    EXPECT_EQ(slider->value(), 40);

    QCheckBox* sameWidth = controller.sameWidthForAllColumnsCheckmark();
    QTest::mouseClick(sameWidth, Qt::LeftButton, {}, QPoint(5, sameWidth->height() / 2));
    EXPECT_TRUE(sameWidth->isChecked());

    QSignalSpy saved(controller.saveButton(), &QPushButton::clicked);
    QTest::mouseClick(controller.saveButton(), Qt::LeftButton);
    EXPECT_EQ(saved.count(), 1);
    EXPECT_TRUE(dialogs->alerts().isEmpty());
}
