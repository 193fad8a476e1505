// Renaming a page document, switching the base template on and off, page numbers in the base
// template, and the group number a new graphic takes.
#include "document/DRVDocument.h"
#include "document/DocumentArchiver.h"
#include "editions/EditionSettings.h"
#include "model/DRVGraphic.h"
#include "platform/Dialogs.h"
#include "platform/FileTree.h"
#include "platform/SafePath.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

const QString kBaseTemplateName = QStringLiteral("basetemplate");
const QString kPageNumberPlaceholder = QStringLiteral("[PAGE_NUMBER]");

// The archive at path unpacks and holds the page file pageFileName.
bool archiveHoldsPage(const QString& path, const QString& pageFileName)
{
    QTemporaryDir unpacked;
    if (!unpacked.isValid() || !DocumentArchiver::unzipDocument(path, unpacked.path()))
        return false;
    QDirIterator it(unpacked.path(), {pageFileName}, QDir::Files, QDirIterator::Subdirectories);
    return it.hasNext();
}

} // namespace

bool DRVDocument::renameFileName(const QString& newName)
{
    if (newName == m_pageName)
        return false;
    if (!platform::SafePath::isSafeName(newName))
        return false;
    if (m_filePath.isEmpty()) {
        // Never saved: the name is taken by the first save.
        m_pageName = newName;
        ++m_documentChangedCounter;
        return true;
    }

    const QString folder = QFileInfo(m_filePath).absolutePath();
    const QString extension = m_pageFileType.isEmpty() ? QFileInfo(m_filePath).suffix() : m_pageFileType;
    const std::optional<QString> target = platform::SafePath::filePath(folder, newName + u'.' + extension);
    if (!target)
        return false;
    // Only the same file under another spelling is free to take; any other file there is kept.
    const bool sameFile = platform::SafePath::isSameFile(m_filePath, *target);
    const QFileInfo targetInfo(*target);
    if ((targetInfo.exists() || targetInfo.isSymLink()) && !sameFile) {
        platform::Alert alert;
        alert.title = QStringLiteral("File Conflict");
        alert.informativeText = QStringLiteral("Sorry a file with the new file name already exists at this "
                                               "location.  File name has not been changed.");
        alert.buttons = {QStringLiteral("OK")};
        alert.style = platform::AlertStyle::Warning;
        platform::showAlert(alert);
        return false;
    }

    if (!completeWorkingFolder())
        return false;
    // Files placed in the page's folder by hand are the page's too, and go with it to the new
    // name; the save then writes its own files over theirs. Nothing already in the new folder is
    // replaced. A file that cannot go keeps the page under its old name.
    const std::optional<QString> oldFolder = platform::SafePath::filePath(m_tempSavePathLocal, m_pageName);
    const std::optional<QString> newFolder = platform::SafePath::filePath(m_tempSavePathLocal, newName);
    if (oldFolder && newFolder && QFileInfo(*oldFolder).isDir() && !QFileInfo(*oldFolder).isSymLink() &&
        !platform::SafePath::isSameFile(*oldFolder, *newFolder)) {
        const QStringList failed = platform::copyTree(*oldFolder, *newFolder, true);
        if (!failed.isEmpty()) {
            qWarning() << "the page's files could not go to its new name:" << failed;
            return false;
        }
    }
    const QString oldName = m_pageName;
    const QString oldPath = m_filePath;
    const QString oldPagePath = m_pagePath;
    const bool wasBaseTemplate = oldName == kBaseTemplateName;
    m_pageName = newName;
    // The page file is written afresh under the new name, never matched against the old one.
    const std::optional<QString> newPagePath =
        platform::SafePath::filePath(m_tempSavePathLocal, newName + u'.' + m_pageFileExtension);
    m_pagePath = newPagePath.value_or(QString());
    ++m_documentChangedCounter;
    if (wasBaseTemplate)
        resetTemplateName(newName);

    // The new document is packed and read back before the old one goes, so a failed pack never
    // leaves the page without a document file.
    const bool saved = saveThisPage(*target, false);
    const bool verified = saved && archiveHoldsPage(*target, newName + u'.' + m_pageFileExtension);
    if (!verified) {
        if (saved && !sameFile)
            QFile::remove(*target);
        if (newPagePath && *newPagePath != oldPagePath && !platform::SafePath::isSameFile(*newPagePath, oldPagePath))
            QFile::remove(*newPagePath);
        m_pageName = oldName;
        m_filePath = oldPath;
        m_pagePath = oldPagePath;
        if (wasBaseTemplate)
            resetTemplateName(oldName);
        return false;
    }
    if (!sameFile) {
        QFile::remove(oldPath);
        // The old page file would otherwise be published as a page of its own. Its image folder
        // stays: image graphics may still read their originals from it.
        const std::optional<QString> oldPage =
            platform::SafePath::filePath(m_tempSavePathLocal, oldName + u'.' + m_pageFileExtension);
        if (oldPage && *oldPage != m_pagePath && !platform::SafePath::isSameFile(*oldPage, m_pagePath))
            QFile::remove(*oldPage);
    }
    return true;
}

bool DRVDocument::switchBaseTemplate()
{
    m_useBaseTemplateFlag = m_useBaseTemplateFlag == 0 ? 1 : 0;
    ++m_documentChangedCounter;
    if (m_filePath.isEmpty() || !saveThisPage(m_filePath, false))
        return false;
    return refreshDocument();
}

QString DRVDocument::replacePageNumbers(const QString& text) const
{
    return replacePageNumbers(text, QFileInfo(m_filePath).fileName());
}

QString DRVDocument::replacePageNumbers(const QString& text, const QString& documentFileName) const
{
    if (!text.contains(kPageNumberPlaceholder))
        return text;
    const int number = m_pageNumberLookup ? m_pageNumberLookup(documentFileName) : -1;
    QString replaced = text;
    return replaced.replace(kPageNumberPlaceholder, QString::number(number));
}

int DRVDocument::findNextGroupNumber() const
{
    // The highest number in use + 1 also covers a line or shape on top, which no number may repeat.
    int highest = 0;
    for (const DRVGraphic* graphic : m_graphics)
        highest = std::max(highest, graphic->groupNumber());
    return highest + 1;
}
