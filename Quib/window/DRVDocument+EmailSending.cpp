// The e-mail editions' Send: the image-map picture rendered and hosted, the sender settings
// checked, the addresses split, the review, the send on a worker, and the result alerts.
#include "document/DRVDocument.h"

#include "editions/DataCentre.h"
#include "editions/EditionSettings.h"
#include "platform/Dialogs.h"
#include "platform/Format.h"
#include "platform/SafePath.h"
#include "platform/TextEncoding.h"
#include "platform/UserDefaults.h"
#include "publishing/EmailCode.h"
#include "publishing/DropboxSession.h"
#include "publishing/EmailCodeRecipients.h"
#include "publishing/MailSender.h"
#include "publishing/MailSettings.h"
#include "publishing/PagePicture.h"
#include "publishing/UploadItem.h"
#include "window/ConnectionLogWindowController.h"
#include "window/DRVWindowController.h"
#include "window/MailRecipientWindowController.h"
#include "window/MailSettingWindowController.h"
#include "window/ProgressIndicatorWindowController.h"
#include "window/ReviewMailDataWindowController.h"
#include "window/SourceCodeWindowController.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <thread>

namespace {

struct PreparedLists
{
    EmailAddressList to;
    EmailAddressList cc;
    EmailAddressList bcc;
};

// Shared by every document, as the stored recipient texts are; main thread only.
PreparedLists& preparedLists()
{
    static PreparedLists lists;
    return lists;
}

// The hosted picture goes up through the document's own chain, whose success step runs the send.
bool startHostedPictureUpload(DRVDocument* document)
{
    if (!DropboxSession::isLinked())
        return false;
    QPointer<DRVDocument> guard(document);
    document->startDropboxUpload([guard](bool success, const QString&) {
        if (success || !guard)
            return;
        if (ProgressIndicatorWindowController* progress = guard->progressIndicatorWindowController())
            progress->orderOut();
    });
    return true;
}

std::function<bool(DRVDocument*)>& dropboxUploadStarter()
{
    static std::function<bool(DRVDocument*)> starter = startHostedPictureUpload;
    return starter;
}

std::function<qint64()>& emailDateSource()
{
    static std::function<qint64()> now;
    return now;
}

platform::UserDefaults& defaults()
{
    return platform::UserDefaults::standard();
}

QString storedText(const char* key)
{
    return defaults().stringForKey(QLatin1String(key));
}

QString sheetText(MailRecipientWindowController* sheet, const char* name)
{
    if (!sheet || !sheet->window())
        return QString();
    if (auto* view = sheet->window()->findChild<QPlainTextEdit*>(QLatin1String(name)))
        return view->toPlainText();
    return QString();
}

QString sheetSubject(MailRecipientWindowController* sheet)
{
    return sheet && sheet->mailSubjectTextField() ? sheet->mailSubjectTextField()->text() : QString();
}

// A folder of its own per send under the working root, so no other document's send replaces the
// picture or message while this one is hosted or sent.
std::shared_ptr<QTemporaryDir> newEmailFolder()
{
    const QString root = edition().gTempFolderPath.isEmpty() ? QDir::tempPath() : edition().gTempFolderPath;
    const QString mails = QDir(root).filePath(QStringLiteral("email"));
    if (!QDir().mkpath(mails))
        return nullptr;
    auto folder = std::make_shared<QTemporaryDir>(QDir(mails).filePath(QStringLiteral("send-XXXXXX")));
    return folder->isValid() ? folder : nullptr;
}

void showFailure(const QString& title, const QString& text)
{
    platform::Alert alert;
    alert.title = title;
    alert.informativeText = text;
    alert.buttons = {QStringLiteral("OK")};
    platform::showAlert(alert);
}

} // namespace

// ---- hooks ----

void DRVDocument::setDropboxUploadStarter(std::function<bool(DRVDocument*)> starter)
{
    // An empty starter puts the built-in one back.
    dropboxUploadStarter() = starter ? std::move(starter) : std::function<bool(DRVDocument*)>(startHostedPictureUpload);
}

void DRVDocument::setEmailDateSource(std::function<qint64()> msecsSinceEpoch)
{
    emailDateSource() = std::move(msecsSinceEpoch);
}

QStringList DRVDocument::mailToList()
{
    return preparedLists().to.addresses;
}

QStringList DRVDocument::mailCcList()
{
    return preparedLists().cc.addresses;
}

QStringList DRVDocument::mailBccList()
{
    return preparedLists().bcc.addresses;
}

QStringList DRVDocument::refusedMailAddresses()
{
    const PreparedLists& lists = preparedLists();
    return lists.to.refused + lists.cc.refused + lists.bcc.refused;
}

