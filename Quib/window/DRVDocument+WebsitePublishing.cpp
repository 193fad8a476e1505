// Publishing a whole website project and uploading files the user picks: the confirmations, the
// upload lists and the link boxes for uploaded files. The run itself is the page publishing's.
#include "document/DRVDocument.h"

#include "editions/EditionSettings.h"
#include "platform/Dialogs.h"
#include "platform/Format.h"
#include "platform/StringRules.h"
#include "platform/StringsTable.h"
#include "platform/UserDefaults.h"
#include "publishing/SiteUploadList.h"
#include "publishing/UploadItem.h"
#include "window/DRVWindowController.h"

#include <QDir>
#include <QRectF>
#include <QTemporaryDir>
#include <QUrl>

namespace {

QString localized(const QString& text)
{
    return platform::StringsTable::lookup(text, QStringLiteral("Localizable"));
}

struct ServerSettings
{
    QString server;
    QString username;
    QString remotePath;
    QString baseURL;

    static ServerSettings read()
    {
        const platform::UserDefaults& defaults = platform::UserDefaults::standard();
        return {defaults.stringForKey(QStringLiteral("server")), defaults.stringForKey(QStringLiteral("username")),
                defaults.stringForKey(QStringLiteral("remotepath")),
                defaults.stringForKey(QStringLiteral("baseurl"))};
    }
};

// "Confirm Upload" with "Proceed" and "Cancel"; true for "Proceed".
bool confirmUpload(const QString& text)
{
    platform::Alert alert;
    alert.title = QStringLiteral("Confirm Upload");
    alert.informativeText = text;
    alert.buttons = {QStringLiteral("Proceed"), localized(QStringLiteral("Cancel"))};
    alert.style = platform::AlertStyle::Warning;
    return platform::showAlert(alert) == 0;
}

QString websiteConfirmationText(const ServerSettings& settings, bool withImages)
{
    if (settings.server.isEmpty())
        return QStringLiteral("Proceed will upload all files. This will update files with the same names on the "
                              "server.");
    const QString text =
        withImages ? QStringLiteral("Proceed will upload all files. This will update files with the same names on "
                                    "the server.\n\nCurrent FTP Settings:\nServer: %@\nUsername: %@\nRemote Path: "
                                    "%@\nBase URL: %@")
                   : QStringLiteral("Quick Refresh Mode selected, only text and layout changes will be "
                                    "updated.\n\nProceed will upload all files. This will update files with the same "
                                    "names on the server.\n\nCurrent FTP Settings:\nServer: %@\nUsername: "
                                    "%@\nRemote Path: %@\nBase URL: %@");
    return platform::formatv(localized(text), settings.server, settings.username, settings.remotePath,
                             settings.baseURL);
}

QString chosenFilesConfirmationText(const ServerSettings& settings, const QString& folder)
{
    if (settings.server.isEmpty())
        return platform::formatv(
            localized(QStringLiteral("All selected files will be uploaded, this will update files with the same "
                                     "names on the server.\n\nFiles will be uploaded into folder: %@")),
            folder);
    return platform::formatv(
        localized(QStringLiteral("All selected files will be uploaded to %@, this will update files with the same "
                                 "names on the server.\n\nFiles will be uploaded into folder: %@")),
        settings.server, folder);
}

void showPreparationFailure(const QString& page)
{
    platform::Alert alert;
    alert.title = QStringLiteral("Not able to publish");
    alert.informativeText = platform::formatv(
        QStringLiteral("The page %@ could not be prepared for upload, so nothing has been sent."), page);
    alert.buttons = {QStringLiteral("OK")};
    alert.style = platform::AlertStyle::Warning;
    platform::showAlert(alert);
}

// A folder of this run's own under the working root: a page opened while the upload runs empties
// the shared copies, never these.
QString newRunFolder()
{
    const QString root = edition().gTempFolderPath.isEmpty() ? QDir::tempPath() : edition().gTempFolderPath;
    const QString base = QDir(root).filePath(QStringLiteral("siteUploads"));
    if (!QDir().mkpath(base))
        return QString();
    QTemporaryDir run(QDir(base).filePath(QStringLiteral("run-XXXXXX")));
    if (!run.isValid())
        return QString();
    run.setAutoRemove(false);
    return run.path();
}

} // namespace

const QStringList& DRVDocument::websitePublishingActions()
{
    static const QStringList actions{QStringLiteral("publishWebsiteWithImages:"),
                                     QStringLiteral("publishWebsiteNoImages:"),
                                     QStringLiteral("selectDocumentsToUpload:")};
    return actions;
}

DRVWindowController* DRVDocument::websiteWindowController() const
{
    DRVWindowController* main = DRVWindowController::mainWindowController();
    if (main && main->document() == this)
        return main;
    const QList<DRVWindowController*> controllers = DRVWindowController::controllersForDocument(this);
    return controllers.isEmpty() ? nullptr : controllers.constFirst();
}

void DRVDocument::publishWebsiteWithImages(QObject* sender)
{
    Q_UNUSED(sender);
    DRVWindowController* controller = websiteWindowController();
    if (!controller)
        return;
    if (controller->needToForceRefresh())
        controller->forceRefreshWebsite();
    setUploadImageFlag(true);
    publishAllPages();
}

