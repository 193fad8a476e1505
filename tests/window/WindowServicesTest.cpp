// What the window offers around its canvas: the page context's section answers, the canvas it
// opens with when the edition stores none, the print editions' template bar and the profile popover.
#include "WindowTestSupport.h"
#include "canvas/SectionPage.h"

#include "canvas/DRVGraphicView.h"
#include "document/DRVDocument.h"
#include "model/DRVText.h"
#include "model/TransformView.h"
#include "platform/NotificationCenter.h"
#include "window/DRVWindowController.h"
#include "window/ProfileViewController.h"
#include "window/WindowPageContext.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QToolBar>

namespace {

QString artefactsFolder()
{
    const QString folder =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("window-artefacts"));
    QDir().mkpath(folder);
    return folder;
}

// The process's page context for the length of a test, put back afterwards.
class InstalledWindowContext
{
public:
    InstalledWindowContext() : m_previous(PageContext::install(nullptr))
    {
        WindowPageContext::installForProcess();
    }
    ~InstalledWindowContext() { PageContext::install(m_previous); }

private:
    PageContext* m_previous;
};

} // namespace

TEST_F(WindowTest, PageContextAnswersEverySectionQuestionFromTheMainWindow)
{
    DRVDocument doc;
    const sectionpage::Page page = sectionpage::fill(doc);
    DRVWindowController controller;
    controller.setDocument(&doc);
    InstalledWindowContext installed;
    PageContext& context = PageContext::current();

    // No window shown yet: nothing.
    EXPECT_EQ(context.grabMySection(2), nullptr);

    controller.showWindow();
    EXPECT_EQ(context.grabMySection(1), page.first);
    EXPECT_EQ(context.grabMySection(2), page.second);
    EXPECT_EQ(context.findObjectsInSection(page.first), (QList<DRVGraphic*>{page.left, page.right}));
    EXPECT_EQ(context.grabTopMostObjectInSection(page.first), page.left);
    EXPECT_EQ(context.grabBottomMostObjectInSection(page.first), page.right);
    EXPECT_TRUE(context.isThereGraphicAtRect(QRectF(330, 110, 5, 5)));
    EXPECT_FALSE(context.isThereGraphicAtRect(QRectF(500, 10, 5, 5)));
    EXPECT_TRUE(context.isThereGraphicAtNewLocation(page.left, QRectF(330, 110, 5, 5)));

    page.left->setBounds(QRectF(10, 230, 100, 40));
    EXPECT_EQ(context.isObjectStillInSameSectionGrid(QPointF(20, 240), page.left), page.left);
    EXPECT_EQ(page.left->sectionNumber(), 2);
    EXPECT_EQ(page.left->bounds(), QRectF(0, 230, 600, 40));

    context.reAlignSectionObjects(page.first);
    EXPECT_EQ(page.right->bounds(), QRectF(300, 100, 300, 60));
    context.identifyAndPushSectionsDownwardByOnePixel(QRectF(0, 260, 600, 1));
    EXPECT_EQ(page.second->bounds(), QRectF(0, 260, 600, 150));
    context.identifyAndPushSectionsDownwardByDifference(QRectF(0, 260, 600, 20));
    EXPECT_EQ(page.second->bounds(), QRectF(0, 280, 600, 150));

    auto* label = new DRVText;
    label->setFormType(QStringLiteral("textLabel"));
    label->setFormTag(3);
    label->setFormOptionTag(1);
    label->setBounds(QRectF(100, 500, 50, 20));
    auto* radio = new DRVText;
    radio->setFormType(QStringLiteral("radio"));
    radio->setFormTag(3);
    radio->setFormOptionTag(1);
    doc.insertGraphics({label, radio}, {0, 1});
    context.reAlignFormOptions();
    EXPECT_EQ(radio->bounds().topLeft(), QPointF(70, 508));

    // The colours the model hands over show on the window's buttons.
    context.setSelectedTextColor(QColor(0x12, 0x34, 0x56));
    context.setSelectedShapeColor(QColor(Qt::transparent));
    context.refreshColorButtons();
    context.refreshInspectorPanel();
    EXPECT_EQ(controller.selectedTextColorButton()->property("color").value<QColor>(),
              QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(controller.selectedShapeColorButton()->property("color").value<QColor>().alpha(), 0);
}

// A section moved on the canvas takes the members it does not share the selection with along: the
// model asks the window for them.
TEST_F(WindowTest, MovingASectionMovesItsMembersThroughTheWindow)
{
    DRVDocument doc;
    const sectionpage::Page page = sectionpage::fill(doc);
    DRVWindowController controller;
    controller.setDocument(&doc);
    controller.showWindow();
    InstalledWindowContext installed;

    controller.graphicsController()->setSelectionIndexes({3}); // section 1
    DRVGraphic::translateGraphics({page.first}, 0, 25);
    EXPECT_EQ(page.first->bounds(), QRectF(0, 25, 600, 200));
    EXPECT_EQ(page.left->bounds(), QRectF(10, 45, 100, 40));
    EXPECT_EQ(page.right->bounds(), QRectF(320, 125, 80, 60));
    EXPECT_EQ(page.lower->bounds(), QRectF(30, 260, 120, 50));
}

TEST(WindowFallbacks, EditionsWithoutACanvasOpenOnTheDefaultCanvas)
{
    for (const char* name : {"Kestrin Label Maker", "Kestrin Flyer Maker Pro",
                             "Kestrin Greeting Card Designer", "Kestrin PDF Author"}) {
        ScopedEdition scoped(QString::fromUtf8(name));
        DRVDocument doc;
        EXPECT_EQ(doc.canvasSize(), QSizeF(1500, 5000)) << name;
        DRVWindowController controller;
        controller.setDocument(&doc);
        controller.window();
        EXPECT_DOUBLE_EQ(controller.zoomFactor(), 1.0) << name;
        EXPECT_EQ(controller.graphicView()->canvasSize(), QSizeF(1500, 5000)) << name;
        EXPECT_DOUBLE_EQ(controller.graphicView()->scale(), 1.0) << name;
        // The edition's own values are left as stored.
        EXPECT_EQ(edition().gCanvasWidth, 0) << name;
    }
    // A page's own size counts only when it is one.
    ScopedEdition scoped(QStringLiteral("Quib"));
    DRVDocument damaged;
    damaged.setDocSpecificFixedCanvasFlag(1);
    damaged.setDocSpecificPageWidth(0);
    damaged.setDocSpecificPageHeight(700);
    EXPECT_EQ(damaged.canvasSize(), QSizeF(1500, 5000));
}

TEST(WindowPrintTemplates, EachPrintEditionShowsItsOwnPopUpInTheWindowsBar)
{
    const struct
    {
        const char* edition;
        const char* popUp; // nullptr: no bar
    } rows[] = {
        {"Kestrin Label Maker", "templateSelectionPopupButton"},
        {"Kestrin Flyer Maker Pro", "flyerTemplateSelectionPopupButton"},
        {"Kestrin PDF Author", "manualTemplateSelectionPopupButton"},
        {"Kestrin Greeting Card Designer", "foldingCardTemplateSelectionPopupButton"},
        {"Corvane Business Card Designer", "tuvikBusinessCardDesignerPopupButton"},
        {"Corvane eCard Designer", "tuvikEcardDesignerPopupButton"},
        {"Corvane Envelope Designer", "corvaneEnvelopePopupButton"},
        {"Brennolt Pro", nullptr},
        {"HTML Quib Pro", nullptr},
    };
    for (const auto& row : rows) {
        ScopedEdition scoped(QString::fromUtf8(row.edition));
        DRVDocument doc;
        DRVWindowController controller;
        controller.setDocument(&doc);
        controller.window();
        QToolBar* bar = controller.printTemplateToolBar();
        if (!row.popUp) {
            EXPECT_EQ(bar, nullptr) << row.edition;
            continue;
        }
        ASSERT_TRUE(bar) << row.edition;
        const QList<QComboBox*> placed = bar->findChildren<QComboBox*>();
        ASSERT_EQ(placed.size(), 1) << row.edition;
        EXPECT_EQ(placed.first()->objectName(), QString::fromLatin1(row.popUp));
        EXPECT_EQ(placed.first()->count(), edition().gLabelTemplateList.size()) << row.edition;
        EXPECT_EQ(controller.window()->toolBarArea(bar), Qt::TopToolBarArea);

        // "displayToolbars" runs the choice again: still one pop-up in one bar.
        platform::NotificationCenter::defaultCenter().post(QStringLiteral("displayToolbars"));
        EXPECT_EQ(bar->findChildren<QComboBox*>().size(), 1) << row.edition;
        EXPECT_EQ(controller.window()->findChildren<QToolBar*>().size(), 1) << row.edition;
    }
}

TEST(WindowPrintTemplates, TheLabelMakersWindowWithItsTemplateBar)
{
    ScopedEdition scoped(QStringLiteral("Kestrin Label Maker"));
    DRVDocument doc;
    doc.setDocSpecificFixedCanvasFlag(1);
    doc.setDocSpecificPageWidth(1575);
    doc.setDocSpecificPageHeight(600);
    DRVWindowController controller;
    controller.setDocument(&doc);
    controller.window()->resize(900, 600);
    controller.showWindow();
    QComboBox* popUp = controller.printTemplateToolBar()->findChild<QComboBox*>();
    ASSERT_TRUE(popUp);
    const QImage shot = controller.window()->grab().toImage();
    const QString path = QDir(artefactsFolder()).filePath(QStringLiteral("label-maker-template-bar.png"));
    ASSERT_TRUE(shot.save(path)) << qPrintable(path);
    // The bar lies above the canvas, the pop-up inside the window.
    const QRect popUpArea(popUp->mapTo(controller.window(), QPoint(0, 0)), popUp->size());
    EXPECT_TRUE(QRect(QPoint(0, 0), shot.size()).contains(popUpArea));
    EXPECT_LT(popUpArea.bottom(),
              controller.zoomingScrollView()->mapTo(controller.window(), QPoint(0, 0)).y() + 1);
}

TEST(WindowProfile, ThePopoverShowsTheRecordAndHidesOnTheBaseTemplate)
{
    ScopedEdition scoped(QStringLiteral("Cardell Vet Edition"));
    DRVDocument doc;
    doc.setProfileDictionary({{QStringLiteral("Pet Name"), QStringLiteral("Biscuit")},
                              {QStringLiteral("Pet Breed"), QStringLiteral("Beagle")},
                              {QStringLiteral("Pet Chart Number"), QStringLiteral("C-1042")},
                              {QStringLiteral("Owner First Name"), QStringLiteral("Ada")}});
    doc.setPageName(QStringLiteral("biscuit"));
    DRVWindowController controller;
    controller.setDocument(&doc);
    controller.showWindow();
    platform::NotificationCenter& center = platform::NotificationCenter::defaultCenter();

    center.post(QStringLiteral("displayProfilePopover"), &doc);
    ASSERT_TRUE(controller.isProfilePopoverShown());
    ProfileViewController* content = controller.profileViewController();
    EXPECT_EQ(content->labelTextField()->text(), QStringLiteral("Biscuit"));
    EXPECT_EQ(content->labelTextField2()->text(), QStringLiteral("Beagle"));
    EXPECT_EQ(content->labelTextField3()->text(), QStringLiteral("C-1042"));
    EXPECT_EQ(content->labelTextField()->font().family(),
              QString::fromLatin1(ProfileViewController::kLabelFontName));
    controller.window()->grab().save(QDir(artefactsFolder()).filePath(QStringLiteral("profile-popover.png")));

    // It stays at the top right of the visible canvas when the window is resized.
    QWidget* popover = controller.profilePopover();
    const int margin = controller.zoomingScrollView()->width() - popover->geometry().right();
    const int right = popover->geometry().right();
    controller.window()->resize(controller.window()->width() + 120, controller.window()->height());
    QCoreApplication::processEvents();
    EXPECT_EQ(popover->geometry().right(), right + 120);
    EXPECT_EQ(controller.zoomingScrollView()->width() - popover->geometry().right(), margin);
    EXPECT_GT(margin, 10);

    // Another document's post is not this window's; its own hide closes the popover.
    DRVDocument other;
    center.post(QStringLiteral("hideProfilePopover"), &other);
    EXPECT_TRUE(controller.isProfilePopoverShown());
    center.post(QStringLiteral("hideProfilePopover"), &doc);
    EXPECT_FALSE(controller.isProfilePopoverShown());

    // The base template shows no record.
    doc.setPageName(QStringLiteral("basetemplate"));
    center.post(QStringLiteral("displayProfilePopover"), &doc);
    EXPECT_FALSE(controller.isProfilePopoverShown());

    // Other editions show the owner's names.
    edition().gEditionDisplayName = QStringLiteral("Cardell");
    doc.setPageName(QStringLiteral("ada"));
    controller.displayProfilePopover();
    EXPECT_EQ(content->labelTextField()->text(), QStringLiteral("Ada"));
    EXPECT_TRUE(content->labelTextField2()->text().isEmpty());
}

TEST_F(WindowTest, TheTableBackgroundItemFollowsTheTableTheCanvasFound)
{
    DRVDocument doc;
    const sectionpage::Page page = sectionpage::fill(doc);
    DRVWindowController controller;
    controller.setDocument(&doc);
    controller.window();
    const QString action = QStringLiteral("removeTableBackgroundPattern:");

    page.first->setTableBackgroundImage(new TransformView);
    EXPECT_FALSE(controller.validateMenuItem(action, MenuItemState()).enabled); // no table found yet
    EXPECT_EQ(controller.grabOverLappingSectionCell(QPointF(10, 10)), QRectF(0, 0, 300, 200));
    EXPECT_TRUE(controller.doesSelectedTableContainBackgroundPattern());
    EXPECT_TRUE(controller.validateMenuItem(action, MenuItemState()).enabled);

    controller.removeTableBackgroundPattern();
    EXPECT_EQ(page.first->tableBackgroundImage(), nullptr);
    const MenuItemState after = controller.validateMenuItem(action, MenuItemState());
    EXPECT_FALSE(after.enabled);
    EXPECT_FALSE(after.visible);
}
