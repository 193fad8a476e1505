// Website projects from the application's side: a new project folder with its starter pages, opening
// a project folder or one page, the theme browser, the Getting Started page and the blank page.
#include "app/DRVAppDelegate.h"
#include "window/TemplateIconButton.h"
#include "window/WebsiteProject.h"

#include "app/DocumentController.h"
#include "document/DRVDocument.h"
#include "editions/DataCentre.h"
#include "editions/EditionSettings.h"
#include "platform/Dialogs.h"
#include "platform/NotificationCenter.h"
#include "platform/SafePath.h"
#include "platform/StringRules.h"
#include "window/DRVWindowController.h"
#include "window/TemplateWindowController.h"
#include "window/WebsiteSettings.h"

#include <QDateTime>
#include <algorithm>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <optional>

namespace {

const QString kFormExtension = QStringLiteral("selvaro");

// Copies when the target is free; an existing page is never overwritten.
bool copyIfAbsent(const QString& source, const QString& target)
{
    if (QFileInfo::exists(target))
        return false;
    return QFile::copy(source, target);
}

// The page documents of folder with their dates, newest first; pages of one date by name.
QList<QFileInfo> pagesNewestFirst(const QString& folder)
{
    QList<QFileInfo> pages;
    for (const QString& name : DRVAppDelegate::pageDocumentsOfFolder(folder))
        pages.append(QFileInfo(QDir(folder).filePath(name)));
    std::stable_sort(pages.begin(), pages.end(), [](const QFileInfo& a, const QFileInfo& b) {
        return a.lastModified() > b.lastModified();
    });
    return pages;
}

} // namespace

DRVWindowController* DRVAppDelegate::openUntitled(const QString& path)
{
    DRVDocument::setWebsiteFolderOpenFlag(false);
    DRVDocument::setPendingWebsiteFolderPath(QString());
    if (!QFileInfo::exists(path))
        return nullptr;
    DRVWindowController* window = DocumentController::shared().openDocumentWithContentsOfPath(path);
    if (window && window->document())
        window->document()->detachFromFile();
    return window;
}

namespace {

QString editionBlankName()
{
    return QStringLiteral("Blank.") + edition().gDocumentExtension;
}

} // namespace

DRVAppDelegate* DRVAppDelegate::current()
{
    return s_currentDelegate;
}

const QStringList& DRVAppDelegate::websiteActions()
{
    static const QStringList actions = QStringList{QStringLiteral("addNewBlankGroup:"), QStringLiteral("openGroup:"),
                                                   QStringLiteral("showSiteLevelTemplate:"),
                                                   QStringLiteral("showGettingStarted:")} +
                                       templateActions();
    return actions;
}

bool DRVAppDelegate::performWebsiteAction(const QString& action)
{
    if (action == QLatin1String("addNewBlankGroup:"))
        addNewWebsite();
    else if (action == QLatin1String("openGroup:"))
        openWebsite();
    else if (action == QLatin1String("showSiteLevelTemplate:"))
        showSiteLevelTemplate();
    else if (action == QLatin1String("showGettingStarted:"))
        launchGettingStartedGuide();
    else if (action == QLatin1String("showTemplateWebsite:"))
        showTemplateWebsite();
    else if (action == QLatin1String("showTemplate:"))
        showTemplate(nullptr);
    else if (action == QLatin1String("launchTemplate:"))
        launchTemplate();
    else if (action == QLatin1String("directlyLaunchSingleDocBlank:"))
        directlyLaunchSingleDocBlank();
    else
        return false;
    return true;
}

QString DRVAppDelegate::websiteThemesPath()
{
    // The edition's templates folder sits beside the others in one templates root.
    const QDir root = QFileInfo(DataCentre::templatesPath()).dir();
    return root.filePath(QStringLiteral("templates/websiteLevel"));
}

