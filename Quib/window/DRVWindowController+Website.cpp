// The open website project: its folder, the scan into page records, the page order file, and the
// page operations that change the folder. Every name that comes from the folder, an archive, a drop
// or the user becomes a path through SafePath; a page is never replaced without the user saying so.
#include "window/DRVWindowController.h"

#include "canvas/DRVGraphicView.h"
#include "document/DRVDocument.h"
#include "document/DocumentArchiver.h"
#include "editions/DataCentre.h"
#include "editions/EditionSettings.h"
#include "editions/LabelTemplateHelper.h"
#include "editions/WorkingFolders.h"
#include "platform/Dialogs.h"
#include "platform/Format.h"
#include "platform/SafePath.h"
#include "platform/StringRules.h"
#include "platform/TextEncoding.h"
#include "platform/UserDefaults.h"
#include "window/WebsiteProject.h"

#include <QClipboard>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
#include <QTemporaryDir>
#include <filesystem>

namespace {

const QString kOrderIndexFileName = QStringLiteral("order.index");
const QString kBaseTemplateStem = QStringLiteral("basetemplate");

QString join(const QString& folder, const QString& name)
{
    return platform::stringByAppendingPathComponent(folder, name);
}

QString stemOf(const QString& fileName)
{
    return platform::stringByDeletingPathExtension(platform::lastPathComponent(fileName));
}

// "php" for a form page, "html" for a page of the edition, "" for anything else.
QString pageFileExtensionFor(const QString& documentName)
{
    const QString extension = platform::pathExtension(documentName);
    if (extension == WebsiteProject::formExtension())
        return QStringLiteral("php");
    if (extension == edition().gDocumentExtension)
        return QStringLiteral("html");
    return QString();
}

QString blankTemplatePath()
{
    const QString templates = DataCentre::templatesPath();
    const QString blank = join(join(templates, QStringLiteral("blank")),
                               QStringLiteral("Blank.") + edition().gDocumentExtension);
    const QString configured = edition().gBlankTemplatePath;
    if (!QFileInfo(blank).isFile() && !configured.isEmpty() && !configured.contains(QLatin1String("..")))
        return join(templates, configured);
    return blank;
}

// The working name of a page is free when none of its files or its folder is there yet.
bool workingNameTaken(const QString& workingCopy, const QString& name)
{
    for (const QString& suffix : {QStringLiteral(".html"), QStringLiteral(".php"), QStringLiteral(".png"),
                                  QStringLiteral("@2x.png"), QString()}) {
        if (QFileInfo::exists(join(workingCopy, name + suffix)))
            return true;
    }
    return false;
}

bool moveInside(const QString& fromFolder, const QString& fromName, const QString& toFolder,
                const QString& toName)
{
    const std::optional<QString> from = platform::SafePath::filePath(fromFolder, fromName);
    const std::optional<QString> to = platform::SafePath::filePath(toFolder, toName);
    return from && to && QFileInfo::exists(*from) && !QFileInfo::exists(*to) && QDir().rename(*from, *to);
}

// Puts a complete file at target or leaves target as it was: the bytes go to a sibling first.
bool replaceFileWith(const QString& target, const std::function<bool(const QString& partial)>& write)
{
    // The extension stays last: the packer decides the page's kind by it.
    const QString partial = join(platform::stringByDeletingLastPathComponent(target),
                                 QStringLiteral(".partial-") + platform::lastPathComponent(target));
    QFile::remove(partial);
    if (!write(partial) || !QFileInfo(partial).isFile()) {
        QFile::remove(partial);
        return false;
    }
    std::error_code error;
    std::filesystem::rename(partial.toStdString(), target.toStdString(), error);
    if (error) {
        QFile::remove(partial);
        return false;
    }
    return true;
}

bool copyFileTo(const QString& source, const QString& target)
{
    return replaceFileWith(target, [&](const QString& partial) { return QFile::copy(source, partial); });
}

void runInformationalAlert(const QString& title, const QString& text)
{
    platform::Alert alert;
    alert.title = title;
    alert.informativeText = text;
    alert.buttons = {QStringLiteral("OK")};
    alert.style = platform::AlertStyle::Informational;
    platform::showAlert(alert);
}

int runConfirmation(const QString& title, const QString& text, const QStringList& buttons)
{
    platform::Alert alert;
    alert.title = title;
    alert.informativeText = text;
    alert.buttons = buttons;
    alert.style = platform::AlertStyle::Informational;
    return platform::showAlert(alert);
}

void writePageSettings(const QString& pagePath, bool baseTemplate, bool headerAndMetadata,
                       const QString& title)
{
    DataCentre::applyBaseTemplate(pagePath, baseTemplate ? 1 : 0);
    DataCentre::applyInheritCustomHeaderCode(pagePath, headerAndMetadata ? 1 : 0);
    DataCentre::applyInheritMetadata(pagePath, headerAndMetadata ? 1 : 0);
    DataCentre::applyPageTitle(pagePath, title);
}

} // namespace

