// The edition toolbars: which bar each edition's window shows and what it hides, the presets the bar
// reaches, validation like the menus, and titles from the strings table.
#include "WindowTestSupport.h"

#include "canvas/DRVGraphicView.h"
#include "document/DRVDocument.h"
#include "editions/DataCentre.h"
#include "editions/PrintSheetGeometry.h"
#include "platform/StringsTable.h"
#include "window/DRVWindowController.h"
#include "window/EditionToolbar.h"
#include "window/ToolbarChoice.h"
#include "window/inspector/InspectorPanel.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMainWindow>
#include <QMenu>

namespace {

const QStringList kLinkAndScroll{
    "altTextField",   "linkTextFieldLabel",     "hyperLinkTextField",  "linkOptionSegmentedControl",
    "saveLinkButton", "scrollSegmentedControl", "scrollTextFieldLabel"};

class EditionToolbarTest : public WindowTest
{
protected:
    // A window of the named edition; the window is made afresh for each call.
    DRVWindowController& openWindow(const QString& displayName)
    {
        edition().gEditionDisplayName = displayName;
        controller = std::make_unique<DRVWindowController>();
        controller->setDocument(&doc);
        controller->window();
        return *controller;
    }

    QStringList hiddenInspectorControls() const
    {
        QStringList hidden;
        for (const QString& name : kLinkAndScroll) {
            QWidget* control = controller->inspector()->control(name);
            if (control && control->isHidden())
                hidden.append(name);
        }
        return hidden;
    }

    void trigger(const QString& id)
    {
        QAction* action = controller->editionToolBar()->actionWithId(id);
        ASSERT_TRUE(action) << id.toStdString();
        action->trigger();
    }

    DRVDocument doc;
    std::unique_ptr<DRVWindowController> controller;
};

} // namespace

TEST_F(EditionToolbarTest, EveryEditionOfTheTableGetsItsBarAndHidesItsControls)
{
    const struct
    {
        const char* edition;
        const char* toolbar;
        char hidden; // L link and scroll, S scroll, A alternative text, - nothing
    } rows[] = {{"Corvane Envelope Designer", "corvaneEnvelopeDesignerToolbar", 'L'},
                {"Corvane Business Card Designer", "tuvikBusinessCardDesignerToolbar", 'L'},
                {"Corvane eCard Designer", "tuvikEcardDesignerToolbar", '-'},
                {"Lomith Image Notes", "lomithImageNotesToolbar", '-'},
                {"HTML Quib Pro", "quibToolbar", '-'},
                {"Brumel Responsive Website Designer", "kestrinToolbar", '-'},
                {"Ulmira Pro 2", "ulmiraToolbar", '-'},
                {"Ulmira Express", "ulmiraExpressToolbar", '-'},
                {"Pommerit Recipe Manager", "pommeritToolbar", 'L'},
                {"Ostrevin", "photoCatalogToolbar", '-'},
                {"Femmock", "gondrithToolbar", 'L'},
                {"Kestrin Label Maker", "yarrowinToolbar", 'L'},
                {"Kestrin Flyer Maker Pro", "kestrinFlyerToolbar", 'L'},
                {"Kestrin Greeting Card Designer", "kestrinFoldingCardToolbar", 'L'},
                {"Kestrin Markup", "kestrinMarkupToolbar", 'L'},
                {"Kestrin Markup Express", "kestrinMarkup2Toolbar", 'L'},
                {"Kestrin PDF Author", "kestrinManualToolbar", 'L'},
                {"Kestrin Family Tree Maker", "kestrinFamilyTreeToolbar", 'L'},
                {"Brumel Responsive Email Designer", "kestrinEmailDesignerToolbar", 'S'},
                {"Kestrin Responsive Form Designer", "kestrinFormDesignerToolbar", 'L'},
                {"Zandelle", "zandelleToolbar", '-'},
                {"Selvaro Pro", "selvaroToolbar", '-'},
                {"Selvaro Pro 2", "selvaroPro2Toolbar", '-'},
                {"Brennolt Pro", "labelDesignerToolbar", 'L'},
                {"Cardell Vet Edition", "cardellvetToolbar", 'A'},
                {"Cardell", "cardellToolbar", 'A'},
                {"Cardell 2", "cardell2Toolbar", 'A'},
                {"Veldacre", "veldacreToolbar", 'A'},
                {"Cardell Viewer", "cardellViewerToolbar", 'A'},
                {"Quibpage Web Design Document Viewer", "quibpageViewerToolbar", 'A'},
                {"Haskavel Pro", "orgChartMakerToolbar", 'L'},
                {"Haskavel Pro 2", "orgChartMakerToolbar2", 'L'},
                // Outside the table: the interface's own bar, nothing hidden.
                {"Quellam", "windowToolbar", '-'},
                {"Tirrabel", "windowToolbar", '-'},
                {"Cardell Vet", "windowToolbar", '-'}};
    EXPECT_EQ(ToolbarChoice::rows().size(), 32);
    for (const auto& row : rows) {
        openWindow(QString::fromLatin1(row.edition));
        const QString what = QString::fromLatin1(row.edition);
        ASSERT_TRUE(controller->editionToolBar()) << row.edition;
        EXPECT_EQ(controller->editionToolBar()->objectName(), QLatin1String(row.toolbar)) << row.edition;
        EXPECT_EQ(controller->window()->findChildren<QToolBar*>().size(), 1) << row.edition;
        const QStringList expected = row.hidden == 'L' ? kLinkAndScroll
                                     : row.hidden == 'S'
                                         ? QStringList{"scrollSegmentedControl", "scrollTextFieldLabel"}
                                     : row.hidden == 'A' ? QStringList{"altTextField"}
                                                         : QStringList{};
        // Only controls the inspector makes can be hidden (it has no save-link button yet).
        QStringList present;
        for (const QString& name : expected) {
            if (controller->inspector()->control(name))
                present.append(name);
        }
        EXPECT_GE(present.size(), expected.size() - 1) << row.edition;
        EXPECT_EQ(hiddenInspectorControls().join(u' ').toStdString(), present.join(u' ').toStdString())
            << row.edition;
        // Running the choice again keeps the same bar.
        EditionToolbar* bar = controller->editionToolBar();
        controller->setFormButtons();
        EXPECT_EQ(controller->editionToolBar(), bar) << row.edition;
    }
}

