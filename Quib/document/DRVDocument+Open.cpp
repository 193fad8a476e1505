// Opening a page document: unpacking it into a working folder of its own, reading the page settings
// from the page file's markers and rebuilding the graphics from the page text.
#include "document/DRVDocument.h"

#include "document/DocumentArchiver.h"
#include "document/PageImageFiles.h"
#include "document/PageParser.h"
#include "document/PendingFolderFiles.h"
#include "editions/DataCentre.h"
#include "editions/EditionSettings.h"
#include "generation/ImageFileWriter.h"
#include "model/DRVGraphic.h"
#include "model/DRVImage.h"
#include "platform/Dialogs.h"
#include "platform/Format.h"
#include "platform/NotificationCenter.h"
#include "platform/SafePath.h"
#include "platform/StringRules.h"
#include "platform/TextEncoding.h"
#include "platform/Threads.h"
#include "platform/UndoManager.h"

#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString kBaseTemplateFile = QStringLiteral("basetemplate.html");
const QString kBaseTemplate = QStringLiteral("basetemplate");

bool& websiteFolderOpen()
{
    static bool open = false;
    return open;
}

QString& pendingWebsiteFolder()
{
    static QString path;
    return path;
}

QString baseName(const QString& fileName)
{
    return platform::stringByDeletingPathExtension(platform::lastPathComponent(fileName));
}

QString join(const QString& folder, const QString& name)
{
    return platform::stringByAppendingPathComponent(folder, name);
}

// The instance's working root; a process that never ran start-up (a tool) works in the system's
// temporary folder.
QString workingRoot()
{
    const QString root = edition().gTempFolderPath;
    return root.isEmpty() ? QDir::tempPath() : root;
}

QString receivedPagesFolder()
{
    const QString name = edition().gReceivedPagesFolderName;
    return join(workingRoot(), name.isEmpty() ? QStringLiteral("0000Received_Pages") : name);
}

// "mmddYYhhmmss": minutes, day of month, two-digit week-based year, hour 1 to 12, minutes, seconds.
QString unpackStamp(const QDateTime& now)
{
    int weekYear = now.date().year();
    now.date().weekNumber(&weekYear);
    const int hour12 = now.time().hour() % 12 == 0 ? 12 : now.time().hour() % 12;
    return QString::asprintf("%02d%02d%02d%02d%02d%02d", now.time().minute(), now.date().day(),
                             weekYear % 100, hour12, now.time().minute(), now.time().second());
}

// The page file among the archive's top-level members: baseName.<ext> for the first extension
// that exists, else the first in name order with one of the extensions. -1 when there is none.
qsizetype findPageMember(const std::vector<DocumentArchiver::Member>& members, const QString& base,
                         const QStringList& extensions)
{
    auto topLevelFile = [](const DocumentArchiver::Member& member) {
        return !member.isFolder && !member.relativePath.contains(u'/');
    };
    for (const QString& extension : extensions) {
        if (base.isEmpty())
            break;
        const QString wanted = base + u'.' + extension;
        for (size_t i = 0; i < members.size(); ++i) {
            if (topLevelFile(members[i]) && members[i].relativePath == wanted)
                return qsizetype(i);
        }
    }
    qsizetype first = -1;
    for (size_t i = 0; i < members.size(); ++i) {
        const QString& name = members[i].relativePath;
        if (topLevelFile(members[i]) && extensions.contains(platform::pathExtension(name)) &&
            (first < 0 || name < members[size_t(first)].relativePath))
            first = qsizetype(i);
    }
    return first;
}