// ---- the project folder and its working copy ----

QString DRVWindowController::resetAndGrabCurrentWebsiteFolderPath()
{
    const QString project = m_openWebsiteFolder;
    const QString folderName = WebsiteProject::workingFolderName(project);
    if (project.isEmpty() || folderName.isEmpty())
        return project;
    if (m_openWebsiteFolderTempPath.isEmpty() ||
        (!m_workingCopyProject.isEmpty() && m_workingCopyProject != project)) {
        // Each opening gets a working copy of its own: two windows, or two projects of one name,
        // never unpack into each other's pages.
        const QString parent = WorkingFolders::receivedPagesPath();
        QDir().mkpath(parent);
        for (int n = 1; n < 10000; ++n) {
            const QString name =
                n == 1 ? folderName : platform::format(QStringLiteral("%@-%d"), {folderName, n});
            const std::optional<QString> candidate = platform::SafePath::filePath(parent, name);
            if (candidate && !QFileInfo::exists(*candidate)) {
                m_openWebsiteFolderTempPath = *candidate;
                break;
            }
        }
        m_workingCopyProject = project;
    }
    if (m_openWebsiteFolderTempPath.isEmpty())
        return project;
    // Only a folder inside this instance's working root is ever emptied.
    const QString root = QDir::cleanPath(QFileInfo(WorkingFolders::currentRoot()).absoluteFilePath()) + u'/';
    if (QDir::cleanPath(QFileInfo(m_openWebsiteFolderTempPath).absoluteFilePath()).startsWith(root))
        QDir(m_openWebsiteFolderTempPath).removeRecursively();
    else
        qWarning() << "working copy outside the working folder is not emptied:"
                   << m_openWebsiteFolderTempPath;
    QDir().mkpath(m_openWebsiteFolderTempPath);
    return project;
}

QString DRVWindowController::migratePage(const QString& documentPath)
{
    const QString workingCopy = m_openWebsiteFolderTempPath;
    const QString documentName = platform::lastPathComponent(documentPath);
    const QString stem = stemOf(documentName);
    const QString extension = pageFileExtensionFor(documentName);
    if (workingCopy.isEmpty() || !QFileInfo(workingCopy).isDir() || extension.isEmpty() ||
        !platform::SafePath::isSafeName(stem))
        return QStringLiteral("");

    // Unpacked apart first, so a page of the same name never lands on another page's files.
    QTemporaryDir unpacked(join(workingCopy, QStringLiteral(".unpack-XXXXXX")));
    if (!unpacked.isValid() || !DocumentArchiver::unzipDocument(documentPath, unpacked.path()))
        return QStringLiteral("");

    QString name = stem;
    for (int counter = 4; workingNameTaken(workingCopy, name) && counter < 100000; ++counter)
        name = platform::format(QStringLiteral("%@%d"), {stem, counter});

    QString page;
    if (QFileInfo(join(unpacked.path(), stem + u'.' + extension)).isFile())
        page = stem + u'.' + extension;
    for (const QString& entry : QDir(unpacked.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name)) {
        if (page.isEmpty() && platform::pathExtension(entry) == extension)
            page = entry;
    }
    if (page.isEmpty()) {
        qWarning() << "could not find any files unzipped";
        return QStringLiteral("");
    }
    if (!moveInside(unpacked.path(), page, workingCopy, name + u'.' + extension))
        return QStringLiteral("");
    const QString archived = platform::stringByDeletingPathExtension(page);
    moveInside(unpacked.path(), archived + QStringLiteral(".png"), workingCopy,
               name + QStringLiteral(".png"));
    moveInside(unpacked.path(), archived + QStringLiteral("@2x.png"), workingCopy,
               name + QStringLiteral("@2x.png"));
    // What is left is the page's own folder.
    if (QDir().rename(unpacked.path(), join(workingCopy, name)))
        unpacked.setAutoRemove(false);

    const QString large = join(workingCopy, name + QStringLiteral("@2x.png"));
    return QFileInfo::exists(large) ? large : join(workingCopy, name + QStringLiteral(".png"));
}

QString DRVWindowController::grabPageWidth(const QString& pageText)
{
    return WebsiteProject::grabPageWidth(pageText);
}