TEST_F(EditionToolbarTest, TheCopyPageLinkItemIsHiddenWhereTheRowSaysSo)
{
    for (const auto& [name, hides] : {std::pair{"Kestrin Markup", true}, std::pair{"HTML Quib Pro", false}}) {
        openWindow(QString::fromLatin1(name));
        auto* menu = new QMenu(controller->window());
        QAction* item = menu->addAction(QStringLiteral("Copy Page Link"));
        item->setObjectName(QStringLiteral("grabPageLinkMenuItem"));
        controller->setFormButtons();
        EXPECT_EQ(item->isVisible(), !hides) << name;
    }
}

TEST_F(EditionToolbarTest, WebPresetsThroughTheBar)
{
    openWindow(QStringLiteral("HTML Quib Pro"));
    trigger(QStringLiteral("canvasSizeToolbarItem/0"));
    EXPECT_EQ(controller->graphicView()->canvasSize(), QSizeF(450, 5000));
    trigger(QStringLiteral("canvasSizeToolbarItem/1"));
    EXPECT_EQ(controller->graphicView()->canvasSize(), QSizeF(1250, 10000));
    trigger(QStringLiteral("canvasSizeToolbarItem/2"));
    EXPECT_EQ(controller->graphicView()->canvasSize(), QSizeF(2500, 50000));
}

TEST_F(EditionToolbarTest, MailWidthsThroughTheBar)
{
    edition().gCanvasHeight = 2000;
    openWindow(QStringLiteral("Brumel Responsive Email Designer"));
    trigger(QStringLiteral("mailCanvasSizeToolbarItem/0"));
    EXPECT_EQ(controller->graphicView()->canvasSize(), QSizeF(700, 2000));
    EXPECT_EQ(doc.canvasSizeTypeName(), QLatin1String("Standard"));
    trigger(QStringLiteral("mailCanvasSizeToolbarItem/2"));
    EXPECT_EQ(controller->graphicView()->canvasSize(), QSizeF(900, 2000));
    EXPECT_EQ(doc.canvasSizeTypeName(), QLatin1String("Flex"));
}

TEST_F(EditionToolbarTest, PaperAndCardsThroughTheBar)
{
    DataCentre::loadPrintLabels();
    edition().gPaperSizeControlFlag = true;
    edition().gCanvasRotation = 0;
    openWindow(QStringLiteral("Kestrin Label Maker"));
    trigger(QStringLiteral("paperSizeSegmentedControl/1"));
    trigger(QStringLiteral("numOfCardsPerSheetSegmentedControl/1"));
    EXPECT_EQ(controller->paperSizeSegment(), 1);
    EXPECT_EQ(controller->numOfCardsPerSheetSegment(), 1);
    const PrintSheetGeometry& geometry = printSheetGeometry();
    EXPECT_EQ(geometry.gPrintNumOfRowsPerSheet * geometry.gPrintNumOfColumnsPerSheet, 8);
    EXPECT_EQ(controller->graphicView()->canvasSize(),
              QSizeF(edition().gCanvasWidth, edition().gCanvasHeight));
}

