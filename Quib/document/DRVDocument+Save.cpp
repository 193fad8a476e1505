// Saving a page document: generating the page, deciding whether anything changed, writing the page
// file, style sheet and thumbnails into the working folder and packing it into the document file.
#include "document/DRVDocument.h"
#include "generation/FormPageGenerator.h"
#include "generation/WebFonts.h"

#include "document/DocumentArchiver.h"
#include "document/StoredPageEncoding.h"
#include "editions/EditionSettings.h"
#include "platform/Dialogs.h"
#include "platform/Format.h"
#include "platform/NotificationCenter.h"
#include "platform/SafePath.h"
#include "platform/StringRules.h"
#include "platform/TextEncoding.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace {

QString join(const QString& folder, const QString& name)
{
    return platform::stringByAppendingPathComponent(folder, name);
}

QString baseName(const QString& path)
{
    return platform::stringByDeletingPathExtension(platform::lastPathComponent(path));
}

// The page's files are named after the page, and the page's name came from a file name: every one
// of them is built by the checked builder, and a refused one is never written.
std::optional<QString> pageFile(const QString& folder, const QString& name)
{
    return platform::SafePath::filePath(folder, name);
}

void showEncodingRefusal()
{
    platform::Alert alert;
    alert.title = QStringLiteral("Not able to publish");
    alert.informativeText =
        QStringLiteral("This page holds characters that the Windows-1251 encoding cannot "
                       "represent. Choose UTF-8 as the page's encoding and publish again.");
    alert.buttons = {QStringLiteral("Dismiss")};
    alert.style = platform::AlertStyle::Warning;
    platform::showAlert(alert);
}

} // namespace

QString DRVDocument::createFileName() const
{
    if (!m_filePath.isEmpty())
        return baseName(m_filePath);
    if (!m_mainTemplateName.isEmpty())
        return m_mainTemplateName;
    return QStringLiteral("untitled");
}

bool DRVDocument::failSave(const QString& reason)
{
    m_lastFileErrorText = reason;
    qWarning("page not saved: %s", qPrintable(reason));
    platform::Alert alert;
    alert.title = QStringLiteral("Not able to save");
    alert.informativeText = QStringLiteral("This file can not be saved.");
    if (!reason.isEmpty())
        alert.informativeText += u' ' + reason;
    alert.buttons = {QStringLiteral("Dismiss")};
    alert.style = platform::AlertStyle::Warning;
    platform::showAlert(alert);
    return false;
}

// A page that was never opened (a new page) gets its working folder at its first save, as the open
// flow would have made it: <received pages>/<stamp>/P holding P.X, the thumbnails and the folder P.
bool DRVDocument::ensureWorkingFolder(const QString& targetPath)
{
    if (m_pageFileExtension.isEmpty()) {
        const bool form = platform::pathExtension(targetPath) == QLatin1String("selvaro");
        m_pageFileExtension = form ? QStringLiteral("php") : QStringLiteral("html");
        if (m_pageFileType.isEmpty())
            m_pageFileType = form ? QStringLiteral("selvaro") : edition().gDocumentExtension;
    }
    if (m_pageName.isEmpty()) {
        const QString fromTarget = baseName(targetPath);
        m_pageName = platform::SafePath::isSafeName(fromTarget) ? fromTarget : createFileName();
    }
    if (!platform::SafePath::isSafeName(m_pageName))
        return false;
    if (!m_tempSavePathLocal.isEmpty()) {
        // The page's images live in its working folder: a folder that went away is an error, not
        // a reason to start an empty one.
        if (m_pagePath.isEmpty())
            m_pagePath =
                pageFile(m_tempSavePathLocal, m_pageName + u'.' + m_pageFileExtension).value_or(QString());
        return QFileInfo(m_tempSavePathLocal).isDir();
    }
    const QString root = edition().gTempFolderPath.isEmpty() ? QDir::tempPath() : edition().gTempFolderPath;
    const QString received =
        join(root, edition().gReceivedPagesFolderName.isEmpty() ? QStringLiteral("0000Received_Pages")
                                                                : edition().gReceivedPagesFolderName);
    const QString stamp = join(received, QStringLiteral("new-") + QDateTime::currentDateTime().toString(
                                                                      QStringLiteral("yyMMddhhmmsszzz")));
    if (!QDir().mkpath(stamp))
        return false;
    std::optional<QString> working = pageFile(stamp, m_pageName);
    for (int n = 2; working && QFileInfo::exists(*working); ++n)
        working = pageFile(stamp, m_pageName + u'-' + QString::number(n));
    if (!working || !QDir().mkpath(*working))
        return false;
    const std::optional<QString> pagePath = pageFile(*working, m_pageName + u'.' + m_pageFileExtension);
    if (!pagePath)
        return false;
    m_tempSavePathLocal = *working;
    m_pagePath = *pagePath;
    return true;
}