void DRVWindowController::pickUpFileList(const QString& folderPath)
{
    ++m_pageScanCount;
    m_pageNameArray.clear();
    m_siteIconArray.clear();
    const EditionSettings& e = edition();
    const QString workingCopy = m_openWebsiteFolderTempPath;
    m_pageNameArray = WebsiteProject::listPageDocuments(folderPath, m_sortListingBy);
    for (const QString& name : std::as_const(m_pageNameArray)) {
        const std::optional<QString> documentPath = platform::SafePath::filePath(folderPath, name);
        if (!documentPath)
            continue;
        PageRecord record;
        record.pageName = name;
        record.documentName = name;
        record.modificationDate = QFileInfo(*documentPath).lastModified();
        record.fileTime =
            QLocale::c().toString(record.modificationDate, QStringLiteral("MMM dd yyyy h:mm AP"));

        const QString stem = stemOf(name);
        QString workingName;
        QString localExtension = pageFileExtensionFor(name);
        if (e.gResponsiveLayoutFlag) {
            if (!workingCopy.isEmpty() && platform::SafePath::isSafeName(stem) &&
                DocumentArchiver::unzipDocument(*documentPath, workingCopy))
                workingName = stem;
            record.imagePath = join(workingCopy, stem + QStringLiteral("@2x.png"));
            localExtension = QFileInfo::exists(join(workingCopy, stem + QStringLiteral(".html")))
                                 ? QStringLiteral("html")
                                 : QStringLiteral("php");
        } else {
            record.imagePath = migratePage(*documentPath);
            if (!record.imagePath.isEmpty()) {
                workingName =
                    platform::stringByDeletingPathExtension(platform::lastPathComponent(record.imagePath));
                if (workingName.endsWith(QLatin1String("@2x")))
                    workingName.chop(3);
            }
        }

        QString text;
        if (!workingName.isEmpty()) {
            const QString pagePath = join(workingCopy, workingName + u'.' + localExtension);
            text = platform::readPageTextFile(pagePath).value_or(QString());
            const WebsiteProject::OldProfileConverter& convert = WebsiteProject::oldProfileConverter();
            const std::optional<QString> oldTitle = convert ? convert(pagePath, text) : std::nullopt;
            if (oldTitle) {
                record.pageTitle = *oldTitle;
                record.oldZorprofileFlag = true;
                text = platform::readPageTextFile(pagePath).value_or(QString());
            } else {
                record.pageTitle = WebsiteProject::grabPageTitle(text);
            }
        }
        record.pageWidth = grabPageWidth(text);
        const DataCentre::PageMarkerFlags flags = DataCentre::grabPageMarkerFlags(text);
        record.useBaseTemplateFlag = flags.useBaseTemplate;
        record.inheritMetadataFlag = flags.inheritMetadata;
        record.inheritCustomHeaderCodeFlag = flags.inheritCustomHeaderCode;
        record.pageLocalFileName = (workingName.isEmpty() ? stem : workingName) + u'.' + localExtension;
        record.pagePublishFileName =
            stem + u'.' + (flags.publishExt.isEmpty() ? localExtension : flags.publishExt);
        m_siteIconArray.append(record);
    }
    if (e.gPageOrderIndexFlag)
        grabPageOrderIndexFile();
}

void DRVWindowController::grabPageOrderIndexFile()
{
    std::optional<QList<QPair<QString, int>>> order;
    QFile file(projectFilePath(kOrderIndexFileName));
    if (file.exists() && file.open(QIODevice::ReadOnly))
        order = WebsiteProject::parsePageOrderIndex(file.readAll());
    m_siteIconArray = WebsiteProject::applyPageOrder(m_siteIconArray, order, edition().gBaseTemplateFileName);
}

void DRVWindowController::writePageOrderIndexFile()
{
    const QString path = projectFilePath(kOrderIndexFileName);
    if (path.isEmpty())
        return;
    QStringList names;
    for (const PageRecord& record : std::as_const(m_siteIconArray))
        names.append(record.documentName);
    if (!platform::writeFileAtomically(path, WebsiteProject::pageOrderIndexBytes(names)))
        qWarning() << "could not write the page order file" << path;
}

QString DRVWindowController::grabPathOfFirstFile(const QString& folderPath)
{
    const QStringList names = WebsiteProject::listPageDocuments(folderPath, QStringLiteral("fileName"));
    return names.isEmpty() ? QString() : join(folderPath, names.first());
}

bool DRVWindowController::baseTemplateExists() const
{
    return recordIndex(edition().gBaseTemplateFileName) >= 0;
}

