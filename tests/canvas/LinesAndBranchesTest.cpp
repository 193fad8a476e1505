// Lines made by the menu commands, their arrow heads and predicates, and the branch generator
// driven through its popover: where the lines and copies go, and that the style the user copied
// stays the one Paste Style gives.
#include "CanvasTestSupport.h"

#include "canvas/DRVGraphicView.h"
#include "canvas/DRVSelectionModel.h"
#include "canvas/MultiplyViewController.h"
#include "model/DRVLine.h"
#include "model/DRVText.h"
#include "platform/Dialogs.h"
#include "platform/Geometry.h"
#include "platform/UndoManager.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <cmath>

namespace {

class LinesAndBranchesTest : public BoundCanvasTest
{
protected:
    LinesAndBranchesTest()
    {
        edition().gShowAddBranchFlag = true;
        platform::DialogService::setCurrent(&dialogs);
    }
    ~LinesAndBranchesTest() override { platform::DialogService::setCurrent(nullptr); }

    DRVText* addBox(const QRectF& bounds, const QColor& fill)
    {
        auto* box = new DRVText;
        box->initWithProperties({{"bounds", platform::stringFromRect(bounds)},
                                 {"textString", "Hub"},
                                 {"fillColor", DRVGraphic::archivedColor(fill)},
                                 {"backgroundHexColorString", fill.name().mid(1).toUpper()},
                                 {"fontColor", "FFFFFF"},
                                 {"opacity", "1.000000"},
                                 {"fontSize", "20"},
                                 {"textHexColorString", "FFFFFF"},
                                 {"cornerRadius", "10.000000"}});
        box->setSelectable(true);
        doc.insertGraphics({box}, {0});
        return box;
    }

    QList<DRVLine*> lines() const { return view.graphicsWithClass<DRVLine>(); }

    // Opens the generator on the selection, chooses the titles given and presses Add.
    void generate(const QString& count, const QString& angle, const QString& distance = QStringLiteral("300"),
                  const QString& size = QStringLiteral("0.7"),
                  const QString& style = QStringLiteral("dashed"))
    {
        view.multiplyNewShapes();
        MultiplyViewController* c = view.multipleViewController();
        ASSERT_TRUE(c);
        c->popupButton()->setCurrentText(count);
        c->degreePopUpButton()->setCurrentText(angle);
        c->distancePopUpButton()->setCurrentText(distance);
        c->sizePopUpButton()->setCurrentText(size);
        c->lineTypePopUpButton()->setCurrentText(style);
        QTest::mouseClick(c->addButton(), Qt::LeftButton);
    }

    platform::ScriptedDialogs dialogs;
};

} // namespace

TEST_F(LinesAndBranchesTest, MenuLinesStartWithAnArrowAtTheInsertionPoint)
{
    view.addLineDashed();
    ASSERT_EQ(lines().size(), 1);
    DRVLine* line = lines().constFirst();
    EXPECT_EQ(line->beginPoint(), QPointF(100, 30));
    EXPECT_EQ(line->endPoint(), QPointF(300, 230));
    EXPECT_EQ(line->borderStyle(), QStringLiteral("dashed"));
    EXPECT_EQ(line->borderWidth(), 10);
    EXPECT_EQ(line->borderHexColorString(), QStringLiteral("555555"));
    EXPECT_TRUE(line->drawBeginArrow());
    EXPECT_FALSE(line->drawEndArrow());
    EXPECT_EQ(doc.undoManager()->undoActionName(), QStringLiteral("Add Line"));
}

TEST_F(LinesAndBranchesTest, ArrowCommandsActOnSelectedLinesOnly)
{
    view.addLine();
    view.addLine();
    DRVText* box = addBox(QRectF(0, 0, 50, 50), Qt::red);
    DRVLine* first = lines().at(0);
    DRVLine* second = lines().at(1);
    first->setDrawEndArrow(true);

    view.changeSelectionIndexes({});
    EXPECT_FALSE(view.arrowOptionsShown());
    view.changeSelectionIndexes({1, 2});
    EXPECT_TRUE(view.arrowOptionsShown());
    EXPECT_TRUE(view.showDrawEndArrow());
    EXPECT_TRUE(view.showHideEndArrow());
    EXPECT_FALSE(view.showDrawStartArrow());
    EXPECT_TRUE(view.showHideStartArrow());
    view.hideStartArrow();
    EXPECT_FALSE(first->drawBeginArrow());
    EXPECT_FALSE(second->drawBeginArrow());
    view.drawEndArrow();
    EXPECT_TRUE(second->drawEndArrow());
    doc.undoManager()->undo();
    EXPECT_FALSE(second->drawEndArrow());
    EXPECT_TRUE(first->drawEndArrow());

    // A line with another graphic: no arrow submenu, and the box stays as it was.
    view.changeSelectionIndexes({0, 1});
    EXPECT_FALSE(view.arrowOptionsShown());
    view.drawStartArrow();
    EXPECT_FALSE(box->drawBeginArrow());
}

TEST_F(LinesAndBranchesTest, NothingSelectedExplainsWhy)
{
    view.multiplyNewShapes();
    ASSERT_EQ(dialogs.alerts().size(), 1);
    EXPECT_EQ(dialogs.alerts().at(0).title, QStringLiteral("Nothing Selected"));
    EXPECT_EQ(dialogs.alerts().at(0).informativeText,
              QStringLiteral("Please select a text box or shape to generate branch"));
    EXPECT_TRUE(doc.graphics().isEmpty());
}