// The page file written on a worker while the page is read from memory: a long page is megabytes of
// fresh page cache. Nothing may read the file before finish(); destroying the write waits for it.
class PageFileWrite
{
public:
    void start(const QString& path, const QByteArray& bytes)
    {
        m_task = std::make_unique<platform::ConcurrentFor>(1, 1, [this, path, bytes](qsizetype) {
            QFile file(path);
            m_written = file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                        file.write(bytes) == bytes.size() && file.flush();
        });
    }
    // False when the file could not be written.
    bool finish()
    {
        if (m_task) {
            m_task->wait();
            m_task.reset();
        }
        return m_written;
    }

private:
    bool m_written = true;
    std::unique_ptr<platform::ConcurrentFor> m_task; // after m_written: it goes first
};

// Puts the unpacked members in place: the page file (members[page]) written at pagePath on a worker,
// its two thumbnails in thumbnailFolder, every other member below pageFolder; thumbnailFolder
// holds them all (it is the working folder). Folders are made now; the files are staged and
// written in the background. Paths come from checked member names.
bool unpackMembers(std::vector<DocumentArchiver::Member> members, qsizetype page, const QString& pagePath,
                   const QString& thumbnailFolder, const QString& pageFolder,
                   QHash<QString, QByteArray>* unpacked, QByteArray* pageBytes, PageFileWrite* pageWrite)
{
    if (!QDir().mkpath(pageFolder) || !QDir().mkpath(QFileInfo(pagePath).path()))
        return false;
    const QString t = baseName(members[size_t(page)].relativePath);
    const QStringList thumbnails{t + QStringLiteral(".png"), t + QStringLiteral("@2x.png")};
    std::vector<PendingFolderFiles::File> staged;
    staged.reserve(members.size());
    unpacked->reserve(qsizetype(members.size()));
    for (size_t i = 0; i < members.size(); ++i) {
        DocumentArchiver::Member& member = members[i];
        if (qsizetype(i) == page) {
            pageWrite->start(pagePath, member.bytes);
            *pageBytes = std::move(member.bytes);
            continue;
        }
        const bool thumbnail = !member.isFolder && thumbnails.contains(member.relativePath);
        const std::optional<QString> path =
            platform::SafePath::filePathBelow(thumbnail ? thumbnailFolder : pageFolder, member.relativePath);
        if (!path)
            continue;
        if (member.isFolder) {
            if (!QDir().mkpath(*path))
                return false;
            continue;
        }
        unpacked->insert(QDir::cleanPath(*path), member.bytes);
        staged.push_back({*path, std::move(member.bytes)});
    }
    PendingFolderFiles::stage(thumbnailFolder, std::move(staged));
    return true;
}

// Changes whenever either picture an image element may be written from is replaced.
qint64 pictureKey(QObject* graphic)
{
    const auto* image = qobject_cast<DRVImage*>(graphic);
    const qint64 contents = image ? image->contents().cacheKey() : 0;
    return contents ^ (graphic->property("image").value<QImage>().cacheKey() * 31);
}

// A folder path that does not exist yet: path, else path-2, path-3, ...
QString unusedFolder(const QString& path)
{
    QString candidate = path;
    for (int n = 2; QFileInfo::exists(candidate); ++n)
        candidate = path + u'-' + QString::number(n);
    return candidate;
}

} // namespace

// Everything a run decides before it touches the document; applied only when the whole read
// succeeded.
struct DRVDocument::OpenPlan
{
    QString documentPath;
    QString fileName; // F: the page file's name as the page knows it
    QString pageFileType;
    QString pageFileExtension;
    QString pageName;
    QString pagePath;
    QString tempSavePathLocal;
    QString websiteFolder;
    bool websiteFolderOpen = false;

    int inheritCustomHeaderCodeFlag = 0;
    int inheritMetadataFlag = 0;
    int useBaseTemplateFlag = 0;
    int canvasRotationDegrees = 0;
    QString publishExt;
    QString text;
    QString pageOfficialName;
    QVariantMap profileDictionary;
    QString baseTemplateCustomHeaderCode;
    // The base template's image names: the page's own images must not take them.
    QStringList baseTemplateImageNames;
    // The files just unpacked (path to bytes): the page reads its pictures from here rather than
    // from the disk the background writer is filling.
    QHash<QString, QByteArray> unpackedFiles;
    // The page file's bytes as just unpacked: read from here rather than from the disk again.
    QByteArray pageBytes;
    // Their text, when the document was read ahead and they were decoded then.
    std::optional<QString> pageTextAhead;
    // The unpacked page file on its way to disk: finished before anything reads it by its path.
    PageFileWrite pageFileWrite;
};

