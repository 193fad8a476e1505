// Publishing one page: confirmation, upload list, the run on a worker thread, progress and endings.
#include "document/DRVDocument.h"

#include "editions/EditionSettings.h"
#include "platform/Dialogs.h"
#include "platform/Format.h"
#include "platform/SafePath.h"
#include "platform/UserDefaults.h"
#include "publishing/UploadConnectionSettings.h"
#include "publishing/UploadFTPS.h"
#include "publishing/UploadFTPSViewDelegate.h"
#include "publishing/UploadItem.h"
#include "publishing/UploadListBuilder.h"
#include "window/ConnectionLogWindowController.h"
#include "window/DRVWindowController.h"
#include "window/PreferenceWindowController.h"
#include "window/ProgressIndicatorWindowController.h"
#include "window/ShareWindowController.h"
#include "window/SourceCodeWindowController.h"

#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QTemporaryDir>
#include <algorithm>
#include <functional>
#include <thread>

// Everything one run needs, shared by the document (main thread) and its transfer thread. The
// transfer thread reads only what was filled in before it started; the flags below it are
// touched on the main thread alone.
struct DRVDocument::UploadRun
{
    QPointer<DRVDocument> document;
    QList<UploadItem> items;
    UploadConnectionSettings settings;
    // The page's folder made on the server, and the page the ending links to.
    QString pageName;
    QString publishExt;
    bool documentsRun = false;
    bool allPagesRun = false;
    // The run's own folder for the page copy it sends: nothing another command clears.
    std::unique_ptr<QTemporaryDir> copies;

    bool started = false;
    bool ended = false;
    bool threadDone = false;
};

namespace {

const QString kSiteFolderLabel = QStringLiteral("Wistrel");

class ForwardingUploadDelegate : public UploadFTPSViewDelegate
{
public:
    explicit ForwardingUploadDelegate(std::function<void(bool, const QString&, qint32)> update)
        : m_update(std::move(update))
    {
    }
    void UploadUpdate(UploadFTPS*, bool uploadResult, const QString& uploadDetails, qint32 fileCounter) override
    {
        m_update(uploadResult, uploadDetails, fileCounter);
    }
    void sendMailUpdate(UploadFTPS*, bool, const QString&) override {}

private:
    std::function<void(bool, const QString&, qint32)> m_update;
};

// Runs work on the main thread, without waiting.
void onMainThread(std::function<void()> work)
{
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(work), Qt::QueuedConnection);
}

QString storedSetting(const char* key)
{
    return platform::UserDefaults::standard().stringForKey(QLatin1String(key));
}

bool isEmailEdition()
{
    return SourceCodeWindowController::isImageMapEmailEdition(edition().gEditionDisplayName);
}

DRVWindowController* windowControllerOf(const DRVDocument* document)
{
    return DRVWindowController::controllersForDocument(document).value(0);
}

// The chosen-files ending hands over to the website commands, which make the links.
template <class Document> void generateLinksIfAvailable(Document& document)
{
    if constexpr (requires { document.generateLinksToUploadedDocuments(); })
        document.generateLinksToUploadedDocuments();
}

// A folder of the run's own under the working root.
std::unique_ptr<QTemporaryDir> newRunFolder()
{
    const QString root = edition().gTempFolderPath.isEmpty() ? QDir::tempPath() : edition().gTempFolderPath;
    const QString uploads = QDir(root).filePath(QStringLiteral("uploads"));
    if (!QDir().mkpath(uploads))
        return nullptr;
    auto folder = std::make_unique<QTemporaryDir>(QDir(uploads).filePath(QStringLiteral("run-XXXXXX")));
    return folder->isValid() ? std::move(folder) : nullptr;
}

} // namespace

// ---- the run's items ----

QList<UploadItem> DRVDocument::uploadItemArray() const
{
    return m_uploadItemArray ? *m_uploadItemArray : QList<UploadItem>();
}

void DRVDocument::setUploadItemArray(const QList<UploadItem>& items)
{
    m_uploadItemArray = std::make_shared<QList<UploadItem>>(items);
}

bool DRVDocument::uploadInProgress() const
{
    return m_uploadRun && m_uploadRun->started && !m_uploadRun->threadDone;
}

ProgressIndicatorWindowController* DRVDocument::progressIndicatorWindowController() const
{
    return m_progressIndicatorWindowController.get();
}

ConnectionLogWindowController* DRVDocument::connectionLogController() const
{
    return m_connectionLogController.get();
}

// ---- the commands ----

void DRVDocument::publishSinglePageWithImages(QObject* sender)
{
    m_uploadImageFlag = true;
    prepforUpload(sender);
}