QStringList DRVAppDelegate::pageDocumentsOfFolder(const QString& folderPath)
{
    if (folderPath.isEmpty())
        return {};
    const QString extension = edition().gDocumentExtension;
    QStringList pages;
    const QFileInfoList entries =
        QDir(folderPath).entryInfoList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& entry : entries) {
        if (entry.isSymLink())
            continue;
        const QString suffix = platform::pathExtension(entry.fileName());
        if ((!extension.isEmpty() && suffix == extension) || suffix == kFormExtension)
            pages.append(entry.fileName());
    }
    return pages;
}

QString DRVAppDelegate::grabPathOfFirstFile(const QString& folderPath)
{
    const QStringList pages = pageDocumentsOfFolder(folderPath);
    return pages.isEmpty() ? QString() : QDir(folderPath).filePath(pages.constFirst());
}

bool DRVAppDelegate::confirmReplacingFolder(const QString& path)
{
    if (!QFileInfo(path).isDir())
        return true;
    platform::Alert alert;
    alert.title = QStringLiteral("Confirm replacing folder \"%1\"").arg(platform::lastPathComponent(path));
    alert.informativeText = QStringLiteral(
        "A folder with the same name exists already. Choosing to proceed will override its current "
        "contents.  Are you sure you wish to proceed?");
    alert.buttons = {QStringLiteral("Yes"), QStringLiteral("Cancel")};
    if (platform::DialogService::current().runAlert(alert) != 0)
        return false;
    // The old folder goes to the trash, where the user can still get it back.
    if (QFile::moveToTrash(path))
        return true;
    platform::Alert failed;
    failed.title = QStringLiteral("Could not replace the folder");
    failed.informativeText =
        QStringLiteral("\"%1\" could not be moved to the trash; it is left as it was.").arg(path);
    failed.style = platform::AlertStyle::Critical;
    platform::DialogService::current().runAlert(failed);
    return false;
}

namespace {

// The save panel for a new project folder; "" when cancelled or refused.
QString chooseNewProjectFolder()
{
    platform::FilePanelRequest request;
    request.title = QStringLiteral("New Website");
    request.fileName = edition().gNewProjectName;
    request.canCreateDirectories = true;
    return platform::DialogService::current().runSavePanel(request);
}

bool createProjectFolder(const QString& path)
{
    if (QDir().mkdir(path))
        return true;
    platform::Alert alert;
    alert.title = QStringLiteral("Could not create the folder");
    alert.informativeText = QStringLiteral("The folder \"%1\" could not be created.").arg(path);
    alert.style = platform::AlertStyle::Critical;
    platform::DialogService::current().runAlert(alert);
    return false;
}

} // namespace

DRVWindowController* DRVAppDelegate::addNewWebsite()
{
    // Editions that keep one document open make no folders: the blank page opens on its own.
    if (edition().gSingleDocumentFlag)
        return launchUsingBaseTemplate();
    const QString path = chooseNewProjectFolder();
    if (path.isEmpty() || !confirmReplacingFolder(path) || !createProjectFolder(path))
        return nullptr;
    return launchSelectedWebsite(path, true);
}

DRVWindowController* DRVAppDelegate::openWebsite()
{
    platform::FilePanelRequest request;
    request.chooseDirectories = true;
    request.message = QStringLiteral("Please select directory folder containing saved files");
    const QStringList chosen = platform::DialogService::current().runOpenPanel(request);
    if (chosen.isEmpty())
        return nullptr;
    return launchSelectedWebsite(chosen.constFirst(), false);
}

DRVWindowController* DRVAppDelegate::openNewDoc()
{
    platform::FilePanelRequest request;
    request.allowedExtensions = {edition().gDocumentExtension, kFormExtension};
    const QStringList chosen = platform::DialogService::current().runOpenPanel(request);
    if (chosen.isEmpty())
        return nullptr;
    return DocumentController::shared().openDocumentWithContentsOfPath(chosen.constFirst());
}

