// The page document's Dropbox chain for e-mail images: each item is stored, then its shared link
// fetched, and only then does the next item start. The calls run on workers; every result comes
// back to the main thread, where the document's fields change.
#include "document/DRVDocument.h"
#include "platform/Dialogs.h"
#include "platform/Threads.h"
#include "publishing/DropboxSession.h"
#include "publishing/UploadItem.h"
#include "window/ProgressIndicatorWindowController.h"

#include <QPointer>
#include <QVariant>

#include <functional>

struct DRVDocument::DropboxRun
{
    QList<UploadItem> items;
    DropboxCompletion completion;
    bool ended = false;
};

namespace {

// What a worker hands back: the service's answer, or why there is none.
struct StepResult
{
    bool ok = false;
    QString value;
};

// Runs call on a worker with a session of its own; back on the main thread done gets the answer,
// or the error text, unless context is gone by then.
void runStep(QObject* context, std::function<bool(DropboxSession&, QString*)> call,
             std::function<void(const StepResult&)> done)
{
    platform::runInBackgroundThenOnMain(
        [call = std::move(call)]() -> QVariant {
            DropboxSession session;
            QString answer;
            const bool ok = call(session, &answer);
            return QVariantList{ok, ok ? answer : session.errorText()};
        },
        [done = std::move(done)](const QVariant& result) {
            const QVariantList parts = result.toList();
            done(parts.size() == 2 ? StepResult{parts.at(0).toBool(), parts.at(1).toString()} : StepResult{});
        },
        context);
}

} // namespace

bool DRVDocument::dropboxUploadInProgress() const
{
    return m_dropboxRun && !m_dropboxRun->ended;
}

void DRVDocument::startDropboxUpload(DropboxCompletion completion)
{
    const QList<UploadItem> items = uploadItemArray();
    if (dropboxUploadInProgress() || items.isEmpty()) {
        if (completion)
            completion(false, QString());
        return;
    }
    auto run = std::make_shared<DropboxRun>();
    run->items = items;
    run->completion = std::move(completion);
    m_dropboxRun = run;
    m_uploadCounter = 0;
    const UploadItem& first = items.constFirst();
    uploadFileDB(first.remoteFolder(), first.remoteFileName(), first.localPath());
}

void DRVDocument::uploadFileDB(const QString& remoteFolder, const QString& fileName, const QString& localPath)
{
    std::shared_ptr<DropboxRun> run = m_dropboxRun;
    if (!run || run->ended)
        return;
    runStep(
        this,
        [remoteFolder, fileName, localPath](DropboxSession& session, QString* storedPath) {
            return session.uploadFile(fileName, remoteFolder, localPath, storedPath);
        },
        [this, run](const StepResult& step) {
            if (step.ok)
                restClientUploadedFile(run, step.value);
            else
                restClientFailed(run, QStringLiteral("file upload failed"), step.value);
        });
}

void DRVDocument::restClientUploadedFile(const std::shared_ptr<DropboxRun>& run, const QString& storedPath)
{
    if (run != m_dropboxRun || run->ended)
        return;
    runStep(
        this,
        [storedPath](DropboxSession& session, QString* link) { return session.loadSharableLinkForFile(storedPath, link); },
        [this, run](const StepResult& step) {
            if (step.ok)
                restClientLoadedSharableLink(run, step.value);
            else
                restClientFailed(run, QStringLiteral("load sharable link failed"), step.value);
        });
}

void DRVDocument::restClientLoadedSharableLink(const std::shared_ptr<DropboxRun>& run, const QString& link)
{
    if (run != m_dropboxRun || run->ended)
        return;
    const QString direct = DropboxSession::directDownloadLink(link);
    const qint32 index = m_uploadCounter;
    if (index >= 0 && index < run->items.size())
        run->items[index].setDropboxLink(direct);
    // The document's own list gets the link too, as long as it is still this run's list.
    QList<UploadItem> items = uploadItemArray();
    if (index >= 0 && index < items.size() && items.at(index).localPath() == run->items.value(index).localPath()) {
        items[index].setDropboxLink(direct);
        setUploadItemArray(items);
    }
    m_dropboxLink = direct;
    m_uploadCounter = index + 1;
    const qint32 count = qint32(run->items.size());
    const qint32 finished = m_uploadCounter;
    QPointer<DRVDocument> self(this);
    platform::performOnMainThread(
        [self, finished, count] {
            if (self)
                self->updateProgressBar(finished, count);
        },
        false);
    if (finished < count) {
        const UploadItem& next = run->items.at(finished);
        uploadFileDB(next.remoteFolder(), next.remoteFileName(), next.localPath());
        return;
    }
    run->ended = true;
    updateProgressBarDoneSuccess();
    if (run->completion)
        run->completion(true, direct);
}

void DRVDocument::restClientFailed(const std::shared_ptr<DropboxRun>& run, const QString& what, const QString& error)
{
    if (run != m_dropboxRun || run->ended)
        return;
    run->ended = true;
    qWarning("%s %s", qPrintable(what), qPrintable(error));
    showDropboxError();
    if (run->completion)
        run->completion(false, QString());
}

void DRVDocument::showDropboxError()
{
    if (m_progressIndicatorWindowController)
        m_progressIndicatorWindowController->orderOut();
    platform::Alert alert;
    alert.title = QStringLiteral("Image Upload Failed");
    alert.informativeText = QStringLiteral("Please check Settings and re-link your Dropbox account.");
    alert.buttons = {QStringLiteral("OK")};
    alert.style = platform::AlertStyle::Warning;
    platform::showAlert(alert);
}
