// The inspector's controls against the main window's selection: what they show for common, differing
// and no values, what one edit writes and undoes, and rebinding to another main window.
#include "window/WindowTestSupport.h"

#include "canvas/DRVSelectionModel.h"
#include "document/DRVDocument.h"
#include "model/DRVRectangle.h"
#include "platform/UndoManager.h"
#include "window/DRVWindowController.h"
#include "window/inspector/InspectorPanel.h"
#include "window/inspector/SegmentedControl.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>
#include <functional>

namespace {

class InspectorBindingTest : public WindowTest
{
public: // the cases of the table reach in
    InspectorBindingTest()
    {
        edition().gSidebarInspectorFlag = false;
        doc.undoManager()->setGroupsByEvent(false);
        g0->setBounds(QRectF(10, 10, 40, 30));
        g1->setBounds(QRectF(60, 20, 30, 30));
        for (DRVGraphic* g : QList<DRVGraphic*>{g0, g1})
            g->setSelectable(true);
        doc.undoManager()->disableUndoRegistration();
        doc.insertGraphics({g0, g1}, {0, 1});
        doc.undoManager()->enableUndoRegistration();
        controller.setDocument(&doc);
        controller.showWindow();
    }

    template <class T = QWidget> T* control(const char* name)
    {
        return controller.inspector()->control<T>(QString::fromLatin1(name));
    }
    void select(const QList<int>& indexes) { controller.graphicsController()->setSelectionIndexes(indexes); }
    void type(const char* field, const QString& text)
    {
        auto* edit = control<QLineEdit>(field);
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    void clickSegment(const char* name, int index)
    {
        QTest::mouseClick(control<SegmentedControl>(name)->segmentButton(index), Qt::LeftButton);
    }

    DRVDocument doc;
    DRVRectangle* g0 = new DRVRectangle;
    DRVRectangle* g1 = new DRVRectangle;
    DRVWindowController controller;
};

} // namespace

TEST_F(InspectorBindingTest, ControlsShowAndEditTheSelection)
{
    const struct Case
    {
        const char* name;
        std::function<void(InspectorBindingTest&)> run;
    } cases[] = {
        {"differing x leaves X empty; typing moves both, one undo puts both back",
         [](InspectorBindingTest& t) {
             t.select({0, 1});
             EXPECT_EQ(t.control<QLineEdit>("originXTextField")->text(), QString());
             EXPECT_EQ(t.control<QLineEdit>("originYTextField")->text(), QString());
             EXPECT_EQ(t.control<QLineEdit>("widthTextField")->text(), QString());
             EXPECT_EQ(t.control<QLineEdit>("heightTextField")->text(), QStringLiteral("30"));
             t.type("originXTextField", QStringLiteral("100"));
             EXPECT_EQ(t.g0->xPosition(), 100);
             EXPECT_EQ(t.g1->xPosition(), 100);
             EXPECT_EQ(t.control<QLineEdit>("originXTextField")->text(), QStringLiteral("100"));
             t.controller.undo();
             EXPECT_EQ(t.g0->xPosition(), 10);
             EXPECT_EQ(t.g1->xPosition(), 60);
             EXPECT_EQ(t.control<QLineEdit>("originXTextField")->text(), QString());
         }},
        {"nothing selected shows the placeholders and disables the stepper",
         [](InspectorBindingTest& t) {
             t.select({0});
             EXPECT_TRUE(t.control("fontSizeStepper")->isEnabled());
             t.select({});
             EXPECT_EQ(t.control<QLineEdit>("originXTextField")->text(), QString());
             EXPECT_EQ(t.control<QLineEdit>("hyperLinkTextField")->text(), QString());
             EXPECT_EQ(t.control<QLineEdit>("hyperLinkTextField")->placeholderText(),
                       QStringLiteral("http://"));
             EXPECT_EQ(t.control<QLineEdit>("altTextField")->placeholderText(),
                       QStringLiteral("Image Tooltip Text"));
             EXPECT_FALSE(t.control("fontSizeStepper")->isEnabled());
             EXPECT_EQ(t.control<SegmentedControl>("lockSegmentedControl")->selectedIndex(), -1);
             // A typed value has nothing to go to.
             t.type("originXTextField", QStringLiteral("70"));
             EXPECT_EQ(t.g0->xPosition(), 10);
         }},
        {"dashed in the border control sets every graphic and the line control follows",
         [](InspectorBindingTest& t) {
             t.select({0, 1});
             t.clickSegment("borderSegmentedControl", 1);
             EXPECT_EQ(t.g0->borderStyle(), QStringLiteral("dashed"));
             EXPECT_EQ(t.g1->borderStyle(), QStringLiteral("dashed"));
             EXPECT_EQ(t.control<SegmentedControl>("lineSegmentedControl")->selectedLabel(),
                       QStringLiteral("dashed"));
         }},
        {"restoreBinding twice: one write is one setter call per graphic",
         [](InspectorBindingTest& t) {
             t.select({0, 1});
             t.controller.restoreBinding();
             t.controller.restoreBinding();
             SelectionProxy& proxy = t.controller.inspector()->binder().proxy();
             const int before = proxy.setterCalls();
             t.clickSegment("lockSegmentedControl", 1);
             EXPECT_EQ(proxy.setterCalls() - before, 2);
             EXPECT_EQ(t.g0->moveLock(), 1);
             EXPECT_EQ(t.g1->moveLock(), 1);
         }},
        {"after unbindEverything selection changes leave the controls alone",
         [](InspectorBindingTest& t) {
             t.select({0});
             EXPECT_EQ(t.control<QLineEdit>("originXTextField")->text(), QStringLiteral("10"));
             t.controller.unbindEverything();
             t.controller.unbindEverything();
             t.select({1});
             EXPECT_EQ(t.control<QLineEdit>("originXTextField")->text(), QStringLiteral("10"));
             t.type("originXTextField", QStringLiteral("33"));
             EXPECT_EQ(t.g1->xPosition(), 60);
             t.controller.restoreBinding();
             EXPECT_EQ(t.control<QLineEdit>("originXTextField")->text(), QStringLiteral("60"));
         }},
        {"the rotation check box shows a set angle; unticking it takes the rotation away",
         [](InspectorBindingTest& t) {
             t.g0->setRotationAngle(30);
             t.select({0});
             auto* box = t.control<QCheckBox>("rotationApplyCheckmark");
             EXPECT_TRUE(box->isChecked());
             box->click();
             EXPECT_FLOAT_EQ(t.g0->rotationAngle(), 0);
             EXPECT_FALSE(box->isChecked());
             // Ticking it writes no angle of its own.
             box->click();
             EXPECT_FLOAT_EQ(t.g0->rotationAngle(), 0);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.run(*this);
        // Each case starts from the same graphics and bindings.
        controller.restoreBinding();
        select({});
        g0->setBounds(QRectF(10, 10, 40, 30));
        g1->setBounds(QRectF(60, 20, 30, 30));
        g0->setBorderStyle(QStringLiteral("solid"));
        g1->setBorderStyle(QStringLiteral("solid"));
        g0->setMoveLock(0);
        g1->setMoveLock(0);
        g0->setRotationAngle(0);
    }
}

TEST_F(InspectorBindingTest, BackgroundInspectorFollowsTheMainWindow)
{
    DRVDocument otherDoc;
    auto* other = new DRVRectangle;
    other->setBounds(QRectF(77, 5, 10, 10));
    otherDoc.insertGraphics({other}, {0});
    DRVWindowController second;
    second.setDocument(&otherDoc);
    second.window();
    select({0});
    second.graphicsController()->setSelectionIndexes({0});

    // The first window is main: both inspectors show its selection.
    EXPECT_EQ(control<QLineEdit>("originXTextField")->text(), QStringLiteral("10"));
    auto* secondX = second.inspector()->control<QLineEdit>(QStringLiteral("originXTextField"));
    EXPECT_EQ(secondX->text(), QStringLiteral("10"));

    // The second becomes main: the first window's inspector, now behind, edits the second's selection.
    QWidget* activate = second.window();
    QEvent event(QEvent::WindowActivate);
    QCoreApplication::sendEvent(activate, &event);
    EXPECT_EQ(DRVWindowController::mainWindowController(), &second);
    EXPECT_EQ(control<QLineEdit>("originXTextField")->text(), QStringLiteral("77"));
    type("originXTextField", QStringLiteral("90"));
    EXPECT_EQ(other->xPosition(), 90);
    EXPECT_EQ(g0->xPosition(), 10);
    EXPECT_EQ(secondX->text(), QStringLiteral("90"));
}

TEST_F(InspectorBindingTest, CanvasSelectionChangesRebindAVisibleInspector)
{
    controller.unbindEverything();
    // The canvas hands its selection over: the inspector binds and shows it.
    controller.graphicView()->changeSelectionIndexes({1});
    EXPECT_EQ(control<QLineEdit>("originXTextField")->text(), QStringLiteral("60"));
    // Moved on the canvas, the graphic's new place shows at once.
    g1->setBounds(QRectF(75, 20, 30, 30));
    EXPECT_EQ(control<QLineEdit>("originXTextField")->text(), QStringLiteral("75"));
    g1->setBounds(QRectF(60, 20, 30, 30));

    // A click beside the page deselects and hands over too.
    emit controller.zoomingScrollView()->clickedOutsideCanvas();
    EXPECT_TRUE(controller.graphicsController()->selectionIndexes().isEmpty());
    EXPECT_EQ(control<QLineEdit>("originXTextField")->text(), QString());

    // A hidden inspector is left unbound until it is shown again.
    controller.unbindEverything();
    controller.inspectorView()->hide();
    controller.graphicView()->changeSelectionIndexes({0});
    EXPECT_EQ(control<QLineEdit>("originXTextField")->text(), QString());
    controller.inspectorView()->show();
    controller.graphicView()->changeSelectionIndexes({1});
    EXPECT_EQ(control<QLineEdit>("originXTextField")->text(), QStringLiteral("60"));
}

TEST_F(InspectorBindingTest, SpacingLevelsApplyToEverySelectedGraphic)
{
    select({0, 1});
    g0->setBottomMarginLevelString(QStringLiteral("Large"));
    g1->setBottomMarginLevelString(QStringLiteral("Large"));
    controller.updateMarginAndPadding();
    for (DRVGraphic* g : QList<DRVGraphic*>{g0, g1}) {
        EXPECT_GT(g->bottomMargin(), 0);
        EXPECT_EQ(g->bottomMarginType(), QStringLiteral("pixel"));
    }
    controller.updatedMarginType();
    EXPECT_EQ(g0->bottomMarginType(), QStringLiteral("pixel"));
}