void DRVDocument::publishSinglePageNoImages(QObject* sender)
{
    m_uploadImageFlag = false;
    prepforUpload(sender);
}

bool DRVDocument::passesFormCheck()
{
    if (!isFormPage() || (!m_siteFeedbackEmail.isEmpty() && m_siteFeedbackEmail.contains(u'@')))
        return true;
    platform::Alert alert;
    alert.title = QStringLiteral("Check Form Response Email");
    alert.informativeText =
        QStringLiteral("A valid response email is not identified, please update Primary Response Email "
                       "(available under Settings).\n\nResponse email is important as form responses will "
                       "be sent to this email.");
    alert.buttons = {QStringLiteral("Form Settings"), QStringLiteral("Cancel")};
    if (platform::showAlert(alert) == 0) {
        if (DRVWindowController* owner = windowControllerOf(this))
            showFormPreferences(owner);
    }
    return false;
}

bool DRVDocument::passesSavedCheck()
{
    if (!m_filePath.isEmpty())
        return true;
    platform::Alert alert;
    alert.title = QStringLiteral("Document Not Saved");
    alert.informativeText = QStringLiteral("Please save this document first and then try this action again.");
    alert.buttons = {QStringLiteral("Save"), QStringLiteral("Cancel")};
    if (platform::showAlert(alert) == 0) {
        if (DRVWindowController* owner = windowControllerOf(this))
            owner->saveDocumentAs();
        else
            saveDocument();
    }
    return false;
}

QString DRVDocument::uploadConfirmationText() const
{
    const QString server = storedSetting("server");
    const QStringList settings{server, storedSetting("username"), storedSetting("remotepath"),
                               storedSetting("baseurl")};
    const QString settingsLines =
        server.isEmpty() ? QString()
                         : platform::formatText(QStringLiteral("\n\nCurrent FTP Settings:\nServer: %@\nUsername: "
                                                               "%@\nRemote Path: %@\nBase URL: %@"),
                                                {settings.at(0), settings.at(1), settings.at(2), settings.at(3)});
    const QString name = m_pageName.isEmpty() ? createFileName() : m_pageName;
    if (isFormPage()) {
        const QString addresses =
            m_siteCCFeedbackEmail.isEmpty()
                ? m_siteFeedbackEmail
                : platform::formatText(QStringLiteral("%@ and %@"), {m_siteFeedbackEmail, m_siteCCFeedbackEmail});
        return platform::formatText(QStringLiteral("This form (%@) will be published.\n\nResponse will be sent to "
                                                   "%@ (can be updated under Settings > Form Preferences)."),
                                    {name + QStringLiteral(".php"), addresses}) +
               settingsLines;
    }
    const QString fileName = UploadListBuilder::publishedFileName(name, m_publishExt, m_pageFileExtension);
    if (!server.isEmpty() && !m_uploadImageFlag)
        return platform::formatText(QStringLiteral("Quick Refresh Mode selected, only text and layout changes "
                                                   "will be updated.\n\nProceed will upload %@. This will update "
                                                   "files with the same names on the server."),
                                    {fileName}) +
               settingsLines;
    return platform::formatText(QStringLiteral("%@ and related files will be uploaded, this will update files "
                                               "with the same names on the server."),
                                {fileName}) +
           settingsLines;
}

void DRVDocument::prepforUpload(QObject* sender)
{
    Q_UNUSED(sender);
    m_uploadDocumentsFlag = false;
    m_uploadAllPagesFlag = false;
    // One run at a time: a second would share the progress window and the run's copies.
    if (uploadInProgress())
        return;
    if (!passesFormCheck() || !passesSavedCheck())
        return;

    platform::Alert confirm;
    confirm.title = QStringLiteral("Confirm Upload");
    confirm.informativeText = uploadConfirmationText();
    confirm.buttons = {QStringLiteral("Proceed"), QStringLiteral("Cancel")};
    if (platform::showAlert(confirm) != 0)
        return;

    m_FTPUploadFlag = 999;
    if (m_pageName.isEmpty())
        m_pageName = createFileName();
    // A page that cannot be written in its publishing form (its refusal has been shown) is not sent.
    if (!savePageFile(true))
        return;
    setUploadItemArray({});

    auto run = std::make_shared<UploadRun>();
    run->copies = newRunFolder();
    if (!run->copies)
        return;
    const std::optional<QString> pageCopy =
        platform::SafePath::filePath(run->copies->path(), m_pageName + u'.' + m_pageFileExtension);
    // The page goes out in its declared character set; text that set cannot hold is refused here,
    // before any connection.
    if (!pageCopy || !exportPublishVersion(*pageCopy))
        return;

    completeWorkingFolder();
    UploadPageSnapshot page;
    page.uploadImageFlag = m_uploadImageFlag;
    page.pageName = m_pageName;
    page.pageFileExtension = m_pageFileExtension;
    page.publishExt = m_publishExt;
    page.tempSavePathLocal = m_tempSavePathLocal;
    page.openWebsiteFolderTempPath = m_openWebsiteFolderTempPath;
    page.backgroundImageFlag = m_backgroundImageFlag;
    page.backgroundImageType = m_backgroundImageType;
    page.useBaseTemplateFlag = m_useBaseTemplateFlag;
    page.pageCopyPath = *pageCopy;
    QList<QObject*> sources;
    page.images = UploadListBuilder::candidates(*this, edition().gTableImagesFlag, &sources);
    UploadList list = UploadListBuilder::build(page);
    for (int index : std::as_const(list.retinaImages))
        sources.at(index)->setProperty("retinaFlag", true);

    setUploadItemArray(list.items);
    m_uploadRun = run;
    startUpload();
}