void DRVWindowController::updateCurrentButtonColor()
{
    const QString openName = m_document ? platform::lastPathComponent(m_document->filePath()) : QString();
    for (PageRecord& record : m_siteIconArray)
        record.borderFlag = false;
    int index = -1;
    for (int i = 0; i < m_siteIconArray.size() && index < 0; ++i) {
        if (m_siteIconArray.at(i).pageName == openName)
            index = i;
    }
    if (index < 0 && !m_siteIconArray.isEmpty())
        index = 0;
    if (index >= 0)
        m_siteIconArray[index].borderFlag = true;
}

// ---- helpers of the page operations ----

QString DRVWindowController::projectFilePath(const QString& fileName) const
{
    if (m_openWebsiteFolder.isEmpty())
        return QString();
    return platform::SafePath::filePath(m_openWebsiteFolder, fileName).value_or(QString());
}

bool DRVWindowController::projectHasFile(const QString& fileName) const
{
    const QString path = projectFilePath(fileName);
    return !path.isEmpty() && QFileInfo::exists(path);
}

int DRVWindowController::recordIndex(const QString& documentName) const
{
    for (int i = 0; i < m_siteIconArray.size(); ++i) {
        if (m_siteIconArray.at(i).documentName == documentName)
            return i;
    }
    return -1;
}

bool DRVWindowController::movePageRecordTo(const QString& documentName, int index)
{
    const int from = recordIndex(documentName);
    if (from < 0)
        return false;
    const PageRecord record = m_siteIconArray.takeAt(from);
    m_siteIconArray.insert(std::clamp(index, 0, int(m_siteIconArray.size())), record);
    return true;
}

void DRVWindowController::savePageBeforeChange()
{
    if (m_document && !m_document->filePath().isEmpty())
        m_document->askPageToSaveItself();
}

void DRVWindowController::refreshProject()
{
    const int scans = m_pageScanCount;
    refreshWebsite();
    if (m_pageScanCount != scans)
        return;
    // The page list did not rescan: rebuild the working copy here and read the open page (or, when
    // it has gone, the first one) from it again.
    resetAndGrabCurrentWebsiteFolderPath();
    pickUpFileList(m_openWebsiteFolder);
    if (!m_document || m_document->filePath().isEmpty() ||
        QFileInfo(m_document->filePath()).absoluteDir() != QDir(m_openWebsiteFolder))
        return;
    const QString page = QFileInfo::exists(m_document->filePath()) ? m_document->filePath()
                                                                   : grabPathOfFirstFile(m_openWebsiteFolder);
    if (!page.isEmpty())
        openProjectPage(page);
}

bool DRVWindowController::openProjectPage(const QString& documentPath)
{
    if (!m_document)
        return false;
    const LabelTemplateHelper kept = m_document->labelTemplateHelper();
    DRVDocument::setWebsiteFolderOpenFlag(true);
    m_document->setOpenWebsiteFolderTempPath(m_openWebsiteFolderTempPath);
    if (!m_document->readFromURL(documentPath))
        return false;
    if (edition().gAutoBaseTemplateFlag) {
        m_document->setLabelTemplateHelper(kept);
        DataCentre::resetPrintCanvas(DataCentre::grabLabelHelper(kept.templateDescription));
    }
    return true;
}

bool DRVWindowController::finishNewPage(const QString& documentPath, bool placeHolder)
{
    DRVDocument::setWebsiteFolderOpenFlag(true);
    refreshProject();
    if (!m_document)
        return true;
    if (!openProjectPage(documentPath))
        return false;
    if (placeHolder && edition().gAutoBaseTemplateFlag)
        addPlaceHolder();
    // Written back with its thumbnail and title, then listed with them.
    m_document->askPageToSaveItself();
    refreshProject();
    m_document->askPageToSaveItself();
    return true;
}

void DRVWindowController::reportPageFailure(const QString& title, const QString& detail) const
{
    qWarning() << title << detail;
    runInformationalAlert(title, detail);
}

// ---- new page names and their checks ----

QString DRVWindowController::generateDefaultPageName() const
{
    return WebsiteProject::defaultPageName(
        platform::UserDefaults::standard().stringForKey(QStringLiteral("devicePrefix")),
        edition().gPageBaseName, int(m_siteIconArray.size()),
        [this](const QString& fileName) { return projectHasFile(fileName); });
}

bool DRVWindowController::runNewFileCreationChecks(const QString& fileName)
{
    const WebsiteProject::NameProblem problem = WebsiteProject::checkNewFileName(
        fileName, [this](const QString& name) { return projectHasFile(name); });
    if (problem == WebsiteProject::NameProblem::None)
        return true;
    const QPair<QString, QString> text = WebsiteProject::alertTextFor(problem, fileName);
    runInformationalAlert(text.first, text.second);
    return false;
}