ReviewMailDataWindowController* DRVDocument::reviewMailDataWindowController() const
{
    return m_reviewMailDataWindowController.get();
}

QString DRVDocument::emailRunFolder() const
{
    return m_emailRunFolder ? m_emailRunFolder->path() : QString();
}

// ---- the recipient sheet's Send ----

void DRVDocument::getReadyToSendEmail()
{
    MailRecipientWindowController* sheet = MailRecipientWindowController::forDocument(this);
    setMailHeader(sheetText(sheet, "headerTextView"));
    setMailFooter(sheetText(sheet, "footerTextView"));
    setMailTooltipText(sheetText(sheet, "tooltipTextView"));
    // Send means send, even when an earlier source request stopped before its HTML was shown.
    m_showCodeOnlyFlag = false;
    if (edition().gResponsiveLayoutFlag)
        sendHTMLEmail(this);
    else
        uploadPNG();
}

void DRVDocument::sendHTMLEmail(QObject*)
{
    if (MailRecipientWindowController* sheet = MailRecipientWindowController::forDocument(this))
        sheet->cancelMailRecipientSheet();
    if (!grabSendMailSettings()) {
        platform::Alert alert;
        alert.title = QStringLiteral("Sender SMTP Settings Incomplete");
        alert.informativeText = platform::formatText(
            QStringLiteral("%@\n%@"),
            {QStringLiteral(
                 "SMTP Settings contain information about your email.  Please check to ensure this "
                 "setting is complete with your email and accurate mail server information."),
             m_sendMailInCompleteString});
        alert.buttons = {QStringLiteral("Check SMTP Settings"), QStringLiteral("Dismiss")};
        if (platform::showAlert(alert) == 0)
            MailSettingWindowController::shared().showMailSettings(
                SourceCodeWindowController::documentWindow(this));
        return;
    }
    prepForPresentation(true);
    prepMailingList();
    const QString review = prepSendMailAlertMsg();

    if (!m_reviewMailDataWindowController) {
        m_reviewMailDataWindowController = std::make_shared<ReviewMailDataWindowController>();
        ReviewMailDataWindowController* controller = m_reviewMailDataWindowController.get();
        QObject::connect(controller->cancelButton(), &QPushButton::clicked, this,
                         [this] { hideReviewMailDataWindowController(); });
        QObject::connect(controller->sendButton(), &QPushButton::clicked, this, [this] {
            if (edition().gResponsiveLayoutFlag)
                sendHTMLEmailNow();
            else
                sendEmailNow();
        });
    }
    ReviewMailDataWindowController& controller = *m_reviewMailDataWindowController;
    controller.textView()->setPlainText(review);
    controller.textView()->setReadOnly(true);
    // A send still running keeps its window from starting a second one.
    controller.sendButton()->setEnabled(!m_mailSendInProgress);
    QWidget* window = controller.window();
    if (QWidget* screen = SourceCodeWindowController::documentWindow(this))
        window->move(screen->geometry().center() - window->rect().center());
    window->show();
    window->raise();
    window->activateWindow();
}

bool DRVDocument::grabSendMailSettings()
{
    m_sendMailInCompleteString =
        EmailCodeRecipients::missingSettings(storedText("mailAddress"), storedText("mailSMTPServer"));
    return m_sendMailInCompleteString.isEmpty();
}

void DRVDocument::prepMailingList()
{
    MailRecipientWindowController* sheet = MailRecipientWindowController::forDocument(this);
    PreparedLists& lists = preparedLists();
    lists.to = EmailCodeRecipients::split(
        sheet && sheet->toFieldTextView() ? sheet->toFieldTextView()->toPlainText() : QString());
    lists.cc = EmailCodeRecipients::split(
        sheet && sheet->ccFieldTextView() ? sheet->ccFieldTextView()->toPlainText() : QString());
    lists.bcc = EmailCodeRecipients::split(
        sheet && sheet->bccFieldTextView() ? sheet->bccFieldTextView()->toPlainText() : QString());
}

QString DRVDocument::prepSendMailAlertMsg()
{
    const PreparedLists& lists = preparedLists();
    EmailReviewValues values;
    values.senderAddress = storedText("mailAddress");
    values.senderName = storedText("mailName");
    values.subject = sheetSubject(MailRecipientWindowController::forDocument(this));
    values.to = lists.to;
    values.cc = lists.cc;
    values.bcc = lists.bcc;
    return EmailCodeRecipients::reviewText(values);
}

qint32 DRVDocument::getMailingListCount() const
{
    const PreparedLists& lists = preparedLists();
    return qint32(lists.to.addresses.size() + lists.cc.addresses.size() + lists.bcc.addresses.size());
}