DRVWindowController* DRVAppDelegate::launchSelectedWebsite(const QString& folderPath, bool newProject)
{
    const QString project = QFileInfo(folderPath).absoluteFilePath();
    // Catalog editions open their settings window for the folder, not a page.
    if (edition().gSimplifiedWindowFlag) {
        launchSimplifiedWindowController(project);
        orderOutWelcomeWindow();
        return nullptr;
    }
    // A project open in a window is shown, not opened again over its own working copy.
    const QString canonical = QFileInfo(project).canonicalFilePath();
    for (DRVWindowController* window : DocumentController::shared().allWindowControllers()) {
        const QString open = window->openWebsiteFolderPath();
        if (!open.isEmpty() && !canonical.isEmpty() && QFileInfo(open).canonicalFilePath() == canonical) {
            window->showWindow();
            return window;
        }
    }

    QString name = platform::lastPathComponent(project);
    name.remove(QLatin1Char(' '));
    const std::optional<QString> working = platform::SafePath::filePath(
        receivedPagesFolderPath(), name.isEmpty() ? QStringLiteral("website") : name);
    const QString workingFolder = working.value_or(QString());
    if (!workingFolder.isEmpty()) {
        QDir(workingFolder).removeRecursively();
        QDir().mkpath(workingFolder);
    }

    if (newProject)
        addStarterBlankPage(project);
    pickUpFileList(project, workingFolder);
    if (m_pageNameArray.isEmpty()) {
        platform::Alert alert;
        alert.title = QStringLiteral("No compatible files found");
        alert.informativeText =
            QStringLiteral("Sorry this folder does not contain any compatible files:\n\n%1").arg(project);
        alert.buttons = {QStringLiteral("Open Another Folder"), QStringLiteral("Cancel")};
        if (platform::DialogService::current().runAlert(alert) == 0)
            return openWebsite();
        return nullptr;
    }

    const QString first = grabPathOfFirstFile(project);
    DRVDocument::setWebsiteFolderOpenFlag(true);
    DRVDocument::setPendingWebsiteFolderPath(workingFolder);
    DRVWindowController* window = DocumentController::shared().openDocumentWithContentsOfPath(first);
    if (!window) {
        DRVDocument::setWebsiteFolderOpenFlag(false);
        DRVDocument::setPendingWebsiteFolderPath(QString());
        return nullptr;
    }
    window->setOpenWebsiteFolderTempPath(workingFolder);
    window->setOpenWebsiteFolderPath(project);
    platform::NotificationCenter::defaultCenter().post(QStringLiteral("websiteUpdated"), this);
    if (edition().gEditionDisplayName == QLatin1String("Kestrin Greeting Card Designer"))
        platform::NotificationCenter::defaultCenter().post(QStringLiteral("callRefreshTabs"), this);
    window->addPlaceHolder();
    if (m_templateWindowController)
        m_templateWindowController->window()->hide();
    orderOutWelcomeWindow();
    return window;
}

void DRVAppDelegate::pickUpFileList(const QString& projectFolder, const QString& workingFolder)
{
    m_pageNameArray.clear();
    m_pageTitleArray.clear();
    m_fileTimeArray.clear();
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    for (const QFileInfo& page : pagesNewestFirst(projectFolder)) {
        m_pageNameArray.append(page.fileName());
        m_pageTitleArray.append(platform::stringByDeletingPathExtension(page.fileName()));
        m_fileTimeArray.append(english.toString(page.lastModified(), QStringLiteral("MMM dd yyyy h:mm AP")));
        // Each page is laid out in the working copy, where the window reads and saves it.
        if (workingFolder.isEmpty())
            continue;
        if (const std::optional<QString> destination = platform::SafePath::filePath(
                workingFolder, platform::stringByDeletingPathExtension(page.fileName())))
            DataCentre::migrateWebsitePage(page.filePath(), *destination);
    }
}