// ---- unpacking and packing a page ----

QString DRVWindowController::prepTempDocPath(const QString& documentPath, const QString& extension)
{
    const QString folder = join(WorkingFolders::currentRoot(), QStringLiteral("baseTemplateTemp"));
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    const std::optional<QString> target =
        platform::SafePath::filePath(folder, platform::lastPathComponent(documentPath));
    if (!target)
        return QString();
    if (!edition().gResponsiveLayoutFlag)
        QDir().mkpath(*target);
    DataCentre::migrateWebsitePage(documentPath, *target);
    return platform::stringByDeletingPathExtension(*target) + u'.' + extension;
}

bool DRVWindowController::zipDoc(const QString& documentPath, const QString& pagePath)
{
    const QString pageFolder = platform::stringByDeletingPathExtension(pagePath);
    const bool withFolder = edition().gResponsiveLayoutFlag;
    return replaceFileWith(documentPath, [&](const QString& partial) {
        return withFolder ? DocumentArchiver::zipDocumentWithFolder(pageFolder, partial)
                          : DocumentArchiver::zipDocument(pageFolder, partial);
    });
}

QString DRVWindowController::prepAndRenameDoc(const QString& pagePath, const QString& newDocumentName)
{
    const QString folder = platform::stringByDeletingLastPathComponent(pagePath);
    const QString oldStem = stemOf(pagePath);
    const QString extension = platform::pathExtension(pagePath);
    // A name with a folder in it is refused, not cut down to its last part.
    const QString newStem = platform::stringByDeletingPathExtension(newDocumentName);
    if (!platform::SafePath::isSafeName(newStem) || newStem == oldStem)
        return pagePath;
    const auto renameOver = [&](const QString& from, const QString& to) {
        const std::optional<QString> source = platform::SafePath::filePath(folder, from);
        const std::optional<QString> target = platform::SafePath::filePath(folder, to);
        if (!source || !target || !QFileInfo::exists(*source))
            return;
        if (QFileInfo(*target).isDir())
            QDir(*target).removeRecursively();
        else
            QFile::remove(*target);
        QDir().rename(*source, *target);
    };
    renameOver(oldStem + u'.' + extension, newStem + u'.' + extension);
    renameOver(oldStem + QStringLiteral(".png"), newStem + QStringLiteral(".png"));
    renameOver(oldStem + QStringLiteral("@2x.png"), newStem + QStringLiteral("@2x.png"));
    QFile::remove(join(join(folder, oldStem), QStringLiteral("full.css")));
    renameOver(oldStem, newStem);
    QDir().mkdir(join(folder, newStem));
    return join(folder, newStem + u'.' + extension);
}

// ---- adding pages ----

bool DRVWindowController::addBlankPage(const QString& fileName)
{
    if (m_openWebsiteFolder.isEmpty())
        return false;
    savePageBeforeChange();
    const QString target = projectFilePath(fileName);
    if (target.isEmpty() || !WebsiteProject::isListedPageName(fileName)) {
        reportPageFailure(
            QStringLiteral("Could not add the page"),
            platform::format(QStringLiteral("\"%@\" can not be used as a page name."), {fileName}));
        return false;
    }
    if (QFileInfo::exists(target)) {
        reportPageFailure(
            QStringLiteral("Could not add the page"),
            platform::format(QStringLiteral("A file named \"%@\" already exists in the project."),
                             {fileName}));
        return false;
    }
    const QString blank = blankTemplatePath();
    QString page = QFileInfo(blank).isFile() ? prepTempDocPath(blank, QStringLiteral("html")) : QString();
    if (edition().gResponsiveLayoutFlag && !page.isEmpty())
        page = prepAndRenameDoc(page, fileName);
    if (page.isEmpty() || !QFileInfo(page).isFile()) {
        reportPageFailure(
            QStringLiteral("Could not add the page"),
            platform::format(QStringLiteral("The blank page \"%@\" could not be read."), {blank}));
        return false;
    }
    // The blank page inherits the base template but neither its header code nor its metadata.
    writePageSettings(page, true, false, QString());
    if (!zipDoc(target, page)) {
        reportPageFailure(
            QStringLiteral("Could not add the page"),
            platform::format(QStringLiteral("The page \"%@\" could not be written."), {target}));
        return false;
    }
    return finishNewPage(target, true);
}

bool DRVWindowController::directlyAddBlankPage()
{
    const QString name = generateDefaultPageName() + u'.' + edition().gDocumentExtension;
    if (!addBlankPage(name))
        return false;
    movePageRecordTo(name, int(m_siteIconArray.size()));
    if (edition().gPageOrderIndexFlag)
        writePageOrderIndexFile();
    refreshProject();
    return true;
}