// ---- the run ----

void DRVDocument::startUpload()
{
    if (uploadInProgress())
        return;
    const QList<UploadItem> items = uploadItemArray();
    if (items.isEmpty())
        return;
    // A run prepared by prepforUpload keeps its folder; any other caller gets a fresh run.
    std::shared_ptr<UploadRun> run =
        m_uploadRun && !m_uploadRun->started ? m_uploadRun : std::make_shared<UploadRun>();
    if (m_pageName.isEmpty())
        m_pageName = createFileName();
    run->document = this;
    run->items = items;
    run->settings = PreferenceWindowController::currentConnectionSettings();
    run->pageName = m_pageName;
    run->publishExt = m_publishExt.isEmpty() ? m_pageFileExtension : m_publishExt;
    run->documentsRun = m_uploadDocumentsFlag;
    run->allPagesRun = m_uploadAllPagesFlag;
    run->started = true;
    m_uploadRun = run;

    showProgressIndicator();
    std::thread([run] { beginUploadProcess(run); }).detach();
}

void DRVDocument::beginUploadProcess(const std::shared_ptr<UploadRun>& run)
{
    // Each result travels to the main thread inside its own call: index and count are never read
    // back from state the two threads share.
    ForwardingUploadDelegate delegate([run](bool result, const QString& details, qint32 index) {
        onMainThread([run, result, details, index] {
            if (DRVDocument* document = run->document)
                document->uploadStepReceived(run, result, details, index);
        });
    });
    {
        UploadFTPS upload;
        upload.setDelegate(&delegate);
        upload.setCurrentSiteFolder(kSiteFolderLabel);
        upload.applySettings(run->settings);
        upload.setUploadItemArray(run->items);
        upload.createNewFolder(run->pageName);
        upload.uploadSingleFile();
    }
    onMainThread([run] {
        DRVDocument* document = run->document;
        // A transfer that ended without a last word is a failure, not a run left open for ever.
        if (document && !run->ended)
            document->uploadStepReceived(run, false, QStringLiteral("The transfer ended before every file was sent."),
                                         0);
        run->threadDone = true;
    });
}

void DRVDocument::uploadStepReceived(const std::shared_ptr<UploadRun>& run, bool uploadResult,
                                     const QString& details, qint32 fileCounter)
{
    if (run != m_uploadRun || run->ended)
        return;
    const qint32 itemCount = qint32(run->items.size());
    m_uploadCounter = fileCounter + 1;
    m_connectionLog = details;
    if (!uploadResult) {
        run->ended = true;
        updateProgressBarDoneFailed();
        emit uploadRunEnded(false);
        return;
    }
    updateProgressBar(fileCounter + 1, itemCount);
    if (fileCounter >= itemCount - 1) {
        run->ended = true;
        updateProgressBarDoneSuccess();
        emit uploadRunEnded(true);
    }
}

// ---- progress ----

void DRVDocument::showProgressIndicator()
{
    if (!m_progressIndicatorWindowController)
        m_progressIndicatorWindowController = std::make_shared<ProgressIndicatorWindowController>();
    ProgressIndicatorWindowController& progress = *m_progressIndicatorWindowController;
    m_uploadCounter = 0;
    progress.window()->show();
    progress.window()->raise();
    progress.progressStatusTextfield()->setText(QStringLiteral("Please wait..."));
    progress.progressFileTextField()->clear();
    progress.progressIndicator()->setRange(0, 0); // indeterminate, animated by the style
    progress.progressIndicator()->show();
    progress.levelIndicator()->setRange(0, std::max<int>(int(uploadItemArray().size()), 0));
    progress.levelIndicator()->setValue(0);
    progress.progressIndicator2()->hide();
}