bool DRVDocument::storedPageMatches(bool publishFlag, bool changedFlag)
{
    generateSourceCode(m_pageName, publishFlag, changedFlag);
    const std::optional<QString> stored =
        m_pagePath.isEmpty() ? std::nullopt : platform::readPageTextFile(m_pagePath);
    return stored && *stored == m_generatedPageSource;
}

bool DRVDocument::compareSource(bool publishFlag)
{
    const bool changed = m_documentChangedCounter > 0;
    const bool same = storedPageMatches(publishFlag, changed);
    // A pass that already wrote the page's files leaves nothing for a second one to do.
    if (!same && !changed)
        generateSourceCode(m_pageName, publishFlag, true);
    return same;
}

bool DRVDocument::savePageFile(bool publishFlag)
{
    return writePageFile(publishFlag, false);
}

bool DRVDocument::writePageFile(bool publishFlag, bool knownToDiffer)
{
    // Previews and exports copy the folder the page is written into.
    if (!completeWorkingFolder())
        return false;
    bool written = true;
    if (knownToDiffer || isDocumentEdited()) {
        // One writing pass: its files are the same whether or not the text turns out unchanged.
        if (!storedPageMatches(publishFlag, true))
            written = directlySavePageFile();
    } else if (!compareSource(publishFlag)) {
        written = directlySavePageFile();
    }
    m_FTPUploadFlag = 0;
    return written;
}

bool DRVDocument::directlySavePageFile()
{
    ++m_documentChangedCounter;
    const std::optional<QString> path = pageFile(
        m_tempSavePathLocal, platform::format(QStringLiteral("%@.%@"), {m_pageName, m_pageFileExtension}));
    if (!path)
        return false;
    std::optional<QByteArray> bytes;
    if (m_FTPUploadFlag == 999) {
        bytes = FormPageGenerator::encodePublishedPage(*this, m_generatedPageSource);
        if (!bytes) {
            showEncodingRefusal();
            return false;
        }
    } else {
        bytes = StoredPageEncoding::bytesFor(m_generatedPageSource);
    }
    if (!platform::writeFileAtomically(*path, *bytes))
        return false;
    m_pagePath = *path;
    return true;
}

bool DRVDocument::saveCSSFile()
{
    if (!edition().gExternalStyleSheetFlag)
        return true;
    const std::optional<QString> folder = pageFile(m_tempSavePathLocal, m_pageName);
    if (!folder || !QDir().mkpath(*folder))
        return false;
    const std::optional<QString> sheet =
        pageFile(*folder, m_mobileVersionFlag ? QStringLiteral("mobile.css") : QStringLiteral("full.css"));
    // A link in its place is skipped like a refused image file: the page itself still saves.
    return !sheet || platform::writeFileAtomically(*sheet, platform::encodeAsciiElseUtf16(m_fullCSSString));
}

void DRVDocument::clearTempFolder()
{
    const QString folder = edition().gTempSaveFolderPath;
    if (folder.isEmpty())
        return;
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
}

bool DRVDocument::savePagePreparation()
{
    return preparePageForSave(false);
}

bool DRVDocument::preparePageForSave(bool knownToDiffer)
{
    clearTempFolder();
    // From the first writing save on, generation writes the page's image files too.
    m_storeImageNowFlag = true;
    if (m_pageName.isEmpty())
        m_pageName = createFileName();
    if (!writePageFile(false, knownToDiffer))
        return false;
    return saveCSSFile();
}

