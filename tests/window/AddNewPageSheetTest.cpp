// The document window's add-page sheet: each preset fills the dialog for its kind of page, the sheet
// is window-modal on the document window, Add and Cancel close it, and the template chooser is the
// only way to finish a page started from a template.
#include "WindowTestSupport.h"

#include "document/DRVDocument.h"
#include "platform/Dialogs.h"
#include "window/AddNewPageViewController.h"
#include "window/DRVWindowController.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

class AddNewPageSheetTest : public WindowTest
{
protected:
    AddNewPageSheetTest()
    {
        EditionSettings& e = edition();
        e.gDocumentExtension = QStringLiteral("quibpage");
        e.gBaseTemplateFileName = QStringLiteral("basetemplate.quibpage");
        e.gHideMainPageCheckboxFlag = false;
        e.gEditionDisplayName = QStringLiteral("Quib");
        controller.setDocument(&doc);
        controller.window();
        // A project of two pages, one of them its base template.
        for (const char* name : {"page1.quibpage", "basetemplate.quibpage"}) {
            PageRecord record;
            record.pageName = QString::fromLatin1(name);
            record.documentName = record.pageName;
            controller.siteIconArray().append(record);
        }
    }
    ~AddNewPageSheetTest() override { DRVWindowController::setTemplateChooser({}); }

    AddNewPageViewController* sheet() const { return controller.addNewPageViewController(); }
    // Add runs the real page flow; its alerts are answered here rather than blocking the test.
    platform::ScopedDialogs dialogs;

    DRVDocument doc;
    DRVWindowController controller;
};

struct PresetCase
{
    const char* action;
    const char* pageFileType;
    const char* templateName;
    const char* categoryFolder;
    const char* addTitle; // "" when the add button is hidden
    bool chooseTemplateShown;
    bool mainBoxShown;
    bool titleEditable;
    bool segmentShown;
    bool applyFollowsBaseTemplate; // else always hidden
};

TEST_F(AddNewPageSheetTest, EveryPresetFillsTheSheetForItsKindOfPage)
{
    const PresetCase rows[] = {
        {"showAddNewPageWindow:", "quibpage", "Blank.quibpage", "blank", "Add", false, true, true, true, true},
        {"showAddNewFromTemplateWindow:", "quibpage", "Blank.quibpage", "blank", "", true, true, true, true, true},
        {"showAddNewFormWindow:", "selvaro", "Blank.selvaro", "forms", "Add Form", false, true, true, true, true},
        {"showAddBaseTemplateWindow:", "quibpage", "Blank.quibpage", "blank", "Add Blank", true, false, false, false,
         false},
    };
    for (const PresetCase& row : rows) {
        SCOPED_TRACE(row.action);
        ASSERT_TRUE(controller.performAction(QString::fromLatin1(row.action)));
        AddNewPageViewController* s = sheet();
        ASSERT_NE(s, nullptr);
        EXPECT_TRUE(s->window()->isVisible());
        EXPECT_EQ(s->window()->windowModality(), Qt::WindowModal);
        EXPECT_EQ(s->window()->parentWidget(), controller.window());
        EXPECT_EQ(s->pageFileType(), QString::fromLatin1(row.pageFileType));
        EXPECT_EQ(s->selectedTemplateName(), QString::fromLatin1(row.templateName));
        EXPECT_EQ(s->selectedTemplateCategoryFolder(), QString::fromLatin1(row.categoryFolder));
        const bool addShown = *row.addTitle != '\0';
        EXPECT_EQ(!s->addNewPageButton()->isHidden(), addShown);
        if (addShown) {
            EXPECT_EQ(s->addNewPageButton()->text(), QString::fromLatin1(row.addTitle));
        }
        EXPECT_EQ(!s->chooseTemplateButton()->isHidden(), row.chooseTemplateShown);
        EXPECT_EQ(!s->mainLaunchpageCheckbox()->isHidden(), row.mainBoxShown);
        EXPECT_EQ(s->pageTitleTextField()->isEnabled(), row.titleEditable);
        EXPECT_EQ(!s->fileNameGenerationSegmentedControl()->isHidden(), row.segmentShown);
        EXPECT_FALSE(s->mainLaunchpageCheckbox()->isChecked());
        EXPECT_FALSE(s->baseTemplateCheckbox()->isChecked());
        if (row.applyFollowsBaseTemplate) {
            EXPECT_EQ(!s->applyBaseTemplateCheckbox()->isHidden(), controller.baseTemplateExists());
        } else {
            EXPECT_TRUE(s->applyBaseTemplateCheckbox()->isHidden());
        }
        if (row.titleEditable) {
            EXPECT_EQ(s->pageFileNameTextField()->text(), controller.generateDefaultPageName());
            EXPECT_TRUE(s->pageTitleTextField()->text().isEmpty());
        } else {
            EXPECT_EQ(s->pageFileNameTextField()->text(), QStringLiteral("basetemplate"));
            EXPECT_EQ(s->pageTitleTextField()->text(), QStringLiteral("Base Template"));
        }
        QTest::mouseClick(s->cancelButton(), Qt::LeftButton);
        EXPECT_FALSE(s->window()->isVisible());
    }
}

