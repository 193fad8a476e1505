// The page out of the editor without a server: a picture (PNG, JPEG, PDF), a folder with the page
// file, its images and the script files, or a zip in the layout the e-mail marketing services take.
// Every failure to write says which file it was.
#include "document/DRVDocument.h"

#include "editions/DataCentre.h"
#include "editions/EditionSettings.h"
#include "platform/Dialogs.h"
#include "platform/FileTree.h"
#include "platform/SafePath.h"
#include "platform/TextEncoding.h"
#include "publishing/PagePicture.h"
#include "publishing/UploadFTPS.h"
#include "window/DRVWindowController.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

namespace {

// The files put beside every exported page, for pages that load them from their own folder.
const QStringList& exportScriptFiles()
{
    static const QStringList names{
        QStringLiteral("jquery-1.7.2.min.js"), QStringLiteral("jquery.mobile-1.4.2.min.js"),
        QStringLiteral("jquery.mobile-1.4.2.min.css"), QStringLiteral("popup-image-scaling.js")};
    return names;
}

void showWriteFailure(const QString& path)
{
    platform::Alert alert;
    alert.title = QStringLiteral("Export Failed");
    alert.informativeText =
        QStringLiteral("\"%1\" could not be written.").arg(QDir::toNativeSeparators(path));
    alert.style = platform::AlertStyle::Warning;
    platform::showAlert(alert);
}

// Copies the folder's tree into target, which must not exist yet; links are left out. The first
// file that could not be copied, or "" when all were.
QString copyFolder(const QString& folder, const QString& target)
{
    if (!QDir().mkdir(target))
        return target;
    const QStringList failed = platform::copyTree(folder, target);
    return failed.isEmpty() ? QString() : QDir(target).filePath(failed.constFirst());
}

bool removeEntry(const QString& path)
{
    const QFileInfo entry(path);
    if (entry.isDir() && !entry.isSymLink())
        return QDir(path).removeRecursively();
    if (!entry.exists() && !entry.isSymLink())
        return true;
    return QFile::remove(path);
}

} // namespace

// ---- the page as a picture ----

QImage DRVDocument::generatePNG(bool transparent)
{
    return generatePNGImage(transparent);
}

QImage DRVDocument::generatePNGImage(bool transparent)
{
    // The window drops its selection as it would before any rendering of the page; the picture
    // itself is drawn from the graphics and never shows handles.
    emit deselectAllRequested();
    const QImage image = PagePicture::render(*this, edition(), transparent);
    if (image.isNull())
        qWarning("image is nil");
    setMailImage(image);
    return image;
}

// ---- commands ----

const QStringList& DRVDocument::exportActions()
{
    static const QStringList actions{QStringLiteral("exportToRawFiles:"), QStringLiteral("exportZip:"),
                                     QStringLiteral("exportToPDF:"), QStringLiteral("exportToPNG:"),
                                     QStringLiteral("exportToJPG:")};
    return actions;
}

bool DRVDocument::performExportAction(const QString& action, DRVWindowController* window)
{
    if (action == QLatin1String("exportToRawFiles:"))
        exportFileTo(window);
    else if (action == QLatin1String("exportZip:"))
        exportZip(window);
    else if (action == QLatin1String("exportToPDF:"))
        exportPDFPage(window);
    else if (action == QLatin1String("exportToPNG:"))
        exportPNGPage(window);
    else if (action == QLatin1String("exportToJPG:"))
        exportJPEGPage(window);
    else
        return false;
    return true;
}

QString DRVDocument::exportPageExtension() const
{
    if (!m_publishExt.isEmpty())
        return m_publishExt;
    if (!m_pageFileExtension.isEmpty())
        return m_pageFileExtension;
    return QStringLiteral("html");
}

QString DRVDocument::exportScriptsFolder()
{
    return QDir(DataCentre::resourcesPath()).filePath(QStringLiteral("export-scripts"));
}

bool DRVDocument::exportNeedsSavedDocument(DRVWindowController* window)
{
    if (!m_filePath.isEmpty())
        return false;
    platform::Alert alert;
    alert.title = QStringLiteral("Document Not Saved");
    alert.informativeText = QStringLiteral("Please save this document first and then try this action again.");
    alert.buttons = {QStringLiteral("Save"), QStringLiteral("Cancel")};
    if (platform::showAlert(alert) == 0 && window)
        window->performAction(QStringLiteral("saveDocumentAs:"));
    return true;
}

bool DRVDocument::writePageForExport()
{
    bool written = prepForPresentation(false);
    if (written && edition().gResponsiveLayoutFlag)
        written = prepForPresentation(true);
    if (!written) {
        const QString name = m_pageName.isEmpty() ? createFileName() : m_pageName;
        showWriteFailure(QDir(m_tempSavePathLocal).filePath(name + u'.' + m_pageFileExtension));
    }
    return written;
}

