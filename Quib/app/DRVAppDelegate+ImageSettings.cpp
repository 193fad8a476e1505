// Where the e-mail editions keep their messages' pictures: the image settings sheet, the Dropbox
// account link (the browser comes back to a loopback listener, or the user pastes the code) and the
// FTP choice leading to the FTP settings sheet.
#include "app/DRVAppDelegate.h"
#include "platform/Dialogs.h"
#include "platform/UserDefaults.h"
#include "publishing/DropboxAuthorization.h"
#include "publishing/DropboxSession.h"
#include "window/DRVWindowController.h"
#include "window/ImageSettingsWindowController.h"
#include "window/PreferenceWindowController.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QString kOptionKey = QStringLiteral("uploadOption");

int runWarning(const QString& title, const QString& text, const QStringList& buttons)
{
    platform::Alert alert;
    alert.title = title;
    alert.informativeText = text;
    alert.buttons = buttons;
    alert.style = platform::AlertStyle::Warning;
    return platform::showAlert(alert);
}

QWidget* frontWindow()
{
    if (DRVWindowController* front = DRVWindowController::mainWindowController())
        return front->window();
    return QApplication::activeWindow();
}

} // namespace

const QStringList& DRVAppDelegate::imageSettingsActions()
{
    static const QStringList actions{QStringLiteral("launchImageSettingsModalSheet:"),
                                     QStringLiteral("cancelImageSettingsModalSheet:"),
                                     QStringLiteral("linkDropbox:"), QStringLiteral("selectedImageStorageFTPOption:")};
    return actions;
}

bool DRVAppDelegate::performImageSettingsAction(const QString& action)
{
    if (action == QLatin1String("launchImageSettingsModalSheet:"))
        launchImageSettingsModalSheet();
    else if (action == QLatin1String("cancelImageSettingsModalSheet:"))
        cancelImageSettingsModalSheet();
    else if (action == QLatin1String("linkDropbox:"))
        linkDropbox();
    else if (action == QLatin1String("selectedImageStorageFTPOption:"))
        selectedImageStorageFTPOption();
    else
        return false;
    return true;
}

void DRVAppDelegate::launchImageSettingsModalSheet()
{
    if (!m_imageSettingsWindowController)
        m_imageSettingsWindowController = std::make_unique<ImageSettingsWindowController>();
    ImageSettingsWindowController* sheet = m_imageSettingsWindowController.get();
    sheet->beginSheet(frontWindow());
    // Connected afresh for each showing: the sheet may have been built again.
    for (QObject* sender : {static_cast<QObject*>(sheet->dropboxButton()), static_cast<QObject*>(sheet->ftpButton()),
                            static_cast<QObject*>(sheet->cancelButton()), static_cast<QObject*>(sheet->linkCodeButton()),
                            static_cast<QObject*>(sheet->linkCodeField())})
        disconnect(sender, nullptr, this, nullptr);
    connect(sheet->dropboxButton(), &QPushButton::clicked, this, &DRVAppDelegate::linkDropbox);
    connect(sheet->ftpButton(), &QPushButton::clicked, this, &DRVAppDelegate::selectedImageStorageFTPOption);
    connect(sheet->cancelButton(), &QPushButton::clicked, this, &DRVAppDelegate::cancelImageSettingsModalSheet);
    connect(sheet->linkCodeButton(), &QPushButton::clicked, this, &DRVAppDelegate::submitDropboxCode);
    connect(sheet->linkCodeField(), &QLineEdit::returnPressed, this, &DRVAppDelegate::submitDropboxCode);
    sheet->setupButtons();
    const bool waiting = m_dropboxAuthorization && m_dropboxAuthorization->isWaiting();
    sheet->showLinkCodeRow(waiting, waiting ? QStringLiteral("Finish linking Dropbox in your browser. If it shows a "
                                                             "code instead, paste it here.")
                                            : QString());
}

void DRVAppDelegate::cancelImageSettingsModalSheet()
{
    if (m_imageSettingsWindowController && m_imageSettingsWindowController->window())
        m_imageSettingsWindowController->window()->hide();
}

void DRVAppDelegate::linkDropbox()
{
    platform::UserDefaults::standard().setObject(kOptionKey, QStringLiteral("dropbox"));
    if (m_imageSettingsWindowController)
        m_imageSettingsWindowController->setupButtons();
    if (!DropboxSession::isLinked()) {
        startDropboxAuthorization();
        return;
    }
    if (runWarning(QStringLiteral("Dropbox Linked"), QStringLiteral("Image option updated to Dropbox"),
                   {QStringLiteral("Re-Link Dropbox Account"), QStringLiteral("OK")}) == 0) {
        cancelImageSettingsModalSheet();
        DropboxSession::unlinkAll();
        startDropboxAuthorization();
    }
}

void DRVAppDelegate::selectedImageStorageFTPOption()
{
    platform::UserDefaults::standard().setObject(kOptionKey, QStringLiteral("ftp"));
    if (m_imageSettingsWindowController)
        m_imageSettingsWindowController->setupButtons();
    if (runWarning(QStringLiteral("FTP Selected"), QStringLiteral("Image option updated to FTP"),
                   {QStringLiteral("Configure FTP Settings"), QStringLiteral("OK")}) == 0) {
        cancelImageSettingsModalSheet();
        PreferenceWindowController::shared().showPreferencesPanel(frontWindow());
    }
}

void DRVAppDelegate::startDropboxAuthorization()
{
    if (!m_dropboxAuthorization) {
        m_dropboxAuthorization = std::make_unique<DropboxAuthorization>();
        connect(m_dropboxAuthorization.get(), &DropboxAuthorization::finished, this,
                &DRVAppDelegate::dropboxAuthorizationFinished);
    }
    if (!m_dropboxAuthorization->start()) {
        runWarning(QStringLiteral("Dropbox Not Linked"),
                   QStringLiteral("The Dropbox sign-in page could not be opened in a web browser."), {});
        return;
    }
    if (m_imageSettingsWindowController)
        m_imageSettingsWindowController->showLinkCodeRow(
            true, QStringLiteral("Finish linking Dropbox in your browser. If it shows a code instead, paste it here."));
}

void DRVAppDelegate::submitDropboxCode()
{
    if (!m_dropboxAuthorization || !m_imageSettingsWindowController)
        return;
    m_dropboxAuthorization->submitPastedCode(m_imageSettingsWindowController->linkCodeField()->text());
}

void DRVAppDelegate::dropboxAuthorizationFinished(bool linked, const QString& message)
{
    ImageSettingsWindowController* sheet = m_imageSettingsWindowController.get();
    if (sheet) {
        sheet->setupButtons();
        sheet->showLinkCodeRow(m_dropboxAuthorization && m_dropboxAuthorization->isWaiting(),
                               linked ? QStringLiteral("Dropbox is linked.") : message);
    }
    if (!linked && !(sheet && sheet->window() && sheet->window()->isVisible()))
        runWarning(QStringLiteral("Dropbox Not Linked"), message, {});
}