void DRVDocument::publishWebsiteNoImages(QObject* sender)
{
    Q_UNUSED(sender);
    DRVWindowController* controller = websiteWindowController();
    if (!controller)
        return;
    if (!controller->needToForceRefresh()) {
        setUploadImageFlag(false);
        publishAllPages();
        return;
    }
    controller->forceRefreshWebsite();
    platform::Alert alert;
    alert.title = QStringLiteral("Recommend Publish All");
    alert.informativeText =
        QStringLiteral("Changes have been detected in images used in the website, to ensure all images load "
                       "properly, it's recommended you choose Publish All at this time");
    alert.buttons = {QStringLiteral("Publish All"), QStringLiteral("Quick Refresh"), localized(QStringLiteral("Cancel"))};
    alert.style = platform::AlertStyle::Warning;
    const int answer = platform::showAlert(alert);
    if (answer != 0 && answer != 1)
        return;
    setUploadImageFlag(answer == 0);
    publishAllPages();
}

bool DRVDocument::publishAllPages()
{
    DRVWindowController* controller = websiteWindowController();
    if (!controller)
        return false;
    askPageToSaveItself();
    setUploadDocumentsFlag(false);
    setUploadAllPagesFlag(true);
    if (!confirmUpload(websiteConfirmationText(ServerSettings::read(), uploadImageFlag())))
        return false;

    // Every page file is written afresh (and, in the responsive editions, its published form).
    controller->loopThroughPages(false);
    setUploadItemArray({});

    const EditionSettings& e = edition();
    const bool responsive = e.gResponsiveLayoutFlag;
    SiteUploadList::Input input;
    for (const PageRecord& record : controller->siteIconArray())
        input.pages.append({record.pageLocalFileName, record.pagePublishFileName});
    const QString workingCopy =
        openWebsiteFolderTempPath().isEmpty() ? controller->openWebsiteFolderTempPath() : openWebsiteFolderTempPath();
    completeWorkingFolder();
    input.pageFolder = responsive ? tempSavePathLocal() : workingCopy;
    input.copyFolder = responsive ? QDir(e.gTempFolderPath).filePath(QStringLiteral("responsiveVersion"))
                                  : newRunFolder();
    input.projectFolder = controller->openWebsiteFolderPath();
    input.withImages = uploadImageFlag();
    input.copiesWritten = responsive;
    if (input.copyFolder.isEmpty() || (responsive && !QDir().mkpath(input.copyFolder))) {
        showPreparationFailure(pageName());
        return false;
    }

    const SiteUploadList::Result list = SiteUploadList::build(input);
    if (!list.refusedPages.isEmpty()) {
        showPreparationFailure(list.refusedPages.constFirst());
        return false;
    }
    if (const QString failed = SiteUploadList::writeCopies(list.copies); !failed.isEmpty()) {
        showPreparationFailure(platform::lastPathComponent(failed));
        return false;
    }
    transferJquery();
    setUploadItemArray(list.items);
    startUpload();
    return true;
}

void DRVDocument::selectDocumentsToUpload(QObject* sender)
{
    Q_UNUSED(sender);
    setUploadItemArray({});
    if (pageName().isEmpty())
        setPageName(createFileName());

    platform::FilePanelRequest request;
    request.prompt = QStringLiteral("Upload");
    request.title = QStringLiteral("Please select one or multiple Files");
    request.allowMultiple = true;
    const QStringList chosen = platform::DialogService::current().runOpenPanel(request);
    // Nothing chosen is nothing to send: an empty run would never report its end.
    if (chosen.isEmpty())
        return;

    QList<UploadItem> items;
    for (const QString& path : chosen) {
        UploadItem item;
        item.setLocalPath(path);
        item.setRemoteFileName(platform::lastPathComponent(path));
        item.setRemoteFolder(pageName());
        items.append(item);
    }
    setUploadItemArray(items);

    if (!confirmUpload(chosenFilesConfirmationText(ServerSettings::read(), pageName())))
        return;
    setUploadDocumentsFlag(true);
    setUploadAllPagesFlag(false);
    // No page is written here; the mark holds for the next page write.
    setFTPUploadFlag(999);
    startUpload();
}

void DRVDocument::generateLinksToUploadedDocuments()
{
    DRVWindowController* controller = websiteWindowController();
    if (!controller)
        return;
    // Each name is one path segment of the address, encoded whole: blanks, "#", "?", "%" and the
    // rest would otherwise end or change the link.
    auto segment = [](const QString& name) { return QString::fromLatin1(QUrl::toPercentEncoding(name)); };
    const QString folder = platform::formatv(QStringLiteral("%@/%@"),
                                             platform::UserDefaults::standard().stringForKey(QStringLiteral("baseurl")),
                                             segment(pageName()));
    const QList<UploadItem> items = uploadItemArray();
    for (int i = 0; i < items.size(); ++i) {
        const QString name = items.at(i).remoteFileName();
        const QString link = platform::formatv(QStringLiteral("%@/%@"), folder, segment(name));
        controller->addGraphicViewTextBox(name, link, QRectF(100, 100 + 50 * i, 300, 40), -99);
    }
}