TEST_F(EditionToolbarTest, AnActionNoWindowHandlesShowsDisabled)
{
    openWindow(QStringLiteral("HTML Quib Pro"));
    EditionToolbar* bar = controller->editionToolBar();
    // Publishing and the preview are the window's to answer.
    EXPECT_TRUE(bar->actionWithId(QStringLiteral("publishThisPage:"))->isEnabled());
    EXPECT_TRUE(bar->actionWithId(QStringLiteral("showWebPreview:"))->isEnabled());
    EXPECT_TRUE(bar->actionWithId(QStringLiteral("canvasSizeToolbarItem/0"))->isEnabled());
    // Every enabled item's action is one the window handles.
    for (const ToolbarItemDescription& item : bar->items()) {
        if (item.segments.isEmpty() && bar->actionWithId(item.id)->isEnabled())
            EXPECT_TRUE(DRVWindowController::handledActions().contains(item.action))
                << item.action.toStdString();
    }
    // The e-mail editions' Send is the window's to answer: it opens the recipient sheet.
    openWindow(QStringLiteral("Brumel Responsive Email Designer"));
    EXPECT_TRUE(controller->editionToolBar()->actionWithId(QStringLiteral("publishMail:"))->isEnabled());
}

TEST_F(EditionToolbarTest, TitlesComeFromTheStringsTable)
{
    platform::StringsTable::registerEntries(QStringLiteral("Localizable"),
                                            {{QStringLiteral("Preview"), QStringLiteral("Vorschau")},
                                             {QStringLiteral("Mobile"), QStringLiteral("Mobil")}});
    openWindow(QStringLiteral("HTML Quib Pro"));
    EditionToolbar* bar = controller->editionToolBar();
    EXPECT_EQ(bar->actionWithId(QStringLiteral("showWebPreview:"))->text(), QLatin1String("Vorschau"));
    EXPECT_EQ(bar->actionWithId(QStringLiteral("canvasSizeToolbarItem/0"))->text(), QLatin1String("Mobil"));
    // A title without an entry stays, and localising again changes nothing.
    EXPECT_EQ(bar->actionWithId(QStringLiteral("canvasSizeToolbarItem/1"))->text(), QLatin1String("Full"));
    controller->prepareToLocalizeToolbarAndStuff();
    EXPECT_EQ(bar->actionWithId(QStringLiteral("showWebPreview:"))->text(), QLatin1String("Vorschau"));

    // A context menu: its items and one level of submenu, no deeper.
    QMenu menu;
    menu.addAction(QStringLiteral("Preview"));
    QMenu* sub = menu.addMenu(QStringLiteral("More"));
    sub->addAction(QStringLiteral("Mobile"));
    QMenu* deeper = sub->addMenu(QStringLiteral("Deeper"));
    deeper->addAction(QStringLiteral("Preview"));
    EditionToolbar::localizeMenu(&menu, QStringLiteral("Localizable"));
    EXPECT_EQ(menu.actions().at(0)->text(), QLatin1String("Vorschau"));
    EXPECT_EQ(sub->actions().at(0)->text(), QLatin1String("Mobil"));
    EXPECT_EQ(deeper->actions().at(0)->text(), QLatin1String("Preview"));

    // The canvas's own right-click menu goes through the same table.
    platform::StringsTable::registerEntries(QStringLiteral("Localizable"),
                                            {{QStringLiteral("Delete"), QStringLiteral("Löschen")}});
    DRVGraphicView* canvas = controller->graphicView();
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(20, 20), canvas->mapToGlobal(QPoint(20, 20)));
    QApplication::sendEvent(canvas, &click);
    auto* shown = canvas->findChild<QMenu*>(QStringLiteral("canvasContextMenu"));
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->actions().at(0)->text(), QString::fromUtf8("Löschen"));
    shown->close();

    platform::StringsTable::registerEntries(QStringLiteral("Localizable"),
                                            {{QStringLiteral("Preview"), QStringLiteral("Preview")},
                                             {QStringLiteral("Mobile"), QStringLiteral("Mobile")},
                                             {QStringLiteral("Delete"), QStringLiteral("Delete")}});
}