// ---- website state ----

bool DRVDocument::websiteFolderOpenFlag()
{
    return websiteFolderOpen();
}

void DRVDocument::setWebsiteFolderOpenFlag(bool open)
{
    websiteFolderOpen() = open;
}

QString DRVDocument::pendingWebsiteFolderPath()
{
    return pendingWebsiteFolder();
}

void DRVDocument::setPendingWebsiteFolderPath(const QString& path)
{
    pendingWebsiteFolder() = path;
}

// ---- opening ----

std::unique_ptr<DRVDocument> DRVDocument::openDocument(const QString& path, QString* error)
{
    auto document = std::make_unique<DRVDocument>();
    if (!document->readFromURL(path)) {
        if (error)
            *error = document->lastFileErrorText();
        return nullptr;
    }
    if (error)
        error->clear();
    return document;
}

bool DRVDocument::readFromURL(const QString& path)
{
    const QString previous = m_filePath;
    m_filePath = path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
    if (refreshDocument())
        return true;
    m_filePath = previous;
    return false;
}

bool DRVDocument::failOpen(const QString& reason)
{
    m_lastFileErrorText = reason;
    qWarning() << "can not read main page, called from refreshDocument:" << reason;
    platform::Alert alert;
    alert.title = QStringLiteral("Not able to open");
    alert.informativeText = QStringLiteral("This file can not be opened.");
    alert.buttons = {QStringLiteral("Dismiss")};
    alert.style = platform::AlertStyle::Warning;
    platform::showAlert(alert);
    return false;
}