void DRVDocument::hideReviewMailDataPanel()
{
    if (!m_reviewMailDataWindowController)
        return;
    QWidget* window = m_reviewMailDataWindowController->window();
    if (QWidget* focus = window->focusWidget())
        focus->clearFocus();
    window->hide();
}

// ---- sending ----

void DRVDocument::sendEmailNow()
{
    if (m_mailSendInProgress)
        return;
    showProgressIndicator();
    hideReviewMailDataPanel();
    const QString path = generateImageMapEmail();
    if (path.isEmpty()) {
        m_sendMailResults = QStringLiteral("The message file could not be written.");
        mailSentFailed();
        emit mailSendEnded(false);
        return;
    }
    sendMailFile(path, sheetSubject(MailRecipientWindowController::forDocument(this)));
}

void DRVDocument::sendHTMLEmailNow()
{
    if (m_mailSendInProgress)
        return;
    defaults().setObject(QStringLiteral("emailOption"), QStringLiteral("editor"));
    hideReviewMailDataPanel();
    // The message is the page file written for publishing, which needs the page's working folder.
    const std::optional<QString> path =
        prepForPresentation(true)
            ? platform::SafePath::filePath(m_tempSavePathLocal, m_pageName + QStringLiteral(".html"))
            : std::nullopt;
    if (!path || !QFileInfo::exists(*path)) {
        m_sendMailResults =
            QStringLiteral("The page could not be written for sending. Save the page, then send it again.");
        mailSentFailed();
        emit mailSendEnded(false);
        return;
    }
    sendMailFile(*path, sheetSubject(MailRecipientWindowController::forDocument(this)));
}

void DRVDocument::sendMailFile(const QString& path, const QString& subject)
{
    m_mailSendInProgress = true;
    if (m_reviewMailDataWindowController)
        m_reviewMailDataWindowController->sendButton()->setEnabled(false);
    const PreparedLists lists = preparedLists();
    // Settings and password are read here, on the main thread; the worker gets its own copy.
    const MailSettings settings = MailSettings::fromUserDefaults();
    QPointer<DRVDocument> document(this);
    // The SMTP exchange may take a minute; the window stays responsive behind the progress window.
    // Both message shapes embed the pictures they refer to by relative name.
    std::thread([document, path, subject, lists, settings] {
        MailSender sender(settings);
        const MailSendResult result =
            sender.send(path, subject, lists.to.addresses, lists.cc.addresses, lists.bcc.addresses, false);
        const bool sent = result.sent;
        const QString log = result.log;
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [document, sent, log] {
                if (!document)
                    return;
                document->m_mailSendInProgress = false;
                if (document->m_reviewMailDataWindowController)
                    document->m_reviewMailDataWindowController->sendButton()->setEnabled(true);
                document->m_sendMailResults = log;
                if (sent)
                    document->mailSentSuccessfully();
                else
                    document->mailSentFailed();
                if (MailRecipientWindowController* sheet =
                        MailRecipientWindowController::forDocument(document))
                    if (sheet->window())
                        sheet->window()->hide();
                emit document->mailSendEnded(sent);
            },
            Qt::QueuedConnection);
    }).detach();
}

void DRVDocument::mailSentSuccessfully()
{
    if (ProgressIndicatorWindowController* progress = progressIndicatorWindowController())
        progress->orderOut();
    platform::Alert alert;
    alert.title = QStringLiteral("Mail Sent");
    alert.informativeText = platform::formatText(
        QStringLiteral("This mail has been sent.\n\nA copy of this email has been sent to %@"),
        {storedText("mailAddress")});
    alert.buttons = {QStringLiteral("OK")};
    platform::showAlert(alert);
}

void DRVDocument::mailSentFailed()
{
    if (ProgressIndicatorWindowController* progress = progressIndicatorWindowController())
        progress->orderOut();
    if (ConnectionLogWindowController::askToViewMailErrorLog())
        showConnectionLog(m_sendMailResults);
}

void DRVDocument::showConnectionLog(const QString& text)
{
    if (!m_connectionLogController)
        m_connectionLogController = std::make_shared<ConnectionLogWindowController>();
    m_connectionLogController->showLog(QStringLiteral("Error log"), text);
}

// ---- the image-map picture ----