void DRVDocument::updateProgressBar(qint32 finished, qint32 itemCount)
{
    if (!m_progressIndicatorWindowController)
        return;
    ProgressIndicatorWindowController& progress = *m_progressIndicatorWindowController;
    progress.progressStatusTextfield()->setText(
        isEmailEdition() ? QStringLiteral("Please wait...")
                         : platform::formatv(QStringLiteral("Please wait: %d/%d completed"), finished, itemCount));
    // The next file is named while it goes; the last one is not, the field keeps the one before.
    const QList<UploadItem> items = m_uploadRun ? m_uploadRun->items : uploadItemArray();
    if (finished < itemCount - 1 && finished >= 0 && finished < items.size()) {
        const UploadItem& next = items.at(finished);
        progress.progressFileTextField()->setText(platform::formatText(QStringLiteral("Uploading: %@/%@"),
                                                                       {next.remoteFolder(), next.remoteFileName()}));
    }
    progress.levelIndicator()->setRange(0, std::max<qint32>(itemCount, 0));
    progress.levelIndicator()->setValue(std::clamp<qint32>(finished, 0, std::max<qint32>(itemCount, 0)));
    progress.levelIndicator()->repaint();
    progress.progressFileTextField()->repaint();
    progress.progressStatusTextfield()->repaint();
}

void DRVDocument::updateProgressBarDoneSuccess()
{
    if (m_progressIndicatorWindowController)
        m_progressIndicatorWindowController->orderOut();
    // The e-mail editions go on to their message, which their mail flow sends or shows.
    if (isEmailEdition()) {
        if (m_showCodeOnlyFlag)
            presentGeneratedSourceCode();
        else
            sendHTMLEmail(this);
        return;
    }

    const QString baseURL = storedSetting("baseurl");
    const QString pageName = m_uploadRun ? m_uploadRun->pageName : m_pageName;
    if (baseURL.isEmpty()) {
        platform::Alert alert;
        alert.title = QStringLiteral("Upload Complete!");
        alert.informativeText = QStringLiteral("Upload has been successful completed!");
        alert.buttons = {QStringLiteral("OK")};
        platform::showAlert(alert);
        return;
    }
    if (m_uploadRun ? m_uploadRun->documentsRun : m_uploadDocumentsFlag) {
        const QString link = platform::formatText(QStringLiteral("%@/%@"), {baseURL, pageName});
        platform::Alert alert;
        alert.title = QStringLiteral("Upload Complete!");
        alert.informativeText =
            platform::formatText(QStringLiteral("Files have been uploaded to the following folder:\n\n%@"), {link});
        alert.buttons = {QStringLiteral("Generate Links to Uploaded Files"), QStringLiteral("Cancel")};
        if (platform::showAlert(alert) == 0)
            generateLinksIfAvailable(*this);
        return;
    }
    const QString publishExt = m_uploadRun ? m_uploadRun->publishExt
                                           : (m_publishExt.isEmpty() ? m_pageFileExtension : m_publishExt);
    m_shareLink = platform::formatText(QStringLiteral("%@/%@.%@"), {baseURL, pageName, publishExt});
    showShareWindowController(this);
    if (ShareWindowController* panel = shareWindowController())
        panel->setLabelText(platform::formatText(QStringLiteral("Successfully published!\n\n%@"), {m_shareLink}));
}

void DRVDocument::updateProgressBarDoneFailed()
{
    if (m_progressIndicatorWindowController)
        m_progressIndicatorWindowController->orderOut();
    platform::Alert alert;
    alert.title = QStringLiteral("Uhoh!  We have a problem");
    alert.informativeText = QStringLiteral("The upload was not successful.  Please check FTP Settings.");
    alert.buttons = {QStringLiteral("View Connection Log"), QStringLiteral("OK")};
    if (platform::showAlert(alert) == 0)
        showConnectionLog();
}

// ---- the connection log ----

void DRVDocument::showConnectionLog()
{
    if (!m_connectionLogController)
        m_connectionLogController = std::make_shared<ConnectionLogWindowController>();
    m_connectionLogController->showLog(QStringLiteral("Connection log"), m_connectionLog);
}

void DRVDocument::grabConnectionLog()
{
    if (m_connectionLogController)
        m_connectionLogController->grabConnectionLog();
}