bool DRVDocument::preparePageFiles(OpenPlan& plan)
{
    const EditionSettings& e = edition();
    const QString documentName = platform::lastPathComponent(plan.documentPath);
    const QString n = baseName(documentName);
    const QString extension = platform::pathExtension(documentName);
    if (extension == QLatin1String("selvaro")) {
        plan.fileName = n + QStringLiteral(".php");
        plan.pageFileType = QStringLiteral("selvaro");
        plan.pageFileExtension = QStringLiteral("php");
    } else if (extension == e.gDocumentExtension) {
        plan.fileName = n + QStringLiteral(".html");
        plan.pageFileType = e.gDocumentExtension;
        plan.pageFileExtension = QStringLiteral("html");
    } else {
        plan.fileName = n;
    }
    if (plan.pageFileExtension.isEmpty())
        plan.pageFileExtension = QStringLiteral("html");

    // The website folder the window knows, else the one handed over before the window existed.
    plan.websiteFolder = m_openWebsiteFolderTempPath;
    if (plan.websiteFolder.isEmpty() && !pendingWebsiteFolder().isEmpty())
        plan.websiteFolder = std::exchange(pendingWebsiteFolder(), QString());
    if (plan.websiteFolder.isEmpty())
        websiteFolderOpen() = false;
    plan.websiteFolderOpen = !plan.websiteFolder.isEmpty() && websiteFolderOpen();

    if (plan.websiteFolderOpen) {
        // Read in place inside the open website.
        if (e.gResponsiveLayoutFlag &&
            !QFileInfo::exists(join(plan.websiteFolder, n + QStringLiteral(".html"))) &&
            QFileInfo::exists(join(plan.websiteFolder, n + QStringLiteral(".php")))) {
            plan.pageFileExtension = QStringLiteral("php");
            plan.fileName = n + QStringLiteral(".php");
        }
        plan.pagePath = join(plan.websiteFolder, plan.fileName);
        plan.tempSavePathLocal = plan.websiteFolder;
        plan.pageName = baseName(plan.fileName);
        if (!QFileInfo(plan.pagePath).isFile())
            return failOpen(QStringLiteral("no page file \"%1\" in the website folder").arg(plan.pagePath));
        return true;
    }

    // The members are read into memory and checked before anything is written. Only the page
    // file is written at once; the rest is staged and written in the background, the page's own
    // reads answered from memory meanwhile (completeWorkingFolder).
    const QString base = baseName(plan.fileName);
    std::vector<DocumentArchiver::Member> members;
    QString error;
    if (!DocumentArchiver::readDocument(plan.documentPath, &members, &error))
        return failOpen(error);
    if (!QDir().mkpath(receivedPagesFolder()))
        return failOpen(QStringLiteral("cannot create \"%1\"").arg(receivedPagesFolder()));
    // A stamp folder of its own, even for two openings within one second: the page keeps its name
    // (a numbered name would change what the page writes, such as a form's action).
    const QString stamp =
        unusedFolder(join(receivedPagesFolder(), unpackStamp(QDateTime::currentDateTime())));

    if (e.gResponsiveLayoutFlag) {
        // The unpacked members make the working folder itself, as the archive holds them.
        const qsizetype page = findPageMember(members, base, {QStringLiteral("html"), QStringLiteral("php")});
        if (page < 0)
            return failOpen(QStringLiteral("the document holds no page file"));
        const QString working = stamp;
        const QString pageName = members[size_t(page)].relativePath;
        plan.pageTextAhead = std::move(members[size_t(page)].pageText);
        if (!unpackMembers(std::move(members), page, join(working, pageName), working, working,
                           &plan.unpackedFiles, &plan.pageBytes, &plan.pageFileWrite))
            return failOpen(QStringLiteral("cannot write the unpacked page in \"%1\"").arg(working));
        plan.pageName = baseName(pageName);
        plan.pageFileExtension = platform::pathExtension(pageName);
        plan.pagePath = join(working, pageName);
        plan.tempSavePathLocal = working;
        plan.fileName = base;
        return true;
    }

    const QString x = plan.pageFileExtension;
    const qsizetype page = findPageMember(members, base, {x});
    if (page < 0)
        return failOpen(QStringLiteral("the document holds no .%1 page file").arg(x));
    plan.pageTextAhead = std::move(members[size_t(page)].pageText);
    if (!QFileInfo(stamp).isDir()) {
        if (!QDir().mkpath(stamp))
            return failOpen(QStringLiteral("cannot create \"%1\"").arg(stamp));
        QFile marker(join(stamp, QStringLiteral("site.quibs")));
        if (marker.open(QIODevice::WriteOnly))
            marker.write("Received Pages");
    }
    // A page of the same name already in the folder (only a website's own folder can hold one) is
    // numbered from 4.
    QString name = base;
    for (int counter = 4; QFileInfo::exists(join(stamp, name)); ++counter)
        name = platform::format(QStringLiteral("%@%d"), {base, counter});
    const QString working = join(stamp, name);
    const QString pagePath = join(working, name + u'.' + x);
    // The thumbnails keep their archived name beside the page (the next save writes them under
    // the page's name); everything else makes the page folder: images and style sheets.
    if (!unpackMembers(std::move(members), page, pagePath, working, join(working, name), &plan.unpackedFiles,
                       &plan.pageBytes, &plan.pageFileWrite))
        return failOpen(QStringLiteral("cannot write the unpacked page in \"%1\"").arg(working));
    plan.pageName = name;
    plan.pagePath = pagePath;
    plan.tempSavePathLocal = working;
    plan.fileName = base + u'.' + x;
    return true;
}