TEST_F(AddNewPageSheetTest, EditionRulesOfTheFormAndMainPagePresets)
{
    edition().gEditionDisplayName = QStringLiteral("Selvaro Pro");
    controller.showAddNewFormWindow();
    EXPECT_EQ(sheet()->selectedTemplateCategoryFolder(), QStringLiteral("blank"));
    sheet()->cancelButton()->click();

    edition().gHideMainPageCheckboxFlag = true;
    for (const char* action : {"showAddNewPageWindow:", "showAddNewFromTemplateWindow:"}) {
        controller.performAction(QString::fromLatin1(action));
        EXPECT_TRUE(sheet()->mainLaunchpageCheckbox()->isHidden()) << action;
        sheet()->cancelButton()->click();
    }
    // The form preset keeps its box whatever the flag.
    controller.showAddNewFormWindow();
    EXPECT_FALSE(sheet()->mainLaunchpageCheckbox()->isHidden());
}

TEST_F(AddNewPageSheetTest, EachRequestMakesAFreshDialogAndTheLastStaysReadable)
{
    controller.showAddNewPageWindow();
    QPointer<AddNewPageViewController> first = sheet();
    QTest::keyClicks(first->pageTitleTextField(), QStringLiteral("Our Team"));
    EXPECT_EQ(first->pageFileNameTextField()->text(), QStringLiteral("OurTeam"));
    QTest::mouseClick(first->addNewPageButton(), Qt::LeftButton);
    // Add closes the sheet before the name is checked; the values stay readable.
    ASSERT_TRUE(first);
    EXPECT_FALSE(first->window()->isVisible());
    EXPECT_EQ(first->pageTitleTextField()->text(), QStringLiteral("Our Team"));

    controller.showAddNewFormWindow();
    EXPECT_FALSE(first); // replaced by the new request's dialog
    EXPECT_TRUE(sheet()->pageTitleTextField()->text().isEmpty());
}

TEST_F(AddNewPageSheetTest, ChooseTemplateWaitsForTheChooser)
{
    controller.showAddNewFromTemplateWindow();
    EXPECT_FALSE(sheet()->chooseTemplateButton()->isEnabled());
    EXPECT_FALSE(controller.validateMenuItem(QStringLiteral("addNewDirectlyFromTemplate:"), {}).enabled);
    sheet()->cancelButton()->click();

    DRVWindowController* askedFor = nullptr;
    DRVWindowController::setTemplateChooser([&](DRVWindowController* window) {
        askedFor = window;
        // The chooser's pick: a template of another category with its own extension.
        window->saveNewPageAndChooseTemplate(QStringLiteral("Portfolio.selvaro"), QStringLiteral("Business"));
    });
    controller.showAddNewFromTemplateWindow();
    ASSERT_TRUE(sheet()->chooseTemplateButton()->isEnabled());
    QTest::mouseClick(sheet()->chooseTemplateButton(), Qt::LeftButton);
    EXPECT_EQ(askedFor, &controller);
    EXPECT_EQ(sheet()->selectedTemplateName(), QStringLiteral("Portfolio.selvaro"));
    EXPECT_EQ(sheet()->selectedTemplateCategoryFolder(), QStringLiteral("Business"));
    EXPECT_EQ(sheet()->pageFileType(), QStringLiteral("selvaro"));
    EXPECT_FALSE(sheet()->window()->isVisible());

    // Straight from the menu: no sheet, the default name preset for the chooser.
    askedFor = nullptr;
    ASSERT_TRUE(controller.performAction(QStringLiteral("addNewDirectlyFromTemplate:")));
    EXPECT_EQ(askedFor, &controller);
    EXPECT_EQ(sheet()->directlySelectFileName(), controller.generateDefaultPageName());
}

TEST_F(AddNewPageSheetTest, SheetScreenshot)
{
    controller.window()->resize(900, 600);
    controller.window()->show();
    controller.showAddNewPageWindow();
    QTest::keyClicks(sheet()->pageTitleTextField(), QStringLiteral("About Us"));
    const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/window-artefacts");
    QDir().mkpath(folder);
    EXPECT_TRUE(sheet()->window()->grab().save(QDir(folder).filePath(QStringLiteral("add-page-sheet.png"))));
}

} // namespace