bool DRVWindowController::insertBlankPage()
{
    savePageBeforeChange();
    const QString before = m_selectedPageName;
    const QString name = generateDefaultPageName() + u'.' + edition().gDocumentExtension;
    if (!addBlankPage(name))
        return false;
    // Before the page right-clicked; at the end when the click hit no page.
    const int from = recordIndex(name);
    if (from >= 0) {
        const PageRecord record = m_siteIconArray.takeAt(from);
        const int at = recordIndex(before);
        m_siteIconArray.insert(at < 0 ? int(m_siteIconArray.size()) : at, record);
    }
    if (edition().gPageOrderIndexFlag)
        writePageOrderIndexFile();
    refreshProject();
    return true;
}

void DRVWindowController::launchUsingBaseTemplate(const AddNewPageChoice& choice)
{
    const EditionSettings& e = edition();
    const QString documentExtension = e.gResponsiveLayoutFlag ? QStringLiteral("zqv") : choice.pageFileType;
    const QString fileName = choice.fileName + u'.' + documentExtension;
    const QString pageExtension = choice.pageFileType == WebsiteProject::formExtension()
                                      ? QStringLiteral("php")
                                      : QStringLiteral("html");

    const std::optional<QString> category =
        platform::SafePath::filePath(DataCentre::templatesPath(), choice.selectedTemplateCategoryFolder);
    std::optional<QString> templatePath =
        category ? platform::SafePath::filePath(*category, choice.selectedTemplateName) : std::nullopt;
    if (category && templatePath && !QFileInfo(*templatePath).isFile() &&
        platform::pathExtension(choice.selectedTemplateName).isEmpty())
        templatePath =
            platform::SafePath::filePath(*category, choice.selectedTemplateName + u'.' + choice.pageFileType);
    if (!templatePath || !QFileInfo(*templatePath).isFile()) {
        reportPageFailure(QStringLiteral("Could not add the page"),
                          platform::format(QStringLiteral("The template \"%@\" could not be found."),
                                           {choice.selectedTemplateName}));
        return;
    }
    if (choice.fileName.isEmpty() || !platform::SafePath::isSafeName(fileName)) {
        reportPageFailure(
            QStringLiteral("Could not add the page"),
            platform::format(QStringLiteral("\"%@\" can not be used as a page name."), {fileName}));
        return;
    }

    if (!m_openWebsiteFolder.isEmpty()) {
        const QString target = projectFilePath(fileName);
        if (target.isEmpty() || QFileInfo::exists(target)) {
            reportPageFailure(
                QStringLiteral("Could not add the page"),
                platform::format(QStringLiteral("A file named \"%@\" already exists in the project."),
                                 {fileName}));
            return;
        }
        QString page = prepTempDocPath(*templatePath, pageExtension);
        if (e.gResponsiveLayoutFlag)
            page = prepAndRenameDoc(page, fileName);
        if (!QFileInfo(page).isFile()) {
            reportPageFailure(
                QStringLiteral("Could not add the page"),
                platform::format(QStringLiteral("The template \"%@\" could not be read."), {*templatePath}));
            return;
        }
        writePageSettings(page, choice.applyBaseTemplate, choice.applyBaseTemplate, choice.pageTitle);
        if (!zipDoc(target, page)) {
            reportPageFailure(
                QStringLiteral("Could not add the page"),
                platform::format(QStringLiteral("The page \"%@\" could not be written."), {target}));
            return;
        }
        finishNewPage(target, false);
        return;
    }

    // Without a project the template opens as a new untitled page.
    const QString folder = WorkingFolders::receivedPagesPath();
    QDir().mkpath(folder);
    QString copyName = fileName;
    for (int n = 0; QFileInfo::exists(join(folder, copyName)) && n < 100000; ++n)
        copyName = platform::format(QStringLiteral("%@%d.%@"), {choice.fileName, n, documentExtension});
    const QString copy = join(folder, copyName);
    if (!copyFileTo(*templatePath, copy)) {
        reportPageFailure(
            QStringLiteral("Could not add the page"),
            platform::format(QStringLiteral("The template could not be copied to \"%@\"."), {copy}));
        return;
    }
    DRVDocument::setWebsiteFolderOpenFlag(false);
    const WebsiteProject::UntitledPageOpener& open = WebsiteProject::untitledPageOpener();
    if (!open || !open(copy, choice.applyBaseTemplate))
        reportPageFailure(QStringLiteral("Could not open the page"),
                          platform::format(QStringLiteral("The page \"%@\" could not be opened."), {copy}));
}