QList<DRVGraphic*> DRVDocument::parsePage(const QString& text, const QString& pageName,
                                          const QString& pagePath, const QString& templateName,
                                          const OpenPlan& plan, PageParseResult* result)
{
    PageParseInput input;
    input.pageText = text;
    input.pageName = pageName;
    input.websiteFolder = plan.websiteFolder;
    input.templatePageName = pageName;
    input.pagePath = pagePath;
    // The page's own text unless a synchronised page stands in for it (the base template's may
    // have had its page numbers replaced).
    input.pageTextIsFileText = !m_syncFlag && pagePath == plan.pagePath && !plan.pagePath.isEmpty();
    input.useBaseTemplateFlag = plan.useBaseTemplateFlag;
    input.inheritMetaKeywordsFlag = plan.inheritMetadataFlag == 1 ? 1 : 0;
    input.inheritMetaDescriptionFlag = plan.inheritMetadataFlag == 1 ? 1 : 0;
    input.syncFlag = m_syncFlag;
    input.syncPageURL = m_syncPageURL;
    input.pageFileType = plan.pageFileType;
    input.pageFileExtension = plan.pageFileExtension;
    input.baseTemplateCustomHeaderCode = result->baseTemplateCustomHeaderCode;
    input.formSentResponse = m_formSentResponse;
    input.formRequiredResponse = m_formRequiredResponse;
    input.formEmailVerificationMsg = m_formEmailVerificationMsg;
    input.formBotCheckerResponse = m_formBotCheckerResponse;
    input.documentImageNames = plan.baseTemplateImageNames;
    *result = PageParser::presentObjects(input);
    m_carrierOwners.append(result->carrierOwner);
    return DRVGraphic::graphicsWithProperties(result->carriers, templateName, this);
}

QList<DRVGraphic*> DRVDocument::baseTemplateGraphics(OpenPlan& plan)
{
    if (plan.websiteFolder.isEmpty())
        return {};
    const QString path = join(plan.websiteFolder, kBaseTemplateFile);
    std::optional<QString> text = platform::readPageTextFile(path);
    if (!text)
        return {};
    if (edition().gAutoBaseTemplateFlag) {
        const QString documentFile =
            QFileInfo(plan.documentPath.isEmpty() ? m_filePath : plan.documentPath).fileName();
        text = replacePageNumbers(*text, documentFile);
    }
    PageParseResult result;
    const QList<DRVGraphic*> graphics = parsePage(*text, kBaseTemplate, path, kBaseTemplate, plan, &result);
    // Only the base template's own header code is taken over; the page's settings come from the page.
    plan.baseTemplateCustomHeaderCode = result.baseTemplateCustomHeaderCode;
    return graphics;
}

