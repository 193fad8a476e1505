// Export of the open project's source files: the working copy's pages, styles and images copied to
// "<project>_SourceFiles" in a folder the user picks, each page file under its publishing name.
#include "window/DRVWindowController.h"

#include "editions/EditionSettings.h"
#include "platform/Dialogs.h"
#include "platform/FileTree.h"
#include "platform/SafePath.h"
#include "platform/Threads.h"
#include "window/WebsiteProject.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

QStringList DRVWindowController::moveFilesToExportedLocation(const QString& workingCopy, const QString& tempFiles,
                                                           const QString& destination,
                                                           const QList<QPair<QString, QString>>& pages,
                                                           bool responsive)
{
    QStringList failures = platform::copyTree(workingCopy, destination);
    for (const auto& [local, publish] : pages) {
        const std::optional<QString> target = platform::SafePath::filePath(destination, local);
        if (!target)
            continue;
        if (responsive)
            QFile::remove(*target);
        const std::optional<QString> generated = platform::SafePath::filePath(tempFiles, local);
        if (generated && QFileInfo(*generated).isFile() && !QFileInfo::exists(*target))
            QFile::rename(*generated, *target);
    }
    for (const auto& [local, publish] : pages) {
        if (local == publish)
            continue;
        const std::optional<QString> from = platform::SafePath::filePath(destination, local);
        const std::optional<QString> to = platform::SafePath::filePath(destination, publish);
        if (!from || !to || !QFileInfo(*from).isFile() || QFileInfo::exists(*to) || !QFile::rename(*from, *to))
            failures.append(publish);
    }
    return failures;
}

QString DRVWindowController::chooseExportFolder()
{
    platform::FilePanelRequest request;
    request.title = QStringLiteral("Select location for export");
    request.prompt = QStringLiteral("Export");
    request.chooseDirectories = true;
    const QStringList chosen = platform::DialogService::current().runOpenPanel(request);
    return chosen.isEmpty() ? QString() : chosen.first();
}

void DRVWindowController::exportAllFileTo()
{
    if (m_openWebsiteFolder.isEmpty())
        return;
    const QString target = chooseExportFolder();
    if (target.isEmpty())
        return;
    const QString name = WebsiteProject::workingFolderName(m_openWebsiteFolder) + QStringLiteral("_SourceFiles");
    const std::optional<QString> checked = platform::SafePath::filePath(target, name);
    if (!checked)
        return;
    const QString destination = *checked;
    const QFileInfo existing(destination);
    if (existing.exists() || existing.isSymLink()) {
        platform::Alert alert;
        alert.title = QStringLiteral("File Name Conflict");
        alert.informativeText = QStringLiteral("File or folder with the same name exists already, would you like "
                                               "to replace?\n\nExport will output a folder named \"%1\" "
                                               "containing all files")
                                    .arg(name);
        alert.buttons = {QStringLiteral("Replace"), QStringLiteral("Cancel")};
        if (platform::showAlert(alert) != 0)
            return;
        if (existing.isDir() && !existing.isSymLink())
            QDir(destination).removeRecursively();
        else
            QFile::remove(destination);
    }

    const EditionSettings& e = edition();
    const QString tempFiles = QDir(e.gTempFolderPath.isEmpty() ? QDir::tempPath() : e.gTempFolderPath)
                                  .filePath(QStringLiteral("tempFiles"));
    QDir(tempFiles).removeRecursively();
    QDir().mkpath(tempFiles);
    // Opening and saving pages is main-thread work: it is done before the copying starts.
    if (e.gResponsiveLayoutFlag)
        loopThroughPages(false);
    // The worker gets its own copy of the names; the page list may change meanwhile.
    QList<QPair<QString, QString>> pages;
    for (const PageRecord& record : std::as_const(m_siteIconArray))
        pages.append({record.pageLocalFileName, record.pagePublishFileName});
    const QString workingCopy = m_openWebsiteFolderTempPath;
    const bool responsive = e.gResponsiveLayoutFlag;
    platform::runInBackgroundThenOnMain(
        [=] { return QVariant(moveFilesToExportedLocation(workingCopy, tempFiles, destination, pages, responsive)); },
        [this, destination](const QVariant& failures) { showExportCompleteAlert(destination, failures.toStringList()); },
        this);
}

void DRVWindowController::showExportCompleteAlert(const QString& destination, const QStringList& failures)
{
    platform::Alert alert;
    if (failures.isEmpty()) {
        alert.title = QStringLiteral("Export Complete");
    } else {
        alert.title = QStringLiteral("Export incomplete");
        const qsizetype shown = std::min<qsizetype>(failures.size(), 20);
        alert.informativeText = QStringLiteral("These files could not be exported:\n") +
                                failures.mid(0, shown).join(u'\n') +
                                (failures.size() > shown ? QStringLiteral("\n…") : QString());
        alert.style = platform::AlertStyle::Warning;
    }
    alert.buttons = {QStringLiteral("Show Exported Folder"), QStringLiteral("OK")};
    if (platform::showAlert(alert) == 0)
        QDesktopServices::openUrl(QUrl::fromLocalFile(destination));
}