TEST_F(LinesAndBranchesTest, BranchesRingTheHubAndLeaveTheCopiedStyleAlone)
{
    // The style the user copied comes from a red box.
    DRVText* red = addBox(QRectF(600, 600, 40, 40), Qt::red);
    view.changeSelectionIndexes({0});
    view.grabCopyStyle();

    DRVText* hub = addBox(QRectF(400, 300, 100, 60), Qt::blue);
    view.changeSelectionIndexes({0});
    generate(QStringLiteral("5"), QStringLiteral("360"));
    EXPECT_EQ(doc.graphics().constFirst(), hub);
    ASSERT_EQ(lines().size(), 5);
    // Halo (400 - 50, 300 - 30, 200, 120): the hub's centre stays the centre.
    const QPointF centre(450, 330);
    for (int i = 0; i < 5; ++i) {
        // Lines were put in front one after another: the first made is the last listed.
        const DRVLine* line = lines().at(4 - i);
        EXPECT_EQ(line->beginPoint(), centre);
        const double angle = i * 72 * 3.141592653589793 / 180;
        EXPECT_NEAR(line->endPoint().x(), std::trunc(std::cos(angle) * 300 + 450), 1.0) << i;
        EXPECT_NEAR(line->endPoint().y(), std::trunc(std::sin(angle) * 300 + 330), 1.0) << i;
        EXPECT_EQ(line->borderStyle(), QStringLiteral("dashed"));
    }
    // The first copy straight to the right, at 0.7 of the hub's size.
    const QList<DRVText*> boxes = view.graphicsWithClass<DRVText>();
    ASSERT_EQ(boxes.size(), 1 + 1 + 5 + 1); // hub, halo, copies, red
    const DRVText* firstCopy = boxes.at(5);
    EXPECT_EQ(firstCopy->bounds(), QRectF(750 - 35, 330 - 21, 70, 42));
    EXPECT_EQ(firstCopy->fillColor(), QColor(Qt::blue));
    EXPECT_EQ(boxes.at(6)->bounds(), QRectF(350, 270, 200, 120)); // the halo
    EXPECT_DOUBLE_EQ(boxes.at(6)->opacity(), 0.5);

    // Paste Style still gives the red box's look.
    DRVText* target = addBox(QRectF(0, 700, 50, 50), Qt::green);
    view.changeSelectionIndexes({0});
    view.applyPasteStyle();
    EXPECT_EQ(target->fillColor(), QColor(Qt::red));
    EXPECT_EQ(red->fillColor(), QColor(Qt::red));

    // Past the paste and the new box, one undo takes the whole diagram away.
    doc.undoManager()->undo();
    doc.undoManager()->undo();
    EXPECT_EQ(doc.undoManager()->undoActionName(), QStringLiteral("Add Branches"));
    doc.undoManager()->undo();
    EXPECT_EQ(doc.graphics(), (QList<DRVGraphic*>{hub, red}));
    EXPECT_TRUE(lines().isEmpty());
}

TEST_F(LinesAndBranchesTest, RingWidthAndAngleStepFollowTheCount)
{
    struct Case
    {
        const char* count;
        const char* angle;
        double radius;
        double stepDegrees;
    };
    const Case cases[] = {
        {"12", "360", 300, 30}, {"20", "360", 600, 18}, {"7", "360", 300, 51}, {"4", "-90", 300, -22}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.count);
        addBox(QRectF(1000, 1000, 100, 100), Qt::blue);
        view.changeSelectionIndexes({0});
        generate(QString::fromLatin1(c.count), QString::fromLatin1(c.angle));
        const QList<DRVLine*> made = lines();
        const int n = QString::fromLatin1(c.count).toInt();
        ASSERT_EQ(made.size(), n);
        const DRVLine* second = made.at(n - 2); // the second made
        const QPointF d = second->endPoint() - second->beginPoint();
        EXPECT_NEAR(std::hypot(d.x(), d.y()), c.radius, 1.5);
        EXPECT_NEAR(std::atan2(d.y(), d.x()) * 180 / 3.141592653589793, c.stepDegrees, 0.5);
        view.changeSelectionIndexes({});
        QList<int> all;
        for (int i = 0; i < int(doc.graphics().size()); ++i)
            all.append(i);
        doc.removeGraphicsAtIndexes(all);
    }
}

TEST_F(LinesAndBranchesTest, BranchDiagramPicture)
{
    edition().gCanvasWidth = 900;
    edition().gCanvasHeight = 700;
    addBox(QRectF(400, 300, 100, 60), QColor(0x46, 0x82, 0xb4));
    view.changeSelectionIndexes({0});
    generate(QStringLiteral("8"), QStringLiteral("360"), QStringLiteral("250"), QStringLiteral("0.7"),
             QStringLiteral("solid"));
    view.changeSelectionIndexes({});
    QImage picture(900, 700, QImage::Format_ARGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    view.drawRect(&painter, QRectF(0, 0, 900, 700));
    painter.end();
    const QString artefacts = QCoreApplication::applicationDirPath() + QStringLiteral("/artefacts");
    QDir().mkpath(artefacts);
    EXPECT_TRUE(picture.save(artefacts + QStringLiteral("/branch-diagram.png")));
    // A line runs from the hub to the right-hand copy.
    EXPECT_NE(picture.pixel(620, 330), QColor(Qt::white).rgb());
}