void DRVDocument::applyParsedPageState(const PageParseResult& r, const OpenPlan& plan)
{
    m_documentChangedCounter = r.documentChangedCounter;
    m_usingBootStrapFlag = r.usingBootStrapFlag;
    m_customHeaderCode = r.customHeaderCode;
    m_baseTemplateCustomHeaderCode = r.baseTemplateCustomHeaderCode;
    setDocSpecificFixedCanvasFlag(r.docSpecificFixedCanvasFlag);
    setDocSpecificPageWidth(r.docSpecificPageWidth);
    setDocSpecificPageHeight(r.docSpecificPageHeight);
    m_canvasSizeTypeName = r.canvasSizeType;
    // The e-mail editions size every page by its canvas size type.
    if (r.editionCanvasWidth)
        edition().gCanvasWidth = *r.editionCanvasWidth;
    if (r.labelTemplateHelper) {
        m_labelTemplateHelper = *r.labelTemplateHelper;
        m_selectedLabelSheet = r.selectedLabelSheet;
    }
    if (r.isFormPage) {
        m_formRedirectURL = r.formRedirectURL;
        m_formEmailServer = r.formEmailServer;
        m_formEmailUsername = r.formEmailUsername;
        m_formEmailPassword = r.formEmailPassword;
        m_grabIPFlag = r.grabIPFlag;
        m_formOrderLayoutOption = r.formOrderLayoutOption;
        m_siteFeedbackEmail = r.siteFeedbackEmail;
        m_siteCCFeedbackEmail = r.siteCCFeedbackEmail;
        m_formSubmitButtonValue = r.formSubmitButtonValue;
        m_formBotCheckerKey = r.formBotCheckerKey;
    }
    m_formSentResponse = r.formSentResponse;
    m_formRequiredResponse = r.formRequiredResponse;
    m_formEmailVerificationMsg = r.formEmailVerificationMsg;
    m_formBotCheckerResponse = r.formBotCheckerResponse;
    m_notSupportedFontSet = QSet<QString>(r.notSupportedFonts.begin(), r.notSupportedFonts.end());
    if (r.centreFlag)
        m_centreFlag = *r.centreFlag;
    if (r.webPageWidthManualFlag)
        m_webPageWidthManualFlag = *r.webPageWidthManualFlag != 0;
    if (r.metaKeywords)
        m_metaKeywords = *r.metaKeywords;
    if (r.metaDescription)
        m_metaDescription = *r.metaDescription;
    if (!r.encodingType.isEmpty())
        m_encodingType = r.encodingType;
    if (r.webPageWidth)
        m_webPageWidth = *r.webPageWidth;
    if (!r.pageColorHexString.isEmpty())
        m_pageColorHexString = r.pageColorHexString;
    if (r.pageColor)
        setPageColor(*r.pageColor);
    if (r.backgroundImageFlag) {
        m_backgroundImage = r.backgroundImage;
        m_backgroundImageType = r.backgroundImageType;
        m_backgroundImageFlag = *r.backgroundImageFlag;
    }
    PageParser::applyImageRenames(r, plan.pagePath);
}

void DRVDocument::replaceAllGraphics(const QList<DRVGraphic*>& graphics)
{
    m_undoManager->disableUndoRegistration();
    QList<int> all;
    for (int i = 0; i < m_graphics.size(); ++i)
        all.append(i);
    if (!all.isEmpty())
        removeGraphicsAtIndexes(all);
    QList<int> indexes;
    for (int i = 0; i < graphics.size(); ++i)
        indexes.append(i);
    if (!graphics.isEmpty())
        insertGraphics(graphics, indexes);
    m_undoManager->enableUndoRegistration();
}