void DRVDocument::exportFileTo(DRVWindowController* window)
{
    if (exportNeedsSavedDocument(window))
        return;
    const QString folder = DRVWindowController::chooseExportFolder();
    if (folder.isEmpty())
        return;
    if (!writePageForExport())
        return;

    const std::optional<QString> source =
        platform::SafePath::filePath(m_tempSavePathLocal, m_pageName + u'.' + m_pageFileExtension);
    const std::optional<QString> sourceFolder = platform::SafePath::filePath(m_tempSavePathLocal, m_pageName);
    const std::optional<QString> target =
        platform::SafePath::filePath(folder, m_pageName + u'.' + exportPageExtension());
    const std::optional<QString> targetFolder = platform::SafePath::filePath(folder, m_pageName);
    if (!source || !sourceFolder || !target || !targetFolder) {
        showWriteFailure(QDir(folder).filePath(m_pageName));
        return;
    }
    // Replacing the page in its own working folder would delete what is being exported.
    if (QFileInfo(folder).canonicalFilePath() == QFileInfo(m_tempSavePathLocal).canonicalFilePath()) {
        showWriteFailure(*target);
        return;
    }

    if (QFileInfo::exists(*target) || QFileInfo::exists(*targetFolder)) {
        platform::Alert alert;
        alert.title = QStringLiteral("File Name Conflict");
        alert.informativeText = QStringLiteral(
            "File with the same name exists already, would you like to replace?\n\nExport will "
            "output document source file as well as a folder with the same name containing "
            "image files used on the web page.");
        if (needImagePopupScript())
            alert.informativeText +=
                QStringLiteral("\n\nThis document uses jQuery scripts, a set of jQuery files will also be "
                               "exported if they're not already available at this location.");
        alert.buttons = {QStringLiteral("Replace"), QStringLiteral("Cancel")};
        if (platform::showAlert(alert) != 0)
            return;
        for (const QString& old : {*target, *targetFolder}) {
            if (!removeEntry(old)) {
                showWriteFailure(old);
                return;
            }
        }
    }

    if (!QFile::copy(*source, *target)) {
        showWriteFailure(*target);
        return;
    }
    if (QFileInfo(*sourceFolder).isDir()) {
        const QString failed = copyFolder(*sourceFolder, *targetFolder);
        if (!failed.isEmpty()) {
            showWriteFailure(failed);
            return;
        }
    }
    // Scripts already there are the user's: they stay as they are.
    for (const QString& name : exportScriptFiles()) {
        const std::optional<QString> script = platform::SafePath::filePath(exportScriptsFolder(), name);
        const std::optional<QString> copy = platform::SafePath::filePath(folder, name);
        if (!script || !copy || !QFileInfo(*script).isFile() || QFileInfo::exists(*copy))
            continue;
        if (!QFile::copy(*script, *copy)) {
            showWriteFailure(*copy);
            return;
        }
    }

    platform::Alert done;
    done.title = QStringLiteral("Export Complete");
    done.buttons = {QStringLiteral("Show Folder With Export Files"), QStringLiteral("OK")};
    done.style = platform::AlertStyle::Informational;
    if (platform::showAlert(done) == 0)
        QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

void DRVDocument::exportZip(DRVWindowController* window)
{
    if (exportNeedsSavedDocument(window))
        return;
    if (m_pageName.isEmpty())
        m_pageName = createFileName();
    platform::FilePanelRequest request;
    request.fileName = m_pageName + QStringLiteral("_MailChimpExport");
    request.allowedExtensions = {QStringLiteral("zip"), QStringLiteral("ZIP")};
    QString path = platform::DialogService::current().runSavePanel(request);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".zip");
    if (!writePageForExport())
        return;
    const std::optional<QString> pageFolder = platform::SafePath::filePath(m_tempSavePathLocal, m_pageName);
    UploadFTPS upload;
    if (!pageFolder || !upload.zipDocument_mailchimp(*pageFolder, path)) {
        qWarning("zip failed: %s", qPrintable(upload.lastErrorText()));
        showWriteFailure(path);
    }
}

void DRVDocument::exportPDFPage(DRVWindowController* window)
{
    exportPicture(window, QStringLiteral("PDF"));
}

void DRVDocument::exportPNGPage(DRVWindowController* window)
{
    exportPicture(window, QStringLiteral("PNG"));
}

void DRVDocument::exportJPEGPage(DRVWindowController* window)
{
    exportPicture(window, QStringLiteral("JPG"));
}

void DRVDocument::exportPicture(DRVWindowController*, const QString& kind)
{
    if (m_pageName.isEmpty())
        m_pageName = createFileName();
    platform::FilePanelRequest request;
    request.fileName = m_pageName;
    if (kind == QLatin1String("PDF"))
        request.allowedExtensions = {QStringLiteral("PDF")};
    else if (kind == QLatin1String("PNG"))
        request.allowedExtensions = {QStringLiteral("PNG"), QStringLiteral("png")};
    else
        request.allowedExtensions = {QStringLiteral("JPG"), QStringLiteral("JPEG"), QStringLiteral("jpg"),
                                     QStringLiteral("jpeg")};
    QString path = platform::DialogService::current().runSavePanel(request);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".") + kind;

    const QImage image = generatePNG(false);
    QByteArray bytes;
    if (image.isNull())
        qWarning("generated png image is nil");
    else if (kind == QLatin1String("PDF"))
        bytes = PagePicture::pdfData(*this, edition());
    else if (kind == QLatin1String("PNG"))
        bytes = DataCentre::PNGRepresentationOfImage(image);
    else
        bytes = PagePicture::jpegData(image);
    if (bytes.isEmpty() && kind == QLatin1String("PDF"))
        qWarning("no pdf data");
    if (bytes.isEmpty() || !platform::writeFileAtomically(path, bytes))
        showWriteFailure(path);
}
