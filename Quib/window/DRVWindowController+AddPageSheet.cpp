// The add-page sheet in its four presets (blank page, page from a template, form page, the
// project's base template), the way straight to the template chooser, and reading the sheet back
// into the page the project gains.
#include "window/AddNewPageViewController.h"
#include "window/DRVWindowController.h"

#include "editions/EditionSettings.h"
#include "platform/StringRules.h"

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

namespace {

DRVWindowController::TemplateChooser& templateChooser()
{
    static DRVWindowController::TemplateChooser chooser;
    return chooser;
}

const QString kFormExtension = QStringLiteral("selvaro");

} // namespace

void DRVWindowController::setTemplateChooser(TemplateChooser chooser)
{
    templateChooser() = std::move(chooser);
}

AddNewPageViewController* DRVWindowController::addNewPageViewController() const
{
    return m_addNewPageViewController;
}

bool DRVWindowController::hasTemplateChooser()
{
    return static_cast<bool>(templateChooser());
}

const QStringList& DRVWindowController::addPageActions()
{
    static const QStringList actions{QStringLiteral("showAddNewPageWindow:"),
                                     QStringLiteral("showAddNewFromTemplateWindow:"),
                                     QStringLiteral("showAddNewFormWindow:"),
                                     QStringLiteral("showAddBaseTemplateWindow:"),
                                     QStringLiteral("addNewDirectlyFromTemplate:")};
    return actions;
}

bool DRVWindowController::performAddPageAction(const QString& action)
{
    if (action == QLatin1String("showAddNewPageWindow:"))
        showAddNewPageWindow();
    else if (action == QLatin1String("showAddNewFromTemplateWindow:"))
        showAddNewFromTemplateWindow();
    else if (action == QLatin1String("showAddNewFormWindow:"))
        showAddNewFormWindow();
    else if (action == QLatin1String("showAddBaseTemplateWindow:"))
        showAddBaseTemplateWindow();
    else if (action == QLatin1String("addNewDirectlyFromTemplate:"))
        addNewDirectlyFromTemplate();
    else
        return false;
    return true;
}

void DRVWindowController::beginAddNewPageSheet()
{
    // One dialog per request; the previous one goes now.
    delete m_addNewPageViewController;
    m_addNewPageViewController = new AddNewPageViewController(window());
    m_addNewPageViewController->setParent(this);
    AddNewPageViewController* sheet = m_addNewPageViewController;
    sheet->window()->open();
    sheet->basicSetup();
    // Both naming boxes start off in every preset.
    sheet->mainLaunchpageCheckbox()->setChecked(false);
    sheet->baseTemplateCheckbox()->setChecked(false);
    sheet->applyBaseTemplateCheckbox()->setChecked(false);
    connect(sheet->cancelButton(), &QPushButton::clicked, this,
            &DRVWindowController::cancelAddNewPageWindowControllerSheet);
    connect(sheet->addNewPageButton(), &QPushButton::clicked, this, &DRVWindowController::saveNewPage);
    connect(sheet->chooseTemplateButton(), &QPushButton::clicked, this, [this] {
        if (templateChooser())
            templateChooser()(this);
    });
    sheet->chooseTemplateButton()->setEnabled(hasTemplateChooser());
}

namespace {

// The page open in the window is stored before the project gains another; a page that has no file
// yet is left alone, saving it would need a place the user has not chosen.
void savePageBeforeAdding(DRVDocument* document)
{
    if (document && !document->filePath().isEmpty())
        document->askPageToSaveItself();
}

} // namespace

namespace {

// What the blank, from-template and form presets share: the page's type and template, the main
// launch page box, and the apply-base-template box shown only where the project has one.
void fillPagePreset(AddNewPageViewController* sheet, const QString& pageFileType, const QString& categoryFolder,
                    bool mainBoxShown, bool baseTemplateExists, bool applyOnWhenShown)
{
    sheet->setPageFileType(pageFileType);
    sheet->setSelectedTemplateName(QStringLiteral("Blank.") + pageFileType);
    sheet->setSelectedTemplateCategoryFolder(categoryFolder);
    sheet->mainLaunchpageCheckbox()->setVisible(mainBoxShown);
    sheet->applyBaseTemplateCheckbox()->setChecked(baseTemplateExists && applyOnWhenShown);
    sheet->applyBaseTemplateCheckbox()->setVisible(baseTemplateExists);
}

} // namespace

void DRVWindowController::showAddNewPageWindow()
{
    savePageBeforeAdding(m_document);
    beginAddNewPageSheet();
    AddNewPageViewController* sheet = m_addNewPageViewController;
    const EditionSettings& e = edition();
    fillPagePreset(sheet, e.gDocumentExtension, QStringLiteral("blank"), !e.gHideMainPageCheckboxFlag,
                   baseTemplateExists(), true);
    sheet->chooseTemplateButton()->setVisible(false);
    sheet->addNewPageButton()->setText(QStringLiteral("Add"));
    sheet->pageFileNameTextField()->setText(generateDefaultPageName());
}