bool DRVDocument::refreshDocument()
{
    ensureChangeTracking();
    platform::NotificationCenter::defaultCenter().post(QStringLiteral("updateCurrentButtonColor"), this);
    emit hideDocPanelsRequested();
    const EditionSettings& e = edition();
    if (m_filePath.isEmpty())
        return failOpen(QStringLiteral("the document has no file"));

    OpenPlan plan;
    plan.documentPath = m_filePath;
    plan.pageFileType = m_pageFileType;
    plan.pageFileExtension = m_pageFileExtension;
    if (!preparePageFiles(plan))
        return false;

    // The page text: a page that cannot be read opens nothing, rather than an empty page that the
    // next save would store over the real one.
    std::optional<QString> text = plan.pageTextAhead        ? std::move(plan.pageTextAhead)
                                  : plan.pageBytes.isNull() ? platform::readPageTextFile(plan.pagePath)
                                                            : platform::decodePageText(plan.pageBytes);
    plan.pageTextAhead.reset();
    plan.pageBytes = QByteArray();
    if (!text)
        return failOpen(QStringLiteral("cannot read the page file \"%1\"").arg(plan.pagePath));
    // An old-format profile page becomes a page with field markers before any marker is read; the
    // conversion rewrites the file.
    std::optional<QString> oldProfileTitle;
    if (DataCentre::isOldProfilePage(*text)) {
        if (!plan.pageFileWrite.finish())
            return failOpen(QStringLiteral("cannot write the unpacked page \"%1\"").arg(plan.pagePath));
        oldProfileTitle = DataCentre::convertOldProfilePage(plan.pagePath, *text);
    }
    if (oldProfileTitle) {
        text = platform::readPageTextFile(plan.pagePath);
        if (!text)
            return failOpen(QStringLiteral("cannot read the page file \"%1\"").arg(plan.pagePath));
    }

    // Page settings from the markers of the file (a synchronised page's text aside).
    const DataCentre::PageMarkerFlags markers = DataCentre::grabPageMarkerFlags(*text);
    plan.inheritCustomHeaderCodeFlag = markers.inheritCustomHeaderCode ? 1 : 0;
    plan.inheritMetadataFlag = markers.inheritMetadata ? 1 : 0;
    plan.useBaseTemplateFlag = markers.useBaseTemplate ? 1 : 0;
    plan.canvasRotationDegrees = markers.rotateCanvas90 ? 90 : 0;
    plan.publishExt = markers.publishExt;
    const bool isBaseTemplatePage = plan.fileName == kBaseTemplateFile;
    if (isBaseTemplatePage) {
        plan.inheritCustomHeaderCodeFlag = 0;
        plan.inheritMetadataFlag = 0;
        plan.useBaseTemplateFlag = 0;
    }
    plan.text = m_syncFlag ? m_syncPageContent : *text;
    plan.pageOfficialName = oldProfileTitle ? *oldProfileTitle : DataCentre::storedPageTitle(plan.text);
    for (const QString& label : e.gProfileFieldNames)
        plan.profileDictionary.insert(
            label, DataCentre::grabMiddleString(DataCentre::generateStartString(label),
                                                DataCentre::generateEndString(label), plan.text));

    // Parse into new lists first; the page on screen is replaced only when all of it was read.
    QList<DRVGraphic*> pageGraphics;
    QList<DRVGraphic*> baseGraphics;
    PageParseResult result;
    result.baseTemplateCustomHeaderCode = m_baseTemplateCustomHeaderCode;
    // The page's pictures and display files are read from the unpacked bytes while it is built.
    const PageImageFiles::UnpackedScope unpacked(plan.unpackedFiles);
    // A synchronised page's text is not the file's, so the reading looks at the file itself.
    if (m_syncFlag && !plan.pageFileWrite.finish())
        return failOpen(QStringLiteral("cannot write the unpacked page \"%1\"").arg(plan.pagePath));
    try {
        if (!isBaseTemplatePage && plan.useBaseTemplateFlag == 1) {
            baseGraphics = baseTemplateGraphics(plan);
            result.baseTemplateCustomHeaderCode = plan.baseTemplateCustomHeaderCode;
            plan.baseTemplateImageNames = PageParser::documentImageNames(baseGraphics);
        }
        pageGraphics = parsePage(plan.text, plan.pageName, plan.pagePath, plan.fileName, plan, &result);
    } catch (...) {
        qDeleteAll(pageGraphics);
        qDeleteAll(baseGraphics);
        return failOpen(QStringLiteral("the page could not be read"));
    }

    if (!plan.pageFileWrite.finish()) {
        qDeleteAll(pageGraphics);
        qDeleteAll(baseGraphics);
        return failOpen(QStringLiteral("cannot write the unpacked page \"%1\"").arg(plan.pagePath));
    }

    // Success: take over the plan.
    m_pageFileType = plan.pageFileType;
    m_pageFileExtension = plan.pageFileExtension;
    m_pageName = plan.pageName;
    m_pagePath = plan.pagePath;
    m_tempSavePathLocal = plan.tempSavePathLocal;
    m_openWebsiteFolderTempPath = plan.websiteFolder;
    m_inheritCustomHeaderCodeFlag = plan.inheritCustomHeaderCodeFlag;
    m_inheritMetadataFlag = plan.inheritMetadataFlag;
    m_useBaseTemplateFlag = plan.useBaseTemplateFlag;
    m_inheritMetaDescriptionFlag = plan.inheritMetadataFlag == 1 ? 1 : 0;
    m_inheritMetaKeywordsFlag = plan.inheritMetadataFlag == 1 ? 1 : 0;
    m_canvasRotationDegrees = plan.canvasRotationDegrees;
    m_publishExt = plan.publishExt;
    m_pageOfficialName = plan.pageOfficialName;
    m_profileDictionary = plan.profileDictionary;
    m_dummyString = QStringLiteral("dummy string!");
    applyParsedPageState(result, plan);
    QList<QObject*> carriers = result.carriers;
    m_textViewArray = carriers;

    // The page's own graphics stand in front of the base template's.
    replaceAllGraphics(pageGraphics + baseGraphics);
    // The display files already made from each picture are kept by the next save (those just
    // unpacked are judged from their bytes in memory).
    m_displayFilesToAdopt.clear();
    for (DRVGraphic* graphic : std::as_const(pageGraphics)) {
        if (qobject_cast<DRVImage*>(graphic))
            m_displayFilesToAdopt.append({graphic, pictureKey(graphic)});
    }
    adoptDisplayFiles();
    setPrintInfo();
    m_lastFileErrorText.clear();
    updateWindowTitle();
    emit pageReloaded();
    m_undoManager->removeAllActions();
    updateChangeCount(ChangeType::Cleared);

    for (const PageAlert& alert : result.alerts())
        platform::showAlert(alert.title, alert.text, {alert.button});

    platform::NotificationCenter& center = platform::NotificationCenter::defaultCenter();
    if (e.gProfileEditionFlag)
        center.post(m_pageName == kBaseTemplate ? QStringLiteral("hideProfilePopover")
                                                : QStringLiteral("displayProfilePopover"),
                    this);
    if (e.gSidebarInspectorFlag)
        center.post(QStringLiteral("refreshInspectorPanel"), this);
    return true;
}