void DRVDocument::uploadPNG()
{
    // The running upload keeps its queue (a second one would be refused by startUpload unseen), and
    // a running send still reads this send's folder.
    if (uploadInProgress() || m_mailSendInProgress) {
        m_showCodeOnlyFlag = false;
        showFailure(
            QStringLiteral("Upload in Progress"),
            QStringLiteral(
                "The previous upload or send is still running. Please try again when it has finished."));
        return;
    }
    m_emailRunFolder = newEmailFolder();
    if (!m_emailRunFolder) {
        showFailure(QStringLiteral("Image Could Not Be Saved"),
                    QStringLiteral("The working folder for the e-mail picture could not be made."));
        return;
    }
    const QString picturePath = QDir(m_emailRunFolder->path()).filePath(EmailCode::pictureFileName());
    if (!savePNG(picturePath)) {
        showFailure(QStringLiteral("Image Could Not Be Saved"),
                    QStringLiteral("The picture of the page could not be written."));
        return;
    }
    const qint64 now = emailDateSource() ? emailDateSource()() : QDateTime::currentMSecsSinceEpoch();
    const QString hostedName =
        EmailCode::hostedFileName(QDateTime::fromMSecsSinceEpoch(now), EmailCode::randomSuffix());
    m_uploadTimeStampFolder = hostedName.section(u'_', 0, 0);

    const QString option = storedText("uploadOption");
    UploadItem item;
    item.setLocalPath(picturePath);
    item.setRemoteFolder(option == QLatin1String("ftp") ? QString() : QStringLiteral("/"));
    item.setRemoteFileName(hostedName);
    item.setImageName(QStringLiteral("ulmira"));
    item.setOriginalImageFlag(false);
    item.setImageIndex(0);
    setUploadItemArray({item});

    if (option == QLatin1String("dropbox")) {
        showProgressIndicator();
        if (!dropboxUploadStarter() || !dropboxUploadStarter()(this)) {
            if (ProgressIndicatorWindowController* progress = progressIndicatorWindowController())
                progress->orderOut();
            m_showCodeOnlyFlag = false;
            showFailure(
                QStringLiteral("Dropbox Account Not Linked"),
                QStringLiteral("Dropbox is selected as the current image upload option, but your Dropbox "
                               "account does not appear to be properly linked.\n\nTo re-link or choose a "
                               "different image upload option, please visit Settings to configure your "
                               "image hosting options."));
        }
        return;
    }
    if (option == QLatin1String("ftp")) {
        startUpload();
        return;
    }
    continueAfterPictureHosted();
}

void DRVDocument::continueAfterPictureHosted()
{
    if (m_showCodeOnlyFlag)
        presentGeneratedSourceCode();
    else
        sendHTMLEmail(this);
}

bool DRVDocument::savePNG(const QString& path)
{
    const QImage image = generatePNG(true);
    if (image.isNull())
        return false;
    const QByteArray png = DataCentre::PNGRepresentationOfImage(image);
    if (png.isEmpty() || !platform::writeFileAtomically(path, png))
        return false;
    // The same picture as a one-page PDF beside it, drawn as the picture is.
    const QByteArray pdf = PagePicture::pdfData(*this, edition());
    const QString pdfPath = QDir(QFileInfo(path).absolutePath()).filePath(QStringLiteral("ulmira.pdf"));
    if (pdf.isEmpty() || !platform::writeFileAtomically(pdfPath, pdf))
        qWarning("no pdf data for the e-mail picture");
    return true;
}

QString DRVDocument::generateEmailCode()
{
    if (m_pageName.isEmpty())
        m_pageName = createFileName();
    EmailCodeSettings settings;
    settings.hostingMode = storedText("uploadOption");
    settings.baseURL = storedText("baseurl");
    settings.remoteFileName =
        uploadItemArray().isEmpty() ? QString() : uploadItemArray().first().remoteFileName();
    settings.dropboxLink = m_dropboxLink;
    DRVWindowController* window = DRVWindowController::controllersForDocument(this).value(0);
    settings.backgroundColor = window ? window->getDocumentColor() : pageColor();
    settings.pictureSize = mailImage().size();
    settings.noExportMargin = edition().gNoExportMarginFlag;
    settings.header = m_mailHeader;
    settings.footer = m_mailFooter;
    settings.tooltip = m_mailTooltipText;
    return EmailCode::generate(*this, settings);
}

QString DRVDocument::generateImageMapEmail()
{
    const QString html = generateEmailCode();
    if (!m_emailRunFolder)
        m_emailRunFolder = newEmailFolder();
    if (!m_emailRunFolder)
        return QString();
    const QString path = QDir(m_emailRunFolder->path()).filePath(EmailCode::messageFileName());
    if (!platform::writeFileAtomically(path, html.toUtf8()))
        return QString();
    return path;
}

void DRVDocument::presentGeneratedSourceCode()
{
    SourceCodeWindowController::presentGeneratedSourceCode(this, generateEmailCode());
}