void DRVWindowController::addPlaceHolder()
{
    if (edition().gEditionDisplayName != QLatin1String("Kestrin Label Maker") || !m_graphicView ||
        !m_document || !m_document->graphics().isEmpty())
        return;
    m_graphicView->addPerson_FullAddress();
}

bool DRVWindowController::grabDraggedInPage(QObject*, bool, const QString& pagePath)
{
    if (m_openWebsiteFolder.isEmpty())
        return false;
    const QString name = platform::lastPathComponent(pagePath);
    if (!WebsiteProject::isListedPageName(name) || !QFileInfo(pagePath).isFile() ||
        !platform::SafePath::isSafeName(name)) {
        reportPageFailure(
            QStringLiteral("Could not add the page"),
            platform::format(QStringLiteral("\"%@\" is not a page document of this project."), {name}));
        return false;
    }
    // A page of this very project dropped on its own list changes nothing.
    if (QFileInfo(pagePath).absoluteDir() == QDir(m_openWebsiteFolder))
        return false;
    QString targetName = name;
    if (projectHasFile(name)) {
        const int answer = runConfirmation(
            platform::format(QStringLiteral("A page named \"%@\" already exists"), {name}),
            QStringLiteral("Replace it with the page you dropped, keep both pages, or cancel?"),
            {QStringLiteral("Replace"), QStringLiteral("Keep Both"), QStringLiteral("Cancel")});
        if (answer == 1)
            targetName = WebsiteProject::freeDocumentName(
                name, [this](const QString& n) { return projectHasFile(n); });
        else if (answer != 0)
            return false;
    }
    savePageBeforeChange();
    const QString target = projectFilePath(targetName);
    if (target.isEmpty() || !copyFileTo(pagePath, target)) {
        reportPageFailure(
            QStringLiteral("Could not add the page"),
            platform::format(QStringLiteral("\"%@\" could not be copied into the project."), {name}));
        return false;
    }
    refreshProject();
    if (edition().gPageOrderIndexFlag)
        writePageOrderIndexFile();
    return true;
}

// ---- deleting, duplicating and linking pages ----

void DRVWindowController::showProjectNeedsOnePageAlert()
{
    runInformationalAlert(
        QStringLiteral("Active project needs at least one file"),
        QStringLiteral("You have deleted all the files in this folder.\n\nAn active project "
                       "needs to have at least one file, a default starter document has been "
                       "added."));
}

void DRVWindowController::deletePage()
{
    const QString path = projectFilePath(m_selectedPageName);
    if (m_selectedPageName.isEmpty() || path.isEmpty())
        return;
    savePageBeforeChange();
    const bool isBaseTemplate = m_selectedPageName == edition().gBaseTemplateFileName;
    const QString text = platform::format(
        QStringLiteral("%@\n%@\n\n%@"),
        {QStringLiteral("Are you sure you want to delete selected?"), path,
         isBaseTemplate ? QStringLiteral("This is the base template, deleting this file will also impact any "
                                         "documents that are inheriting content from the base template.")
                        : QStringLiteral("")});
    if (runConfirmation(QStringLiteral("Confirm File Deletion"), text,
                        {QStringLiteral("Delete"), QStringLiteral("Cancel")}) != 0)
        return;
    // A project never becomes empty.
    const bool added = m_siteIconArray.size() == 1 && directlyAddBlankPage();
    if (QFileInfo::exists(path) && !QFile::remove(path))
        reportPageFailure(QStringLiteral("Could not delete the page"),
                          platform::format(QStringLiteral("\"%@\" could not be removed."), {path}));
    refreshProject();
    if (edition().gPageOrderIndexFlag)
        writePageOrderIndexFile();
    if (added)
        showProjectNeedsOnePageAlert();
}

void DRVWindowController::deletePageArray(const QList<PageRecord>& pages)
{
    if (m_openWebsiteFolder.isEmpty() || pages.isEmpty())
        return;
    // The names first: adding the blank page rescans, and the caller may have handed in the list
    // that the rescan replaces.
    QStringList names;
    for (const PageRecord& page : pages)
        names.append(page.documentName);
    const bool added = names.size() >= m_siteIconArray.size() && directlyAddBlankPage();
    for (const QString& name : std::as_const(names)) {
        const QString path = projectFilePath(name);
        if (!path.isEmpty() && QFileInfo::exists(path) && !QFile::remove(path))
            qWarning() << "could not remove" << path;
    }
    refreshProject();
    if (added)
        showProjectNeedsOnePageAlert();
}