bool DRVDocument::completeWorkingFolder()
{
    const bool complete = PendingFolderFiles::ensureComplete(m_tempSavePathLocal);
    if (complete)
        adoptDisplayFiles();
    return complete;
}

void DRVDocument::adoptDisplayFiles()
{
    // A display file is remembered with its size and time on disk: while the open's files are
    // still being written, the adoption waits for completeWorkingFolder, which every save calls.
    if (!m_tempSavePathLocal.isEmpty() && PendingFolderFiles::isPending(m_tempSavePathLocal))
        return;
    // A picture replaced since the open no longer matches the file made from the old one.
    QList<QObject*> images;
    for (const auto& [image, cacheKey] : std::as_const(m_displayFilesToAdopt)) {
        if (image && pictureKey(image) == cacheKey)
            images.append(image);
    }
    m_displayFilesToAdopt.clear();
    if (!images.isEmpty())
        ImageFileWriter::adoptDisplayFiles(*this, images);
}

bool DRVDocument::applyAutoBaseTemplate()
{
    OpenPlan plan;
    plan.websiteFolder = m_openWebsiteFolderTempPath;
    plan.pageFileType = m_pageFileType;
    plan.pageFileExtension = m_pageFileExtension;
    QList<DRVGraphic*> graphics;
    try {
        graphics = baseTemplateGraphics(plan);
    } catch (...) {
        qDeleteAll(graphics);
        return false;
    }
    if (graphics.isEmpty())
        return false;
    m_baseTemplateCustomHeaderCode = plan.baseTemplateCustomHeaderCode;
    replaceAllGraphics(graphics);
    emit pageReloaded();
    return true;
}

bool DRVDocument::updateMobileView(int selectedSegment)
{
    m_mobileVersionFlag = selectedSegment != 0;
    return refreshDocument();
}

void DRVDocument::clearAllGraphics()
{
    QList<int> all;
    for (int i = 0; i < m_graphics.size(); ++i)
        all.append(i);
    if (!all.isEmpty())
        removeGraphicsAtIndexes(all);
}

void DRVDocument::setPrintInfo()
{
    willChangeValueForKey(QStringLiteral("canvasSize"));
    didChangeValueForKey(QStringLiteral("canvasSize"));
}