void DRVWindowController::showAddNewFromTemplateWindow()
{
    savePageBeforeAdding(m_document);
    beginAddNewPageSheet();
    AddNewPageViewController* sheet = m_addNewPageViewController;
    const EditionSettings& e = edition();
    fillPagePreset(sheet, e.gDocumentExtension, QStringLiteral("blank"), !e.gHideMainPageCheckboxFlag,
                   baseTemplateExists(), false);
    sheet->chooseTemplateButton()->setVisible(true);
    // The chooser's pick adds the page; the sheet has no add button of its own here.
    sheet->addNewPageButton()->setVisible(false);
    disconnect(sheet->addNewPageButton(), nullptr, this, nullptr);
    sheet->pageFileNameTextField()->setText(generateDefaultPageName());
}

void DRVWindowController::showAddNewFormWindow()
{
    savePageBeforeAdding(m_document);
    beginAddNewPageSheet();
    AddNewPageViewController* sheet = m_addNewPageViewController;
    const bool selvaroPro = edition().gEditionDisplayName == QLatin1String("Selvaro Pro");
    fillPagePreset(sheet, kFormExtension, selvaroPro ? QStringLiteral("blank") : QStringLiteral("forms"), true,
                   baseTemplateExists(), true);
    sheet->chooseTemplateButton()->setVisible(false);
    sheet->addNewPageButton()->setText(QStringLiteral("Add Form"));
    sheet->pageFileNameTextField()->setText(generateDefaultPageName());
}

void DRVWindowController::showAddBaseTemplateWindow()
{
    beginAddNewPageSheet();
    AddNewPageViewController* sheet = m_addNewPageViewController;
    const EditionSettings& e = edition();
    sheet->setPageFileType(e.gDocumentExtension);
    sheet->setSelectedTemplateName(QStringLiteral("Blank.") + e.gDocumentExtension);
    sheet->setSelectedTemplateCategoryFolder(QStringLiteral("blank"));
    sheet->pageTitleTextField()->setText(QStringLiteral("Base Template"));
    sheet->pageTitleTextField()->setReadOnly(true);
    sheet->pageTitleTextField()->setEnabled(false);
    sheet->pageFileNameTextField()->setText(QStringLiteral("basetemplate"));
    sheet->mainLaunchpageCheckbox()->setVisible(false);
    sheet->applyBaseTemplateCheckbox()->setVisible(false);
    sheet->fileNameGenerationSegmentedControl()->setVisible(false);
    sheet->chooseTemplateButton()->setVisible(true);
    sheet->addNewPageButton()->setText(QStringLiteral("Add Blank"));
}

void DRVWindowController::addNewDirectlyFromTemplate()
{
    delete m_addNewPageViewController;
    m_addNewPageViewController = new AddNewPageViewController(window());
    m_addNewPageViewController->setParent(this);
    m_addNewPageViewController->setDirectlySelectFileName(generateDefaultPageName());
    m_addNewPageViewController->setPageFileType(edition().gDocumentExtension);
    if (templateChooser())
        templateChooser()(this);
}

void DRVWindowController::saveNewPageAndChooseTemplate(const QString& templateFileName,
                                                       const QString& categoryFolder)
{
    AddNewPageViewController* sheet = m_addNewPageViewController;
    if (!sheet)
        return;
    sheet->setSelectedTemplateName(templateFileName);
    sheet->setSelectedTemplateCategoryFolder(categoryFolder);
    sheet->setPageFileType(platform::pathExtension(templateFileName));
    saveNewPage();
}

void DRVWindowController::saveNewPage()
{
    AddNewPageViewController* sheet = m_addNewPageViewController;
    if (!sheet)
        return;
    cancelAddNewPageWindowControllerSheet();

    AddNewPageChoice choice;
    choice.pageFileType = sheet->pageFileType();
    choice.pageTitle = sheet->pageTitleTextField()->text();
    choice.fileName = sheet->pageFileNameTextField()->text();
    if (choice.fileName.isEmpty())
        choice.fileName = sheet->directlySelectFileName();
    choice.directlySelectFileName = sheet->selectedSegment() == 1;
    choice.selectedTemplateName = sheet->selectedTemplateName();
    choice.selectedTemplateCategoryFolder = sheet->selectedTemplateCategoryFolder();
    choice.mainLaunchPage = sheet->mainLaunchpageCheckbox()->isChecked();
    choice.baseTemplatePage = sheet->baseTemplateCheckbox()->isChecked();
    choice.applyBaseTemplate =
        !sheet->applyBaseTemplateCheckbox()->isHidden() && sheet->applyBaseTemplateCheckbox()->isChecked();

    // No name at all stays empty, so the checks say so rather than seeing a bare extension.
    const QString fileName =
        choice.fileName.isEmpty() ? QString() : choice.fileName + QLatin1Char('.') + choice.pageFileType;
    if (runNewFileCreationChecks(fileName))
        launchUsingBaseTemplate(choice);
}

void DRVWindowController::cancelAddNewPageWindowControllerSheet()
{
    if (m_addNewPageViewController && m_addNewPageViewController->window())
        m_addNewPageViewController->window()->done(1);
}