void DRVAppDelegate::addStarterBlankPage(const QString& projectFolder)
{
    const EditionSettings& e = edition();
    const QString templates = DataCentre::templatesPath();
    // A template picked in the chooser becomes the project's first page instead of the starters;
    // the card editions keep their starter files beside it.
    QStringList files;
    if (TemplateIconButton* picked = m_selectedTemplateIcon) {
        const QString relative = picked->categoryFolder() + QLatin1Char('/') + picked->fileName();
        const QString suffix = QFileInfo(picked->fileName()).suffix();
        const QString base = e.gPageBaseName.isEmpty() ? QStringLiteral("page") : e.gPageBaseName;
        const std::optional<QString> source = platform::SafePath::filePathBelow(templates, relative);
        const std::optional<QString> target = platform::SafePath::filePath(
            projectFolder, suffix.isEmpty() ? base : base + QLatin1Char('.') + suffix);
        if (source && target)
            copyIfAbsent(*source, *target);
        clearTemplateSelection();
        if (e.gEditionDisplayName == QLatin1String("Kestrin Greeting Card Designer") ||
            e.gEditionDisplayName == QLatin1String("Corvane Business Card Designer"))
            files = e.gStarterPageFiles;
    } else {
        files = e.gStarterPageFiles;
    }
    if (!e.gSampleDocumentName.isEmpty())
        files.append(e.gSampleDocumentName);
    for (const QString& file : files) {
        const std::optional<QString> source = platform::SafePath::filePathBelow(templates, file);
        const std::optional<QString> target =
            platform::SafePath::filePath(projectFolder, platform::lastPathComponent(file));
        if (source && target)
            copyIfAbsent(*source, *target);
    }
}

void DRVAppDelegate::addGettingStartedPage(const QString& folder)
{
    const QString name = QStringLiteral("GettingStarted.") + edition().gDocumentExtension;
    const std::optional<QString> source = platform::SafePath::filePath(DataCentre::templatesPath(), name);
    const std::optional<QString> target = platform::SafePath::filePath(folder, name);
    if (source && target)
        copyIfAbsent(*source, *target);
}

DRVWindowController* DRVAppDelegate::launchGettingStartedGuide()
{
    const QString temp = edition().gTempFolderPath;
    if (temp.isEmpty())
        return nullptr;
    const QString starter = QDir(temp).filePath(QStringLiteral("starter"));
    QDir(starter).removeRecursively();
    QDir().mkpath(starter);
    addGettingStartedPage(starter);
    // The copy is named after the edition's extension; that copy is the one to open.
    return openUntitled(
        QDir(starter).filePath(QStringLiteral("GettingStarted.") + edition().gDocumentExtension));
}

void DRVAppDelegate::presentAddStarterPageAlert()
{
    platform::Alert alert;
    alert.title = QStringLiteral("No documents found in folder");
    alert.informativeText = QStringLiteral(
        "No compatible documents were found in this folder.  A new document has been added to get you started.");
    alert.buttons = {QStringLiteral("OK")};
    platform::DialogService::current().runAlert(alert);
}

void DRVAppDelegate::installUntitledPageOpener()
{
    WebsiteProject::setUntitledPageOpener(
        [](const QString& documentPath, bool) { return openUntitled(documentPath) != nullptr; });
}

DRVWindowController* DRVAppDelegate::launchUsingBaseTemplate()
{
    const QString received = receivedPagesFolderPath();
    const std::optional<QString> source = platform::SafePath::filePathBelow(DataCentre::templatesPath(),
                                                     QStringLiteral("blank/") + editionBlankName());
    const std::optional<QString> target = platform::SafePath::filePath(received, editionBlankName());
    if (!source || !target)
        return nullptr;
    QDir().mkpath(received);
    QFile::remove(*target);
    if (!QFile::copy(*source, *target))
        return nullptr;
    DRVWindowController* window = openUntitled(*target);
    if (window && window->document())
        window->document()->setMainTemplateName(m_mainTemplateName);
    return window;
}

// ---- themes ----

