// What the share panel does with a finished page, and the document's way to the previews and the
// source window's copy. This desktop has no sharing services: social posts go through the services'
// web share addresses in the browser, the e-mail through a mailto: address in the user's mail program.
#include "document/DRVDocument.h"

#include "editions/EditionSettings.h"
#include "platform/Dialogs.h"
#include "platform/UrlOpener.h"
#include "window/DRVWindowController.h"
#include "window/PageDialogsController.h"
#include "window/ShareWindowController.h"
#include "window/SourceCodeWindowController.h"
#include "window/WebPreviewWindowController.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QUrlQuery>

namespace {

// name=value pairs with every byte outside the unreserved set percent-encoded, so a link's own
// "&", "#", "?" or "+" can never end or change the parameter.
QUrl withQuery(const QString& base, const QList<QPair<QString, QString>>& items)
{
    QByteArray encoded = base.toUtf8();
    for (qsizetype i = 0; i < items.size(); ++i) {
        encoded += i == 0 ? '?' : '&';
        encoded += items.at(i).first.toUtf8() + '=' + QUrl::toPercentEncoding(items.at(i).second);
    }
    return QUrl::fromEncoded(encoded, QUrl::StrictMode);
}

void confirmCopied(const QString& text)
{
    platform::Alert alert;
    alert.title = QStringLiteral("Copied to Clipboard");
    alert.informativeText = text;
    alert.buttons = {QStringLiteral("OK")};
    alert.style = platform::AlertStyle::Informational;
    platform::showAlert(alert);
}

} // namespace

void DRVDocument::connectShareActions(ShareWindowController* panel)
{
    using Kind = ShareWindowController::ShareButtonKind;
    const QList<QPair<Kind, void (DRVDocument::*)()>> actions{
        {Kind::LaunchInSafari, &DRVDocument::launchInSafari},
        {Kind::SendToClipBoard, &DRVDocument::sendShareLinkToClipboard},
        {Kind::SendImageToClipBoard, &DRVDocument::sendShareImageToClipboard},
        {Kind::ShareOnTwitter, &DRVDocument::shareOnTwitter},
        {Kind::ShareOnFacebook, &DRVDocument::shareOnFacebook},
        {Kind::SaveAsJPEG, &DRVDocument::exportJPEGPageFromShare},
        {Kind::SaveAsPNG, &DRVDocument::exportPNGPageFromShare},
        {Kind::SaveAsPDF, &DRVDocument::exportPDFPageFromShare},
    };
    for (const auto& [kind, action] : actions)
        panel->setButtonAction(kind, [this, action = action] { (this->*action)(); });
    panel->setButtonAction(Kind::SendToEmail, [this] { shareByEmail(); });
    // The two book exports close the panel themselves.
    panel->setButtonAction(Kind::SaveAllPDFPages, [this] { exportAllPDF(sharingWindow()); });
    panel->setButtonAction(Kind::SaveAllPDFPagesFast, [this] { exportAllPDFFast(sharingWindow()); });
    // A rating button that could open nothing stays greyed.
    if (edition().gAppStoreReviewURL.isEmpty())
        panel->setButtonAction(Kind::RateApp, {});
    else
        panel->setButtonAction(Kind::RateApp, [this] { rateApp(); });
}

DRVWindowController* DRVDocument::sharingWindow() const
{
    const QList<DRVWindowController*> controllers = DRVWindowController::controllersForDocument(this);
    return controllers.isEmpty() ? nullptr : controllers.first();
}

void DRVDocument::launchInSafari()
{
    // The link is built from the user's base address: only a web address goes to the desktop, never
    // a local file or another program's scheme.
    if (const std::optional<QUrl> url = WebPreviewWindowController::smartURLForString(m_shareLink))
        platform::openUrl(*url);
}

void DRVDocument::sendShareLinkToClipboard()
{
    QGuiApplication::clipboard()->setText(m_shareLink);
    confirmCopied(m_shareLink);
}

void DRVDocument::sendShareImageToClipboard()
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setImage(generatePNG(false));
    confirmCopied(QString());
}

QUrl DRVDocument::twitterShareURL(const QString& link)
{
    return withQuery(QStringLiteral("https://twitter.com/intent/tweet"), {{QStringLiteral("url"), link}});
}

QUrl DRVDocument::facebookShareURL(const QString& link)
{
    return withQuery(QStringLiteral("https://www.facebook.com/sharer/sharer.php"), {{QStringLiteral("u"), link}});
}

QUrl DRVDocument::emailShareURL(const QString& link, const QString& editionDisplayName)
{
    const QString subject = QStringLiteral("Shared work from %1").arg(editionDisplayName);
    return withQuery(QStringLiteral("mailto:"), {{QStringLiteral("subject"), subject}, {QStringLiteral("body"), link}});
}

void DRVDocument::shareOnTwitter()
{
    platform::openUrl(twitterShareURL(m_shareLink));
}

void DRVDocument::shareOnFacebook()
{
    platform::openUrl(facebookShareURL(m_shareLink));
}

void DRVDocument::shareByEmail(QObject* sender)
{
    Q_UNUSED(sender);
    platform::openUrl(emailShareURL(m_shareLink, edition().gEditionDisplayName));
}

void DRVDocument::rateApp()
{
    hideShareWindowControllerPanel();
    const QString page = edition().gAppStoreReviewURL;
    if (page.isEmpty())
        return;
    platform::Alert alert;
    alert.title = QStringLiteral("Rate Our App");
    alert.informativeText = QStringLiteral(
        "If you enjoy using this app, would you mind taking a moment to rate it?  Thanks for your support!");
    alert.buttons = {QStringLiteral("Rate App"), QStringLiteral("Cancel")};
    alert.style = platform::AlertStyle::Informational;
    if (platform::showAlert(alert) == 0)
        platform::openUrl(QUrl(page));
}

void DRVDocument::exportJPEGPageFromShare()
{
    hideShareWindowControllerPanel();
    if (DRVWindowController* window = sharingWindow())
        exportJPEGPage(window);
}

void DRVDocument::exportPNGPageFromShare()
{
    hideShareWindowControllerPanel();
    if (DRVWindowController* window = sharingWindow())
        exportPNGPage(window);
}

void DRVDocument::exportPDFPageFromShare()
{
    hideShareWindowControllerPanel();
    if (DRVWindowController* window = sharingWindow())
        exportPDFPage(window);
}

void DRVDocument::showWebPreview(QObject* sender)
{
    Q_UNUSED(sender);
    if (DRVWindowController* window = sharingWindow())
        window->pageDialogs()->showWebPreview();
}

void DRVDocument::showMobileWebPreview(QObject* sender)
{
    Q_UNUSED(sender);
    if (DRVWindowController* window = sharingWindow())
        window->pageDialogs()->showMobileWebPreview();
}

void DRVDocument::grabSourceCode()
{
    SourceCodeWindowController::grabSourceCode(this);
}