void DRVWindowController::duplicatePage()
{
    const QString source = projectFilePath(m_selectedPageName);
    if (m_selectedPageName.isEmpty() || source.isEmpty())
        return;
    savePageBeforeChange();
    const QString text = platform::format(
        QStringLiteral("Are you sure you wish to duplicate \"%@\"?\n\nThis file is located at\n%@"),
        {m_selectedPageName, source});
    if (runConfirmation(QStringLiteral("Confirm File Duplication"), text,
                        {QStringLiteral("Copy"), QStringLiteral("Cancel")}) != 0)
        return;

    const QString copyName = generateDefaultPageName() + u'.' + platform::pathExtension(m_selectedPageName);
    const QString target = projectFilePath(copyName);
    bool copied = false;
    if (!target.isEmpty() && !QFileInfo::exists(target) && QFileInfo(source).isFile()) {
        if (edition().gResponsiveLayoutFlag) {
            const QString extension = m_document && !m_document->pageFileExtension().isEmpty()
                                          ? m_document->pageFileExtension()
                                          : QStringLiteral("html");
            const QString page = prepAndRenameDoc(prepTempDocPath(source, extension), copyName);
            copied = QFileInfo(page).isFile() && zipDoc(target, page);
        } else {
            copied = copyFileTo(source, target);
        }
    }
    if (!copied) {
        reportPageFailure(QStringLiteral("Could not duplicate the page"),
                          platform::format(QStringLiteral("\"%@\" could not be copied to \"%@\"."),
                                           {m_selectedPageName, copyName}));
        return;
    }
    refreshProject();
    // A copy of the base template owns what it copied: the marker goes into the copy alone, read
    // when it opens and written by its next save.
    const bool fromBaseTemplate = stemOf(m_selectedPageName) == kBaseTemplateStem;
    const int copyIndex = recordIndex(copyName);
    if (fromBaseTemplate && copyIndex >= 0)
        DataCentre::applyDuplicateBaseTemplateFlag(
            join(m_openWebsiteFolderTempPath, m_siteIconArray.at(copyIndex).pageLocalFileName), 1);
    if (openProjectPage(target) && fromBaseTemplate) {
        m_document->setDuplicateBasetemplateFlag(true);
        m_document->askPageToSaveItself();
        m_document->setDuplicateBasetemplateFlag(false);
    }
    if (edition().gPageOrderIndexFlag)
        writePageOrderIndexFile();
}

void DRVWindowController::grabPageLink()
{
    if (m_selectedPageName.isEmpty())
        return;
    const QString link = WebsiteProject::pageLink(
        platform::UserDefaults::standard().stringForKey(QStringLiteral("baseurl")), m_selectedPageName);
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setText(link);
    runInformationalAlert(QStringLiteral("Copied to Clipboard"), link);
}

// ---- form pages and small forwarders ----

bool DRVWindowController::showAddFormObjects() const
{
    return m_document && (m_document->pageFileType() == WebsiteProject::formExtension() ||
                          m_document->pageFileExtension() == QLatin1String("php"));
}

void DRVWindowController::addGraphicViewTextBox(const QString& text, const QString& link, const QRectF& frame,
                                                int number)
{
    if (!m_graphicView)
        return;
    m_graphicView->addTextBox(text, link, frame, number, QStringLiteral("CLEAR0"), QStringLiteral("555555"),
                              QFont(QStringLiteral("Actor"), 15), 0, 1.0f, QString(), QString(), QString(),
                              QStringLiteral("none"), 0, QStringLiteral("000000"), QStringLiteral("left"),
                              QStringLiteral("Text"), false);
}

// ---- the page list's commands ----

const QStringList& DRVWindowController::websiteActions()
{
    static const QStringList actions{QStringLiteral("directlyAddBlankPage:"),
                                     QStringLiteral("insertBlankPage:"), QStringLiteral("deletePage:"),
                                     QStringLiteral("duplicatePage:"), QStringLiteral("grabPageLink:"),
                                     QStringLiteral("showWebsitePreferences:"), QStringLiteral("exportAllFileTo:")};
    return actions;
}

bool DRVWindowController::performWebsiteAction(const QString& action)
{
    if (action == QLatin1String("directlyAddBlankPage:"))
        directlyAddBlankPage();
    else if (action == QLatin1String("insertBlankPage:"))
        insertBlankPage();
    else if (action == QLatin1String("deletePage:"))
        deletePage();
    else if (action == QLatin1String("duplicatePage:"))
        duplicatePage();
    else if (action == QLatin1String("grabPageLink:"))
        grabPageLink();
    else if (action == QLatin1String("showWebsitePreferences:"))
        showWebsitePreferences();
    else if (action == QLatin1String("exportAllFileTo:"))
        exportAllFileTo();
    else
        return false;
    return true;
}