bool DRVDocument::saveThisPage(const QString& path, bool publishFlag)
{
    ensureChangeTracking();
    m_lastFileErrorText.clear();
    const EditionSettings& e = edition();
    if (e.gReadOnlyViewerFlag) {
        // Viewer editions never write.
        updateChangeCount(ChangeType::Cleared);
        updateWindowTitle();
        return true;
    }
    if (path.isEmpty())
        return failSave(QStringLiteral("no document file was given"));
    const QString target = QFileInfo(path).absoluteFilePath();
    const bool samePath = target == m_filePath;
    // The archive is packed from the folder's files: every unpacked one must be there.
    if (!completeWorkingFolder())
        return failSave(QStringLiteral("cannot write the page's files in \"%1\"").arg(m_tempSavePathLocal));
    if (!ensureWorkingFolder(target)) {
        if (!platform::SafePath::isSafeName(m_pageName))
            return failSave(QStringLiteral("the page's name cannot be used as a file name"));
        return failSave(
            QStringLiteral("the working folder \"%1\" is not available").arg(m_tempSavePathLocal));
    }

    // Only an unedited save to the same file with nothing pending can end here, and only then is the
    // page compared first; every other save generates the page once, when it writes it.
    const bool mayBeUnchanged = samePath && m_documentChangedCounter <= 0 && !isDocumentEdited();
    if (mayBeUnchanged && storedPageMatches(publishFlag, false)) {
        updateChangeCount(ChangeType::Cleared);
        updateWindowTitle();
        return true;
    }

    const std::optional<QString> checkedFolder = pageFile(m_tempSavePathLocal, m_pageName);
    if (!checkedFolder)
        return failSave(QStringLiteral("the page folder is not a plain folder inside the working folder"));
    const QString pageFolder = *checkedFolder;
    if (!QDir().mkpath(pageFolder))
        return failSave(QStringLiteral("cannot create the page folder \"%1\"").arg(pageFolder));
    // A page without thumbnails is still a page: the archive simply leaves them out.
    saveScreenshot();
    if (!preparePageForSave(samePath && m_documentChangedCounter <= 0))
        return failSave(QStringLiteral("cannot write the page file in \"%1\"").arg(m_tempSavePathLocal));

    // The archive is written beside the target and renamed over it, so a failed pack leaves the
    // previous document file as it was.
    QString error;
    const bool packed = e.gResponsiveLayoutFlag
                            ? DocumentArchiver::zipDocumentWithFolder(pageFolder, target, &error)
                            : DocumentArchiver::zipDocument(pageFolder, target, &error);
    if (!packed)
        return failSave(error);

    m_filePath = target;
    m_documentChangedCounter = 0;
    updateChangeCount(ChangeType::Cleared);
    updateWindowTitle();
    platform::NotificationCenter& center = platform::NotificationCenter::defaultCenter();
    if (!samePath)
        center.post(QStringLiteral("websiteUpdated"), this);
    if (e.gRefreshDocIconOnSaveFlag)
        center.post(QStringLiteral("refreshDocIcon"), this);
    return true;
}

bool DRVDocument::saveDocument()
{
    ensureChangeTracking();
    QString path = m_filePath;
    if (path.isEmpty()) {
        platform::FilePanelRequest request;
        request.fileName = createFileName() + u'.' + edition().gDocumentExtension;
        request.allowedExtensions = {edition().gDocumentExtension};
        path = platform::DialogService::current().runSavePanel(request);
        if (path.isEmpty())
            return false; // cancelled
    }
    const bool saved = saveThisPage(path, false);
    updateWindowTitle();
    return saved;
}

bool DRVDocument::saveDocumentTo(const QString& path)
{
    return saveThisPage(path, false);
}

bool DRVDocument::askPageToSaveItself()
{
    return saveThisPage(m_filePath, false);
}

bool DRVDocument::exportPublishVersion(const QString& path)
{
    completeWorkingFolder();
    const QString text = generateSourceCode(m_pageName, true, false);
    const std::optional<QByteArray> bytes = FormPageGenerator::encodePublishedPage(*this, text);
    if (!bytes) {
        showEncodingRefusal();
        return false;
    }
    const QString folder = platform::stringByDeletingLastPathComponent(path);
    QDir().mkpath(folder);
    if (!platform::writeFileAtomically(path, *bytes))
        return false;
    // The page's bundled fonts go beside it, where its @font-face rules look for them.
    if (m_pageName.isEmpty())
        return true;
    return WebFonts::copyFontFiles(WebFonts::bundledFamiliesUsedBy(*this),
                                   platform::stringByAppendingPathComponent(folder, m_pageName));
}

bool DRVDocument::generatePublishVersion()
{
    const QString name = m_pageName.isEmpty() ? createFileName() : m_pageName;
    const QString root = edition().gTempFolderPath.isEmpty() ? QDir::tempPath() : edition().gTempFolderPath;
    const QString extension = m_pageFileExtension.isEmpty() ? QStringLiteral("html") : m_pageFileExtension;
    const std::optional<QString> path =
        pageFile(join(root, QStringLiteral("tempFiles")), name + u'.' + extension);
    return path && exportPublishVersion(*path);
}

QString DRVDocument::windowTitle() const
{
    const QString official = m_pageOfficialName.isNull() ? QStringLiteral("") : m_pageOfficialName;
    if (m_filePath.isEmpty())
        return official;
    const QString encoded = QUrl::fromLocalFile(m_filePath).toString(QUrl::FullyEncoded);
    const QString last = encoded.mid(encoded.lastIndexOf(u'/') + 1);
    QString title = edition().gFreeFormFileNamesFlag
                        ? official
                        : platform::format(QStringLiteral("%@ (%@)"), {official, last});
    return title.replace(QStringLiteral("%20"), QStringLiteral(" "));
}

void DRVDocument::updateWindowTitle()
{
    const QString title = windowTitle();
    if (!title.isEmpty())
        emit windowTitleChanged(title);
}