QString DRVAppDelegate::textBetweenMarkers(const QString& text, const QString& start, const QString& end)
{
    const qsizetype from = text.indexOf(start);
    if (from < 0)
        return QString();
    const qsizetype begin = from + start.size();
    const qsizetype to = text.indexOf(end, begin);
    // Without its end marker the text names nothing.
    if (to < 0)
        return QString();
    return text.mid(begin, to - begin);
}

WebsiteObject DRVAppDelegate::openTemplateSite(const QString& themeFolder)
{
    WebsiteObject theme;
    theme.websiteFolder = platform::lastPathComponent(themeFolder);
    const QString tempTemplates = QDir(receivedPagesFolderPath()).filePath(QStringLiteral("tempTemplates"));
    QDir(tempTemplates).removeRecursively();
    const std::optional<QString> thumbnails = platform::SafePath::filePath(tempTemplates, theme.websiteFolder);

    // The project's own reader: UTF-8 as the settings sheet writes it, else Latin-1.
    const WebsiteSettings::SiteText site = WebsiteSettings::readSiteSettings(themeFolder);
    theme.websiteTitle = site.title;
    theme.websiteDescription = site.description;
    m_pageNameArray = pageDocumentsOfFolder(themeFolder);
    m_pageTitleArray.clear();
    m_fileTimeArray.clear();
    if (!thumbnails)
        return theme;
    QDir().mkpath(*thumbnails);
    for (const QString& page : m_pageNameArray) {
        const std::optional<QString> destination =
            platform::SafePath::filePath(*thumbnails, platform::stringByDeletingPathExtension(page));
        if (!destination)
            continue;
        const QString picture = DataCentre::migrateWebsitePage(QDir(themeFolder).filePath(page), *destination);
        const QImage image(picture);
        if (!picture.isEmpty() && !image.isNull())
            theme.pageIconArray.append(image);
    }
    return theme;
}

WebsiteWindowController* DRVAppDelegate::websiteWindowController()
{
    if (!m_websiteWindowController) {
        m_websiteWindowController = new WebsiteWindowController(this);
        connect(m_websiteWindowController, &WebsiteWindowController::themeChosen, this,
                [this](int tag) { launchSelectedTemplateWebsite(tag); });
    }
    return m_websiteWindowController;
}

void DRVAppDelegate::showSiteLevelTemplate()
{
    m_templateSiteArray.clear();
    const QString themes = websiteThemesPath();
    const QStringList folders =
        QDir(themes).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks, QDir::Name);
    for (const QString& folder : folders) {
        if (const std::optional<QString> path = platform::SafePath::filePath(themes, folder))
            m_templateSiteArray.append(openTemplateSite(*path));
    }
    websiteWindowController()->showThemes(m_templateSiteArray);
}

DRVWindowController* DRVAppDelegate::launchSelectedTemplateWebsite(int tag)
{
    if (tag < 0 || tag >= m_templateSiteArray.size())
        return nullptr;
    const QString path = chooseNewProjectFolder();
    if (path.isEmpty() || !confirmReplacingFolder(path))
        return nullptr;
    return proceedToLaunchSelectedTemplateWebsite(tag, path);
}

DRVWindowController* DRVAppDelegate::proceedToLaunchSelectedTemplateWebsite(int tag, const QString& projectFolder)
{
    if (tag < 0 || tag >= m_templateSiteArray.size())
        return nullptr;
    const std::optional<QString> theme =
        platform::SafePath::filePath(websiteThemesPath(), m_templateSiteArray.at(tag).websiteFolder);
    if (!theme || !createProjectFolder(projectFolder))
        return nullptr;
    // The theme's files, one level deep: page documents and its site settings.
    const QFileInfoList entries = QDir(*theme).entryInfoList(QDir::Files | QDir::NoDotAndDotDot | QDir::NoSymLinks);
    for (const QFileInfo& entry : entries) {
        if (const std::optional<QString> target = platform::SafePath::filePath(projectFolder, entry.fileName()))
            copyIfAbsent(entry.filePath(), *target);
    }
    return launchSelectedWebsite(projectFolder, false);
}
